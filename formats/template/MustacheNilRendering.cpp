#include "MustacheNilRendering.h"

#include "MustacheTag.h"

Value MustacheNilRendering::sharedInstance()
{
    static const Value shared(std::make_shared<const MustacheNilRendering>());
    return shared;
}

std::optional<std::string> MustacheNilRendering::renderForMustacheTag(const MustacheTag& tag,
                                                                        const MustacheContextPtr& context,
                                                                        bool& HTMLSafe, Error& error) const
{
    return tag.renderContentWithContext(context, HTMLSafe, error);
}
