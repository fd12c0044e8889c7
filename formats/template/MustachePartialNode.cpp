#include "MustachePartialNode.h"

#include "MustacheTemplateASTVisitor.h"

#include <algorithm>
#include <vector>

namespace {

// Partial ASTs being folded through on this thread. A template that includes itself
// would fold through its own AST without end; folding through it once more changes
// nothing, so a cycle is cut where it closes.
thread_local std::vector<const MustacheTemplateAST*> resolvingASTs;

class ResolvingScope {
public:
    explicit ResolvingScope(const MustacheTemplateAST* ast) { resolvingASTs.push_back(ast); }
    ~ResolvingScope() { resolvingASTs.pop_back(); }
    ResolvingScope(const ResolvingScope&) = delete;
    ResolvingScope& operator=(const ResolvingScope&) = delete;
};

} // namespace

MustachePartialNode::MustachePartialNode(MustacheTemplateASTPtr templateAST, std::string name)
    : m_name(std::move(name))
{
    if (templateAST && templateAST->isPlaceholder())
        m_placeholderAST = templateAST;
    else
        m_templateAST = std::move(templateAST);
}

std::shared_ptr<const MustachePartialNode> MustachePartialNode::partialNodeWithTemplateAST(
    MustacheTemplateASTPtr templateAST, std::string name)
{
    return std::make_shared<MustachePartialNode>(std::move(templateAST), std::move(name));
}

MustacheTemplateASTPtr MustachePartialNode::templateAST() const
{
    return m_templateAST ? m_templateAST : m_placeholderAST.lock();
}

bool MustachePartialNode::acceptTemplateASTVisitor(MustacheTemplateASTVisitor& visitor, Error* error) const
{
    return visitor.visitPartialNode(*this, error);
}

MustacheTemplateASTNodePtr MustachePartialNode::resolveTemplateASTNode(const MustacheTemplateASTNodePtr& node) const
{
    MustacheTemplateASTNodePtr resolved = node;
    const MustacheTemplateASTPtr ast = templateAST();
    if (ast && std::find(resolvingASTs.begin(), resolvingASTs.end(), ast.get()) == resolvingASTs.end()) {
        const ResolvingScope scope(ast.get());
        for (const MustacheTemplateASTNodePtr& child : ast->templateASTNodes())
            resolved = child->resolveTemplateASTNode(resolved);
    }
    return resolved;
}
