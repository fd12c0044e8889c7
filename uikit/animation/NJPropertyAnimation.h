#pragma once

#include "uikit/animation/TimingFunction.h"

#include <QByteArray>
#include <QVariant>

#include <optional>
#include <vector>

// One animation of one property, from a value to a value (or through key values) over
// a duration. Its name is the property key it animates.
class NJPropertyAnimation final {
public:
    enum class Kind { Basic, KeyFrame };

    NJPropertyAnimation(Kind kind, QByteArray key);

    Kind kind() const { return m_kind; }
    const QByteArray& keyPath() const { return m_key; }
    const QByteArray& name() const { return m_key; }

    double duration() const { return m_duration; }
    void setDuration(double seconds) { m_duration = seconds; }
    const QVariant& fromValue() const { return m_from; }
    void setFromValue(QVariant value) { m_from = std::move(value); }
    const QVariant& toValue() const { return m_to; }
    void setToValue(QVariant value) { m_to = std::move(value); }
    // A key-frame animation passes through these, evenly spaced in time.
    void setValues(std::vector<QVariant> values) { m_values = std::move(values); }
    const std::optional<TimingFunction>& timingFunction() const { return m_timing; }
    void setTimingFunction(std::optional<TimingFunction> timing) { m_timing = std::move(timing); }

    // The value at `elapsed` seconds after the start.
    QVariant valueAt(double elapsed) const;

    // Blends two values of one type; values that cannot blend switch at the end.
    static QVariant interpolate(const QVariant& from, const QVariant& to, double fraction);

private:
    Kind m_kind;
    QByteArray m_key;
    double m_duration = 0;
    QVariant m_from;
    QVariant m_to;
    std::vector<QVariant> m_values;
    std::optional<TimingFunction> m_timing;
};
