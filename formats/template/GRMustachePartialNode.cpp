#include "GRMustachePartialNode.h"

#include "GRMustacheTemplateASTVisitor.h"

GRMustachePartialNode::GRMustachePartialNode(GRMustacheTemplateASTPtr templateAST, std::string name)
    : m_name(std::move(name))
{
    if (templateAST && templateAST->isPlaceholder())
        m_placeholderAST = templateAST;
    else
        m_templateAST = std::move(templateAST);
}

std::shared_ptr<const GRMustachePartialNode> GRMustachePartialNode::partialNodeWithTemplateAST(
    GRMustacheTemplateASTPtr templateAST, std::string name)
{
    return std::make_shared<GRMustachePartialNode>(std::move(templateAST), std::move(name));
}

GRMustacheTemplateASTPtr GRMustachePartialNode::templateAST() const
{
    return m_templateAST ? m_templateAST : m_placeholderAST.lock();
}

bool GRMustachePartialNode::acceptTemplateASTVisitor(GRMustacheTemplateASTVisitor& visitor, Error* error) const
{
    return visitor.visitPartialNode(*this, error);
}

GRMustacheTemplateASTNodePtr GRMustachePartialNode::resolveTemplateASTNode(const GRMustacheTemplateASTNodePtr& node) const
{
    GRMustacheTemplateASTNodePtr resolved = node;
    if (const GRMustacheTemplateASTPtr ast = templateAST()) {
        for (const GRMustacheTemplateASTNodePtr& child : ast->templateASTNodes())
            resolved = child->resolveTemplateASTNode(resolved);
    }
    return resolved;
}
