#include "MustacheVariableTag.h"

#include "MustacheTemplateASTVisitor.h"

MustacheTemplateASTNodePtr MustacheVariableTag::variableTagWithExpression(MustacheExpressionPtr expression,
                                                                              bool escapesHTML,
                                                                              MustacheContentType contentType)
{
    return std::make_shared<MustacheVariableTag>(std::move(expression), escapesHTML, contentType);
}

bool MustacheVariableTag::acceptTemplateASTVisitor(MustacheTemplateASTVisitor& visitor, Error* error) const
{
    return visitor.visitVariableTag(*this, error);
}

std::optional<std::string> MustacheVariableTag::renderContentWithContext(const MustacheContextPtr&, bool& HTMLSafe,
                                                                           Error&) const
{
    HTMLSafe = m_contentType == MustacheContentTypeHTML;
    return std::string();
}
