#pragma once

#include "MustacheExpressionVisitor.h"

#include <string>

class MustacheExpression;

// Prints an expression back as tag content.
class MustacheExpressionGenerator final : private MustacheExpressionVisitor {
public:
    std::string stringWithExpression(const MustacheExpression& expression);

private:
    bool visitFilteredExpression(const MustacheFilteredExpression& expression, Error* error) override;
    bool visitIdentifierExpression(const MustacheIdentifierExpression& expression, Error* error) override;
    bool visitImplicitIteratorExpression(const MustacheImplicitIteratorExpression& expression,
                                         Error* error) override;
    bool visitScopedExpression(const MustacheScopedExpression& expression, Error* error) override;

    std::string m_string;
};
