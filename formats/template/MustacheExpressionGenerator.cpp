#include "MustacheExpressionGenerator.h"

#include "MustacheFilteredExpression.h"
#include "MustacheIdentifierExpression.h"
#include "MustacheImplicitIteratorExpression.h"
#include "MustacheScopedExpression.h"

std::string MustacheExpressionGenerator::stringWithExpression(const MustacheExpression& expression)
{
    m_string.clear();
    expression.acceptVisitor(*this, nullptr);
    return std::move(m_string);
}

bool MustacheExpressionGenerator::visitFilteredExpression(const MustacheFilteredExpression& expression,
                                                            Error* error)
{
    expression.filterExpression()->acceptVisitor(*this, error);
    m_string += '(';
    expression.argumentExpression()->acceptVisitor(*this, error);
    m_string += ')';
    return true;
}

bool MustacheExpressionGenerator::visitIdentifierExpression(const MustacheIdentifierExpression& expression,
                                                              Error*)
{
    m_string += expression.identifier();
    return true;
}

bool MustacheExpressionGenerator::visitImplicitIteratorExpression(const MustacheImplicitIteratorExpression&,
                                                                    Error*)
{
    m_string += '.';
    return true;
}

bool MustacheExpressionGenerator::visitScopedExpression(const MustacheScopedExpression& expression, Error* error)
{
    expression.baseExpression()->acceptVisitor(*this, error);
    m_string += '.';
    m_string += expression.identifier();
    return true;
}
