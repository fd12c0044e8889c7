#pragma once

#include "MustacheExpressionVisitor.h"

#include "foundation/Value.h"

class MustacheContext;
class MustacheExpression;

// Evaluates an expression in a context.
class MustacheExpressionInvocation final : private MustacheExpressionVisitor {
public:
    MustacheExpressionInvocation() = default;
    MustacheExpressionInvocation(const MustacheExpressionInvocation&) = delete;
    MustacheExpressionInvocation& operator=(const MustacheExpressionInvocation&) = delete;

    void setContext(const MustacheContext* context) { m_context = context; }
    void setExpression(const MustacheExpression* expression) { m_expression = expression; }

    // False with a code 2 error when a filter is missing or is not a filter.
    bool invokeReturningError(Error* error);

    // The value may be the one held by an object of the context, which outlives the invocation.
    const Value& value() const { return *m_result; }
    bool valueIsProtected() const { return m_valueIsProtected; }

private:
    bool visitFilteredExpression(const MustacheFilteredExpression& expression, Error* error) override;
    bool visitIdentifierExpression(const MustacheIdentifierExpression& expression, Error* error) override;
    bool visitImplicitIteratorExpression(const MustacheImplicitIteratorExpression& expression,
                                         Error* error) override;
    bool visitScopedExpression(const MustacheScopedExpression& expression, Error* error) override;
    // Applies the filter to the value just evaluated, as one level of the expression.
    bool applyFilter(const MustacheFilteredExpression& expression, const Value& filterValue, Error* error);

    void setValue(Value value);
    // The value held elsewhere, or nil for null.
    void borrowValue(const Value* value);
    // The value, moved out when the invocation holds it.
    Value takeValue();

    const MustacheContext* m_context = nullptr;
    const MustacheExpression* m_expression = nullptr;
    Value m_value;
    const Value* m_result = &m_value;
    bool m_valueIsProtected = false;
};
