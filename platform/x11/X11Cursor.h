#pragma once

#include "platform/Cursor.h"

class X11Connection;
class Screens;

// Hides the pointer over the whole root window with XFixes, which keeps it hidden
// whichever application is active, until we show it or our connection closes.
class X11Cursor final : public Cursor {
public:
    X11Cursor(X11Connection& connection, const Screens& screens);

    void hide() override;
    void show() override;
    bool isVisible() const override { return !m_hidden; }
    QPointF location() const override;
    bool isOnOurScreen() const override;
    void warp(const QPointF& globalPoint) override;

private:
    // Notes where the pointer is when it is on our screen; false when it is not.
    bool queryPointer() const;

    X11Connection& m_connection;
    const Screens& m_screens;
    bool m_xfixes = false;
    bool m_hidden = false;
    mutable QPointF m_lastLocation;
};
