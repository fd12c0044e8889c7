#include "MustacheValueRendering.h"

#include "MustacheRendering.h"
#include "MustacheTag.h"

#include "foundation/Exception.h"
#include "foundation/NumberObject.h"

namespace {

constexpr const char* kRenderingException = "MustacheRenderingException";
constexpr const char* kInconsistentEscaping = "Inconsistant HTML escaping of items in enumeration";

} // namespace

const MustacheRendering* MustacheValueRendering::renderingOf(const Value& object)
{
    // Foundation's own kinds are final classes that never render themselves.
    if (object.kind() != Value::Kind::Object)
        return nullptr;
    return dynamic_cast<const MustacheRendering*>(object.object());
}

void MustacheValueRendering::addItemEscaping(std::optional<bool>& allSafe, bool itemSafe)
{
    if (allSafe && *allSafe != itemSafe)
        throw Exception(kRenderingException, kInconsistentEscaping);
    allSafe = itemSafe;
}

bool MustacheValueRendering::boolValue(const Value& object)
{
    if (const MustacheRendering* rendering = renderingOf(object))
        return rendering->mustacheBoolValue();
    switch (object.kind()) {
    case Value::Kind::Nil:
    case Value::Kind::Null:
        return false;
    case Value::Kind::Number:
        return object.number()->boolValue();
    case Value::Kind::String:
        return !object.string()->empty();
    case Value::Kind::Array:
        return !object.array()->empty();
    default:
        return true;
    }
}

std::optional<std::string> MustacheValueRendering::render(const Value& object, const MustacheTag& tag,
                                                            bool asEnumerationItem,
                                                            const MustacheContextPtr& context, bool& HTMLSafe,
                                                            Error& error)
{
    if (const MustacheRendering* rendering = renderingOf(object)) {
        if (const auto* iterating = dynamic_cast<const MustacheRenderingWithIterationSupport*>(rendering))
            return iterating->renderForMustacheTagAsEnumerationItem(tag, asEnumerationItem, context, HTMLSafe, error);
        return rendering->renderForMustacheTag(tag, context, HTMLSafe, error);
    }

    const bool isVariable = tag.type() == MustacheTagTypeVariable;
    switch (object.kind()) {
    case Value::Kind::Nil:
        return tag.renderContentWithContext(context, HTMLSafe, error);
    case Value::Kind::Null:
        if (isVariable)
            return std::string();
        return tag.renderContentWithContext(asEnumerationItem ? context->contextByAddingObject(object) : context,
                                            HTMLSafe, error);
    case Value::Kind::Number:
        if (isVariable)
            return object.description();
        return tag.renderContentWithContext(asEnumerationItem ? context->contextByAddingObject(object) : context,
                                            HTMLSafe, error);
    case Value::Kind::String:
        if (isVariable)
            return *object.string();
        return tag.renderContentWithContext(tag.isInverted() ? context : context->contextByAddingObject(object),
                                            HTMLSafe, error);
    case Value::Kind::Array:
        if (asEnumerationItem)
            return tag.renderContentWithContext(context->contextByAddingObject(object), HTMLSafe, error);
        if (object.array()->empty())
            return tag.renderContentWithContext(context, HTMLSafe, error);
        return renderEnumeration(*object.array(), tag, context, HTMLSafe, error);
    default:
        if (isVariable)
            return object.description();
        return tag.renderContentWithContext(context->contextByAddingObject(object), HTMLSafe, error);
    }
}

std::optional<std::string> MustacheValueRendering::renderEnumeration(const std::vector<Value>& items,
                                                                       const MustacheTag& tag,
                                                                       const MustacheContextPtr& context,
                                                                       bool& HTMLSafe, Error& error)
{
    std::string buffer;
    std::optional<bool> allSafe;
    for (const Value& item : items) {
        bool itemSafe = false;
        std::optional<std::string> rendering = render(MustacheRendering::renderingObjectForObject(item), tag, true,
                                                      context, itemSafe, error);
        if (!rendering)
            return std::nullopt;
        addItemEscaping(allSafe, itemSafe);
        buffer += *rendering;
    }
    HTMLSafe = allSafe.value_or(false);
    return buffer;
}
