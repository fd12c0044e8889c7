#include "MustacheInheritablePartialNode.h"

#include "MustacheTemplateASTVisitor.h"

std::shared_ptr<const MustacheInheritablePartialNode> MustacheInheritablePartialNode::
    inheritablePartialNodeWithPartialNode(std::shared_ptr<const MustachePartialNode> partialNode,
                                          MustacheTemplateASTPtr overridingTemplateAST)
{
    return std::make_shared<MustacheInheritablePartialNode>(std::move(partialNode),
                                                              std::move(overridingTemplateAST));
}

bool MustacheInheritablePartialNode::acceptTemplateASTVisitor(MustacheTemplateASTVisitor& visitor,
                                                                Error* error) const
{
    return visitor.visitInheritablePartialNode(*this, error);
}

MustacheTemplateASTNodePtr MustacheInheritablePartialNode::resolveTemplateASTNode(
    const MustacheTemplateASTNodePtr& node) const
{
    MustacheTemplateASTNodePtr resolved = node;
    for (const MustacheTemplateASTNodePtr& child : m_overridingTemplateAST->templateASTNodes())
        resolved = child->resolveTemplateASTNode(resolved);
    return resolved;
}
