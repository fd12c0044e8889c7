#pragma once

#include "GRMustacheRendering.h"

#include "foundation/Object.h"

class GRMustacheBlockRendering final : public Object, public GRMustacheRendering {
public:
    explicit GRMustacheBlockRendering(Block block) : m_block(std::move(block)) {}

    std::string className() const override { return "GRMustacheBlockRendering"; }
    std::optional<std::string> renderForMustacheTag(const GRMustacheTag& tag, const GRMustacheContextPtr& context,
                                                    bool& HTMLSafe, Error& error) const override
    {
        return m_block(tag, context, HTMLSafe, error);
    }

private:
    Block m_block;
};
