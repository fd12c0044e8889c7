#include "uikit/views/BezierPathAdditions.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Element {
    QPainterPath::ElementType type;
    double x;
    double y;
};

std::vector<Element> elements(const QPainterPath& path)
{
    std::vector<Element> result;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        result.push_back({e.type, e.x, e.y});
    }
    return result;
}

void expectElements(const QPainterPath& path, const std::vector<Element>& expected)
{
    const auto actual = elements(path);
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(actual[i].type, expected[i].type) << "element " << i;
        EXPECT_DOUBLE_EQ(actual[i].x, expected[i].x) << "element " << i;
        EXPECT_DOUBLE_EQ(actual[i].y, expected[i].y) << "element " << i;
    }
}

constexpr auto Move = QPainterPath::MoveToElement;
constexpr auto Line = QPainterPath::LineToElement;
constexpr auto Curve = QPainterPath::CurveToElement;
constexpr auto Data = QPainterPath::CurveToDataElement;

TEST(BezierPathAdditionsTest, MaskTwelveRoundsOnlyTheMaximumYCorners)
{
    const QPainterPath path = bezierpath::createRoundedCornerRect(QRectF(0, 0, 100, 42), 12, 5, 5);
    expectElements(path, {
                             {Move, 0, 0},
                             {Line, 100, 0},
                             {Line, 100, 37},
                             {Curve, 100, 39.5},
                             {Data, 97.5, 42},
                             {Data, 95, 42},
                             {Line, 5, 42},
                             {Curve, 2.5, 42},
                             {Data, 0, 39.5},
                             {Data, 0, 37},
                             {Line, 0, 0},
                         });
}

TEST(BezierPathAdditionsTest, MaskOneStartsOnTheRoundedCornersCurve)
{
    const QPainterPath path = bezierpath::createRoundedCornerRect(QRectF(10, 20, 50, 30), 1, 4, 6);
    expectElements(path, {
                             {Move, 10, 26},
                             {Curve, 10, 23},
                             {Data, 12, 20},
                             {Data, 14, 20},
                             {Line, 60, 20},
                             {Line, 60, 50},
                             {Line, 10, 50},
                             {Line, 10, 26},
                         });
}

TEST(BezierPathAdditionsTest, MaskZeroIsThePlainRectangle)
{
    QPainterPath plain;
    plain.addRect(QRectF(1, 2, 30, 40));
    EXPECT_EQ(bezierpath::createRoundedCornerRect(QRectF(1, 2, 30, 40), 0, 8, 8), plain);
}

TEST(BezierPathAdditionsTest, AllCornersWithZeroRadiusCoverTheRectangle)
{
    const QPainterPath path = bezierpath::createRoundedCornerRect(QRectF(0, 0, 100, 42), 15, 0, 0);
    EXPECT_EQ(path.boundingRect(), QRectF(0, 0, 100, 42));
    EXPECT_TRUE(path.contains(QPointF(0.5, 0.5)));
    EXPECT_TRUE(path.contains(QPointF(99.5, 41.5)));
    QPainterPath plain;
    plain.addRect(QRectF(0, 0, 100, 42));
    EXPECT_TRUE(path.subtracted(plain).isEmpty());
    EXPECT_TRUE(plain.subtracted(path).isEmpty());
}

TEST(BezierPathAdditionsTest, RoundedCornerLeavesItsCornerOut)
{
    const QPainterPath path = bezierpath::createRoundedCornerRect(QRectF(0, 0, 100, 100), 8, 20, 20);
    EXPECT_FALSE(path.contains(QPointF(99, 99)));
    EXPECT_TRUE(path.contains(QPointF(1, 99)));
    EXPECT_TRUE(path.contains(QPointF(99, 1)));
}

TEST(BezierPathAdditionsTest, RadiiAreNotClamped)
{
    const QPainterPath path = bezierpath::createRoundedCornerRect(QRectF(0, 0, 10, 10), 2, 30, 30);
    EXPECT_DOUBLE_EQ(path.elementAt(1).x, -20);
}

TEST(BezierPathAdditionsTest, OtherBitsAreIgnored)
{
    EXPECT_EQ(bezierpath::createRoundedCornerRect(QRectF(0, 0, 10, 10), 16 | 8, 2, 2),
              bezierpath::createRoundedCornerRect(QRectF(0, 0, 10, 10), 8, 2, 2));
}

} // namespace
