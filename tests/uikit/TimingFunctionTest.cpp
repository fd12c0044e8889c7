#include "uikit/animation/TimingFunction.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

const char* const kNames[] = {
    "linear",         "easeIn",        "easeOut",      "easeInOut",     "easeInCirc",    "easeOutCirc",
    "easeInOutCirc",  "easeInCubic",   "easeOutCubic", "easeInOutCubic", "easeInExpo",   "easeOutExpo",
    "easeInOutExpo",  "easeInQuad",    "easeOutQuad",  "easeInOutQuad", "easeInQuart",   "easeOutQuart",
    "easeInOutQuart", "easeInQuint",   "easeOutQuint", "easeInOutQuint", "easeInSine",   "easeOutSine",
    "easeInOutSine",  "easeInBack",    "easeOutBack",  "easeInOutBack",
};

double cubic(double p1, double p2, double s)
{
    return 3 * (1 - s) * (1 - s) * s * p1 + 3 * (1 - s) * s * s * p2 + s * s * s;
}

TEST(TimingFunctionTest, EveryNamedCurveStartsAtZeroAndEndsAtOne)
{
    for (const char* name : kNames) {
        const auto curve = TimingFunction::named(name);
        ASSERT_TRUE(curve) << name;
        EXPECT_NEAR(curve->valueAt(0), 0, 1e-6) << name;
        EXPECT_NEAR(curve->valueAt(1), 1, 1e-6) << name;
    }
}

TEST(TimingFunctionTest, UnknownNameHasNoCurve)
{
    EXPECT_FALSE(TimingFunction::named("easeSideways"));
    EXPECT_FALSE(TimingFunction::named(""));
}

TEST(TimingFunctionTest, NamedCurvesCarryTheirControlPoints)
{
    const auto back = TimingFunction::named("easeInOutBack");
    ASSERT_TRUE(back);
    EXPECT_FLOAT_EQ(back->x1(), 0.68f);
    EXPECT_FLOAT_EQ(back->y1(), -0.55f);
    EXPECT_FLOAT_EQ(back->x2(), 0.265f);
    EXPECT_FLOAT_EQ(back->y2(), 1.55f);
    const auto circ = TimingFunction::named("easeInCirc");
    ASSERT_TRUE(circ);
    EXPECT_FLOAT_EQ(circ->y2(), 0.335f);
}

TEST(TimingFunctionTest, LinearIsTheIdentity)
{
    for (double t = 0; t <= 1.0; t += 0.125)
        EXPECT_NEAR(TimingFunction::linear().valueAt(t), t, 1e-6);
}

TEST(TimingFunctionTest, ValueFollowsTheCurveAtItsOwnParameter)
{
    // For any parameter s the curve passes through (x(s), y(s)).
    for (const char* name : {"easeOutCubic", "easeInExpo", "easeInOutExpo", "easeOutBack", "easeIn"}) {
        const auto curve = TimingFunction::named(name);
        for (double s = 0.1; s < 1.0; s += 0.2) {
            const double x = cubic(curve->x1(), curve->x2(), s);
            const double y = cubic(curve->y1(), curve->y2(), s);
            EXPECT_NEAR(curve->valueAt(x), y, 1e-4) << name << " at " << s;
        }
    }
}

TEST(TimingFunctionTest, EaseInOutBackOvershootsBothEnds)
{
    double lowest = 0;
    double highest = 1;
    for (int i = 0; i <= 100; ++i) {
        const double value = TimingFunction::easeInOutBack().valueAt(i / 100.0);
        lowest = std::min(lowest, value);
        highest = std::max(highest, value);
    }
    EXPECT_LT(lowest, -0.05);
    EXPECT_GT(highest, 1.05);
}

TEST(TimingFunctionTest, EaseOutRisesFasterThanEaseIn)
{
    EXPECT_GT(TimingFunction::easeOut().valueAt(0.3), 0.3);
    EXPECT_LT(TimingFunction::easeIn().valueAt(0.3), 0.3);
}

} // namespace
