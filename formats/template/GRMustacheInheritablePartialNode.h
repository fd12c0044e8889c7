#pragma once

#include "GRMustachePartialNode.h"

// `{{<layout}}...{{/layout}}`: renders the layout with the enclosed sections overriding its own.
class GRMustacheInheritablePartialNode final : public GRMustacheTemplateASTNode {
public:
    GRMustacheInheritablePartialNode(std::shared_ptr<const GRMustachePartialNode> partialNode,
                                     GRMustacheTemplateASTPtr overridingTemplateAST)
        : m_partialNode(std::move(partialNode)), m_overridingTemplateAST(std::move(overridingTemplateAST)) {}
    static std::shared_ptr<const GRMustacheInheritablePartialNode> inheritablePartialNodeWithPartialNode(
        std::shared_ptr<const GRMustachePartialNode> partialNode, GRMustacheTemplateASTPtr overridingTemplateAST);

    const std::shared_ptr<const GRMustachePartialNode>& partialNode() const { return m_partialNode; }
    const GRMustacheTemplateASTPtr& overridingTemplateAST() const { return m_overridingTemplateAST; }

    bool acceptTemplateASTVisitor(GRMustacheTemplateASTVisitor& visitor, Error* error) const override;
    GRMustacheTemplateASTNodePtr resolveTemplateASTNode(const GRMustacheTemplateASTNodePtr& node) const override;

private:
    std::shared_ptr<const GRMustachePartialNode> m_partialNode;
    GRMustacheTemplateASTPtr m_overridingTemplateAST;
};
