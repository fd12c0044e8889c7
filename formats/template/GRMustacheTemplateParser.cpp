#include "GRMustacheTemplateParser.h"

#include "GRMustacheConfiguration.h"
#include "GRMustacheError.h"
#include "GRMustacheTemplateParserDelegate.h"

#include "foundation/StringUtils.h"

#include <vector>

namespace {

constexpr const char* kNilTemplateString = "Nil template string can not be parsed.";
constexpr const char* kInvalidSetDelimitersTag = "Invalid set delimiters tag";
constexpr const char* kUnclosedTag = "Unclosed Mustache tag";
constexpr const char* kMissingTemplateName = "Missing template name";
constexpr const char* kInvalidTemplateName = "Invalid template name";
constexpr const char* kMissingInheritableSectionName = "Missing inheritable section name";
constexpr const char* kInvalidInheritableSectionName = "Invalid inheritable section name";

constexpr char16_t kLineFeed = u'\n';

bool isWhitespaceUnit(char16_t unit)
{
    return strings::isWhitespaceOrNewline(static_cast<char32_t>(unit));
}

GRMustacheTokenType typeForSigil(char16_t sigil, bool* hasSigil)
{
    *hasSigil = true;
    switch (sigil) {
    case u'!': return GRMustacheTokenTypeComment;
    case u'#': return GRMustacheTokenTypeSectionOpening;
    case u'$': return GRMustacheTokenTypeInheritableSectionOpening;
    case u'%': return GRMustacheTokenTypePragma;
    case u'&': return GRMustacheTokenTypeUnescapedVariable;
    case u'/': return GRMustacheTokenTypeClosing;
    case u'<': return GRMustacheTokenTypeInheritablePartial;
    case u'>': return GRMustacheTokenTypePartial;
    case u'^': return GRMustacheTokenTypeInvertedSectionOpening;
    case u'{': return GRMustacheTokenTypeUnescapedVariable;
    default:
        *hasSigil = false;
        return GRMustacheTokenTypeEscapedVariable;
    }
}

// The delimiter strings derived from one start/end pair.
struct Delimiters {
    std::u16string start;
    std::u16string end;
    std::u16string tripleStart;
    std::u16string tripleEnd;
    std::u16string setDelimitersStart;
    std::u16string setDelimitersEnd;

    Delimiters(std::u16string s, std::u16string e)
        : start(std::move(s)), end(std::move(e)), setDelimitersStart(start + u"="), setDelimitersEnd(u"=" + end)
    {
        if (start == u"{{" && end == u"}}") {
            tripleStart = u"{{{";
            tripleEnd = u"}}}";
        }
    }
};

bool matches(const std::u16string& units, std::size_t i, const std::u16string& delimiter)
{
    if (delimiter.empty() || units[i] != delimiter[0] || i + delimiter.size() > units.size())
        return false;
    return units.compare(i, delimiter.size(), delimiter) == 0;
}

std::vector<std::u16string> splitAtWhitespace(std::u16string_view text)
{
    std::vector<std::u16string> pieces;
    std::u16string piece;
    for (char16_t unit : text) {
        if (isWhitespaceUnit(unit)) {
            if (!piece.empty())
                pieces.push_back(std::move(piece));
            piece.clear();
        } else {
            piece.push_back(unit);
        }
    }
    if (!piece.empty())
        pieces.push_back(std::move(piece));
    return pieces;
}

std::optional<std::string> parseName(const std::string& content, bool* empty, Error* error, const char* missing,
                                     const char* invalid)
{
    const std::string name = strings::trimWhitespaceAndNewlines(content);
    if (name.empty()) {
        if (empty)
            *empty = true;
        setMustacheError(error, makeMustacheError(GRMustacheErrorCodeParseError, missing));
        return std::nullopt;
    }
    for (char16_t unit : strings::toUtf16(name)) {
        if (isWhitespaceUnit(unit)) {
            if (empty)
                *empty = false;
            setMustacheError(error, makeMustacheError(GRMustacheErrorCodeParseError, invalid));
            return std::nullopt;
        }
    }
    return name;
}

enum class ScanState { Start, Text, Tag, Triple, SetDelimiters };

} // namespace

void GRMustacheTemplateParserDelegate::didFailWithError(GRMustacheTemplateParser&, const Error&)
{
}

bool GRMustacheTemplateParserDelegate::shouldContinueAfterParsingToken(GRMustacheTemplateParser&,
                                                                       const GRMustacheTokenPtr&)
{
    return true;
}

