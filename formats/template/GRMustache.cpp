#include "GRMustache.h"

#include "GRMustacheCaseFilter.h"
#include "GRMustacheEachFilter.h"
#include "GRMustacheEmptinessFilter.h"
#include "GRMustacheEscapingFilter.h"
#include "GRMustacheKeyAccess.h"
#include "GRMustacheLocalizer.h"

#include "foundation/Dictionary.h"

namespace {

constexpr const char* kEscape = "escape";

template <class T, class... Arguments>
Value make(Arguments&&... arguments)
{
    return Value(std::make_shared<T>(std::forward<Arguments>(arguments)...));
}

} // namespace

Value GRMustache::standardLibrary()
{
    static const Value library(Dictionary{
        {"capitalized", make<GRMustacheCapitalizedFilter>()},
        {"lowercase", make<GRMustacheLowercaseFilter>()},
        {"uppercase", make<GRMustacheUppercaseFilter>()},
        {"isBlank", make<GRMustacheBlankFilter>()},
        {"isEmpty", make<GRMustacheEmptyFilter>()},
        {"localize", make<GRMustacheLocalizer>(nullptr, std::string())},
        {"each", make<GRMustacheEachFilter>()},
        {"HTML", Value(Dictionary{{kEscape, make<GRMustacheHTMLEscapeFilter>()}})},
        {"javascript", Value(Dictionary{{kEscape, make<GRMustacheJavascriptEscaper>()}})},
        {"URL", Value(Dictionary{{kEscape, make<GRMustacheURLEscapeFilter>()}})},
    });
    return library;
}

Value GRMustache::renderingObjectForObject(const Value& object)
{
    return GRMustacheRendering::renderingObjectForObject(object);
}

Value GRMustache::renderingObjectWithBlock(GRMustacheRendering::Block block)
{
    return GRMustacheRendering::renderingObjectWithBlock(std::move(block));
}

void GRMustache::preventNSUndefinedKeyExceptionAttack()
{
    GRMustacheKeyAccess::preventNSUndefinedKeyExceptionAttack();
}
