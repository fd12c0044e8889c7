#include "MustacheTag.h"

#include "MustacheRendering.h"

std::string MustacheTag::description() const
{
    const MustacheTokenPtr& token = m_expression->token();
    if (!token)
        return "<" + className() + ">";
    std::string text = "<" + className() + " `" + std::string(token->templateSubstring()) + "` at line "
        + std::to_string(token->line());
    if (token->templateID())
        text += " of template " + token->templateID().description();
    return text + ">";
}

MustacheTemplateRepository* MustacheTag::templateRepository() const
{
    return MustacheRendering::currentTemplateRepository();
}
