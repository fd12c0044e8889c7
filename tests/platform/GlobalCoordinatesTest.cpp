#include "platform/GlobalCoordinates.h"

#include <gtest/gtest.h>

namespace {

TEST(GlobalCoordinatesTest, OriginIsTheBottomLeftOfThePrimaryScreen)
{
    const GlobalCoordinates global(QRectF(0, 0, 1920, 1080));
    EXPECT_EQ(global.toGlobal(QPointF(0, 1080)), QPointF(0, 0));
    EXPECT_EQ(global.toGlobal(QPointF(0, 0)), QPointF(0, 1080));
    EXPECT_EQ(global.toGlobal(QPointF(100, 30)), QPointF(100, 1050));
}

TEST(GlobalCoordinatesTest, PrimaryScreenAwayFromTheRootOrigin)
{
    // A second monitor left of and above the primary.
    const GlobalCoordinates global(QRectF(1280, 200, 1920, 1080));
    EXPECT_EQ(global.toGlobal(QPointF(1280, 1280)), QPointF(0, 0));
    EXPECT_EQ(global.toGlobal(QPointF(0, 0)), QPointF(-1280, 1280));
}

TEST(GlobalCoordinatesTest, RectanglesKeepTheirSizeAndFlipTheirOrigin)
{
    const GlobalCoordinates global(QRectF(0, 0, 800, 600));
    const QRectF window(100, 50, 200, 100);
    EXPECT_EQ(global.toGlobal(window), QRectF(100, 450, 200, 100));
    EXPECT_EQ(global.toTopLeft(global.toGlobal(window)), window);
}

TEST(GlobalCoordinatesTest, ConversionsAreInverse)
{
    const GlobalCoordinates global(QRectF(-300, 40, 1024, 768));
    for (const QPointF point : {QPointF(0, 0), QPointF(12.5, -3), QPointF(-700, 2000)}) {
        EXPECT_EQ(global.toTopLeft(global.toGlobal(point)), point);
        EXPECT_EQ(global.toGlobal(global.toTopLeft(point)), point);
    }
}

} // namespace
