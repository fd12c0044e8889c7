#pragma once

#include "GRMustacheExpression.h"

#include <string>

// Builds an expression from a tag's inner content.
class GRMustacheExpressionParser final {
public:
    // Null on failure; `empty` then tells "Missing expression" from "Invalid expression".
    GRMustacheExpressionPtr parseExpression(const std::string& string, bool* empty, Error* error) const;
};
