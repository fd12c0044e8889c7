#pragma once

#include "MustacheFilter.h"

#include "foundation/StringUtils.h"

// Changes the case of a value's description; null gives "".
class MustacheCaseFilter : public MustacheFilter {
public:
    Value transformedValue(const Value& object) const final;

protected:
    virtual std::string transform(const std::string& text) const = 0;
};

class MustacheCapitalizedFilter final : public MustacheCaseFilter {
protected:
    std::string transform(const std::string& text) const override { return strings::capitalized(text); }
};

class MustacheLowercaseFilter final : public MustacheCaseFilter {
protected:
    std::string transform(const std::string& text) const override { return strings::lowercase(text); }
};

class MustacheUppercaseFilter final : public MustacheCaseFilter {
protected:
    std::string transform(const std::string& text) const override { return strings::uppercase(text); }
};
