#pragma once

#include "PropertyList.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

// What the property-list readers and writers share: error codes and texts, the depth
// limit and the whole-second form of dates.
namespace propertylist {

enum ErrorCode : long {
    kNotAPropertyList = 1,
    kUnreadableFile = 2,
    kNoPropertyListForm = 3,
    kTooLarge = 4,
    kTooDeep = 5,
};

inline constexpr const char* kNotAPropertyListMessage = "The data is not a property list.";
inline constexpr const char* kNulInStringMessage = "A string holding a NUL character has no property-list form.";
inline constexpr const char* kTooDeepMessage = "The property list is nested too deeply.";
inline constexpr const char* kNulReadMessage = "The property list holds a string with a NUL character.";

// No real property list comes near this depth.
inline constexpr int kMaximumDepth = 512;

// Seconds from 1970-01-01 to 2001-01-01, where property-list dates count from.
inline constexpr std::int64_t kReferenceDateOffset = 978307200;

inline void setError(Error* error, long code, std::string message)
{
    if (error)
        *error = Error{kErrorDomain, code, std::move(message)};
}

// Why a value of a kind without a property-list form cannot be written.
inline std::string noFormMessage(const Value& value)
{
    const std::string kind = value.isNil() ? std::string("nil") : value.object()->className();
    return "A value of kind " + kind + " has no property-list form.";
}

struct DateParts {
    std::int32_t seconds;
    std::int32_t microseconds;
};

// A date as libplist stores it; nothing when it lies outside that range.
inline std::optional<DateParts> dateParts(double seconds)
{
    const double whole = std::floor(seconds);
    if (!std::isfinite(seconds) || whole < std::numeric_limits<std::int32_t>::min()
        || whole > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    auto sec = static_cast<std::int32_t>(whole);
    auto usec = static_cast<std::int32_t>(std::lround((seconds - whole) * 1e6));
    if (usec >= 1000000) {
        if (sec == std::numeric_limits<std::int32_t>::max())
            return std::nullopt;
        ++sec;
        usec = 0;
    }
    return DateParts{sec, usec};
}

} // namespace propertylist
