#include "MustacheImplicitIteratorExpression.h"

#include "MustacheExpressionVisitor.h"

MustacheExpressionPtr MustacheImplicitIteratorExpression::expression()
{
    static const MustacheExpressionPtr shared = std::make_shared<MustacheImplicitIteratorExpression>();
    return shared;
}

bool MustacheImplicitIteratorExpression::acceptVisitor(MustacheExpressionVisitor& visitor, Error* error) const
{
    return visitor.visitImplicitIteratorExpression(*this, error);
}
