#pragma once

#include "platform/ThemePreference.h"

#include <xcb/xcb.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class X11Connection;

// Reads the desktop's theme from the XSETTINGS manager: dark when "Net/ThemeName"
// names a dark variant. Without a manager the desktop states no preference.
class X11ThemePreference final : public ThemePreference {
public:
    explicit X11ThemePreference(X11Connection& connection);

    bool isDark() const override;
    void setChangeHandler(std::function<void()> handler) override { m_handler = std::move(handler); }

    // A string setting of an _XSETTINGS_SETTINGS blob; nullopt when absent or malformed.
    static std::optional<std::string> stringSetting(const std::vector<std::uint8_t>& blob, const std::string& name);

private:
    void watchOwner();

    X11Connection& m_connection;
    xcb_atom_t m_selection;
    xcb_atom_t m_settingsAtom;
    xcb_atom_t m_managerAtom;
    xcb_window_t m_owner = XCB_WINDOW_NONE;
    std::function<void()> m_handler;
};
