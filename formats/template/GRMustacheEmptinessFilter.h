#pragma once

#include "GRMustacheFilter.h"

// isEmpty and isBlank: nil, null and empty lists are empty; other values by their description.
class GRMustacheEmptinessFilter : public GRMustacheFilter {
public:
    Value transformedValue(const Value& object) const final;

protected:
    virtual bool isEmptyDescription(const std::string& description) const = 0;
};

class GRMustacheEmptyFilter final : public GRMustacheEmptinessFilter {
protected:
    bool isEmptyDescription(const std::string& description) const override { return description.empty(); }
};

// Blank: nothing but whitespace and newlines.
class GRMustacheBlankFilter final : public GRMustacheEmptinessFilter {
protected:
    bool isEmptyDescription(const std::string& description) const override;
};
