#include "GRMustacheImplicitIteratorExpression.h"

#include "GRMustacheExpressionVisitor.h"

GRMustacheExpressionPtr GRMustacheImplicitIteratorExpression::expression()
{
    static const GRMustacheExpressionPtr shared = std::make_shared<GRMustacheImplicitIteratorExpression>();
    return shared;
}

bool GRMustacheImplicitIteratorExpression::acceptVisitor(GRMustacheExpressionVisitor& visitor, Error* error) const
{
    return visitor.visitImplicitIteratorExpression(*this, error);
}
