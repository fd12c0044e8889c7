#include "MustacheTextNode.h"

#include "MustacheTemplateASTVisitor.h"

MustacheTemplateASTNodePtr MustacheTextNode::textNodeWithText(std::string text)
{
    return std::make_shared<MustacheTextNode>(std::move(text));
}

bool MustacheTextNode::acceptTemplateASTVisitor(MustacheTemplateASTVisitor& visitor, Error* error) const
{
    return visitor.visitTextNode(*this, error);
}
