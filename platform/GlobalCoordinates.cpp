#include "platform/GlobalCoordinates.h"

#include <QGuiApplication>
#include <QScreen>

GlobalCoordinates::GlobalCoordinates(const QRectF& primaryTopLeftFrame)
    : m_primaryOrigin(primaryTopLeftFrame.topLeft())
    , m_primaryBottom(primaryTopLeftFrame.y() + primaryTopLeftFrame.height())
{
}

GlobalCoordinates GlobalCoordinates::fromQt()
{
    const QScreen* primary = QGuiApplication::primaryScreen();
    return GlobalCoordinates(primary ? QRectF(primary->geometry()) : QRectF());
}

QPointF GlobalCoordinates::toGlobal(const QPointF& topLeftPoint) const
{
    return {topLeftPoint.x() - m_primaryOrigin.x(), m_primaryBottom - topLeftPoint.y()};
}

QPointF GlobalCoordinates::toTopLeft(const QPointF& globalPoint) const
{
    return {globalPoint.x() + m_primaryOrigin.x(), m_primaryBottom - globalPoint.y()};
}

QRectF GlobalCoordinates::toGlobal(const QRectF& topLeftRect) const
{
    const QPointF bottomLeft = toGlobal(QPointF(topLeftRect.x(), topLeftRect.y() + topLeftRect.height()));
    return {bottomLeft, topLeftRect.size()};
}

QRectF GlobalCoordinates::toTopLeft(const QRectF& globalRect) const
{
    const QPointF topLeft = toTopLeft(QPointF(globalRect.x(), globalRect.y() + globalRect.height()));
    return {topLeft, globalRect.size()};
}
