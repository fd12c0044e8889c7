#include "GRMustacheTag.h"

#include "GRMustacheRendering.h"

std::string GRMustacheTag::description() const
{
    const GRMustacheTokenPtr& token = m_expression->token();
    if (!token)
        return "<" + className() + ">";
    std::string text = "<" + className() + " `" + std::string(token->templateSubstring()) + "` at line "
        + std::to_string(token->line());
    if (token->templateID())
        text += " of template " + token->templateID().description();
    return text + ">";
}

GRMustacheTemplateRepository* GRMustacheTag::templateRepository() const
{
    return GRMustacheRendering::currentTemplateRepository();
}
