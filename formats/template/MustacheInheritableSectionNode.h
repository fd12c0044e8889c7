#pragma once

#include "MustacheTemplateAST.h"

#include <string>

// `{{$name}}...{{/name}}`: a section that an inheriting template may replace.
class MustacheInheritableSectionNode final : public MustacheTemplateASTNode {
public:
    MustacheInheritableSectionNode(std::string name, MustacheTemplateASTPtr templateAST)
        : m_name(std::move(name)), m_templateAST(std::move(templateAST)) {}
    static std::shared_ptr<const MustacheInheritableSectionNode> inheritableSectionNodeWithName(
        std::string name, MustacheTemplateASTPtr templateAST);

    const std::string& name() const { return m_name; }
    const MustacheTemplateASTPtr& templateAST() const { return m_templateAST; }

    bool acceptTemplateASTVisitor(MustacheTemplateASTVisitor& visitor, Error* error) const override;
    MustacheTemplateASTNodePtr resolveTemplateASTNode(const MustacheTemplateASTNodePtr& node) const override;

private:
    std::string m_name;
    MustacheTemplateASTPtr m_templateAST;
};
