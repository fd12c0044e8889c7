#include "GRMustacheEscapingFilter.h"

#include "GRMustacheEscaping.h"
#include "GRMustacheTag.h"
#include "GRMustacheValueRendering.h"

Value GRMustacheEscapingFilter::transformedValue(const Value& object) const
{
    if (!object)
        return {};
    if (object.isNull())
        return Value("");
    return Value(escape(object.description()));
}

Value GRMustacheEscapingFilter::mustacheTagWillRenderObject(const GRMustacheTag& tag, const Value& object) const
{
    if (tag.type() != GRMustacheTagTypeVariable)
        return object;
    const Value escaper(shared_from_this());
    return GRMustacheRendering::renderingObjectWithBlock(
        [escaper, object](const GRMustacheTag& innerTag, const GRMustacheContextPtr& context, bool& HTMLSafe,
                          Error& error) -> std::optional<std::string> {
            std::optional<std::string> rendering = GRMustacheValueRendering::render(
                GRMustacheRendering::renderingObjectForObject(object), innerTag, false, context, HTMLSafe, error);
            if (!rendering)
                return std::nullopt;
            return escaper.as<GRMustacheEscapingFilter>()->escape(*rendering);
        });
}

std::string GRMustacheHTMLEscapeFilter::escape(const std::string& text) const
{
    return GRMustacheEscaping::escapeHTML(text);
}

std::string GRMustacheJavascriptEscaper::escape(const std::string& text) const
{
    return GRMustacheEscaping::escapeJavascript(text);
}

std::string GRMustacheURLEscapeFilter::escape(const std::string& text) const
{
    return GRMustacheEscaping::escapeURL(text);
}
