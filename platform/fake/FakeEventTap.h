#pragma once

#include "platform/EventTap.h"

#include <functional>

// A tap whose events the test sends; a disabled tap delivers nothing.
template <class Event>
class FakeEventTap final : public EventTap {
public:
    explicit FakeEventTap(std::function<void(const Event&)> handler) : m_handler(std::move(handler)) {}

    bool isEnabled() const override { return m_enabled; }
    void setEnabled(bool enabled) override
    {
        m_enabled = enabled;
        ++m_enableChanges;
    }

    void send(const Event& event) const
    {
        if (m_enabled)
            m_handler(event);
    }
    int enableChanges() const { return m_enableChanges; }

private:
    std::function<void(const Event&)> m_handler;
    bool m_enabled = false;
    int m_enableChanges = 0;
};
