#include "GRMustacheSectionTag.h"

#include "GRMustacheRenderingEngine.h"
#include "GRMustacheTemplateASTVisitor.h"

#include "foundation/StringUtils.h"

GRMustacheTemplateASTNodePtr GRMustacheSectionTag::sectionTagWithExpression(GRMustacheExpressionPtr expression,
    bool inverted, std::shared_ptr<const GRMustacheTemplateText> templateString, TextRange innerRange,
    GRMustacheTemplateASTPtr templateAST)
{
    return std::make_shared<GRMustacheSectionTag>(std::move(expression), inverted, std::move(templateString),
                                                  innerRange, std::move(templateAST));
}

std::string GRMustacheSectionTag::innerTemplateString() const
{
    return strings::fromUtf16(
        std::u16string_view(m_templateString->utf16).substr(m_innerRange.location, m_innerRange.length));
}

bool GRMustacheSectionTag::acceptTemplateASTVisitor(GRMustacheTemplateASTVisitor& visitor, Error* error) const
{
    return visitor.visitSectionTag(*this, error);
}

std::optional<std::string> GRMustacheSectionTag::renderContentWithContext(const GRMustacheContextPtr& context,
                                                                          bool& HTMLSafe, Error& error) const
{
    GRMustacheRenderingEngine engine(m_templateAST->contentType(), context);
    return engine.renderTemplateAST(*m_templateAST, HTMLSafe, &error);
}
