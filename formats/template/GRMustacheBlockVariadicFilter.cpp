#include "GRMustacheBlockVariadicFilter.h"

std::vector<Value> GRMustacheBlockVariadicFilter::withArgument(const Value& argument) const
{
    std::vector<Value> arguments;
    arguments.reserve(m_arguments.size() + 1);
    arguments.assign(m_arguments.begin(), m_arguments.end());
    arguments.push_back(argument ? argument : Value::null());
    return arguments;
}

Value GRMustacheBlockVariadicFilter::transformedValue(const Value& object) const
{
    return (*m_block)(withArgument(object));
}

Value GRMustacheBlockVariadicFilter::filterByCurryingArgument(const Value& argument) const
{
    return Value(std::make_shared<GRMustacheBlockVariadicFilter>(m_block, withArgument(argument)));
}
