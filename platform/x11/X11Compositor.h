#pragma once

#include "platform/Compositor.h"
#include "platform/x11/X11Connection.h"

#include <optional>

// A compositing manager owns the _NET_WM_CM_S<screen> selection while it runs; XFixes
// reports every change of its owner.
class X11Compositor final : public Compositor {
public:
    explicit X11Compositor(X11Connection& connection);
    ~X11Compositor() override;
    bool isRunning() const override;
    void setChangeHandler(std::function<void()> handler) override { m_handler = std::move(handler); }

private:
    void ownerChanged();

    X11Connection& m_connection;
    xcb_atom_t m_selection;
    std::optional<std::uint8_t> m_xfixesEvent;
    X11Connection::HandlerId m_handlerId = 0;
    bool m_running = false;
    std::function<void()> m_handler;
};
