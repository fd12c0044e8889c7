#pragma once

#include "platform/Compositor.h"

class FakeCompositor final : public Compositor {
public:
    bool isRunning() const override { return m_running; }
    void setRunning(bool running) { m_running = running; }

private:
    bool m_running = false;
};
