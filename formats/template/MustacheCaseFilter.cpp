#include "MustacheCaseFilter.h"

Value MustacheCaseFilter::transformedValue(const Value& object) const
{
    if (!object)
        return {};
    if (object.isNull())
        return Value("");
    return Value(transform(object.description()));
}
