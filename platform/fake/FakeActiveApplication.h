#pragma once

#include "platform/ActiveApplication.h"

class FakeActiveApplication final : public ActiveApplication {
public:
    std::optional<std::string> identifier() const override { return m_identifier; }
    void setSwitchHandler(std::function<void()> handler) override { m_handler = std::move(handler); }

    // Makes another application active and reports the switch.
    void switchTo(std::optional<std::string> identifier);
    bool hasSwitchHandler() const { return static_cast<bool>(m_handler); }

private:
    std::optional<std::string> m_identifier;
    std::function<void()> m_handler;
};
