#pragma once

#include "GRMustacheFilter.h"
#include "GRMustacheRendering.h"
#include "GRMustacheTagDelegate.h"

// An escaper in its three roles: a filter (`HTML.escape(x)`), a section that escapes
// every variable tag inside it, and a plain value.
class GRMustacheEscapingFilter : public GRMustacheFilter, public GRMustacheRendering, public GRMustacheTagDelegate {
public:
    Value transformedValue(const Value& object) const final;
    std::optional<std::string> renderForMustacheTag(const GRMustacheTag& tag, const GRMustacheContextPtr& context,
                                                    bool& HTMLSafe, Error& error) const final;
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
