#pragma once

#include "MustacheFilter.h"

#include <memory>
#include <span>

// Collects arguments by currying and calls its block with all of them at the last one.
// Missing arguments are passed as null.
class MustacheBlockVariadicFilter final : public MustacheFilter {
public:
    // Curried filters share their block.
    MustacheBlockVariadicFilter(std::shared_ptr<const VariadicBlock> block, std::vector<Value> arguments)
        : m_block(std::move(block)), m_arguments(std::move(arguments)) {}

    const std::vector<Value>& arguments() const { return m_arguments; }

    Value transformedValue(const Value& object) const override;
    // The same as currying all but the last of them and transforming the last.
    Value transformedValueWithArguments(std::vector<Value> arguments) const;
    Value filterByCurryingArgument(const Value& argument) const override;

private:
    std::vector<Value> withArguments(std::span<const Value> arguments) const;

    std::shared_ptr<const VariadicBlock> m_block;
    std::vector<Value> m_arguments;
};
