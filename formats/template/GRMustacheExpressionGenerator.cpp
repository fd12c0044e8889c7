#include "GRMustacheExpressionGenerator.h"

#include "GRMustacheFilteredExpression.h"
#include "GRMustacheIdentifierExpression.h"
#include "GRMustacheImplicitIteratorExpression.h"
#include "GRMustacheScopedExpression.h"

std::string GRMustacheExpressionGenerator::stringWithExpression(const GRMustacheExpression& expression)
{
    m_string.clear();
    expression.acceptVisitor(*this, nullptr);
    return std::move(m_string);
}

bool GRMustacheExpressionGenerator::visitFilteredExpression(const GRMustacheFilteredExpression& expression,
                                                            Error* error)
{
    expression.filterExpression()->acceptVisitor(*this, error);
    m_string += '(';
    expression.argumentExpression()->acceptVisitor(*this, error);
    m_string += ')';
    return true;
}

bool GRMustacheExpressionGenerator::visitIdentifierExpression(const GRMustacheIdentifierExpression& expression,
                                                              Error*)
{
    m_string += expression.identifier();
    return true;
}

bool GRMustacheExpressionGenerator::visitImplicitIteratorExpression(const GRMustacheImplicitIteratorExpression&,
                                                                    Error*)
{
    m_string += '.';
    return true;
}

bool GRMustacheExpressionGenerator::visitScopedExpression(const GRMustacheScopedExpression& expression, Error* error)
{
    expression.baseExpression()->acceptVisitor(*this, error);
    m_string += '.';
    m_string += expression.identifier();
    return true;
}
