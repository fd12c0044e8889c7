#pragma once

#include "MustacheExpression.h"

#include <string_view>

// Builds an expression from a tag's inner content.
class MustacheExpressionParser final {
public:
    // Null on failure; `empty` then tells "Missing expression" from "Invalid expression".
    MustacheExpressionPtr parseExpression(std::string_view string, bool* empty, Error* error) const;
};
