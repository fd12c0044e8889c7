#include "MustacheTemplateAST.h"

#include "MustacheTemplateASTVisitor.h"

std::shared_ptr<MustacheTemplateAST> MustacheTemplateAST::templateASTWithASTNodes(Nodes nodes,
                                                                                       MustacheContentType contentType)
{
    return std::make_shared<MustacheTemplateAST>(std::move(nodes), contentType);
}

std::shared_ptr<MustacheTemplateAST> MustacheTemplateAST::placeholderAST()
{
    return std::make_shared<MustacheTemplateAST>(std::nullopt, MustacheContentTypeHTML);
}

const MustacheTemplateAST::Nodes& MustacheTemplateAST::templateASTNodes() const
{
    static const Nodes none;
    return m_nodes ? *m_nodes : none;
}

bool MustacheTemplateAST::acceptTemplateASTVisitor(MustacheTemplateASTVisitor& visitor, Error* error) const
{
    return visitor.visitTemplateAST(*this, error);
}
