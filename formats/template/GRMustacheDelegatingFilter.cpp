#include "GRMustacheDelegatingFilter.h"

#include "GRMustacheTag.h"

std::optional<std::string> GRMustacheDelegatingFilter::renderForMustacheTag(const GRMustacheTag& tag,
                                                                            const GRMustacheContextPtr& context,
                                                                            bool& HTMLSafe, Error& error) const
{
    if (tag.type() == GRMustacheTagTypeVariable)
        return description();
    return tag.renderContentWithContext(context->contextByAddingTagDelegate(Value(shared_from_this())), HTMLSafe,
                                        error);
}
