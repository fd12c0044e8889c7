#include "loupe/QVLensDebugOverlay.h"

#include "loupe/LensGeometry.h"
#include "loupe/NJZoomView.h"
#include "loupe/QVLensBase.h"

#include <QFont>
#include <QPainter>
#include <QPen>

#include <algorithm>

namespace {

// Rates below this show as red bars.
constexpr double kSlowFramesPerSecond = 35;
constexpr int kMaxBars = 75;
constexpr double kPanelWidth = 110;
constexpr double kPanelHeight = 80;

void circle(QPainter& painter, const QPointF& center, double diameter, const QColor& color)
{
    painter.setPen(QPen(color, 0.5));
    painter.drawEllipse(center, diameter / 2, diameter / 2);
}

} // namespace

void QVLensDebugOverlay::draw(QPainter& painter, const NJZoomView& view, const QVLensBase& lens)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    const QRectF bounds(view.rect());
    const QPointF center = bounds.center();
    painter.setPen(QPen(Qt::red, 0.5));
    painter.drawRect(bounds);
    painter.drawLine(QPointF(center.x() - 5, center.y()), QPointF(center.x() + 5, center.y()));
    painter.drawLine(QPointF(center.x(), center.y() - 5), QPointF(center.x(), center.y() + 5));

    // Captures are device pixels, shown at the current zoom.
    const double pointsPerPixel = view.zoomFactor() / lensgeometry::drawingScale(view.scaleFactor());
    circle(painter, center, view.minCaptureValue() * pointsPerPixel, Qt::blue);
    circle(painter, center, view.maxCaptureValue() * pointsPerPixel, Qt::blue);
    circle(painter, center, view.minCaptureRubberValue() * pointsPerPixel, Qt::cyan);
    circle(painter, center, view.maxDiameterValue(), Qt::green);
    circle(painter, center, view.maxDiameterRubberValue(), Qt::darkGreen);

    const QRectF panel(bounds.left() + 4, bounds.top() + 4, kPanelWidth, kPanelHeight);
    painter.fillRect(panel, Qt::white);
    const int count = lens.frameRateHistoryCnt();
    double sum = 0;
    for (int i = 0; i < count; ++i)
        sum += lens.frameRateHistory()[static_cast<std::size_t>(i)];
    const double mean = count > 0 ? sum / count : 0;

    QFont font(QStringLiteral("LucidaGrande"));
    font.setPixelSize(9);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(panel.adjusted(4, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop, QString::asprintf("%3.2f", mean));
    const double baseline = panel.top() + 42;
    for (int i = 1; i < std::min(count, kMaxBars); ++i) {
        const double rate = lens.frameRateHistory()[static_cast<std::size_t>(i)];
        const double barHeight = std::min(rate / 400 * 50, 25.0);
        painter.fillRect(QRectF(panel.left() + 4 + i, baseline - barHeight, 1, barHeight),
                         rate < kSlowFramesPerSecond ? Qt::red : Qt::darkGray);
    }
    painter.setPen(Qt::black);
    painter.drawText(panel.adjusted(4, 46, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                     QString::asprintf(" A: %3.1f\n Z: %3.1f\n D: %3.1f", view.captureValue(), view.zoomFactor(),
                                       view.diameterValue()));
    painter.restore();
}
