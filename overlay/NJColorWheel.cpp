#include "NJColorWheel.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kMargin = 8;
constexpr double kMarkRadius = 5;

} // namespace

NJColorWheel::NJColorWheel(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("colorWheel"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void NJColorWheel::setHsv(double hue, double saturation, double value)
{
    m_hue = hue;
    m_saturation = saturation;
    m_value = value;
    update();
}

QRectF NJColorWheel::diskRect() const
{
    const double side = std::max(0.0, std::min(width(), height()) - 2 * kMargin);
    return {(width() - side) / 2, (height() - side) / 2, side, side};
}

std::pair<double, double> NJColorWheel::hueSaturationAt(const QPointF& point) const
{
    const QRectF rect = diskRect();
    const double radius = rect.width() / 2;
    if (radius <= 0)
        return {m_hue, m_saturation};
    // Hue turns anticlockwise from the right, as the eye reads y upwards.
    const QPointF d = point - rect.center();
    double hue = std::atan2(-d.y(), d.x()) / (2 * std::numbers::pi);
    if (hue < 0)
        hue += 1;
    return {hue, std::min(1.0, std::hypot(d.x(), d.y()) / radius)};
}

const QImage& NJColorWheel::disk()
{
    const QRectF rect = diskRect();
    const int side = static_cast<int>(rect.width());
    if (m_disk.width() == side && m_diskValue == m_value)
        return m_disk;
    m_diskValue = m_value;
    m_disk = QImage(side, side, QImage::Format_ARGB32_Premultiplied);
    m_disk.fill(Qt::transparent);
    const double radius = side / 2.0;
    for (int y = 0; y < side; ++y) {
        auto* line = reinterpret_cast<QRgb*>(m_disk.scanLine(y));
        for (int x = 0; x < side; ++x) {
            const double dx = x + 0.5 - radius;
            const double dy = y + 0.5 - radius;
            const double distance = std::hypot(dx, dy);
            if (distance > radius)
                continue;
            double hue = std::atan2(-dy, dx) / (2 * std::numbers::pi);
            if (hue < 0)
                hue += 1;
            const QColor color = QColor::fromHsvF(static_cast<float>(std::min(hue, 0.9999)),
                                                  static_cast<float>(distance / radius), static_cast<float>(m_value));
            // A soft rim: the last pixel blends with what lies behind.
            const double coverage = std::clamp(radius - distance, 0.0, 1.0);
            line[x] = qPremultiply(qRgba(color.red(), color.green(), color.blue(), static_cast<int>(coverage * 255)));
        }
    }
    return m_disk;
}

void NJColorWheel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF rect = diskRect();
    painter.drawImage(rect.topLeft(), disk());
    const double radius = rect.width() / 2;
    const double angle = m_hue * 2 * std::numbers::pi;
    const QPointF mark = rect.center() + QPointF(std::cos(angle), -std::sin(angle)) * m_saturation * radius;
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawEllipse(mark, kMarkRadius + 1, kMarkRadius + 1);
    painter.setPen(QPen(Qt::white, 2));
    painter.drawEllipse(mark, kMarkRadius, kMarkRadius);
}

void NJColorWheel::mousePressEvent(QMouseEvent* event)
{
    pick(event->position());
}

void NJColorWheel::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton)
        pick(event->position());
}

void NJColorWheel::pick(const QPointF& point)
{
    const auto [hue, saturation] = hueSaturationAt(point);
    m_hue = hue;
    m_saturation = saturation;
    update();
    emit hueSaturationPicked(hue, saturation);
}
