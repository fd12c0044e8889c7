#include "GRMustacheTemplateAST.h"

#include "GRMustacheTemplateASTVisitor.h"

std::shared_ptr<GRMustacheTemplateAST> GRMustacheTemplateAST::templateASTWithASTNodes(Nodes nodes,
                                                                                       GRMustacheContentType contentType)
{
    return std::make_shared<GRMustacheTemplateAST>(std::move(nodes), contentType);
}

std::shared_ptr<GRMustacheTemplateAST> GRMustacheTemplateAST::placeholderAST()
{
    return std::make_shared<GRMustacheTemplateAST>(std::nullopt, GRMustacheContentTypeHTML);
}

const GRMustacheTemplateAST::Nodes& GRMustacheTemplateAST::templateASTNodes() const
{
    static const Nodes none;
    return m_nodes ? *m_nodes : none;
}

bool GRMustacheTemplateAST::acceptTemplateASTVisitor(GRMustacheTemplateASTVisitor& visitor, Error* error) const
{
    return visitor.visitTemplateAST(*this, error);
}
