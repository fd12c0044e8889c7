#include "MustacheDelegatingFilter.h"

#include "MustacheTag.h"

std::optional<std::string> MustacheDelegatingFilter::renderForMustacheTag(const MustacheTag& tag,
                                                                            const MustacheContextPtr& context,
                                                                            bool& HTMLSafe, Error& error) const
{
    if (tag.type() == MustacheTagTypeVariable)
        return description();
    return tag.renderContentWithContext(context->contextByAddingTagDelegate(Value(shared_from_this())), HTMLSafe,
                                        error);
}
