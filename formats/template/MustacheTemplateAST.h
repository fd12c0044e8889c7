#pragma once

#include "MustacheContentType.h"
#include "MustacheTemplateASTNode.h"

#include <optional>
#include <vector>

// A compiled template: its nodes and content type. A placeholder has no nodes yet; it
// stands for a template still compiling and is filled in when that compilation ends.
class MustacheTemplateAST final : public MustacheTemplateASTNode {
public:
    using Nodes = std::vector<MustacheTemplateASTNodePtr>;

    MustacheTemplateAST(std::optional<Nodes> nodes, MustacheContentType contentType)
        : m_nodes(std::move(nodes)), m_contentType(contentType) {}

    static std::shared_ptr<MustacheTemplateAST> templateASTWithASTNodes(Nodes nodes,
                                                                          MustacheContentType contentType);
    static std::shared_ptr<MustacheTemplateAST> placeholderAST();

    bool isPlaceholder() const { return !m_nodes.has_value(); }
    // Empty for a placeholder.
    const Nodes& templateASTNodes() const;
    void setTemplateASTNodes(Nodes nodes) { m_nodes = std::move(nodes); }
    MustacheContentType contentType() const { return m_contentType; }
    void setContentType(MustacheContentType contentType) { m_contentType = contentType; }

    bool acceptTemplateASTVisitor(MustacheTemplateASTVisitor& visitor, Error* error) const override;

private:
    std::optional<Nodes> m_nodes;
    MustacheContentType m_contentType;
};

using MustacheTemplateASTPtr = std::shared_ptr<MustacheTemplateAST>;
