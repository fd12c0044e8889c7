#include "MustacheToken.h"

const std::string& MustacheTemplateText::utf8() const
{
    static const std::string empty;
    return source ? *source : empty;
}

MustacheToken::MustacheToken(MustacheTokenType type, std::shared_ptr<const MustacheTemplateText> templateText,
                                 Value templateID, std::size_t line, MustacheTokenSpan span,
                                 MustacheTokenSpan tagInner)
    : m_type(type)
    , m_templateText(std::move(templateText))
    , m_templateID(std::move(templateID))
    , m_line(line)
    , m_span(span)
    , m_tagInner(tagInner)
{
}

std::shared_ptr<const MustacheToken> MustacheToken::tokenWithType(MustacheTokenType type,
    std::shared_ptr<const MustacheTemplateText> templateText, Value templateID, std::size_t line,
    MustacheTokenSpan span, MustacheTokenSpan tagInner)
{
    return std::make_shared<const MustacheToken>(type, std::move(templateText), std::move(templateID), line, span,
                                                   tagInner);
}
