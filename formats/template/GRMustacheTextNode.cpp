#include "GRMustacheTextNode.h"

#include "GRMustacheTemplateASTVisitor.h"

GRMustacheTemplateASTNodePtr GRMustacheTextNode::textNodeWithText(std::string text)
{
    return std::make_shared<GRMustacheTextNode>(std::move(text));
}

bool GRMustacheTextNode::acceptTemplateASTVisitor(GRMustacheTemplateASTVisitor& visitor, Error* error) const
{
    return visitor.visitTextNode(*this, error);
}
