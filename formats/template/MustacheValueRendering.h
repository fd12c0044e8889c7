#pragma once

#include "MustacheContext.h"

#include "foundation/Error.h"
#include "foundation/Value.h"

#include <optional>
#include <string>

class MustacheRendering;
class MustacheTag;

// How values render and whether they count as true, by kind: objects implementing
// MustacheRendering decide for themselves.
class MustacheValueRendering final {
public:
    static bool boolValue(const Value& object);
    // The object as a rendering object, if it is one.
    static const MustacheRendering* renderingOf(const Value& object);
    // Items of one list render all HTML-safe or all not: raises on the first that differs.
    static void addItemEscaping(std::optional<bool>& allSafe, bool itemSafe);
    // Nullopt with the error on failure.
    static std::optional<std::string> render(const Value& object, const MustacheTag& tag, bool asEnumerationItem,
                                             const MustacheContextPtr& context, bool& HTMLSafe, Error& error);

private:
    static std::optional<std::string> renderEnumeration(const std::vector<Value>& items, const MustacheTag& tag,
                                                        const MustacheContextPtr& context, bool& HTMLSafe,
                                                        Error& error);
};
