#include "uikit/animation/NJPropertyAnimation.h"

#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <algorithm>
#include <cmath>

namespace {

double blend(double from, double to, double fraction)
{
    return from + (to - from) * fraction;
}

} // namespace

NJPropertyAnimation::NJPropertyAnimation(Kind kind, QByteArray key)
    : m_kind(kind)
    , m_key(std::move(key))
{
}

QVariant NJPropertyAnimation::valueAt(double elapsed) const
{
    const double time = m_duration > 0 ? std::clamp(elapsed / m_duration, 0.0, 1.0) : 1.0;
    const double fraction = m_timing ? m_timing->valueAt(time) : time;
    if (m_kind == Kind::KeyFrame && m_values.size() >= 2) {
        const double position = fraction * static_cast<double>(m_values.size() - 1);
        const auto segment = std::min(static_cast<std::size_t>(std::max(0.0, std::floor(position))), m_values.size() - 2);
        return interpolate(m_values[segment], m_values[segment + 1], position - static_cast<double>(segment));
    }
    return interpolate(m_from, m_to, fraction);
}

QVariant NJPropertyAnimation::interpolate(const QVariant& from, const QVariant& to, double fraction)
{
    const int type = to.typeId();
    if (!from.isValid() || from.typeId() != type)
        return fraction >= 1.0 ? to : from;
    switch (type) {
    case QMetaType::Double:
        return blend(from.toDouble(), to.toDouble(), fraction);
    case QMetaType::Float:
        return static_cast<float>(blend(from.toDouble(), to.toDouble(), fraction));
    case QMetaType::Int:
        return static_cast<int>(std::lround(blend(from.toInt(), to.toInt(), fraction)));
    case QMetaType::QPointF: {
        const QPointF a = from.toPointF();
        const QPointF b = to.toPointF();
        return QPointF(blend(a.x(), b.x(), fraction), blend(a.y(), b.y(), fraction));
    }
    case QMetaType::QSizeF: {
        const QSizeF a = from.toSizeF();
        const QSizeF b = to.toSizeF();
        return QSizeF(blend(a.width(), b.width(), fraction), blend(a.height(), b.height(), fraction));
    }
    case QMetaType::QRectF: {
        const QRectF a = from.toRectF();
        const QRectF b = to.toRectF();
        return QRectF(blend(a.x(), b.x(), fraction), blend(a.y(), b.y(), fraction),
                      blend(a.width(), b.width(), fraction), blend(a.height(), b.height(), fraction));
    }
    default:
        return fraction >= 1.0 ? to : from;
    }
}
