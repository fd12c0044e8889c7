#pragma once

#include "foundation/Error.h"

#include <memory>

class MustacheTemplateASTVisitor;
class MustacheTemplateASTNode;

using MustacheTemplateASTNodePtr = std::shared_ptr<const MustacheTemplateASTNode>;

// A node of a compiled template.
class MustacheTemplateASTNode : public std::enable_shared_from_this<MustacheTemplateASTNode> {
public:
    // The final classes the rendering engine renders without a visit.
    enum class Kind { Text, VariableTag, Other };

    virtual ~MustacheTemplateASTNode() = default;

    Kind kind() const { return m_kind; }

    virtual bool acceptTemplateASTVisitor(MustacheTemplateASTVisitor& visitor, Error* error) const = 0;
    // Template inheritance: the node to render in place of `node`. Most nodes leave it.
    virtual MustacheTemplateASTNodePtr resolveTemplateASTNode(const MustacheTemplateASTNodePtr& node) const
    {
        return node;
    }

protected:
    MustacheTemplateASTNode() = default;
    explicit MustacheTemplateASTNode(Kind kind) : m_kind(kind) {}

private:
    Kind m_kind = Kind::Other;
};
