#pragma once

#include "TextRange.h"

#include "foundation/Value.h"

#include <memory>
#include <string>
#include <string_view>

enum MustacheTokenType : int {
    MustacheTokenTypeText = 0,
    MustacheTokenTypeEscapedVariable = 1,
    MustacheTokenTypeComment = 2,
    MustacheTokenTypeUnescapedVariable = 3,
    MustacheTokenTypeSectionOpening = 4,
    MustacheTokenTypeInvertedSectionOpening = 5,
    MustacheTokenTypeClosing = 6,
    MustacheTokenTypePartial = 7,
    MustacheTokenTypeSetDelimiter = 8,
    MustacheTokenTypePragma = 9,
    MustacheTokenTypeInheritablePartial = 10,
    MustacheTokenTypeInheritableSectionOpening = 11,
};

// The text a template was parsed from, shared by all tokens of one parse. Tokens cut
// their texts from `scanned`, the text with malformed bytes read as U+FFFD; their
// ranges count UTF-16 units.
struct MustacheTemplateText {
    // The text as given; null reads as empty.
    std::shared_ptr<const std::string> source;
    // Empty when the source is well formed and can be scanned as it is.
    std::string repaired;

    const std::string& utf8() const;
    std::string_view scanned() const { return repaired.empty() ? std::string_view(utf8()) : std::string_view(repaired); }
};

// Where a token stands: UTF-16 units, as ranges are reported, and bytes of the scanned text.
struct MustacheTokenSpan {
    TextRange units;
    TextRange bytes;
};

// One piece of a template: text or a tag, with where it stands.
class MustacheToken final {
public:
    MustacheToken(MustacheTokenType type, std::shared_ptr<const MustacheTemplateText> templateText,
                    Value templateID, std::size_t line, MustacheTokenSpan span, MustacheTokenSpan tagInner = {});

    static std::shared_ptr<const MustacheToken> tokenWithType(MustacheTokenType type,
        std::shared_ptr<const MustacheTemplateText> templateText, Value templateID, std::size_t line,
        MustacheTokenSpan span, MustacheTokenSpan tagInner = {});

    MustacheTokenType type() const { return m_type; }
    const std::string& templateString() const { return m_templateText->utf8(); }
    const std::shared_ptr<const MustacheTemplateText>& templateText() const { return m_templateText; }
    const Value& templateID() const { return m_templateID; }
    std::size_t line() const { return m_line; }
    TextRange range() const { return m_span.units; }
    TextRange tagInnerRange() const { return m_tagInner.units; }
    const MustacheTokenSpan& span() const { return m_span; }

    // The whole token, delimiters included for a tag.
    std::string_view templateSubstring() const { return substring(m_span.bytes); }
    std::string_view tagInnerContent() const { return substring(m_tagInner.bytes); }

private:
    std::string_view substring(TextRange bytes) const
    {
        return m_templateText->scanned().substr(bytes.location, bytes.length);
    }

    MustacheTokenType m_type;
    std::shared_ptr<const MustacheTemplateText> m_templateText;
    Value m_templateID;
    std::size_t m_line;
    MustacheTokenSpan m_span;
    MustacheTokenSpan m_tagInner;
};

using MustacheTokenPtr = std::shared_ptr<const MustacheToken>;
