#pragma once

#include "GRMustacheTemplateAST.h"

#include <string>

// A partial tag: the included template's AST, compiled with the including one.
class GRMustachePartialNode final : public GRMustacheTemplateASTNode {
public:
    GRMustachePartialNode(GRMustacheTemplateASTPtr templateAST, std::string name);
    static std::shared_ptr<const GRMustachePartialNode> partialNodeWithTemplateAST(GRMustacheTemplateASTPtr templateAST,
                                                                                   std::string name);

    // Null only when the template was still compiling when this node was made and
    // its repository has gone since.
    GRMustacheTemplateASTPtr templateAST() const;
    const std::string& name() const { return m_name; }

    bool acceptTemplateASTVisitor(GRMustacheTemplateASTVisitor& visitor, Error* error) const override;
    GRMustacheTemplateASTNodePtr resolveTemplateASTNode(const GRMustacheTemplateASTNodePtr& node) const override;

private:
    // A template that includes itself would own itself: the repository keeps such
    // placeholders alive, so they are held weakly here.
    GRMustacheTemplateASTPtr m_templateAST;
    std::weak_ptr<GRMustacheTemplateAST> m_placeholderAST;
    std::string m_name;
};
