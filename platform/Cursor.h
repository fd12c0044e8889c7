#pragma once

#include <QPointF>

// The pointer of the whole desktop, not only over our own windows.
class Cursor {
public:
    virtual ~Cursor() = default;
    // Hides the pointer everywhere, also while another application is active.
    virtual void hide() = 0;
    virtual void show() = 0;
    virtual bool isVisible() const = 0;
    // Global points. While the pointer is on another X screen of the display, where it
    // was last seen on ours.
    virtual QPointF location() const = 0;
    // False while the pointer is on another X screen of the display (a "zaphod" set-up
    // of separate screens): nothing there can be shown or picked.
    virtual bool isOnOurScreen() const = 0;
    virtual void warp(const QPointF& globalPoint) = 0;
};
