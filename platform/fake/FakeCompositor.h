#pragma once

#include "platform/Compositor.h"

class FakeCompositor final : public Compositor {
public:
    bool isRunning() const override { return m_running; }
    void setChangeHandler(std::function<void()> handler) override { m_handler = std::move(handler); }
    // Starts or stops the compositing manager, announcing a change as the server would.
    void setRunning(bool running)
    {
        const bool changed = running != m_running;
        m_running = running;
        if (changed && m_handler)
            m_handler();
    }

private:
    bool m_running = false;
    std::function<void()> m_handler;
};
