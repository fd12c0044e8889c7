#include "MustacheFormatter.h"

#include "MustacheTag.h"

Value MustacheFormatter::transformedValue(const Value& object) const
{
    std::optional<std::string> formatted = stringForObjectValue(object);
    return formatted ? Value(std::move(*formatted)) : Value();
}

Value MustacheFormatter::mustacheTagWillRenderObject(const MustacheTag& tag, const Value& object) const
{
    if (tag.type() != MustacheTagTypeVariable)
        return object;
    std::optional<std::string> formatted = stringForObjectValue(object);
    return formatted ? Value(std::move(*formatted)) : object;
}
