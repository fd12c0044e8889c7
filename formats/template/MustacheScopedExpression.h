#pragma once

#include "MustacheExpression.h"

#include <string>

// A key looked up in the value of its base expression: `base.identifier`.
class MustacheScopedExpression final : public MustacheExpression {
public:
    MustacheScopedExpression(MustacheExpressionPtr baseExpression, std::string identifier)
        : m_baseExpression(std::move(baseExpression)), m_identifier(std::move(identifier)) {}
    static MustacheExpressionPtr expressionWithBaseExpression(MustacheExpressionPtr baseExpression,
                                                                std::string identifier);

    const MustacheExpressionPtr& baseExpression() const { return m_baseExpression; }
    const std::string& identifier() const { return m_identifier; }

    void setToken(MustacheTokenPtr token) override;
    bool acceptVisitor(MustacheExpressionVisitor& visitor, Error* error) const override;
    bool isEqual(const MustacheExpression& other) const override;
    std::size_t hash() const override;

private:
    MustacheExpressionPtr m_baseExpression;
    std::string m_identifier;
};
