#pragma once

#include "GRMustacheExpressionVisitor.h"

#include <string>

class GRMustacheExpression;

// Prints an expression back as tag content.
class GRMustacheExpressionGenerator final : private GRMustacheExpressionVisitor {
public:
    std::string stringWithExpression(const GRMustacheExpression& expression);

private:
    bool visitFilteredExpression(const GRMustacheFilteredExpression& expression, Error* error) override;
    bool visitIdentifierExpression(const GRMustacheIdentifierExpression& expression, Error* error) override;
    bool visitImplicitIteratorExpression(const GRMustacheImplicitIteratorExpression& expression,
                                         Error* error) override;
    bool visitScopedExpression(const GRMustacheScopedExpression& expression, Error* error) override;

    std::string m_string;
};
