#pragma once

#include "MustacheRendering.h"

#include "foundation/Object.h"

// Stands for nil: false, empty in a variable tag, the content in an inverted section.
class MustacheNilRendering final : public Object, public MustacheRendering {
public:
    static Value sharedInstance();

    std::string className() const override { return "MustacheNilRendering"; }
    std::optional<std::string> renderForMustacheTag(const MustacheTag& tag, const MustacheContextPtr& context,
                                                    bool& HTMLSafe, Error& error) const override;
    bool mustacheBoolValue() const override { return false; }
};
