#pragma once

#include "MustacheRendering.h"

#include "foundation/Object.h"

class MustacheBlockRendering final : public Object, public MustacheRendering {
public:
    explicit MustacheBlockRendering(Block block) : m_block(std::move(block)) {}

    std::string className() const override { return "MustacheBlockRendering"; }
    std::optional<std::string> renderForMustacheTag(const MustacheTag& tag, const MustacheContextPtr& context,
                                                    bool& HTMLSafe, Error& error) const override
    {
        return m_block(tag, context, HTMLSafe, error);
    }

private:
    Block m_block;
};
