#include "GRMustacheFormatter.h"

#include "GRMustacheTag.h"

Value GRMustacheFormatter::transformedValue(const Value& object) const
{
    std::optional<std::string> formatted = stringForObjectValue(object);
    return formatted ? Value(std::move(*formatted)) : Value();
}

Value GRMustacheFormatter::mustacheTagWillRenderObject(const GRMustacheTag& tag, const Value& object) const
{
    if (tag.type() != GRMustacheTagTypeVariable)
        return object;
    std::optional<std::string> formatted = stringForObjectValue(object);
    return formatted ? Value(std::move(*formatted)) : object;
}
