#pragma once

#include "MustacheFilter.h"

// isEmpty and isBlank: nil, null and empty lists are empty; other values by their description.
class MustacheEmptinessFilter : public MustacheFilter {
public:
    Value transformedValue(const Value& object) const final;

protected:
    virtual bool isEmptyDescription(const std::string& description) const = 0;
};

class MustacheEmptyFilter final : public MustacheEmptinessFilter {
protected:
    bool isEmptyDescription(const std::string& description) const override { return description.empty(); }
};

// Blank: nothing but whitespace and newlines.
class MustacheBlankFilter final : public MustacheEmptinessFilter {
protected:
    bool isEmptyDescription(const std::string& description) const override;
};
