#pragma once

#include "GRMustacheContentType.h"
#include "GRMustacheTag.h"

class GRMustacheVariableTag final : public GRMustacheTag {
public:
    GRMustacheVariableTag(GRMustacheExpressionPtr expression, bool escapesHTML, GRMustacheContentType contentType)
        : GRMustacheTag(std::move(expression), Kind::VariableTag), m_escapesHTML(escapesHTML), m_contentType(contentType)
    {
    }
    static GRMustacheTemplateASTNodePtr variableTagWithExpression(GRMustacheExpressionPtr expression, bool escapesHTML,
                                                                  GRMustacheContentType contentType);

    bool escapesHTML() const { return m_escapesHTML; }
    GRMustacheContentType contentType() const { return m_contentType; }

    GRMustacheTagType type() const override { return GRMustacheTagTypeVariable; }
    std::string innerTemplateString() const override { return {}; }
    bool isInverted() const override { return false; }
    std::optional<std::string> renderContentWithContext(const GRMustacheContextPtr& context, bool& HTMLSafe,
                                                        Error& error) const override;
    bool acceptTemplateASTVisitor(GRMustacheTemplateASTVisitor& visitor, Error* error) const override;

protected:
    std::string className() const override { return "GRMustacheVariableTag"; }

private:
    bool m_escapesHTML;
    GRMustacheContentType m_contentType;
};
