#include "MustacheInheritableSectionNode.h"

#include "MustacheTemplateASTVisitor.h"

std::shared_ptr<const MustacheInheritableSectionNode> MustacheInheritableSectionNode::
    inheritableSectionNodeWithName(std::string name, MustacheTemplateASTPtr templateAST)
{
    return std::make_shared<MustacheInheritableSectionNode>(std::move(name), std::move(templateAST));
}

bool MustacheInheritableSectionNode::acceptTemplateASTVisitor(MustacheTemplateASTVisitor& visitor,
                                                                Error* error) const
{
    return visitor.visitInheritableSectionNode(*this, error);
}

MustacheTemplateASTNodePtr MustacheInheritableSectionNode::resolveTemplateASTNode(
    const MustacheTemplateASTNodePtr& node) const
{
    const auto* section = dynamic_cast<const MustacheInheritableSectionNode*>(node.get());
    if (section && section->m_name == m_name)
        return shared_from_this();
    return node;
}
