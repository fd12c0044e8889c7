#pragma once

#include "GRMustacheTemplateAST.h"

#include <string>

// `{{$name}}...{{/name}}`: a section that an inheriting template may replace.
class GRMustacheInheritableSectionNode final : public GRMustacheTemplateASTNode {
public:
    GRMustacheInheritableSectionNode(std::string name, GRMustacheTemplateASTPtr templateAST)
        : m_name(std::move(name)), m_templateAST(std::move(templateAST)) {}
    static std::shared_ptr<const GRMustacheInheritableSectionNode> inheritableSectionNodeWithName(
        std::string name, GRMustacheTemplateASTPtr templateAST);

    const std::string& name() const { return m_name; }
    const GRMustacheTemplateASTPtr& templateAST() const { return m_templateAST; }

    bool acceptTemplateASTVisitor(GRMustacheTemplateASTVisitor& visitor, Error* error) const override;
    GRMustacheTemplateASTNodePtr resolveTemplateASTNode(const GRMustacheTemplateASTNodePtr& node) const override;

private:
    std::string m_name;
    GRMustacheTemplateASTPtr m_templateAST;
};
