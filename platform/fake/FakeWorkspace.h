#pragma once

#include "platform/Workspace.h"

class FakeWorkspace final : public Workspace {
public:
    void setDesktopSwitchHandler(std::function<void()> handler) override { m_handler = std::move(handler); }
    bool isListening() const { return static_cast<bool>(m_handler); }
    // Another desktop becomes current.
    void switchDesktop()
    {
        if (m_handler)
            m_handler();
    }

private:
    std::function<void()> m_handler;
};
