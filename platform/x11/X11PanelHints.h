#pragma once

#include "platform/PanelHints.h"

class X11Connection;

// The EWMH skip-taskbar and skip-pager states, and the _COMPTON_SHADOW property that
// picom and its forks read.
class X11PanelHints final : public PanelHints {
public:
    explicit X11PanelHints(X11Connection& connection);
    void markAsPanel(std::uint64_t window) override;

private:
    X11Connection& m_connection;
};
