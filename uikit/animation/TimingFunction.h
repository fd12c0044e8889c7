#pragma once

#include <optional>
#include <string>

// The name of one of TimingFunction's named curves.
using EasingName = std::string;

// A cubic Bezier pacing curve from (0, 0) to (1, 1) through two control points.
class TimingFunction final {
public:
    TimingFunction(float x1, float y1, float x2, float y2);

    // The eased progress at time fraction t in 0..1; Back curves leave 0..1.
    double valueAt(double t) const;

    float x1() const { return m_x1; }
    float y1() const { return m_y1; }
    float x2() const { return m_x2; }
    float y2() const { return m_y2; }

    // The curve of that name; nullopt for a name that is none of them.
    static std::optional<TimingFunction> named(const EasingName& name);

    static TimingFunction linear();
    static TimingFunction easeIn();
    static TimingFunction easeOut();
    static TimingFunction easeInOut();
    static TimingFunction easeInCirc();
    static TimingFunction easeOutCirc();
    static TimingFunction easeInOutCirc();
    static TimingFunction easeInCubic();
    static TimingFunction easeOutCubic();
    static TimingFunction easeInOutCubic();
    static TimingFunction easeInExpo();
    static TimingFunction easeOutExpo();
    static TimingFunction easeInOutExpo();
    static TimingFunction easeInQuad();
    static TimingFunction easeOutQuad();
    static TimingFunction easeInOutQuad();
    static TimingFunction easeInQuart();
    static TimingFunction easeOutQuart();
    static TimingFunction easeInOutQuart();
    static TimingFunction easeInQuint();
    static TimingFunction easeOutQuint();
    static TimingFunction easeInOutQuint();
    static TimingFunction easeInSine();
    static TimingFunction easeOutSine();
    static TimingFunction easeInOutSine();
    static TimingFunction easeInBack();
    static TimingFunction easeOutBack();
    static TimingFunction easeInOutBack();

private:
    double curveX(double s) const;
    double curveY(double s) const;
    double slopeX(double s) const;

    float m_x1;
    float m_y1;
    float m_x2;
    float m_y2;
};
