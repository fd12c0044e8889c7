#pragma once

#include "platform/ActiveApplication.h"

#include <vector>

class FakeActiveApplication final : public ActiveApplication {
public:
    std::optional<std::string> identifier() const override { return m_identifier; }
    std::optional<std::uint32_t> activeWindow() const override { return m_window; }
    void activate(std::uint32_t window) override { m_activated.push_back(window); }
    void setSwitchHandler(std::function<void()> handler) override { m_handler = std::move(handler); }

    // Makes another application active and reports the switch.
    void switchTo(std::optional<std::string> identifier);
    void setActiveWindow(std::optional<std::uint32_t> window) { m_window = window; }
    const std::vector<std::uint32_t>& activated() const { return m_activated; }
    bool hasSwitchHandler() const { return static_cast<bool>(m_handler); }

private:
    std::optional<std::string> m_identifier;
    std::optional<std::uint32_t> m_window;
    std::vector<std::uint32_t> m_activated;
    std::function<void()> m_handler;
};
