#pragma once

#include "MustacheTemplateASTNode.h"

#include <string>

class MustacheTextNode final : public MustacheTemplateASTNode {
public:
    explicit MustacheTextNode(std::string text) : MustacheTemplateASTNode(Kind::Text), m_text(std::move(text)) {}
    static MustacheTemplateASTNodePtr textNodeWithText(std::string text);

    const std::string& text() const { return m_text; }

    bool acceptTemplateASTVisitor(MustacheTemplateASTVisitor& visitor, Error* error) const override;

private:
    std::string m_text;
};
