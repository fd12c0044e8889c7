#pragma once

#include "GRMustacheFilter.h"

class GRMustacheBlockFilter final : public GRMustacheFilter {
public:
    explicit GRMustacheBlockFilter(Block block) : m_block(std::move(block)) {}

    Value transformedValue(const Value& object) const override { return m_block(object); }

private:
    Block m_block;
};
