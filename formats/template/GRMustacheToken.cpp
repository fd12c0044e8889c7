#include "GRMustacheToken.h"

const std::string& GRMustacheTemplateText::utf8() const
{
    static const std::string empty;
    return source ? *source : empty;
}

GRMustacheToken::GRMustacheToken(GRMustacheTokenType type, std::shared_ptr<const GRMustacheTemplateText> templateText,
                                 Value templateID, std::size_t line, GRMustacheTokenSpan span,
                                 GRMustacheTokenSpan tagInner)
    : m_type(type)
    , m_templateText(std::move(templateText))
    , m_templateID(std::move(templateID))
    , m_line(line)
    , m_span(span)
    , m_tagInner(tagInner)
{
}

std::shared_ptr<const GRMustacheToken> GRMustacheToken::tokenWithType(GRMustacheTokenType type,
    std::shared_ptr<const GRMustacheTemplateText> templateText, Value templateID, std::size_t line,
    GRMustacheTokenSpan span, GRMustacheTokenSpan tagInner)
{
    return std::make_shared<const GRMustacheToken>(type, std::move(templateText), std::move(templateID), line, span,
                                                   tagInner);
}
