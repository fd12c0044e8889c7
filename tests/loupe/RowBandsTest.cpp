#include "loupe/RowBands.h"

#include <QPainter>
#include <QRegion>

#include <gtest/gtest.h>

#include <functional>

namespace {

// A capture-like image: every pixel differs from its neighbours.
QImage pattern(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgba((x * 37) % 256, (y * 53) % 256, (x * y) % 256, 255));
    return image;
}

// Draws `draw` over an area, in bands or whole.
using Paint = std::function<void(const QRectF& area, const std::function<void()>& draw)>;
using Scene = std::function<void(QPainter&, const Paint&)>;

// Paints into a fresh 200 x 200 device-pixel image at `scale` device pixels a point.
QImage painted(double scale, bool banded, const Scene& scene)
{
    QImage image(200, 200, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    scene(painter, [&](const QRectF& area, const std::function<void()>& draw) {
        if (banded)
            rowbands::paint(painter, area, draw);
        else
            draw();
    });
    return image;
}

} // namespace

// Drawn in bands, the loupe's layers must come out as they would drawn whole: no seam,
// no row drawn twice, at either scale, under a scale that is no power of two and under
// a shaped clip.
TEST(RowBandsTest, BandsLeaveEveryPixelAsAWholeDrawingMakesIt)
{
    const QImage capture = pattern(QSize(31, 29));
    const Scene magnified = [&](QPainter& painter, const Paint& paint) {
        painter.translate(-3.5, 2.25);
        painter.scale(7, 7);
        const QRectF target(0, 0, 31, 29);
        paint(target, [&] { painter.drawImage(target, capture); });
    };
    const Scene washedInShape = [&](QPainter& painter, const Paint& paint) {
        painter.setClipRegion(QRegion(10, 5, 170, 180, QRegion::Ellipse) + QRegion(0, 150, 200, 40));
        const QRectF lens(4.5, 3, 180, 190);
        paint(lens, [&] { painter.fillRect(lens, QColor::fromRgbF(1, 1, 1, 0.4f)); });
        paint(QRectF(20, 11, 31, 29), [&] { painter.drawImage(QPointF(20, 11), capture); });
    };
    for (const double scale : {1.0, 2.0}) {
        EXPECT_EQ(painted(scale, true, magnified), painted(scale, false, magnified)) << scale;
        EXPECT_EQ(painted(scale, true, washedInShape), painted(scale, false, washedInShape)) << scale;
    }
}
