#pragma once

#include "GRMustacheTemplateASTNode.h"

#include <string>

class GRMustacheTextNode final : public GRMustacheTemplateASTNode {
public:
    explicit GRMustacheTextNode(std::string text) : GRMustacheTemplateASTNode(Kind::Text), m_text(std::move(text)) {}
    static GRMustacheTemplateASTNodePtr textNodeWithText(std::string text);

    const std::string& text() const { return m_text; }

    bool acceptTemplateASTVisitor(GRMustacheTemplateASTVisitor& visitor, Error* error) const override;

private:
    std::string m_text;
};
