#include "GRMustacheToken.h"

#include "foundation/StringUtils.h"

GRMustacheToken::GRMustacheToken(GRMustacheTokenType type, std::shared_ptr<const GRMustacheTemplateText> templateText,
                                 Value templateID, std::size_t line, TextRange range, TextRange tagInnerRange)
    : m_type(type)
    , m_templateText(std::move(templateText))
    , m_templateID(std::move(templateID))
    , m_line(line)
    , m_range(range)
    , m_tagInnerRange(tagInnerRange)
{
}

std::shared_ptr<const GRMustacheToken> GRMustacheToken::tokenWithType(GRMustacheTokenType type,
    std::shared_ptr<const GRMustacheTemplateText> templateText, Value templateID, std::size_t line, TextRange range,
    TextRange tagInnerRange)
{
    return std::make_shared<const GRMustacheToken>(type, std::move(templateText), std::move(templateID), line, range,
                                                   tagInnerRange);
}

std::string GRMustacheToken::templateSubstring() const
{
    return substring(m_range);
}

std::string GRMustacheToken::tagInnerContent() const
{
    return substring(m_tagInnerRange);
}

std::string GRMustacheToken::substring(TextRange range) const
{
    return strings::fromUtf16(std::u16string_view(m_templateText->utf16).substr(range.location, range.length));
}
