#pragma once

#include "GRMustacheFilter.h"

#include "foundation/StringUtils.h"

// Changes the case of a value's description; null gives "".
class GRMustacheCaseFilter : public GRMustacheFilter {
public:
    Value transformedValue(const Value& object) const final;

protected:
    virtual std::string transform(const std::string& text) const = 0;
};

class GRMustacheCapitalizedFilter final : public GRMustacheCaseFilter {
protected:
    std::string transform(const std::string& text) const override { return strings::capitalized(text); }
};

class GRMustacheLowercaseFilter final : public GRMustacheCaseFilter {
protected:
    std::string transform(const std::string& text) const override { return strings::lowercase(text); }
};

class GRMustacheUppercaseFilter final : public GRMustacheCaseFilter {
protected:
    std::string transform(const std::string& text) const override { return strings::uppercase(text); }
};
