#pragma once

#include "platform/PowerEvents.h"

class FakePowerEvents final : public PowerEvents {
public:
    void setSleepHandler(std::function<void()> handler) override { m_handler = std::move(handler); }
    // The machine is about to sleep.
    void sleep()
    {
        if (m_handler)
            m_handler();
    }

private:
    std::function<void()> m_handler;
};
