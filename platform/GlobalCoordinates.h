#pragma once

#include <QPointF>
#include <QRectF>

// Global points have their origin at the bottom left of the primary screen and grow
// upwards; X11 and Qt place it at the top left of the root window and grow downwards.
// Every conversion between the two goes through this class.
class GlobalCoordinates final {
public:
    // The primary screen's frame in top-left coordinates.
    explicit GlobalCoordinates(const QRectF& primaryTopLeftFrame);
    // From Qt's primary screen; an identity flip of height 0 when there is none.
    static GlobalCoordinates fromQt();

    QPointF toGlobal(const QPointF& topLeftPoint) const;
    QPointF toTopLeft(const QPointF& globalPoint) const;
    QRectF toGlobal(const QRectF& topLeftRect) const;
    QRectF toTopLeft(const QRectF& globalRect) const;

private:
    QPointF m_primaryOrigin;
    double m_primaryBottom;
};
