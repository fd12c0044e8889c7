#pragma once

#include "platform/Screens.h"

#include <optional>

class X11Connection;

// The RandR monitors, primary first, re-read after the screen layout or the work area
// changes.
class X11Screens final : public Screens {
public:
    explicit X11Screens(X11Connection& connection);

    std::vector<ScreenInfo> screens() const override;
    GlobalCoordinates coordinates() const override;

private:
    struct Layout {
        // Top-left coordinates, primary first.
        std::vector<QRectF> frames;
        std::optional<QRectF> workArea;
    };
    const Layout& layout() const;
    Layout readLayout() const;

    X11Connection& m_connection;
    mutable std::optional<Layout> m_layout;
};
