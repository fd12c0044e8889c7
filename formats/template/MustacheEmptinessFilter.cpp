#include "MustacheEmptinessFilter.h"

#include "foundation/StringUtils.h"

Value MustacheEmptinessFilter::transformedValue(const Value& object) const
{
    if (!object || object.isNull())
        return Value::boolean(true);
    if (const std::vector<Value>* items = object.array())
        return Value::boolean(items->empty());
    return Value::boolean(isEmptyDescription(object.description()));
}

bool MustacheBlankFilter::isEmptyDescription(const std::string& description) const
{
    return strings::trimWhitespaceAndNewlines(description).empty();
}
