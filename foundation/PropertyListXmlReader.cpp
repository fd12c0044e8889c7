#include "PropertyListXmlReader.h"

#include "PropertyListParts.h"
#include "StringUtils.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <limits>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr char32_t kReplacementCharacter = 0xFFFD;
constexpr std::size_t kLongestEntity = 12;

struct InlineMarkup {
    std::string_view open;
    std::string_view close;
    bool kept;
};
// Markup inside text: sections are text, comments and instructions nothing.
constexpr InlineMarkup kInlineMarkup[] = {{"<![CDATA[", "]]>", true}, {"<!--", "-->", false}, {"<?", "?>", false}};
constexpr InlineMarkup kDocumentType{"<!DOCTYPE", ">", false};

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isNameCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == ':'
        || c == '-' || c == '.';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

void appendCodePoint(std::string& out, char32_t c)
{
    // Surrogates, NUL and what lies past Unicode have no UTF-8 form of their own.
    if (c == 0 || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
        c = kReplacementCharacter;
    out += strings::fromUtf32(std::u32string_view(&c, 1));
}

// The character an entity (the text between '&' and ';') stands for.
bool appendEntity(std::string& out, std::string_view entity)
{
    static constexpr std::pair<std::string_view, char> kNamed[] = {
        {"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"quot", '"'}, {"apos", '\''}};
    for (const auto& [name, c] : kNamed) {
        if (entity == name) {
            out += c;
            return true;
        }
    }
    if (entity.size() < 2 || entity.front() != '#')
        return false;
    const bool hex = entity[1] == 'x' || entity[1] == 'X';
    const std::string_view digits = entity.substr(hex ? 2 : 1);
    std::uint32_t code = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
    if (digits.empty() || end != digits.data() + digits.size())
        return false;
    appendCodePoint(out, ec == std::errc() ? code : kReplacementCharacter);
    return true;
}

// As libplist reads integers: signed when written with a minus, else unsigned, and
// unsigned values beyond our integers keep their magnitude as a real.
Value integerFrom(std::string_view text)
{
    text = trimmed(text);
    if (text.starts_with('-')) {
        long long value = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (ec == std::errc::result_out_of_range)
            value = std::numeric_limits<long long>::min();
        return Value::integer(value);
    }
    if (text.starts_with('+'))
        text.remove_prefix(1);
    int base = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        base = 16;
    }
    unsigned long long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (ec == std::errc::result_out_of_range)
        value = std::numeric_limits<unsigned long long>::max();
    if (value > static_cast<unsigned long long>(std::numeric_limits<long long>::max()))
        return Value::real(static_cast<double>(value));
    return Value::integer(static_cast<long long>(value));
}

Value realFrom(std::string_view text)
{
    text = trimmed(text);
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+'))
        text.remove_prefix(1);
    double value = 0;
    if (text == "infinity" || text == "inf")
        value = std::numeric_limits<double>::infinity();
    else if (text == "nan")
        value = std::numeric_limits<double>::quiet_NaN();
    else
        std::from_chars(text.data(), text.data() + text.size(), value);
    return Value::real(negative ? -value : value);
}

// "YYYY-MM-DDTHH:MM:SSZ", kept within the range a date can be written back in.
Value dateFrom(std::string_view text)
{
    const std::string written(trimmed(text));
    std::tm utc{};
    double seconds = 0;
    if (std::sscanf(written.c_str(), "%d-%d-%dT%d:%d:%d", &utc.tm_year, &utc.tm_mon, &utc.tm_mday, &utc.tm_hour,
                    &utc.tm_min, &utc.tm_sec) == 6) {
        utc.tm_year -= 1900;
        utc.tm_mon -= 1;
        seconds = static_cast<double>(::timegm(&utc) - propertylist::kReferenceDateOffset);
    }
    return Value::date(std::clamp(seconds, static_cast<double>(std::numeric_limits<std::int32_t>::min()),
                                  static_cast<double>(std::numeric_limits<std::int32_t>::max())));
}

int base64Digit(char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

// Characters outside the alphabet (line breaks, indentation) are passed over.
Value dataFrom(std::string_view text)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() / 4 * 3);
    std::uint32_t bits = 0;
    int count = 0;
    for (const char c : text) {
        if (c == '=')
            break;
        const int digit = base64Digit(c);
        if (digit < 0)
            continue;
        bits = (bits << 6) | static_cast<std::uint32_t>(digit);
        count += 6;
        if (count >= 8) {
            count -= 8;
            bytes.push_back(static_cast<std::uint8_t>((bits >> count) & 0xFF));
        }
    }
    return Value::data(std::move(bytes));
}

} // namespace

Value PropertyListXmlReader::read(std::string_view text, Error* error)
{
    PropertyListXmlReader reader(text.starts_with(kByteOrderMark) ? text.substr(kByteOrderMark.size()) : text);
    return reader.readDocument(error);
}

bool PropertyListXmlReader::skipToTag(bool inContent)
{
    for (;;) {
        m_at = m_text.find('<', m_at);
        if (m_at == std::string_view::npos)
            return false;
        const std::string_view rest = m_text.substr(m_at);
        // Sections between values hold only blanks; a document type may only come first.
        std::optional<InlineMarkup> skipped;
        for (const InlineMarkup& markup : kInlineMarkup) {
            if (rest.starts_with(markup.open) && (!markup.kept || inContent))
                skipped = markup;
        }
        if (!skipped && rest.starts_with(kDocumentType.open) && !inContent)
            skipped = kDocumentType;
        if (!skipped)
            return !rest.starts_with("<!");
        const std::size_t end = m_text.find(skipped->close, m_at + skipped->open.size());
        if (end == std::string_view::npos)
            return false;
        m_at = end + skipped->close.size();
    }
}

