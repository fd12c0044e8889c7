#include "GRMustacheIdentifierExpression.h"

#include "GRMustacheExpressionVisitor.h"

GRMustacheExpressionPtr GRMustacheIdentifierExpression::expressionWithIdentifier(std::string identifier)
{
    return std::make_shared<GRMustacheIdentifierExpression>(std::move(identifier));
}

bool GRMustacheIdentifierExpression::acceptVisitor(GRMustacheExpressionVisitor& visitor, Error* error) const
{
    return visitor.visitIdentifierExpression(*this, error);
}

bool GRMustacheIdentifierExpression::isEqual(const GRMustacheExpression& other) const
{
    const auto* identifier = dynamic_cast<const GRMustacheIdentifierExpression*>(&other);
    return identifier && identifier->m_identifier == m_identifier;
}
