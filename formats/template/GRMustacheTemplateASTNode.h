#pragma once

#include "foundation/Error.h"

#include <memory>

class GRMustacheTemplateASTVisitor;
class GRMustacheTemplateASTNode;

using GRMustacheTemplateASTNodePtr = std::shared_ptr<const GRMustacheTemplateASTNode>;

// A node of a compiled template.
class GRMustacheTemplateASTNode : public std::enable_shared_from_this<GRMustacheTemplateASTNode> {
public:
    // The final classes the rendering engine renders without a visit.
    enum class Kind { Text, VariableTag, Other };

    virtual ~GRMustacheTemplateASTNode() = default;

    Kind kind() const { return m_kind; }

    virtual bool acceptTemplateASTVisitor(GRMustacheTemplateASTVisitor& visitor, Error* error) const = 0;
    // Template inheritance: the node to render in place of `node`. Most nodes leave it.
    virtual GRMustacheTemplateASTNodePtr resolveTemplateASTNode(const GRMustacheTemplateASTNodePtr& node) const
    {
        return node;
    }

protected:
    GRMustacheTemplateASTNode() = default;
    explicit GRMustacheTemplateASTNode(Kind kind) : m_kind(kind) {}

private:
    Kind m_kind = Kind::Other;
};
