#include "Mustache.h"

#include "MustacheCaseFilter.h"
#include "MustacheEachFilter.h"
#include "MustacheEmptinessFilter.h"
#include "MustacheEscapingFilter.h"
#include "MustacheKeyAccess.h"
#include "MustacheLocalizer.h"

#include "foundation/Dictionary.h"

namespace {

constexpr const char* kEscape = "escape";

template <class T, class... Arguments>
Value make(Arguments&&... arguments)
{
    return Value(std::make_shared<T>(std::forward<Arguments>(arguments)...));
}

} // namespace

Value Mustache::standardLibrary()
{
    static const Value library(Dictionary{
        {"capitalized", make<MustacheCapitalizedFilter>()},
        {"lowercase", make<MustacheLowercaseFilter>()},
        {"uppercase", make<MustacheUppercaseFilter>()},
        {"isBlank", make<MustacheBlankFilter>()},
        {"isEmpty", make<MustacheEmptyFilter>()},
        {"localize", make<MustacheLocalizer>(nullptr, std::string())},
        {"each", make<MustacheEachFilter>()},
        {"HTML", Value(Dictionary{{kEscape, make<MustacheHTMLEscapeFilter>()}})},
        {"javascript", Value(Dictionary{{kEscape, make<MustacheJavascriptEscaper>()}})},
        {"URL", Value(Dictionary{{kEscape, make<MustacheURLEscapeFilter>()}})},
    });
    return library;
}

Value Mustache::renderingObjectForObject(const Value& object)
{
    return MustacheRendering::renderingObjectForObject(object);
}

Value Mustache::renderingObjectWithBlock(MustacheRendering::Block block)
{
    return MustacheRendering::renderingObjectWithBlock(std::move(block));
}

void Mustache::preventNSUndefinedKeyExceptionAttack()
{
    MustacheKeyAccess::preventNSUndefinedKeyExceptionAttack();
}
