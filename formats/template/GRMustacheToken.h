#pragma once

#include "TextRange.h"

#include "foundation/Value.h"

#include <memory>
#include <string>

enum GRMustacheTokenType : int {
    GRMustacheTokenTypeText = 0,
    GRMustacheTokenTypeEscapedVariable = 1,
    GRMustacheTokenTypeComment = 2,
    GRMustacheTokenTypeUnescapedVariable = 3,
    GRMustacheTokenTypeSectionOpening = 4,
    GRMustacheTokenTypeInvertedSectionOpening = 5,
    GRMustacheTokenTypeClosing = 6,
    GRMustacheTokenTypePartial = 7,
    GRMustacheTokenTypeSetDelimiter = 8,
    GRMustacheTokenTypePragma = 9,
    GRMustacheTokenTypeInheritablePartial = 10,
    GRMustacheTokenTypeInheritableSectionOpening = 11,
};

// The text a template was parsed from, shared by all tokens of one parse. The
// UTF-16 form is what ranges index.
struct GRMustacheTemplateText {
    std::string utf8;
    std::u16string utf16;
};

// One piece of a template: text or a tag, with where it stands.
class GRMustacheToken final {
public:
    GRMustacheToken(GRMustacheTokenType type, std::shared_ptr<const GRMustacheTemplateText> templateText,
                    Value templateID, std::size_t line, TextRange range, TextRange tagInnerRange = {});

    static std::shared_ptr<const GRMustacheToken> tokenWithType(GRMustacheTokenType type,
        std::shared_ptr<const GRMustacheTemplateText> templateText, Value templateID, std::size_t line,
        TextRange range, TextRange tagInnerRange = {});

    GRMustacheTokenType type() const { return m_type; }
    const std::string& templateString() const { return m_templateText->utf8; }
    const std::shared_ptr<const GRMustacheTemplateText>& templateText() const { return m_templateText; }
    const Value& templateID() const { return m_templateID; }
    std::size_t line() const { return m_line; }
    TextRange range() const { return m_range; }
    TextRange tagInnerRange() const { return m_tagInnerRange; }

    // The whole token, delimiters included for a tag.
    std::string templateSubstring() const;
    std::string tagInnerContent() const;

private:
    std::string substring(TextRange range) const;

    GRMustacheTokenType m_type;
    std::shared_ptr<const GRMustacheTemplateText> m_templateText;
    Value m_templateID;
    std::size_t m_line;
    TextRange m_range;
    TextRange m_tagInnerRange;
};

using GRMustacheTokenPtr = std::shared_ptr<const GRMustacheToken>;
