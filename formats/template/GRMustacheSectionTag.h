#pragma once

#include "GRMustacheTag.h"
#include "GRMustacheTemplateAST.h"
#include "GRMustacheToken.h"
#include "TextRange.h"

class GRMustacheSectionTag final : public GRMustacheTag {
public:
    GRMustacheSectionTag(GRMustacheExpressionPtr expression, bool inverted,
                         std::shared_ptr<const GRMustacheTemplateText> templateString, GRMustacheTokenSpan inner,
                         GRMustacheTemplateASTPtr templateAST)
        : GRMustacheTag(std::move(expression))
        , m_inverted(inverted)
        , m_templateString(std::move(templateString))
        , m_inner(inner)
        , m_templateAST(std::move(templateAST)) {}
    static GRMustacheTemplateASTNodePtr sectionTagWithExpression(GRMustacheExpressionPtr expression, bool inverted,
        std::shared_ptr<const GRMustacheTemplateText> templateString, GRMustacheTokenSpan inner,
        GRMustacheTemplateASTPtr templateAST);

    const std::string& templateString() const { return m_templateString->utf8(); }
    TextRange innerRange() const { return m_inner.units; }
    const GRMustacheTemplateASTPtr& templateAST() const { return m_templateAST; }

    GRMustacheTagType type() const override { return GRMustacheTagTypeSection; }
    std::string innerTemplateString() const override;
    bool isInverted() const override { return m_inverted; }
    std::optional<std::string> renderContentWithContext(const GRMustacheContextPtr& context, bool& HTMLSafe,
                                                        Error& error) const override;
    bool acceptTemplateASTVisitor(GRMustacheTemplateASTVisitor& visitor, Error* error) const override;

protected:
    std::string className() const override { return "GRMustacheSectionTag"; }

private:
    bool m_inverted;
    std::shared_ptr<const GRMustacheTemplateText> m_templateString;
    GRMustacheTokenSpan m_inner;
    GRMustacheTemplateASTPtr m_templateAST;
};
