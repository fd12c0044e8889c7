#include "GRMustacheVariableTag.h"

#include "GRMustacheTemplateASTVisitor.h"

GRMustacheTemplateASTNodePtr GRMustacheVariableTag::variableTagWithExpression(GRMustacheExpressionPtr expression,
                                                                              bool escapesHTML,
                                                                              GRMustacheContentType contentType)
{
    return std::make_shared<GRMustacheVariableTag>(std::move(expression), escapesHTML, contentType);
}

bool GRMustacheVariableTag::acceptTemplateASTVisitor(GRMustacheTemplateASTVisitor& visitor, Error* error) const
{
    return visitor.visitVariableTag(*this, error);
}

std::optional<std::string> GRMustacheVariableTag::renderContentWithContext(const GRMustacheContextPtr&, bool& HTMLSafe,
                                                                           Error&) const
{
    HTMLSafe = m_contentType == GRMustacheContentTypeHTML;
    return std::string();
}
