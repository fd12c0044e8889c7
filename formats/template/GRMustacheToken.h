#pragma once

#include "TextRange.h"

#include "foundation/Value.h"

#include <memory>
#include <string>
#include <string_view>

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

// The text a template was parsed from, shared by all tokens of one parse. Tokens cut
// their texts from `scanned`, the text with malformed bytes read as U+FFFD; their
// ranges count UTF-16 units.
struct GRMustacheTemplateText {
    // The text as given; null reads as empty.
    std::shared_ptr<const std::string> source;
    // Empty when the source is well formed and can be scanned as it is.
    std::string repaired;

    const std::string& utf8() const;
    std::string_view scanned() const { return repaired.empty() ? std::string_view(utf8()) : std::string_view(repaired); }
};

// Where a token stands: UTF-16 units, as ranges are reported, and bytes of the scanned text.
struct GRMustacheTokenSpan {
    TextRange units;
    TextRange bytes;
};

// One piece of a template: text or a tag, with where it stands.
class GRMustacheToken final {
public:
    GRMustacheToken(GRMustacheTokenType type, std::shared_ptr<const GRMustacheTemplateText> templateText,
                    Value templateID, std::size_t line, GRMustacheTokenSpan span, GRMustacheTokenSpan tagInner = {});

    static std::shared_ptr<const GRMustacheToken> tokenWithType(GRMustacheTokenType type,
        std::shared_ptr<const GRMustacheTemplateText> templateText, Value templateID, std::size_t line,
        GRMustacheTokenSpan span, GRMustacheTokenSpan tagInner = {});

    GRMustacheTokenType type() const { return m_type; }
    const std::string& templateString() const { return m_templateText->utf8(); }
    const std::shared_ptr<const GRMustacheTemplateText>& templateText() const { return m_templateText; }
    const Value& templateID() const { return m_templateID; }
    std::size_t line() const { return m_line; }
    TextRange range() const { return m_span.units; }
    TextRange tagInnerRange() const { return m_tagInner.units; }
    const GRMustacheTokenSpan& span() const { return m_span; }

    // The whole token, delimiters included for a tag.
    std::string_view templateSubstring() const { return substring(m_span.bytes); }
    std::string_view tagInnerContent() const { return substring(m_tagInner.bytes); }

private:
    std::string_view substring(TextRange bytes) const
    {
        return m_templateText->scanned().substr(bytes.location, bytes.length);
    }

    GRMustacheTokenType m_type;
    std::shared_ptr<const GRMustacheTemplateText> m_templateText;
    Value m_templateID;
    std::size_t m_line;
    GRMustacheTokenSpan m_span;
    GRMustacheTokenSpan m_tagInner;
};

using GRMustacheTokenPtr = std::shared_ptr<const GRMustacheToken>;
