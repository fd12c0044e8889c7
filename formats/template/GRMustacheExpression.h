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

    // Whether this is a GRMustacheIdentifierExpression, which evaluation reads with no visitor.
    bool isIdentifier() const { return m_isIdentifier; }

    const GRMustacheTokenPtr& token() const { return m_token; }
    virtual void setToken(GRMustacheTokenPtr token) { m_token = std::move(token); }

    virtual bool acceptVisitor(GRMustacheExpressionVisitor& visitor, Error* error) const;
    virtual bool isEqual(const GRMustacheExpression& other) const { return this == &other; }
    virtual std::size_t hash() const { return std::hash<const void*>()(this); }

protected:
    GRMustacheExpression() = default;
    explicit GRMustacheExpression(bool isIdentifier) : m_isIdentifier(isIdentifier) {}

private:
    GRMustacheTokenPtr m_token;
    bool m_isIdentifier = false;
};

using GRMustacheExpressionPtr = std::shared_ptr<GRMustacheExpression>;

// Equality of two possibly missing expressions.
inline bool expressionsEqual(const GRMustacheExpression* a, const GRMustacheExpression* b)
{
    if (!a || !b)
        return a == b;
    return a->isEqual(*b);
}
