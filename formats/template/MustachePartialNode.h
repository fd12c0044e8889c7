#pragma once

#include "MustacheTemplateAST.h"

#include <string>

// A partial tag: the included template's AST, compiled with the including one.
class MustachePartialNode final : public MustacheTemplateASTNode {
public:
    MustachePartialNode(MustacheTemplateASTPtr templateAST, std::string name);
    static std::shared_ptr<const MustachePartialNode> partialNodeWithTemplateAST(MustacheTemplateASTPtr templateAST,
                                                                                   std::string name);

    // Null only when the template was still compiling when this node was made and
    // its repository has gone since.
    MustacheTemplateASTPtr templateAST() const;
    const std::string& name() const { return m_name; }

    bool acceptTemplateASTVisitor(MustacheTemplateASTVisitor& visitor, Error* error) const override;
    MustacheTemplateASTNodePtr resolveTemplateASTNode(const MustacheTemplateASTNodePtr& node) const override;

private:
    // A template that includes itself would own itself: the repository keeps such
    // placeholders alive, so they are held weakly here.
    MustacheTemplateASTPtr m_templateAST;
    std::weak_ptr<MustacheTemplateAST> m_placeholderAST;
    std::string m_name;
};
