#include "MustacheIdentifierExpression.h"

#include "MustacheExpressionVisitor.h"

MustacheExpressionPtr MustacheIdentifierExpression::expressionWithIdentifier(std::string identifier)
{
    return std::make_shared<MustacheIdentifierExpression>(std::move(identifier));
}

bool MustacheIdentifierExpression::acceptVisitor(MustacheExpressionVisitor& visitor, Error* error) const
{
    return visitor.visitIdentifierExpression(*this, error);
}

bool MustacheIdentifierExpression::isEqual(const MustacheExpression& other) const
{
    const auto* identifier = dynamic_cast<const MustacheIdentifierExpression*>(&other);
    return identifier && identifier->m_identifier == m_identifier;
}
