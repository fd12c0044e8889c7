#pragma once

#include "GRMustacheToken.h"

#include "foundation/Error.h"

#include <cstddef>
#include <functional>
#include <memory>

class GRMustacheExpressionVisitor;

// The parsed content of a variable or section tag. The token is kept for error messages.
class GRMustacheExpression {
public:
    virtual ~GRMustacheExpression() = default;

    const GRMustacheTokenPtr& token() const { return m_token; }
    virtual void setToken(GRMustacheTokenPtr token) { m_token = std::move(token); }

    virtual bool acceptVisitor(GRMustacheExpressionVisitor& visitor, Error* error) const;
    virtual bool isEqual(const GRMustacheExpression& other) const { return this == &other; }
    virtual std::size_t hash() const { return std::hash<const void*>()(this); }

private:
    GRMustacheTokenPtr m_token;
};

using GRMustacheExpressionPtr = std::shared_ptr<GRMustacheExpression>;

// Equality of two possibly missing expressions.
inline bool expressionsEqual(const GRMustacheExpression* a, const GRMustacheExpression* b)
{
    if (!a || !b)
        return a == b;
    return a->isEqual(*b);
}
