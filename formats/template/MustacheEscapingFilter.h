#pragma once

#include "MustacheDelegatingFilter.h"

// An escaper in its three roles: a filter (`HTML.escape(x)`), a section that escapes
// every variable tag inside it, and a plain value.
class MustacheEscapingFilter : public MustacheDelegatingFilter {
public:
    Value transformedValue(const Value& object) const final;
    Value mustacheTagWillRenderObject(const MustacheTag& tag, const Value& object) const final;

protected:
    virtual std::string escape(const std::string& text) const = 0;
};

class MustacheHTMLEscapeFilter final : public MustacheEscapingFilter {
public:
    std::string className() const override { return "MustacheHTMLEscapeFilter"; }

protected:
    std::string escape(const std::string& text) const override;
};

class MustacheJavascriptEscaper final : public MustacheEscapingFilter {
public:
    std::string className() const override { return "MustacheJavascriptEscaper"; }

protected:
    std::string escape(const std::string& text) const override;
};

class MustacheURLEscapeFilter final : public MustacheEscapingFilter {
public:
    std::string className() const override { return "MustacheURLEscapeFilter"; }

protected:
    std::string escape(const std::string& text) const override;
};
