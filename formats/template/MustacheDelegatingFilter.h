#pragma once

#include "MustacheFilter.h"
#include "MustacheRendering.h"
#include "MustacheTagDelegate.h"

// A filter that also works as a section value: it renders the section's content with
// itself as tag delegate. As a plain value it shows its description.
class MustacheDelegatingFilter : public MustacheFilter, public MustacheRendering, public MustacheTagDelegate {
public:
    std::optional<std::string> renderForMustacheTag(const MustacheTag& tag, const MustacheContextPtr& context,
                                                    bool& HTMLSafe, Error& error) const final;
};
