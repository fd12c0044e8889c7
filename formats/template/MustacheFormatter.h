#pragma once

#include "MustacheDelegatingFilter.h"

#include <optional>
#include <string>

// Turns values into strings. In a template a formatter is a filter (`percent(x)`), a
// section whose variable tags render through it, and, as a plain value, its description.
class MustacheFormatter : public MustacheDelegatingFilter {
public:
    // Nullopt when the value cannot be formatted.
    virtual std::optional<std::string> stringForObjectValue(const Value& object) const = 0;

    Value transformedValue(const Value& object) const final;
    // Inside its section, variable tags show the formatted value, or the value itself
    // when it cannot be formatted.
    Value mustacheTagWillRenderObject(const MustacheTag& tag, const Value& object) const final;
};
