#pragma once

#include "platform/ThemePreference.h"

class FakeThemePreference final : public ThemePreference {
public:
    bool isDark() const override { return m_dark; }
    void setChangeHandler(std::function<void()> handler) override { m_handler = std::move(handler); }

    // Changes the desktop's preference and announces it, as the desktop would.
    void setDark(bool dark);
    // Announces a change without changing anything.
    void announce() const;

private:
    bool m_dark = false;
    std::function<void()> m_handler;
};
