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
    void warp(const QPointF& globalPoint) override;

private:
    X11Connection& m_connection;
    const Screens& m_screens;
    bool m_xfixes = false;
    bool m_hidden = false;
};
