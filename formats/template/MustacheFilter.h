#pragma once

#include "foundation/Object.h"
#include "foundation/Value.h"

#include <functional>
#include <vector>

// Anything a template can call: `f(x)`. The base passes its argument through.
class MustacheFilter : public Object {
public:
    using Block = std::function<Value(const Value&)>;
    using VariadicBlock = std::function<Value(const std::vector<Value>&)>;

    // Raise on an empty block.
    static Value filterWithBlock(Block block);
    static Value variadicFilterWithBlock(VariadicBlock block);

    std::string className() const override { return "MustacheFilter"; }

    virtual Value transformedValue(const Value& object) const { return object; }
    // A filter that has taken one more argument; nil when the filter takes only one.
    virtual Value filterByCurryingArgument(const Value& argument) const;
};
