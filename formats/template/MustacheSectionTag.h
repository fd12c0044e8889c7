#pragma once

#include "MustacheTag.h"
#include "MustacheTemplateAST.h"
#include "MustacheToken.h"
#include "TextRange.h"

class MustacheSectionTag final : public MustacheTag {
public:
    MustacheSectionTag(MustacheExpressionPtr expression, bool inverted,
                         std::shared_ptr<const MustacheTemplateText> templateString, MustacheTokenSpan inner,
                         MustacheTemplateASTPtr templateAST)
        : MustacheTag(std::move(expression))
        , m_inverted(inverted)
        , m_templateString(std::move(templateString))
        , m_inner(inner)
        , m_templateAST(std::move(templateAST)) {}
    static MustacheTemplateASTNodePtr sectionTagWithExpression(MustacheExpressionPtr expression, bool inverted,
        std::shared_ptr<const MustacheTemplateText> templateString, MustacheTokenSpan inner,
        MustacheTemplateASTPtr templateAST);

    const std::string& templateString() const { return m_templateString->utf8(); }
    TextRange innerRange() const { return m_inner.units; }
    const MustacheTemplateASTPtr& templateAST() const { return m_templateAST; }

    MustacheTagType type() const override { return MustacheTagTypeSection; }
    std::string innerTemplateString() const override;
    bool isInverted() const override { return m_inverted; }
    std::optional<std::string> renderContentWithContext(const MustacheContextPtr& context, bool& HTMLSafe,
                                                        Error& error) const override;
    bool acceptTemplateASTVisitor(MustacheTemplateASTVisitor& visitor, Error* error) const override;

protected:
    std::string className() const override { return "MustacheSectionTag"; }

private:
    bool m_inverted;
    std::shared_ptr<const MustacheTemplateText> m_templateString;
    MustacheTokenSpan m_inner;
    MustacheTemplateASTPtr m_templateAST;
};
