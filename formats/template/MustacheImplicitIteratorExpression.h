#pragma once

#include "MustacheExpression.h"

// "." : the top of the context stack. One shared instance.
class MustacheImplicitIteratorExpression final : public MustacheExpression {
public:
    static MustacheExpressionPtr expression();

    // The shared instance keeps no token: it is never the source of an error.
    void setToken(MustacheTokenPtr) override {}
    bool acceptVisitor(MustacheExpressionVisitor& visitor, Error* error) const override;
};
