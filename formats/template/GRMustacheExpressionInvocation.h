#pragma once

#include "GRMustacheExpressionVisitor.h"

#include "foundation/Value.h"

class GRMustacheContext;
class GRMustacheExpression;

// Evaluates an expression in a context.
class GRMustacheExpressionInvocation final : private GRMustacheExpressionVisitor {
public:
    GRMustacheExpressionInvocation() = default;
    GRMustacheExpressionInvocation(const GRMustacheExpressionInvocation&) = delete;
    GRMustacheExpressionInvocation& operator=(const GRMustacheExpressionInvocation&) = delete;

    void setContext(const GRMustacheContext* context) { m_context = context; }
    void setExpression(const GRMustacheExpression* expression) { m_expression = expression; }

    // False with a code 2 error when a filter is missing or is not a filter.
    bool invokeReturningError(Error* error);

    // The value may be the one held by an object of the context, which outlives the invocation.
    const Value& value() const { return *m_result; }
    bool valueIsProtected() const { return m_valueIsProtected; }

private:
    bool visitFilteredExpression(const GRMustacheFilteredExpression& expression, Error* error) override;
    bool visitIdentifierExpression(const GRMustacheIdentifierExpression& expression, Error* error) override;
    bool visitImplicitIteratorExpression(const GRMustacheImplicitIteratorExpression& expression,
                                         Error* error) override;
    bool visitScopedExpression(const GRMustacheScopedExpression& expression, Error* error) override;
    // Applies the filter to the value just evaluated, as one level of the expression.
    bool applyFilter(const GRMustacheFilteredExpression& expression, const Value& filterValue, Error* error);

    void setValue(Value value);
    // The value held elsewhere, or nil for null.
    void borrowValue(const Value* value);
    // The value, moved out when the invocation holds it.
    Value takeValue();

    const GRMustacheContext* m_context = nullptr;
    const GRMustacheExpression* m_expression = nullptr;
    Value m_value;
    const Value* m_result = &m_value;
    bool m_valueIsProtected = false;
};
