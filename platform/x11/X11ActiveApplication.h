#pragma once

#include "platform/ActiveApplication.h"
#include "platform/x11/X11WindowOwners.h"

class X11Connection;

// Follows the window manager's _NET_ACTIVE_WINDOW on the root window.
class X11ActiveApplication final : public ActiveApplication {
public:
    explicit X11ActiveApplication(X11Connection& connection);

    std::optional<std::string> identifier() const override;
    std::optional<std::uint32_t> activeWindow() const override;
    // Asks the window manager, and sets the input focus for the case that none runs.
    void activate(std::uint32_t window) override;
    void setSwitchHandler(std::function<void()> handler) override { m_handler = std::move(handler); }

private:
    void activeWindowChanged();

    X11Connection& m_connection;
    X11WindowOwners m_owners;
    xcb_atom_t m_activeWindowAtom;
    std::optional<std::string> m_current;
    std::function<void()> m_handler;
};
