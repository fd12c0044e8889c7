#include "DateObject.h"

#include "Value.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <functional>

namespace {
// 2001-01-01 00:00:00 UTC in Unix time.
constexpr double kReferenceDateUnixTime = 978307200.0;
// About the year 300 000 000, well inside what gmtime's int year can hold.
constexpr double kCalendarLimit = 1e16;
constexpr const char* kOffsetSuffix = " seconds after 2001-01-01 00:00:00 +0000";
}

std::string DateObject::description() const
{
    const double unixSeconds = std::floor(m_seconds + kReferenceDateUnixTime);
    // Beyond what a calendar year can hold (or not a number at all), name the offset.
    if (!(std::fabs(unixSeconds) < kCalendarLimit)) {
        char seconds[64];
        std::snprintf(seconds, sizeof seconds, "%g", m_seconds);
        return seconds + std::string(kOffsetSuffix);
    }
    const auto unixTime = static_cast<std::time_t>(unixSeconds);
    std::tm parts{};
    gmtime_r(&unixTime, &parts);
    char text[64];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S +0000", &parts);
    return text;
}

bool DateObject::isEqual(const Object& other) const
{
    const auto* date = dynamic_cast<const DateObject*>(&other);
    return date && date->m_seconds == m_seconds;
}

std::size_t DateObject::hash() const
{
    return std::hash<double>()(m_seconds);
}

Value DateObject::valueForKey(const std::string& key) const
{
    if (key == "timeIntervalSinceReferenceDate")
        return Value::real(m_seconds);
    return Object::valueForKey(key);
}

bool DateObject::isSafeKey(const std::string& key) const
{
    return key == "timeIntervalSinceReferenceDate" || key == "description" || key == "self";
}
