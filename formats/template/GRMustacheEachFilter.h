#pragma once

#include "GRMustacheFilter.h"

// each(list): renders every item with its position ("@index", "@first", "@last", ...,
// and "@key" for dictionaries) available to the tags inside.
class GRMustacheEachFilter final : public GRMustacheFilter {
public:
    std::string className() const override { return "GRMustacheEachFilter"; }
    Value transformedValue(const Value& object) const override;
};
