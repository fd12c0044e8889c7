#pragma once

#include "platform/WindowInput.h"

class X11Connection;

// Empties the window's input shape (XFixes) to let clicks through, and restores the
// default shape to take them again; the window's event mask is left alone.
class X11WindowInput final : public WindowInput {
public:
    explicit X11WindowInput(X11Connection& connection);
    bool setClickThrough(std::uint64_t window, bool through) override;

private:
    X11Connection& m_connection;
    bool m_xfixes = false;
};
