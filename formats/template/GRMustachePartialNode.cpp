#include "GRMustachePartialNode.h"

#include "GRMustacheTemplateASTVisitor.h"

#include <algorithm>
#include <vector>

namespace {

// Partial ASTs being folded through on this thread. A template that includes itself
// would fold through its own AST without end; folding through it once more changes
// nothing, so a cycle is cut where it closes.
thread_local std::vector<const GRMustacheTemplateAST*> resolvingASTs;

class ResolvingScope {
public:
    explicit ResolvingScope(const GRMustacheTemplateAST* ast) { resolvingASTs.push_back(ast); }
    ~ResolvingScope() { resolvingASTs.pop_back(); }
    ResolvingScope(const ResolvingScope&) = delete;
    ResolvingScope& operator=(const ResolvingScope&) = delete;
};

} // namespace

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
    const GRMustacheTemplateASTPtr ast = templateAST();
    if (ast && std::find(resolvingASTs.begin(), resolvingASTs.end(), ast.get()) == resolvingASTs.end()) {
        const ResolvingScope scope(ast.get());
        for (const GRMustacheTemplateASTNodePtr& child : ast->templateASTNodes())
            resolved = child->resolveTemplateASTNode(resolved);
    }
    return resolved;
}
