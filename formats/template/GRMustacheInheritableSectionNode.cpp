#include "GRMustacheInheritableSectionNode.h"

#include "GRMustacheTemplateASTVisitor.h"

std::shared_ptr<const GRMustacheInheritableSectionNode> GRMustacheInheritableSectionNode::
    inheritableSectionNodeWithName(std::string name, GRMustacheTemplateASTPtr templateAST)
{
    return std::make_shared<GRMustacheInheritableSectionNode>(std::move(name), std::move(templateAST));
}

bool GRMustacheInheritableSectionNode::acceptTemplateASTVisitor(GRMustacheTemplateASTVisitor& visitor,
                                                                Error* error) const
{
    return visitor.visitInheritableSectionNode(*this, error);
}

GRMustacheTemplateASTNodePtr GRMustacheInheritableSectionNode::resolveTemplateASTNode(
    const GRMustacheTemplateASTNodePtr& node) const
{
    const auto* section = dynamic_cast<const GRMustacheInheritableSectionNode*>(node.get());
    if (section && section->m_name == m_name)
        return shared_from_this();
    return node;
}
