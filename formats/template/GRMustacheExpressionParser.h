#pragma once

#include "GRMustacheExpression.h"

#include <string_view>

// Builds an expression from a tag's inner content.
class GRMustacheExpressionParser final {
public:
    // Null on failure; `empty` then tells "Missing expression" from "Invalid expression".
    GRMustacheExpressionPtr parseExpression(std::string_view string, bool* empty, Error* error) const;
};
