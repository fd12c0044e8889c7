#pragma once

#include "MustachePartialNode.h"

// `{{<layout}}...{{/layout}}`: renders the layout with the enclosed sections overriding its own.
class MustacheInheritablePartialNode final : public MustacheTemplateASTNode {
public:
    MustacheInheritablePartialNode(std::shared_ptr<const MustachePartialNode> partialNode,
                                     MustacheTemplateASTPtr overridingTemplateAST)
        : m_partialNode(std::move(partialNode)), m_overridingTemplateAST(std::move(overridingTemplateAST)) {}
    static std::shared_ptr<const MustacheInheritablePartialNode> inheritablePartialNodeWithPartialNode(
        std::shared_ptr<const MustachePartialNode> partialNode, MustacheTemplateASTPtr overridingTemplateAST);

    const std::shared_ptr<const MustachePartialNode>& partialNode() const { return m_partialNode; }
    const MustacheTemplateASTPtr& overridingTemplateAST() const { return m_overridingTemplateAST; }

    bool acceptTemplateASTVisitor(MustacheTemplateASTVisitor& visitor, Error* error) const override;
    MustacheTemplateASTNodePtr resolveTemplateASTNode(const MustacheTemplateASTNodePtr& node) const override;

private:
    std::shared_ptr<const MustachePartialNode> m_partialNode;
    MustacheTemplateASTPtr m_overridingTemplateAST;
};
