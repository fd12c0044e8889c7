#pragma once

#include "MustacheFilter.h"

// each(list): renders every item with its position ("@index", "@first", "@last", ...,
// and "@key" for dictionaries) available to the tags inside.
class MustacheEachFilter final : public MustacheFilter {
public:
    std::string className() const override { return "MustacheEachFilter"; }
    Value transformedValue(const Value& object) const override;
};
