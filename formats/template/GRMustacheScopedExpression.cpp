#include "GRMustacheScopedExpression.h"

#include "GRMustacheExpressionVisitor.h"

GRMustacheExpressionPtr GRMustacheScopedExpression::expressionWithBaseExpression(GRMustacheExpressionPtr baseExpression,
                                                                                 std::string identifier)
{
    return std::make_shared<GRMustacheScopedExpression>(std::move(baseExpression), std::move(identifier));
}

void GRMustacheScopedExpression::setToken(GRMustacheTokenPtr token)
{
    m_baseExpression->setToken(token);
    GRMustacheExpression::setToken(std::move(token));
}

bool GRMustacheScopedExpression::acceptVisitor(GRMustacheExpressionVisitor& visitor, Error* error) const
{
    return visitor.visitScopedExpression(*this, error);
}

bool GRMustacheScopedExpression::isEqual(const GRMustacheExpression& other) const
{
    const auto* scoped = dynamic_cast<const GRMustacheScopedExpression*>(&other);
    return scoped && scoped->m_identifier == m_identifier
        && expressionsEqual(scoped->m_baseExpression.get(), m_baseExpression.get());
}

std::size_t GRMustacheScopedExpression::hash() const
{
    return m_baseExpression->hash() ^ std::hash<std::string>()(m_identifier);
}
