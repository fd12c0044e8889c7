#include "MustacheBlockVariadicFilter.h"

// The curried arguments followed by these; missing ones are passed as null.
std::vector<Value> MustacheBlockVariadicFilter::withArguments(std::span<const Value> arguments) const
{
    std::vector<Value> all;
    all.reserve(m_arguments.size() + arguments.size());
    all.assign(m_arguments.begin(), m_arguments.end());
    for (const Value& argument : arguments)
        all.push_back(argument ? argument : Value::null());
    return all;
}

Value MustacheBlockVariadicFilter::transformedValue(const Value& object) const
{
    return (*m_block)(withArguments({&object, 1}));
}

Value MustacheBlockVariadicFilter::transformedValueWithArguments(std::vector<Value> arguments) const
{
    if (!m_arguments.empty())
        return (*m_block)(withArguments(arguments));
    for (Value& argument : arguments) {
        if (!argument)
            argument = Value::null();
    }
    return (*m_block)(arguments);
}

Value MustacheBlockVariadicFilter::filterByCurryingArgument(const Value& argument) const
{
    return Value(std::make_shared<MustacheBlockVariadicFilter>(m_block, withArguments({&argument, 1})));
}
