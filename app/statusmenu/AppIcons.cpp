#include "AppIcons.h"

#include <QPainter>
#include <QPixmap>

namespace {

constexpr int kStatusIconSizes[] = {16, 22, 32, 48};

// A ring with a handle towards the lower right, scaled to the square; `widen` thickens
// the strokes by that many units on each side.
void drawLoupe(QPainter& painter, int size, const QColor& ink, double widen = 0)
{
    painter.setRenderHint(QPainter::Antialiasing);
    const double unit = size / 16.0;
    painter.setPen(QPen(ink, (1.6 + 2 * widen) * unit, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(1.5 * unit, 1.5 * unit, 9.0 * unit, 9.0 * unit));
    painter.setPen(QPen(ink, (2.4 + 2 * widen) * unit, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(9.5 * unit, 9.5 * unit), QPointF(14.0 * unit, 14.0 * unit));
}

} // namespace

QIcon AppIcons::statusIcon(bool darkTheme)
{
    constexpr double kRimWidth = 0.7;
    QIcon icon;
    const QColor light(0xf0, 0xf0, 0xf0);
    const QColor dark(0x20, 0x20, 0x20);
    for (int size : kStatusIconSizes) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        drawLoupe(painter, size, darkTheme ? dark : light, kRimWidth);
        drawLoupe(painter, size, darkTheme ? light : dark);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QImage AppIcons::loupeImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    drawLoupe(painter, size, QColor(0x40, 0x40, 0x40));
    return image;
}