GRMustacheTemplateParser::GRMustacheTemplateParser(const GRMustacheConfiguration& configuration)
    : m_tagStartDelimiter(configuration.tagStartDelimiter())
    , m_tagEndDelimiter(configuration.tagEndDelimiter())
{
}

bool GRMustacheTemplateParser::shouldContinueAfterParsingToken(const GRMustacheTokenPtr& token)
{
    return !m_delegate || m_delegate->shouldContinueAfterParsingToken(*this, token);
}

void GRMustacheTemplateParser::failWithParseErrorAtLine(std::size_t line, const std::string& description,
                                                        const Value& templateID)
{
    if (m_delegate)
        m_delegate->didFailWithError(*this, parseError(line, templateID, description));
}

Error GRMustacheTemplateParser::parseError(std::size_t line, const Value& templateID, const std::string& description)
{
    const std::string lineText = std::to_string(line);
    if (templateID)
        return makeMustacheError(GRMustacheErrorCodeParseError, "Parse error at line " + lineText + " of template "
                                                                    + templateID.description() + ": " + description);
    return makeMustacheError(GRMustacheErrorCodeParseError, "Parse error at line " + lineText + ": " + description);
}

std::optional<std::string> GRMustacheTemplateParser::parseTemplateName(const std::string& content, bool* empty,
                                                                       Error* error)
{
    return parseName(content, empty, error, kMissingTemplateName, kInvalidTemplateName);
}

std::optional<std::string> GRMustacheTemplateParser::parseInheritableSectionName(const std::string& content,
                                                                                 bool* empty, Error* error)
{
    return parseName(content, empty, error, kMissingInheritableSectionName, kInvalidInheritableSectionName);
}

std::optional<std::string> GRMustacheTemplateParser::parsePragma(const std::string& content)
{
    std::string pragma = strings::trimWhitespaceAndNewlines(content);
    if (pragma.empty())
        return std::nullopt;
    return pragma;
}

void GRMustacheTemplateParser::parseTemplateString(std::shared_ptr<const std::string> templateString,
                                                   const Value& templateID)
{
    if (!templateString) {
        if (m_delegate)
            m_delegate->didFailWithError(*this, makeMustacheError(GRMustacheErrorCodeTemplateNotFound,
                                                                  kNilTemplateString));
        return;
    }
    if (templateString->empty() || !m_delegate)
        return;

    auto text = std::make_shared<GRMustacheTemplateText>();
    text->utf8 = *templateString;
    text->utf16 = strings::toUtf16(*templateString);
    const std::u16string& units = text->utf16;
    const std::size_t length = units.size();

    Delimiters delimiters(strings::toUtf16(m_tagStartDelimiter), strings::toUtf16(m_tagEndDelimiter));
    ScanState state = ScanState::Start;
    std::size_t line = 1;
    std::size_t tagLine = 1;
    std::size_t pendingStart = 0;

    auto emit = [&](GRMustacheTokenType type, std::size_t tokenLine, TextRange range, TextRange inner) {
        return m_delegate->shouldContinueAfterParsingToken(
            *this, GRMustacheToken::tokenWithType(type, text, templateID, tokenLine, range, inner));
    };
    // Enters the tag state matching an opener at i, if any; i is left after the opener.
    auto enterTag = [&](std::size_t& i) {
        const std::pair<const std::u16string*, ScanState> openers[] = {
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
        const char16_t unit = units[i];
        if (unit == kLineFeed) {
            ++line;
            if (state == ScanState::Start) {
                pendingStart = i;
                state = ScanState::Text;
            }
            ++i;
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
                && !emit(GRMustacheTokenTypeText, line, {textStart, textEnd - textStart}, {}))
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
            GRMustacheTokenType type = GRMustacheTokenTypeEscapedVariable;
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
            if (!emit(GRMustacheTokenTypeUnescapedVariable, tagLine, {pendingStart, tokenEnd - pendingStart},
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
            std::vector<std::u16string> pieces = splitAtWhitespace(std::u16string_view(units).substr(inner.location,
                                                                                                     inner.length));
            if (pieces.size() != 2) {
                failWithParseErrorAtLine(line, kInvalidSetDelimitersTag, templateID);
                return;
            }
            const std::size_t tokenEnd = i + delimiters.setDelimitersEnd.size();
            if (!emit(GRMustacheTokenTypeSetDelimiter, tagLine, {pendingStart, tokenEnd - pendingStart}, inner))
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
        emit(GRMustacheTokenTypeText, line, {pendingStart, length - pendingStart}, {});
        break;
    case ScanState::Tag:
    case ScanState::Triple:
    case ScanState::SetDelimiters:
        failWithParseErrorAtLine(tagLine, kUnclosedTag, templateID);
        break;
    }
}
