#include "MustacheSectionTag.h"

#include "MustacheRenderingEngine.h"
#include "MustacheTemplateASTVisitor.h"

MustacheTemplateASTNodePtr MustacheSectionTag::sectionTagWithExpression(MustacheExpressionPtr expression,
    bool inverted, std::shared_ptr<const MustacheTemplateText> templateString, MustacheTokenSpan inner,
    MustacheTemplateASTPtr templateAST)
{
    return std::make_shared<MustacheSectionTag>(std::move(expression), inverted, std::move(templateString), inner,
                                                  std::move(templateAST));
}

std::string MustacheSectionTag::innerTemplateString() const
{
    return std::string(m_templateString->scanned().substr(m_inner.bytes.location, m_inner.bytes.length));
}

bool MustacheSectionTag::acceptTemplateASTVisitor(MustacheTemplateASTVisitor& visitor, Error* error) const
{
    return visitor.visitSectionTag(*this, error);
}

std::optional<std::string> MustacheSectionTag::renderContentWithContext(const MustacheContextPtr& context,
                                                                          bool& HTMLSafe, Error& error) const
{
    MustacheRenderingEngine engine(m_templateAST->contentType(), context);
    return engine.renderTemplateAST(*m_templateAST, HTMLSafe, &error);
}
