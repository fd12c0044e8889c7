#pragma once

#include "MustacheToken.h"

#include "foundation/Error.h"

#include <cstddef>
#include <functional>
#include <memory>

class MustacheExpressionVisitor;

// The parsed content of a variable or section tag. The token is kept for error messages.
class MustacheExpression {
public:
    virtual ~MustacheExpression() = default;

    // Whether this is a MustacheIdentifierExpression, which evaluation reads with no visitor.
    bool isIdentifier() const { return m_isIdentifier; }

    const MustacheTokenPtr& token() const { return m_token; }
    virtual void setToken(MustacheTokenPtr token) { m_token = std::move(token); }

    virtual bool acceptVisitor(MustacheExpressionVisitor& visitor, Error* error) const;
    virtual bool isEqual(const MustacheExpression& other) const { return this == &other; }
    virtual std::size_t hash() const { return std::hash<const void*>()(this); }

protected:
    MustacheExpression() = default;
    explicit MustacheExpression(bool isIdentifier) : m_isIdentifier(isIdentifier) {}

private:
    MustacheTokenPtr m_token;
    bool m_isIdentifier = false;
};

using MustacheExpressionPtr = std::shared_ptr<MustacheExpression>;

// Equality of two possibly missing expressions.
inline bool expressionsEqual(const MustacheExpression* a, const MustacheExpression* b)
{
    if (!a || !b)
        return a == b;
    return a->isEqual(*b);
}
