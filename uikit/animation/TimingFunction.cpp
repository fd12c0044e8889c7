#include "uikit/animation/TimingFunction.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace {

constexpr int kNewtonSteps = 8;
constexpr int kBisectionSteps = 60;
constexpr double kEpsilon = 1e-7;

// One coordinate of the cubic through 0, p1, p2, 1 at parameter s.
double bezier(double p1, double p2, double s)
{
    const double inverse = 1.0 - s;
    return 3 * inverse * inverse * s * p1 + 3 * inverse * s * s * p2 + s * s * s;
}

using Factory = TimingFunction (*)();

constexpr std::array<std::pair<const char*, Factory>, 28> kNamedCurves {{
    {"linear", &TimingFunction::linear},
    {"easeIn", &TimingFunction::easeIn},
    {"easeOut", &TimingFunction::easeOut},
    {"easeInOut", &TimingFunction::easeInOut},
    {"easeInCirc", &TimingFunction::easeInCirc},
    {"easeOutCirc", &TimingFunction::easeOutCirc},
    {"easeInOutCirc", &TimingFunction::easeInOutCirc},
    {"easeInCubic", &TimingFunction::easeInCubic},
    {"easeOutCubic", &TimingFunction::easeOutCubic},
    {"easeInOutCubic", &TimingFunction::easeInOutCubic},
    {"easeInExpo", &TimingFunction::easeInExpo},
    {"easeOutExpo", &TimingFunction::easeOutExpo},
    {"easeInOutExpo", &TimingFunction::easeInOutExpo},
    {"easeInQuad", &TimingFunction::easeInQuad},
    {"easeOutQuad", &TimingFunction::easeOutQuad},
    {"easeInOutQuad", &TimingFunction::easeInOutQuad},
    {"easeInQuart", &TimingFunction::easeInQuart},
    {"easeOutQuart", &TimingFunction::easeOutQuart},
    {"easeInOutQuart", &TimingFunction::easeInOutQuart},
    {"easeInQuint", &TimingFunction::easeInQuint},
    {"easeOutQuint", &TimingFunction::easeOutQuint},
    {"easeInOutQuint", &TimingFunction::easeInOutQuint},
    {"easeInSine", &TimingFunction::easeInSine},
    {"easeOutSine", &TimingFunction::easeOutSine},
    {"easeInOutSine", &TimingFunction::easeInOutSine},
    {"easeInBack", &TimingFunction::easeInBack},
    {"easeOutBack", &TimingFunction::easeOutBack},
    {"easeInOutBack", &TimingFunction::easeInOutBack},
}};

} // namespace

TimingFunction::TimingFunction(float x1, float y1, float x2, float y2)
    : m_x1(x1)
    , m_y1(y1)
    , m_x2(x2)
    , m_y2(y2)
{
}

double TimingFunction::curveX(double s) const
{
    return bezier(m_x1, m_x2, s);
}

double TimingFunction::curveY(double s) const
{
    return bezier(m_y1, m_y2, s);
}

double TimingFunction::slopeX(double s) const
{
    const double inverse = 1.0 - s;
    return 3 * inverse * inverse * m_x1 + 6 * inverse * s * (m_x2 - m_x1) + 3 * s * s * (1.0 - m_x2);
}

double TimingFunction::valueAt(double t) const
{
    t = std::clamp(t, 0.0, 1.0);
    // Find the parameter whose x is t: Newton first, bisection where the slope is flat.
    double s = t;
    for (int i = 0; i < kNewtonSteps; ++i) {
        const double error = curveX(s) - t;
        if (std::abs(error) < kEpsilon)
            return curveY(s);
        const double slope = slopeX(s);
        if (std::abs(slope) < kEpsilon)
            break;
        s = std::clamp(s - error / slope, 0.0, 1.0);
    }
    double low = 0.0;
    double high = 1.0;
    s = t;
    for (int i = 0; i < kBisectionSteps; ++i) {
        const double x = curveX(s);
        if (std::abs(x - t) < kEpsilon)
            break;
        (x < t ? low : high) = s;
        s = (low + high) / 2;
    }
    return curveY(s);
}

