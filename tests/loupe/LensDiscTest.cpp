#include "loupe/LensDisc.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

constexpr QSize kSide(120, 120);

// The disc as Qt's antialiasing covers it, in white.
QImage whiteDisc(const QRectF& disc)
{
    QImage image(kSide, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(disc);
    return image;
}

QImage cutWhite(LensDisc& lens, const QRectF& disc)
{
    QImage image(kSide, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    lens.drawCut(painter, QRectF(QPointF(), kSide), disc,
                 [](QPainter& inside) { inside.fillRect(QRectF(QPointF(), kSide), Qt::white); });
    return image;
}

TEST(LensDiscTest, KeepsWhatTheDiscCoversAndScalesItsEdgeByCoverage)
{
    LensDisc lens;
    // Again with the same disc, then with a smaller and a shifted one.
    for (const QRectF& disc : {QRectF(10, 10, 100, 100), QRectF(10, 10, 100, 100), QRectF(20.5, 30, 61, 61)}) {
        const QImage cut = cutWhite(lens, disc);
        EXPECT_EQ(cut, whiteDisc(disc)) << disc.x() << "," << disc.y() << " " << disc.width();
    }
}

TEST(LensDiscTest, DrawsAgainOnlyWhenItsInputsAreNewOrMissing)
{
    LensDisc lens;
    QImage image(kSide, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    int draws = 0;
    const auto draw = [&](const QRectF& area, const std::vector<double>& inputs) {
        lens.drawCut(painter, area, area, [&](QPainter&) { ++draws; }, inputs);
        return draws;
    };
    const QRectF area(10, 10, 100, 100);
    EXPECT_EQ(draw(area, {1}), 1);
    EXPECT_EQ(draw(area, {1}), 1);
    EXPECT_EQ(draw(area, {2}), 2);
    EXPECT_EQ(draw(area.translated(1, 0), {2}), 3);
    // A drawing without inputs replaces what the inputs stood for.
    EXPECT_EQ(draw(area.translated(1, 0), {}), 4);
    EXPECT_EQ(draw(area.translated(1, 0), {2}), 5);
}

} // namespace
