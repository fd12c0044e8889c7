#include "GRMustacheInheritablePartialNode.h"

#include "GRMustacheTemplateASTVisitor.h"

std::shared_ptr<const GRMustacheInheritablePartialNode> GRMustacheInheritablePartialNode::
    inheritablePartialNodeWithPartialNode(std::shared_ptr<const GRMustachePartialNode> partialNode,
                                          GRMustacheTemplateASTPtr overridingTemplateAST)
{
    return std::make_shared<GRMustacheInheritablePartialNode>(std::move(partialNode),
                                                              std::move(overridingTemplateAST));
}

bool GRMustacheInheritablePartialNode::acceptTemplateASTVisitor(GRMustacheTemplateASTVisitor& visitor,
                                                                Error* error) const
{
    return visitor.visitInheritablePartialNode(*this, error);
}

GRMustacheTemplateASTNodePtr GRMustacheInheritablePartialNode::resolveTemplateASTNode(
    const GRMustacheTemplateASTNodePtr& node) const
{
    GRMustacheTemplateASTNodePtr resolved = node;
    for (const GRMustacheTemplateASTNodePtr& child : m_overridingTemplateAST->templateASTNodes())
        resolved = child->resolveTemplateASTNode(resolved);
    return resolved;
}
