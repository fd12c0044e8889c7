#include "GRMustacheNilRendering.h"

#include "GRMustacheTag.h"

Value GRMustacheNilRendering::sharedInstance()
{
    static const Value shared(std::make_shared<const GRMustacheNilRendering>());
    return shared;
}

std::optional<std::string> GRMustacheNilRendering::renderForMustacheTag(const GRMustacheTag& tag,
                                                                        const GRMustacheContextPtr& context,
                                                                        bool& HTMLSafe, Error& error) const
{
    return tag.renderContentWithContext(context, HTMLSafe, error);
}
