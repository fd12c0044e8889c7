#pragma once

#include "GRMustacheExpression.h"

#include <string>

class GRMustacheIdentifierExpression final : public GRMustacheExpression {
public:
    explicit GRMustacheIdentifierExpression(std::string identifier)
        : GRMustacheExpression(true), m_identifier(std::move(identifier)) {}
    static GRMustacheExpressionPtr expressionWithIdentifier(std::string identifier);

    const std::string& identifier() const { return m_identifier; }

    bool acceptVisitor(GRMustacheExpressionVisitor& visitor, Error* error) const override;
    bool isEqual(const GRMustacheExpression& other) const override;
    std::size_t hash() const override { return std::hash<std::string>()(m_identifier); }

private:
    std::string m_identifier;
};
