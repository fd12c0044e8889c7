#include "MustacheTemplateParser.h"

#include "MustacheConfiguration.h"
#include "MustacheError.h"
#include "MustacheTemplateParserDelegate.h"

#include "foundation/StringUtils.h"

#include <algorithm>
#include <vector>

namespace {

constexpr const char* kNilTemplateString = "Nil template string can not be parsed.";
constexpr const char* kInvalidSetDelimitersTag = "Invalid set delimiters tag";
constexpr const char* kUnclosedTag = "Unclosed Mustache tag";
constexpr const char* kMissingTemplateName = "Missing template name";
constexpr const char* kInvalidTemplateName = "Invalid template name";
constexpr const char* kMissingInheritableSectionName = "Missing inheritable section name";
constexpr const char* kInvalidInheritableSectionName = "Invalid inheritable section name";

constexpr char kLineFeed = '\n';

MustacheTokenType typeForSigil(char sigil, bool* hasSigil)
{
    *hasSigil = true;
    switch (sigil) {
    case '!': return MustacheTokenTypeComment;
    case '#': return MustacheTokenTypeSectionOpening;
    case '$': return MustacheTokenTypeInheritableSectionOpening;
    case '%': return MustacheTokenTypePragma;
    case '&': return MustacheTokenTypeUnescapedVariable;
    case '/': return MustacheTokenTypeClosing;
    case '<': return MustacheTokenTypeInheritablePartial;
    case '>': return MustacheTokenTypePartial;
    case '^': return MustacheTokenTypeInvertedSectionOpening;
    case '{': return MustacheTokenTypeUnescapedVariable;
    default:
        *hasSigil = false;
        return MustacheTokenTypeEscapedVariable;
    }
}

// Texts with malformed bytes read as U+FFFD.
std::string repaired(std::string_view text)
{
    return strings::isValidUtf8(text) ? std::string(text) : strings::validUtf8(text);
}

// The delimiter strings derived from one start/end pair, in well-formed UTF-8. Matching
// their bytes in well-formed text matches their characters.
struct Delimiters {
    std::string start;
    std::string end;
    std::string tripleStart;
    std::string tripleEnd;
    std::string setDelimitersStart;
    std::string setDelimitersEnd;

    Delimiters(std::string s, std::string e)
        : start(std::move(s)), end(std::move(e)), setDelimitersStart(start + "="), setDelimitersEnd("=" + end)
    {
        if (start == "{{" && end == "}}") {
            tripleStart = "{{{";
            tripleEnd = "}}}";
        }
    }
};

bool matches(std::string_view text, std::size_t i, std::string_view delimiter)
{
    if (delimiter.empty() || text[i] != delimiter[0] || i + delimiter.size() > text.size())
        return false;
    return text.compare(i, delimiter.size(), delimiter) == 0;
}

std::vector<std::string> splitAtWhitespace(std::string_view text)
{
    std::vector<std::string> pieces;
    std::u32string piece;
    for (char32_t c : strings::toUtf32(text)) {
        if (strings::isWhitespaceOrNewline(c)) {
            if (!piece.empty())
                pieces.push_back(strings::fromUtf32(piece));
            piece.clear();
        } else {
            piece.push_back(c);
        }
    }
    if (!piece.empty())
        pieces.push_back(strings::fromUtf32(piece));
    return pieces;
}

// UTF-16 offsets of byte offsets in well-formed text, counted on from the last one asked
// for: the scan asks in increasing order.
class UnitCounter {
public:
    explicit UnitCounter(std::string_view text)
        : m_text(text), m_ascii(std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; })) {}

    TextRange units(TextRange bytes)
    {
        const std::size_t location = offset(bytes.location);
        return {location, offset(bytes.end()) - location};
    }

private:
    std::size_t offset(std::size_t byte)
    {
        if (m_ascii)
            return byte;
        if (byte < m_byte) {
            m_byte = 0;
            m_units = 0;
        }
        for (; m_byte < byte; ++m_byte) {
            const auto c = static_cast<unsigned char>(m_text[m_byte]);
            if ((c & 0xC0) != 0x80)
                m_units += c >= 0xF0 ? 2 : 1; // four-byte characters are surrogate pairs
        }
        return m_units;
    }

    std::string_view m_text;
    bool m_ascii;
    std::size_t m_byte = 0;
    std::size_t m_units = 0;
};

std::optional<std::string> parseName(std::string_view content, bool* empty, Error* error, const char* missing,
                                     const char* invalid)
{
    const std::string name = strings::trimWhitespaceAndNewlines(content);
    if (name.empty()) {
        if (empty)
            *empty = true;
        setMustacheError(error, makeMustacheError(MustacheErrorCodeParseError, missing));
        return std::nullopt;
    }
    for (char32_t c : strings::toUtf32(name)) {
        if (strings::isWhitespaceOrNewline(c)) {
            if (empty)
                *empty = false;
            setMustacheError(error, makeMustacheError(MustacheErrorCodeParseError, invalid));
            return std::nullopt;
        }
    }
    return name;
}

