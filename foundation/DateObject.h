#pragma once

#include "Object.h"

// A moment, in seconds since 2001-01-01 00:00:00 UTC.
class DateObject final : public Object {
public:
    explicit DateObject(double secondsSinceReferenceDate) : Object(ObjectKind::Date), m_seconds(secondsSinceReferenceDate) {}

    double secondsSinceReferenceDate() const { return m_seconds; }

    std::string className() const override { return "NSDate"; }
    // "2001-01-01 00:00:00 +0000"; a moment no calendar year holds prints as
    // "1e+300 seconds after 2001-01-01 00:00:00 +0000".
    std::string description() const override;
    bool isEqual(const Object& other) const override;
    std::size_t hash() const override;
    Value valueForKey(const std::string& key) const override;
    bool isSafeKey(const std::string& key) const override;

private:
    double m_seconds;
};
