#include "GRMustacheSectionTag.h"

#include "GRMustacheRenderingEngine.h"
#include "GRMustacheTemplateASTVisitor.h"

GRMustacheTemplateASTNodePtr GRMustacheSectionTag::sectionTagWithExpression(GRMustacheExpressionPtr expression,
    bool inverted, std::shared_ptr<const GRMustacheTemplateText> templateString, GRMustacheTokenSpan inner,
    GRMustacheTemplateASTPtr templateAST)
{
    return std::make_shared<GRMustacheSectionTag>(std::move(expression), inverted, std::move(templateString), inner,
                                                  std::move(templateAST));
}

std::string GRMustacheSectionTag::innerTemplateString() const
{
    return std::string(m_templateString->scanned().substr(m_inner.bytes.location, m_inner.bytes.length));
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
