#pragma once

#include "MustacheContentType.h"
#include "MustacheTag.h"

class MustacheVariableTag final : public MustacheTag {
public:
    MustacheVariableTag(MustacheExpressionPtr expression, bool escapesHTML, MustacheContentType contentType)
        : MustacheTag(std::move(expression), Kind::VariableTag), m_escapesHTML(escapesHTML), m_contentType(contentType)
    {
    }
    static MustacheTemplateASTNodePtr variableTagWithExpression(MustacheExpressionPtr expression, bool escapesHTML,
                                                                  MustacheContentType contentType);

    bool escapesHTML() const { return m_escapesHTML; }
    MustacheContentType contentType() const { return m_contentType; }

    MustacheTagType type() const override { return MustacheTagTypeVariable; }
    std::string innerTemplateString() const override { return {}; }
    bool isInverted() const override { return false; }
    std::optional<std::string> renderContentWithContext(const MustacheContextPtr& context, bool& HTMLSafe,
                                                        Error& error) const override;
    bool acceptTemplateASTVisitor(MustacheTemplateASTVisitor& visitor, Error* error) const override;

protected:
    std::string className() const override { return "MustacheVariableTag"; }

private:
    bool m_escapesHTML;
    MustacheContentType m_contentType;
};
