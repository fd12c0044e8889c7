#pragma once

#include "GRMustacheContext.h"

#include "foundation/Error.h"
#include "foundation/Value.h"

#include <optional>
#include <string>

class GRMustacheRendering;
class GRMustacheTag;

// How values render and whether they count as true, by kind: objects implementing
// GRMustacheRendering decide for themselves.
class GRMustacheValueRendering final {
public:
    static bool boolValue(const Value& object);
    // The object as a rendering object, if it is one.
    static const GRMustacheRendering* renderingOf(const Value& object);
    // Items of one list render all HTML-safe or all not: raises on the first that differs.
    static void addItemEscaping(std::optional<bool>& allSafe, bool itemSafe);
    // Nullopt with the error on failure.
    static std::optional<std::string> render(const Value& object, const GRMustacheTag& tag, bool asEnumerationItem,
                                             const GRMustacheContextPtr& context, bool& HTMLSafe, Error& error);

private:
    static std::optional<std::string> renderEnumeration(const std::vector<Value>& items, const GRMustacheTag& tag,
                                                        const GRMustacheContextPtr& context, bool& HTMLSafe,
                                                        Error& error);
};
