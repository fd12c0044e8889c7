#pragma once

#include "MustacheExpression.h"

#include <string>

class MustacheIdentifierExpression final : public MustacheExpression {
public:
    explicit MustacheIdentifierExpression(std::string identifier)
        : MustacheExpression(true), m_identifier(std::move(identifier)) {}
    static MustacheExpressionPtr expressionWithIdentifier(std::string identifier);

    const std::string& identifier() const { return m_identifier; }

    bool acceptVisitor(MustacheExpressionVisitor& visitor, Error* error) const override;
    bool isEqual(const MustacheExpression& other) const override;
    std::size_t hash() const override { return std::hash<std::string>()(m_identifier); }

private:
    std::string m_identifier;
};
