#include "MustacheScopedExpression.h"

#include "MustacheExpressionVisitor.h"

MustacheExpressionPtr MustacheScopedExpression::expressionWithBaseExpression(MustacheExpressionPtr baseExpression,
                                                                                 std::string identifier)
{
    return std::make_shared<MustacheScopedExpression>(std::move(baseExpression), std::move(identifier));
}

void MustacheScopedExpression::setToken(MustacheTokenPtr token)
{
    m_baseExpression->setToken(token);
    MustacheExpression::setToken(std::move(token));
}

bool MustacheScopedExpression::acceptVisitor(MustacheExpressionVisitor& visitor, Error* error) const
{
    return visitor.visitScopedExpression(*this, error);
}

bool MustacheScopedExpression::isEqual(const MustacheExpression& other) const
{
    const auto* scoped = dynamic_cast<const MustacheScopedExpression*>(&other);
    return scoped && scoped->m_identifier == m_identifier
        && expressionsEqual(scoped->m_baseExpression.get(), m_baseExpression.get());
}

std::size_t MustacheScopedExpression::hash() const
{
    return m_baseExpression->hash() ^ std::hash<std::string>()(m_identifier);
}
