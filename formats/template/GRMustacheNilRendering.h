#pragma once

#include "GRMustacheRendering.h"

#include "foundation/Object.h"

// Stands for nil: false, empty in a variable tag, the content in an inverted section.
class GRMustacheNilRendering final : public Object, public GRMustacheRendering {
public:
    static Value sharedInstance();

    std::string className() const override { return "GRMustacheNilRendering"; }
    std::optional<std::string> renderForMustacheTag(const GRMustacheTag& tag, const GRMustacheContextPtr& context,
                                                    bool& HTMLSafe, Error& error) const override;
    bool mustacheBoolValue() const override { return false; }
};
