#pragma once

#include "foundation/Error.h"

class GRMustacheFilteredExpression;
class GRMustacheIdentifierExpression;
class GRMustacheImplicitIteratorExpression;
class GRMustacheScopedExpression;

class GRMustacheExpressionVisitor {
public:
    virtual ~GRMustacheExpressionVisitor() = default;

    virtual bool visitFilteredExpression(const GRMustacheFilteredExpression& expression, Error* error) = 0;
    virtual bool visitIdentifierExpression(const GRMustacheIdentifierExpression& expression, Error* error) = 0;
    virtual bool visitImplicitIteratorExpression(const GRMustacheImplicitIteratorExpression& expression,
                                                 Error* error) = 0;
    virtual bool visitScopedExpression(const GRMustacheScopedExpression& expression, Error* error) = 0;
};