enum class ScanState { Start, Text, Tag, Triple, SetDelimiters };

// What a state waits for: the delimiter whose first byte may end it. The openers a text
// waits for all begin with the first byte of the set-delimiters opener.
const std::string* awaitedDelimiter(ScanState state, const Delimiters& delimiters)
{
    switch (state) {
    case ScanState::Start:
        return nullptr;
    case ScanState::Text:
        return &delimiters.setDelimitersStart;
    case ScanState::Tag:
        return &delimiters.end;
    case ScanState::Triple:
        return &delimiters.tripleEnd;
    case ScanState::SetDelimiters:
        return &delimiters.setDelimitersEnd;
    }
    return nullptr;
}

} // namespace

void MustacheTemplateParserDelegate::didFailWithError(MustacheTemplateParser&, const Error&)
{
}

bool MustacheTemplateParserDelegate::shouldContinueAfterParsingToken(MustacheTemplateParser&,
                                                                       const MustacheTokenPtr&)
{
    return true;
}

MustacheTemplateParser::MustacheTemplateParser(const MustacheConfiguration& configuration)
    : m_tagStartDelimiter(configuration.tagStartDelimiter())
    , m_tagEndDelimiter(configuration.tagEndDelimiter())
{
}

bool MustacheTemplateParser::shouldContinueAfterParsingToken(const MustacheTokenPtr& token)
{
    return !m_delegate || m_delegate->shouldContinueAfterParsingToken(*this, token);
}

void MustacheTemplateParser::failWithParseErrorAtLine(std::size_t line, const std::string& description,
                                                        const Value& templateID)
{
    if (m_delegate)
        m_delegate->didFailWithError(*this, parseError(line, templateID, description));
}

Error MustacheTemplateParser::parseError(std::size_t line, const Value& templateID, const std::string& description)
{
    const std::string lineText = std::to_string(line);
    if (templateID)
        return makeMustacheError(MustacheErrorCodeParseError, "Parse error at line " + lineText + " of template "
                                                                    + templateID.description() + ": " + description);
    return makeMustacheError(MustacheErrorCodeParseError, "Parse error at line " + lineText + ": " + description);
}

std::optional<std::string> MustacheTemplateParser::parseTemplateName(std::string_view content, bool* empty,
                                                                       Error* error)
{
    return parseName(content, empty, error, kMissingTemplateName, kInvalidTemplateName);
}

std::optional<std::string> MustacheTemplateParser::parseInheritableSectionName(std::string_view content,
                                                                                 bool* empty, Error* error)
{
    return parseName(content, empty, error, kMissingInheritableSectionName, kInvalidInheritableSectionName);
}

std::optional<std::string> MustacheTemplateParser::parsePragma(std::string_view content)
{
    std::string pragma = strings::trimWhitespaceAndNewlines(content);
    if (pragma.empty())
        return std::nullopt;
    return pragma;
}

