#pragma once

#include "GRMustacheExpression.h"
#include "GRMustacheTemplateASTNode.h"

#include <string>

enum GRMustacheTagType : int {
    GRMustacheTagTypeVariable = 1 << 1,
    GRMustacheTagTypeSection = 1 << 2,
};

// A variable or section tag, as rendering objects and tag delegates see it.
class GRMustacheTag : public GRMustacheTemplateASTNode {
public:
    explicit GRMustacheTag(GRMustacheExpressionPtr expression) : m_expression(std::move(expression)) {}

    const GRMustacheExpressionPtr& expression() const { return m_expression; }

    virtual GRMustacheTagType type() const = 0;
    virtual std::string innerTemplateString() const = 0;
    virtual bool isInverted() const = 0;

    // "<Class `{{tag}}` at line N[ of template ID]>"
    std::string description() const;

protected:
    virtual std::string className() const = 0;

private:
    GRMustacheExpressionPtr m_expression;
};
