#pragma once

#include "GRMustacheContext.h"

#include "foundation/Error.h"
#include "foundation/Value.h"

#include <optional>
#include <string>

class GRMustacheTag;

// How values render and whether they count as true, by kind: objects implementing
// GRMustacheRendering decide for themselves.
class GRMustacheValueRendering final {
public:
    static bool boolValue(const Value& object);
    // Nullopt with the error on failure.
    static std::optional<std::string> render(const Value& object, const GRMustacheTag& tag, bool asEnumerationItem,
                                             const GRMustacheContextPtr& context, bool& HTMLSafe, Error& error);

private:
    static std::optional<std::string> renderEnumeration(const std::vector<Value>& items, const GRMustacheTag& tag,
                                                        const GRMustacheContextPtr& context, bool& HTMLSafe,
                                                        Error& error);
};
