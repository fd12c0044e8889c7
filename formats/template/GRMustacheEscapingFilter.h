#pragma once

#include "GRMustacheDelegatingFilter.h"

// An escaper in its three roles: a filter (`HTML.escape(x)`), a section that escapes
// every variable tag inside it, and a plain value.
class GRMustacheEscapingFilter : public GRMustacheDelegatingFilter {
public:
    Value transformedValue(const Value& object) const final;
    Value mustacheTagWillRenderObject(const GRMustacheTag& tag, const Value& object) const final;

protected:
    virtual std::string escape(const std::string& text) const = 0;
};

class GRMustacheHTMLEscapeFilter final : public GRMustacheEscapingFilter {
public:
    std::string className() const override { return "GRMustacheHTMLEscapeFilter"; }

protected:
    std::string escape(const std::string& text) const override;
};

class GRMustacheJavascriptEscaper final : public GRMustacheEscapingFilter {
public:
    std::string className() const override { return "GRMustacheJavascriptEscaper"; }

protected:
    std::string escape(const std::string& text) const override;
};

class GRMustacheURLEscapeFilter final : public GRMustacheEscapingFilter {
public:
    std::string className() const override { return "GRMustacheURLEscapeFilter"; }

protected:
    std::string escape(const std::string& text) const override;
};
