#include "GRMustacheExpression.h"

bool GRMustacheExpression::acceptVisitor(GRMustacheExpressionVisitor&, Error*) const
{
    return true;
}
