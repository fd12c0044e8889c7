#pragma once

#include "windows/ValueTransformer.h"

// Makes a number odd: the odd number at or just above it (10 -> 11, 11 -> 11, 12.7 -> 13),
// as a float. Both directions are the same; nil becomes 0.
class QVOddFloatTransformer final : public ValueTransformer {
public:
    static Value::Kind transformedValueKind() { return Value::Kind::Number; }
    static bool allowsReverseTransformation() { return true; }

    Value transformedValue(const Value& value) const override;
    Value reverseTransformedValue(const Value& value) const override { return transformedValue(value); }
};
