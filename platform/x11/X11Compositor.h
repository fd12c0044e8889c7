#pragma once

#include "platform/Compositor.h"

class X11Connection;

// A compositing manager owns the _NET_WM_CM_S<screen> selection while it runs.
class X11Compositor final : public Compositor {
public:
    explicit X11Compositor(X11Connection& connection);
    bool isRunning() const override;

private:
    X11Connection& m_connection;
};
