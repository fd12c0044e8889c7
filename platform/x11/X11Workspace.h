#pragma once

#include "platform/Workspace.h"

#include <xcb/xcb.h>

class X11Connection;

// Follows the window manager's _NET_CURRENT_DESKTOP on the root window.
class X11Workspace final : public Workspace {
public:
    explicit X11Workspace(X11Connection& connection);
    void setDesktopSwitchHandler(std::function<void()> handler) override { m_handler = std::move(handler); }

private:
    xcb_atom_t m_currentDesktopAtom;
    std::function<void()> m_handler;
};
