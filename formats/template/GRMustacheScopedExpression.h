#pragma once

#include "GRMustacheExpression.h"

#include <string>

// A key looked up in the value of its base expression: `base.identifier`.
class GRMustacheScopedExpression final : public GRMustacheExpression {
public:
    GRMustacheScopedExpression(GRMustacheExpressionPtr baseExpression, std::string identifier)
        : m_baseExpression(std::move(baseExpression)), m_identifier(std::move(identifier)) {}
    static GRMustacheExpressionPtr expressionWithBaseExpression(GRMustacheExpressionPtr baseExpression,
                                                                std::string identifier);

    const GRMustacheExpressionPtr& baseExpression() const { return m_baseExpression; }
    const std::string& identifier() const { return m_identifier; }

    void setToken(GRMustacheTokenPtr token) override;
    bool acceptVisitor(GRMustacheExpressionVisitor& visitor, Error* error) const override;
    bool isEqual(const GRMustacheExpression& other) const override;
    std::size_t hash() const override;

private:
    GRMustacheExpressionPtr m_baseExpression;
    std::string m_identifier;
};
