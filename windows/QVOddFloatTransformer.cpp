#include "QVOddFloatTransformer.h"

#include <cmath>

Value QVOddFloatTransformer::transformedValue(const Value& value) const
{
    if (value.isNil())
        return Value::real(0);
    const float v = static_cast<float>(value.doubleValue());
    return Value::real(static_cast<float>(2 * std::trunc(v * 0.5f) + 1));
}
