#include "AppIcons.h"

#include <QPainter>
#include <QPixmap>

namespace {

constexpr int kStatusIconSizes[] = {16, 22, 32, 48};

// A ring with a handle towards the lower right, scaled to the square.
void drawLoupe(QPainter& painter, int size, const QColor& ink)
{
    painter.setRenderHint(QPainter::Antialiasing);
    const double unit = size / 16.0;
    painter.setPen(QPen(ink, 1.6 * unit, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(1.5 * unit, 1.5 * unit, 9.0 * unit, 9.0 * unit));
    painter.setPen(QPen(ink, 2.4 * unit, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(9.5 * unit, 9.5 * unit), QPointF(14.0 * unit, 14.0 * unit));
}

} // namespace

QIcon AppIcons::statusIcon(bool darkPanel)
{
    QIcon icon;
    const QColor ink = darkPanel ? QColor(0xf0, 0xf0, 0xf0) : QColor(0x20, 0x20, 0x20);
    for (int size : kStatusIconSizes) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        drawLoupe(painter, size, ink);
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