std::optional<PropertyListXmlReader::Tag> PropertyListXmlReader::readTag()
{
    Tag tag;
    std::size_t at = m_at + 1;
    if (at < m_text.size() && m_text[at] == '/') {
        tag.closing = true;
        ++at;
    }
    const std::size_t nameStart = at;
    while (at < m_text.size() && isNameCharacter(m_text[at]))
        ++at;
    tag.name = m_text.substr(nameStart, at - nameStart);
    if (tag.name.empty() || at == m_text.size() || !(isSpace(m_text[at]) || m_text[at] == '/' || m_text[at] == '>'))
        return std::nullopt;
    // The tag ends at the first '>' outside double quotes, as libplist reads it.
    bool quoted = false;
    for (; at < m_text.size(); ++at) {
        if (m_text[at] == '"')
            quoted = !quoted;
        else if (m_text[at] == '>' && !quoted)
            break;
    }
    if (at == m_text.size())
        return std::nullopt;
    tag.empty = m_text[at - 1] == '/';
    m_at = at + 1;
    return tag;
}

std::optional<std::string> PropertyListXmlReader::readText(std::string_view name, const Tag& tag)
{
    std::string text;
    if (tag.empty)
        return text;
    for (;;) {
        const std::size_t special = m_text.find_first_of("<&", m_at);
        if (special == std::string_view::npos)
            return std::nullopt;
        text.append(m_text.substr(m_at, special - m_at));
        m_at = special;
        if (m_text[m_at] == '&') {
            const std::size_t end = m_text.substr(m_at, kLongestEntity).find(';');
            if (end == std::string_view::npos || !appendEntity(text, m_text.substr(m_at + 1, end - 1)))
                return std::nullopt;
            m_at += end + 1;
            continue;
        }
        const std::string_view rest = m_text.substr(m_at);
        for (const auto& [open, close, kept] : kInlineMarkup) {
            if (!rest.starts_with(open))
                continue;
            const std::size_t end = m_text.find(close, m_at + open.size());
            if (end == std::string_view::npos)
                return std::nullopt;
            if (kept)
                text.append(m_text.substr(m_at + open.size(), end - m_at - open.size()));
            m_at = end + close.size();
            break;
        }
        if (m_at != special)
            continue;
        const std::optional<Tag> end = readTag();
        if (!end || !end->closing || end->name != name)
            return std::nullopt;
        return text;
    }
}

std::optional<Value> PropertyListXmlReader::scalar(std::string_view name, const Tag& tag)
{
    if (name == "true" || name == "false") {
        if (!readText(name, tag))
            return std::nullopt;
        return Value::boolean(name == "true");
    }
    std::optional<std::string> text = readText(name, tag);
    if (!text)
        return std::nullopt;
    // A key outside a dictionary reads as a string, as libplist reads it.
    if (name == "string" || name == "key")
        return Value(strings::validUtf8(*text));
    if (name == "integer")
        return integerFrom(*text);
    if (name == "real")
        return realFrom(*text);
    if (name == "date")
        return dateFrom(*text);
    if (name == "data")
        return dataFrom(*text);
    return std::nullopt;
}

bool PropertyListXmlReader::place(Value value)
{
    if (m_open.empty()) {
        m_root = std::move(value);
        return true;
    }
    Container& open = m_open.back();
    if (!open.isDictionary) {
        open.items.push_back(std::move(value));
        return true;
    }
    if (!open.key)
        return false;
    open.entries.set(*open.key, std::move(value));
    open.key.reset();
    return true;
}

Value PropertyListXmlReader::readDocument(Error* error)
{
    const auto notAPropertyList = [error] {
        propertylist::setError(error, propertylist::kNotAPropertyList, propertylist::kNotAPropertyListMessage);
        return Value();
    };
    bool inPlist = false;
    while (!m_root) {
        const bool inContent = inPlist || !m_open.empty();
        if (!skipToTag(inContent))
            return notAPropertyList();
        const std::optional<Tag> tag = readTag();
        if (!tag)
            return notAPropertyList();
        const std::string_view name = tag->name;
        if (tag->closing) {
            // A key left without a value is dropped, as libplist drops it.
            if (m_open.empty() || name != (m_open.back().isDictionary ? "dict" : "array"))
                return notAPropertyList();
            Container done = std::move(m_open.back());
            m_open.pop_back();
            if (!place(done.isDictionary ? Value(std::move(done.entries)) : Value(std::move(done.items))))
                return notAPropertyList();
        } else if (name == "plist" && !inContent && !tag->empty) {
            inPlist = true;
        } else if (name == "array" || name == "dict") {
            if (tag->empty) {
                if (!place(name == "dict" ? Value(Dictionary{}) : Value(std::vector<Value>{})))
                    return notAPropertyList();
            } else if (m_open.size() == static_cast<std::size_t>(propertylist::kMaximumDepth)) {
                propertylist::setError(error, propertylist::kTooDeep, propertylist::kTooDeepMessage);
                return {};
            } else {
                m_open.push_back({name == "dict", {}, {}, std::nullopt});
            }
        } else if (name == "key" && !m_open.empty() && m_open.back().isDictionary) {
            std::optional<std::string> key = readText(name, *tag);
            if (!key || m_open.back().key)
                return notAPropertyList();
            m_open.back().key = strings::validUtf8(*key);
        } else {
            std::optional<Value> value = scalar(name, *tag);
            if (!value || !place(std::move(*value)))
                return notAPropertyList();
        }
    }
    return m_root;
}