void MustacheTemplateParser::parseTemplateString(std::shared_ptr<const std::string> templateString,
                                                   const Value& templateID)
{
    if (!templateString) {
        if (m_delegate)
            m_delegate->didFailWithError(*this, makeMustacheError(MustacheErrorCodeTemplateNotFound,
                                                                  kNilTemplateString));
        return;
    }
    if (templateString->empty() || !m_delegate)
        return;

    auto text = std::make_shared<MustacheTemplateText>();
    text->source = std::move(templateString);
    if (!strings::isValidUtf8(*text->source))
        text->repaired = strings::validUtf8(*text->source);
    const std::string_view units = text->scanned();
    const std::size_t length = units.size();
    UnitCounter counter(units);

    Delimiters delimiters(repaired(m_tagStartDelimiter), repaired(m_tagEndDelimiter));
    ScanState state = ScanState::Start;
    std::size_t line = 1;
    std::size_t tagLine = 1;
    std::size_t pendingStart = 0;

    auto emit = [&](MustacheTokenType type, std::size_t tokenLine, TextRange range, TextRange inner) {
        // In increasing order for the counter: the token's start, its inner range, its end.
        MustacheTokenSpan span{{}, range};
        MustacheTokenSpan innerSpan{{}, inner};
        if (type == MustacheTokenTypeText) {
            span.units = counter.units(range);
        } else {
            const TextRange head = counter.units({range.location, inner.location - range.location});
            innerSpan.units = counter.units(inner);
            span.units = {head.location, counter.units({inner.end(), range.end() - inner.end()}).end() - head.location};
        }
        return m_delegate->shouldContinueAfterParsingToken(
            *this, MustacheToken::tokenWithType(type, text, templateID, tokenLine, span, innerSpan));
    };
    // Enters the tag state matching an opener at i, if any; i is left after the opener.
    auto enterTag = [&](std::size_t& i) {
        const std::pair<const std::string*, ScanState> openers[] = {
            {&delimiters.tripleStart, ScanState::Triple},
            {&delimiters.setDelimitersStart, ScanState::SetDelimiters},
            {&delimiters.start, ScanState::Tag},
        };
        for (const auto& [opener, next] : openers) {
            if (matches(units, i, *opener)) {
                pendingStart = i;
                tagLine = line;
                i += opener->size();
                state = next;
                return true;
            }
        }
        return false;
    };

    std::size_t i = 0;
    while (i < length) {
        const char unit = units[i];
        if (unit == kLineFeed) {
            ++line;
            if (state == ScanState::Start) {
                pendingStart = i;
                state = ScanState::Text;
            }
            ++i;
            continue;
        }
        // Bytes that are neither a line feed nor the start of the awaited delimiter change nothing.
        const std::string* awaited = awaitedDelimiter(state, delimiters);
        const auto isAwaited = [awaited](char c) { return !awaited->empty() && c == (*awaited)[0]; };
        if (awaited && !isAwaited(unit)) {
            do
                ++i;
            while (i < length && units[i] != kLineFeed && !isAwaited(units[i]));
            continue;
        }
        switch (state) {
        case ScanState::Start:
            if (!enterTag(i)) {
                pendingStart = i;
                state = ScanState::Text;
                ++i;
            }
            break;
        case ScanState::Text: {
            const std::size_t textStart = pendingStart;
            const std::size_t textEnd = i;
            if (!enterTag(i)) {
                ++i;
                break;
            }
            if (textEnd > textStart
                && !emit(MustacheTokenTypeText, line, {textStart, textEnd - textStart}, {}))
                return;
            break;
        }
        case ScanState::Tag: {
            if (!matches(units, i, delimiters.end)) {
                ++i;
                break;
            }
            // A sigil only counts when it stands before the end delimiter.
            const std::size_t sigilIndex = pendingStart + delimiters.start.size();
            bool hasSigil = false;
            MustacheTokenType type = MustacheTokenTypeEscapedVariable;
            if (sigilIndex < i)
                type = typeForSigil(units[sigilIndex], &hasSigil);
            const std::size_t innerStart = hasSigil ? sigilIndex + 1 : sigilIndex;
            const std::size_t tokenEnd = i + delimiters.end.size();
            if (!emit(type, tagLine, {pendingStart, tokenEnd - pendingStart}, {innerStart, i - innerStart}))
                return;
            i = tokenEnd;
            pendingStart = tokenEnd;
            state = ScanState::Start;
            break;
        }
        case ScanState::Triple: {
            if (!matches(units, i, delimiters.tripleEnd)) {
                ++i;
                break;
            }
            const std::size_t innerStart = pendingStart + delimiters.tripleStart.size();
            const std::size_t tokenEnd = i + delimiters.tripleEnd.size();
            if (!emit(MustacheTokenTypeUnescapedVariable, tagLine, {pendingStart, tokenEnd - pendingStart},
                      {innerStart, i - innerStart}))
                return;
            i = tokenEnd;
            pendingStart = tokenEnd;
            state = ScanState::Start;
            break;
        }
        case ScanState::SetDelimiters: {
            if (!matches(units, i, delimiters.setDelimitersEnd)) {
                ++i;
                break;
            }
            const std::size_t innerStart = pendingStart + delimiters.setDelimitersStart.size();
            const TextRange inner{innerStart, i - innerStart};
            std::vector<std::string> pieces = splitAtWhitespace(units.substr(inner.location, inner.length));
            if (pieces.size() != 2) {
                failWithParseErrorAtLine(line, kInvalidSetDelimitersTag, templateID);
                return;
            }
            const std::size_t tokenEnd = i + delimiters.setDelimitersEnd.size();
            if (!emit(MustacheTokenTypeSetDelimiter, tagLine, {pendingStart, tokenEnd - pendingStart}, inner))
                return;
            delimiters = Delimiters(std::move(pieces[0]), std::move(pieces[1]));
            i = tokenEnd;
            pendingStart = tokenEnd;
            state = ScanState::Start;
            break;
        }
        }
    }

    switch (state) {
    case ScanState::Start:
        break;
    case ScanState::Text:
        emit(MustacheTokenTypeText, line, {pendingStart, length - pendingStart}, {});
        break;
    case ScanState::Tag:
    case ScanState::Triple:
    case ScanState::SetDelimiters:
        failWithParseErrorAtLine(tagLine, kUnclosedTag, templateID);
        break;
    }
}
