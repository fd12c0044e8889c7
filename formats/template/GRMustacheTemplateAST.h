#pragma once

#include "GRMustacheContentType.h"
#include "GRMustacheTemplateASTNode.h"

#include <optional>
#include <vector>

// A compiled template: its nodes and content type. A placeholder has no nodes yet; it
// stands for a template still compiling and is filled in when that compilation ends.
class GRMustacheTemplateAST final : public GRMustacheTemplateASTNode {
public:
    using Nodes = std::vector<GRMustacheTemplateASTNodePtr>;

    GRMustacheTemplateAST(std::optional<Nodes> nodes, GRMustacheContentType contentType)
        : m_nodes(std::move(nodes)), m_contentType(contentType) {}

    static std::shared_ptr<GRMustacheTemplateAST> templateASTWithASTNodes(Nodes nodes,
                                                                          GRMustacheContentType contentType);
    static std::shared_ptr<GRMustacheTemplateAST> placeholderAST();

    bool isPlaceholder() const { return !m_nodes.has_value(); }
    // Empty for a placeholder.
    const Nodes& templateASTNodes() const;
    void setTemplateASTNodes(Nodes nodes) { m_nodes = std::move(nodes); }
    GRMustacheContentType contentType() const { return m_contentType; }
    void setContentType(GRMustacheContentType contentType) { m_contentType = contentType; }

    bool acceptTemplateASTVisitor(GRMustacheTemplateASTVisitor& visitor, Error* error) const override;

private:
    std::optional<Nodes> m_nodes;
    GRMustacheContentType m_contentType;
};

using GRMustacheTemplateASTPtr = std::shared_ptr<GRMustacheTemplateAST>;
