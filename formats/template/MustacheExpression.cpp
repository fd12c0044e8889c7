#include "MustacheExpression.h"

bool MustacheExpression::acceptVisitor(MustacheExpressionVisitor&, Error*) const
{
    return true;
}
