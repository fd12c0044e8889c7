#pragma once

#include "foundation/Error.h"

class MustacheFilteredExpression;
class MustacheIdentifierExpression;
class MustacheImplicitIteratorExpression;
class MustacheScopedExpression;

class MustacheExpressionVisitor {
public:
    virtual ~MustacheExpressionVisitor() = default;

    virtual bool visitFilteredExpression(const MustacheFilteredExpression& expression, Error* error) = 0;
    virtual bool visitIdentifierExpression(const MustacheIdentifierExpression& expression, Error* error) = 0;
    virtual bool visitImplicitIteratorExpression(const MustacheImplicitIteratorExpression& expression,
                                                 Error* error) = 0;
    virtual bool visitScopedExpression(const MustacheScopedExpression& expression, Error* error) = 0;
};
