#pragma once

#include "MustacheFilter.h"

class MustacheBlockFilter final : public MustacheFilter {
public:
    explicit MustacheBlockFilter(Block block) : m_block(std::move(block)) {}

    Value transformedValue(const Value& object) const override { return m_block(object); }

private:
    Block m_block;
};
