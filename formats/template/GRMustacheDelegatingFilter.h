#pragma once

#include "GRMustacheFilter.h"
#include "GRMustacheRendering.h"
#include "GRMustacheTagDelegate.h"

// A filter that also works as a section value: it renders the section's content with
// itself as tag delegate. As a plain value it shows its description.
class GRMustacheDelegatingFilter : public GRMustacheFilter, public GRMustacheRendering, public GRMustacheTagDelegate {
public:
    std::optional<std::string> renderForMustacheTag(const GRMustacheTag& tag, const GRMustacheContextPtr& context,
                                                    bool& HTMLSafe, Error& error) const final;
};