std::optional<TimingFunction> TimingFunction::named(const EasingName& name)
{
    for (const auto& [curveName, factory] : kNamedCurves) {
        if (name == curveName)
            return factory();
    }
    return std::nullopt;
}

// The four system curves.
TimingFunction TimingFunction::linear() { return {0.0f, 0.0f, 1.0f, 1.0f}; }
TimingFunction TimingFunction::easeIn() { return {0.42f, 0.0f, 1.0f, 1.0f}; }
TimingFunction TimingFunction::easeOut() { return {0.0f, 0.0f, 0.58f, 1.0f}; }
TimingFunction TimingFunction::easeInOut() { return {0.42f, 0.0f, 0.58f, 1.0f}; }

TimingFunction TimingFunction::easeInCirc() { return {0.6f, 0.04f, 0.98f, 0.335f}; }
TimingFunction TimingFunction::easeOutCirc() { return {0.075f, 0.82f, 0.165f, 1.0f}; }
TimingFunction TimingFunction::easeInOutCirc() { return {0.785f, 0.135f, 0.15f, 0.86f}; }
TimingFunction TimingFunction::easeInCubic() { return {0.55f, 0.055f, 0.675f, 0.19f}; }
TimingFunction TimingFunction::easeOutCubic() { return {0.215f, 0.61f, 0.355f, 1.0f}; }
TimingFunction TimingFunction::easeInOutCubic() { return {0.645f, 0.045f, 0.355f, 1.0f}; }
TimingFunction TimingFunction::easeInExpo() { return {0.95f, 0.05f, 0.795f, 0.035f}; }
TimingFunction TimingFunction::easeOutExpo() { return {0.19f, 1.0f, 0.22f, 1.0f}; }
TimingFunction TimingFunction::easeInOutExpo() { return {1.0f, 0.0f, 0.0f, 1.0f}; }
TimingFunction TimingFunction::easeInQuad() { return {0.55f, 0.085f, 0.68f, 0.53f}; }
TimingFunction TimingFunction::easeOutQuad() { return {0.25f, 0.46f, 0.45f, 0.94f}; }
TimingFunction TimingFunction::easeInOutQuad() { return {0.455f, 0.03f, 0.515f, 0.955f}; }
TimingFunction TimingFunction::easeInQuart() { return {0.895f, 0.03f, 0.685f, 0.22f}; }
TimingFunction TimingFunction::easeOutQuart() { return {0.165f, 0.84f, 0.44f, 1.0f}; }
TimingFunction TimingFunction::easeInOutQuart() { return {0.77f, 0.0f, 0.175f, 1.0f}; }
TimingFunction TimingFunction::easeInQuint() { return {0.755f, 0.05f, 0.855f, 0.06f}; }
TimingFunction TimingFunction::easeOutQuint() { return {0.23f, 1.0f, 0.32f, 1.0f}; }
TimingFunction TimingFunction::easeInOutQuint() { return {0.86f, 0.0f, 0.07f, 1.0f}; }
TimingFunction TimingFunction::easeInSine() { return {0.47f, 0.0f, 0.745f, 0.715f}; }
TimingFunction TimingFunction::easeOutSine() { return {0.39f, 0.575f, 0.565f, 1.0f}; }
TimingFunction TimingFunction::easeInOutSine() { return {0.445f, 0.05f, 0.55f, 0.95f}; }
TimingFunction TimingFunction::easeInBack() { return {0.6f, -0.28f, 0.735f, 0.045f}; }
TimingFunction TimingFunction::easeOutBack() { return {0.175f, 0.885f, 0.32f, 1.275f}; }
TimingFunction TimingFunction::easeInOutBack() { return {0.68f, -0.55f, 0.265f, 1.55f}; }
