#pragma once

#include "foundation/Value.h"

// Turns a stored setting into the value a control shows, and back.
class ValueTransformer {
public:
    virtual ~ValueTransformer() = default;
    // Stored value to shown value.
    virtual Value transformedValue(const Value& value) const = 0;
    // Shown value to stored value.
    virtual Value reverseTransformedValue(const Value& value) const = 0;
};

// Any transformer with the two operations, seen through the interface.
template <class Transformer>
class ValueTransformerAdapter final : public ValueTransformer {
public:
    template <class... Args>
    explicit ValueTransformerAdapter(Args&&... args) : m_transformer(std::forward<Args>(args)...) {}

    Value transformedValue(const Value& value) const override { return m_transformer.transformedValue(value); }
    Value reverseTransformedValue(const Value& value) const override
    {
        return m_transformer.reverseTransformedValue(value);
    }

private:
    Transformer m_transformer;
};
