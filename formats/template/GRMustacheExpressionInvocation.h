#pragma once

#include "GRMustacheExpressionVisitor.h"

#include "foundation/Value.h"

class GRMustacheContext;
class GRMustacheExpression;

// Evaluates an expression in a context.
class GRMustacheExpressionInvocation final : private GRMustacheExpressionVisitor {
public:
    void setContext(const GRMustacheContext* context) { m_context = context; }
    void setExpression(const GRMustacheExpression* expression) { m_expression = expression; }

    // False with a code 2 error when a filter is missing or is not a filter.
    bool invokeReturningError(Error* error);

    const Value& value() const { return m_value; }
    bool valueIsProtected() const { return m_valueIsProtected; }

private:
    bool visitFilteredExpression(const GRMustacheFilteredExpression& expression, Error* error) override;
    bool visitIdentifierExpression(const GRMustacheIdentifierExpression& expression, Error* error) override;
    bool visitImplicitIteratorExpression(const GRMustacheImplicitIteratorExpression& expression,
                                         Error* error) override;
    bool visitScopedExpression(const GRMustacheScopedExpression& expression, Error* error) override;
    // Applies the filter to the value just evaluated, as one level of the expression.
    bool applyFilter(const GRMustacheFilteredExpression& expression, const Value& filterValue, Error* error);

    const GRMustacheContext* m_context = nullptr;
    const GRMustacheExpression* m_expression = nullptr;
    Value m_value;
    bool m_valueIsProtected = false;
};
