#pragma once

#include "platform/WindowList.h"
#include "platform/x11/X11WindowOwners.h"

class X11Connection;
class Screens;

// The viewable children of the root window, named by their client windows.
class X11WindowList final : public WindowList {
public:
    X11WindowList(const X11Connection& connection, const Screens& screens);

    std::vector<WindowInfo> onScreenWindows() const override;

private:
    const X11Connection& m_connection;
    const Screens& m_screens;
    X11WindowOwners m_owners;
};
