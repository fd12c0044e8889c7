#include "MustacheEscapingFilter.h"

#include "MustacheEscaping.h"
#include "MustacheTag.h"
#include "MustacheValueRendering.h"

Value MustacheEscapingFilter::transformedValue(const Value& object) const
{
    if (!object)
        return {};
    if (object.isNull())
        return Value("");
    return Value(escape(object.description()));
}

Value MustacheEscapingFilter::mustacheTagWillRenderObject(const MustacheTag& tag, const Value& object) const
{
    if (tag.type() != MustacheTagTypeVariable)
        return object;
    const Value escaper(shared_from_this());
    return MustacheRendering::renderingObjectWithBlock(
        [escaper, object](const MustacheTag& innerTag, const MustacheContextPtr& context, bool& HTMLSafe,
                          Error& error) -> std::optional<std::string> {
            std::optional<std::string> rendering = MustacheValueRendering::render(
                MustacheRendering::renderingObjectForObject(object), innerTag, false, context, HTMLSafe, error);
            if (!rendering)
                return std::nullopt;
            return escaper.as<MustacheEscapingFilter>()->escape(*rendering);
        });
}

std::string MustacheHTMLEscapeFilter::escape(const std::string& text) const
{
    return MustacheEscaping::escapeHTML(text);
}

std::string MustacheJavascriptEscaper::escape(const std::string& text) const
{
    return MustacheEscaping::escapeJavascript(text);
}

std::string MustacheURLEscapeFilter::escape(const std::string& text) const
{
    return MustacheEscaping::escapeURL(text);
}
