#pragma once

#include "GRMustacheExpression.h"

// "." : the top of the context stack. One shared instance.
class GRMustacheImplicitIteratorExpression final : public GRMustacheExpression {
public:
    static GRMustacheExpressionPtr expression();

    // The shared instance keeps no token: it is never the source of an error.
    void setToken(GRMustacheTokenPtr) override {}
    bool acceptVisitor(GRMustacheExpressionVisitor& visitor, Error* error) const override;
};
