#include "StringUtils.h"

#include "Value.h"

#include <algorithm>
#include <cwctype>
#include <locale.h>
#include <wctype.h>

namespace strings {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one UTF-8 sequence at s[i], advancing i; malformed bytes read as U+FFFD.
char32_t decode(std::string_view s, std::size_t& i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = byte(i);
    int extra = 0;
    char32_t c = 0;
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        c = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        c = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        c = lead & 0x07;
    } else {
        ++i;
        return kReplacement;
    }
    if (i + static_cast<std::size_t>(extra) >= s.size()) {
        ++i;
        return kReplacement;
    }
    for (int k = 1; k <= extra; ++k) {
        if ((byte(i + static_cast<std::size_t>(k)) & 0xC0) != 0x80) {
            ++i;
            return kReplacement;
        }
        c = (c << 6) | (byte(i + static_cast<std::size_t>(k)) & 0x3F);
    }
    i += static_cast<std::size_t>(extra) + 1;
    static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
    if (c < kMinimum[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return kReplacement;
    return c;
}

void encode(char32_t c, std::string& out)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::u32string toUtf32(std::string_view s)
{
    std::u32string result;
    result.reserve(s.size());
    for (std::size_t i = 0; i < s.size();)
        result += decode(s, i);
    return result;
}

std::string fromUtf32(std::u32string_view s)
{
    std::string result;
    result.reserve(s.size());
    for (const char32_t c : s)
        encode(c, result);
    return result;
}

namespace {

// Case mapping needs Unicode tables; the C.UTF-8 locale carries them whatever the
// process locale is.
locale_t unicodeLocale()
{
    static const locale_t locale = [] {
        locale_t l = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
        return l ? l : newlocale(LC_CTYPE_MASK, "C", static_cast<locale_t>(nullptr));
    }();
    return locale;
}

void appendUpper(char32_t c, std::u32string& out)
{
    if (c == U'\u00DF') {
        out += U"SS";
        return;
    }
    out += static_cast<char32_t>(towupper_l(static_cast<wint_t>(c), unicodeLocale()));
}

char32_t lower(char32_t c)
{
    return static_cast<char32_t>(towlower_l(static_cast<wint_t>(c), unicodeLocale()));
}

std::string trim(std::string_view s, bool (*member)(char32_t))
{
    const std::u32string text = toUtf32(s);
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && member(text[first]))
        ++first;
    while (last > first && member(text[last - 1]))
        --last;
    return fromUtf32(std::u32string_view(text).substr(first, last - first));
}

bool likeMatch(const std::u32string& text, const std::u32string& pattern)
{
    std::size_t t = 0;
    std::size_t p = 0;
    std::size_t starP = std::u32string::npos;
    std::size_t starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == U'*') {
            starP = p++;
            starT = t;
            continue;
        }
        if (p < pattern.size()) {
            char32_t expected = pattern[p];
            bool escaped = false;
            if (expected == U'\\' && p + 1 < pattern.size()) {
                expected = pattern[p + 1];
                escaped = true;
            }
            if ((!escaped && expected == U'?') || expected == text[t]) {
                p += escaped ? 2 : 1;
                ++t;
                continue;
            }
        }
        if (starP == std::u32string::npos)
            return false;
        p = starP + 1;
        t = ++starT;
    }
    while (p < pattern.size() && pattern[p] == U'*')
        ++p;
    return p == pattern.size();
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::u16string toUtf16(std::string_view utf8)
{
    std::u16string result;
    result.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        if (static_cast<unsigned char>(utf8[i]) < 0x80) {
            result += static_cast<char16_t>(utf8[i++]); // ASCII, the usual case, needs no decoding
            continue;
        }
        const char32_t c = decode(utf8, i);
        if (c >= 0x10000) {
            result += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            result += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            result += static_cast<char16_t>(c);
        }
    }
    return result;
}

std::string fromUtf16(std::u16string_view utf16)
{
    std::string result;
    result.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t c = utf16[i];
        if (c < 0x80) {
            result += static_cast<char>(c);
            continue;
        }
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
        }
        encode(c, result);
    }
    return result;
}

std::string validUtf8(std::string_view text)
{
    if (isValidUtf8(text))
        return std::string(text);
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size();)
        encode(decode(text, i), result);
    return result;
}

bool isValidUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        const std::size_t start = i;
        if (decode(text, i) == kReplacement && text.substr(start, i - start) != "\xEF\xBF\xBD")
            return false;
    }
    return true;
}

std::size_t utf16Length(std::string_view utf8)
{
    std::size_t length = 0;
    for (std::size_t i = 0; i < utf8.size();)
        length += decode(utf8, i) >= 0x10000 ? 2 : 1;
    return length;
}

std::string utf16Substring(std::string_view utf8, std::size_t location, std::size_t length)
{
    const std::u16string units = toUtf16(utf8);
    if (location >= units.size())
        return {};
    return fromUtf16(std::u16string_view(units).substr(location, length));
}

bool isBlank(char32_t c)
{
    return c == U'\t' || c == U' ' || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x202F
        || c == 0x205F || c == 0x3000;
}

bool isWhitespaceOrNewline(char32_t c)
{
    return isBlank(c) || (c >= 0x0A && c <= 0x0D) || c == 0x85 || c == 0x2028 || c == 0x2029;
}

std::string trimWhitespaceAndNewlines(std::string_view s)
{
    return trim(s, &isWhitespaceOrNewline);
}

std::string trimBlanks(std::string_view s)
{
    return trim(s, &isBlank);
}

std::string uppercase(std::string_view s)
{
    std::u32string result;
    for (const char32_t c : toUtf32(s))
        appendUpper(c, result);
    return fromUtf32(result);
}

std::string lowercase(std::string_view s)
{
    std::u32string text = toUtf32(s);
    std::transform(text.begin(), text.end(), text.begin(), lower);
    return fromUtf32(text);
}

std::string capitalized(std::string_view s)
{
    std::u32string result;
    bool wordStart = true;
    for (const char32_t c : toUtf32(s)) {
        if (isWhitespaceOrNewline(c)) {
            result += c;
            wordStart = true;
        } else if (wordStart) {
            appendUpper(c, result);
            wordStart = false;
        } else {
            result += lower(c);
        }
    }
    return fromUtf32(result);
}

std::string format(std::string_view pattern, const std::vector<Value>& arguments)
{
    static constexpr std::string_view kIntegerSpecifiers[] = {"lld", "llu", "ld", "lu", "zu", "li", "d", "i", "u"};
    std::string result;
    std::size_t next = 0;
    const auto nextArgument = [&]() { return next < arguments.size() ? arguments[next++] : Value(); };
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%' || i + 1 == pattern.size()) {
            result += pattern[i];
            continue;
        }
        const std::string_view rest = pattern.substr(i + 1);
        if (rest.front() == '%') {
            result += '%';
            ++i;
            continue;
        }
        if (rest.front() == '@') {
            result += nextArgument().description();
            ++i;
            continue;
        }
        const auto* specifier = std::find_if(std::begin(kIntegerSpecifiers), std::end(kIntegerSpecifiers),
                                             [&](std::string_view s) { return rest.starts_with(s); });
        if (specifier != std::end(kIntegerSpecifiers)) {
            const Value argument = nextArgument();
            result += argument.isNumber() ? std::to_string(argument.integerValue()) : argument.description();
            i += specifier->size();
            continue;
        }
        result += '%';
    }
    return result;
}

bool like(std::string_view text, std::string_view pattern)
{
    std::u32string t = toUtf32(text);
    std::u32string p = toUtf32(pattern);
    std::transform(t.begin(), t.end(), t.begin(), lower);
    std::transform(p.begin(), p.end(), p.begin(), lower);
    return likeMatch(t, p);
}

std::optional<std::uint32_t> scanHex(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size()) {
        std::size_t next = i;
        if (!isWhitespaceOrNewline(decode(s, next)))
            break;
        i = next;
    }
    std::size_t digitsStart = i;
    if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X') && i + 2 < s.size()
        && hexDigit(s[i + 2]) >= 0)
        digitsStart = i + 2;
    std::uint64_t value = 0;
    bool overflow = false;
    std::size_t k = digitsStart;
    for (; k < s.size() && hexDigit(s[k]) >= 0; ++k) {
        value = value * 16 + static_cast<std::uint64_t>(hexDigit(s[k]));
        if (value > 0xFFFFFFFFull) {
            overflow = true;
            value = 0xFFFFFFFFull;
        }
    }
    if (k == digitsStart)
        return std::nullopt;
    return overflow ? 0xFFFFFFFFu : static_cast<std::uint32_t>(value);
}

bool startsWith(std::string_view s, std::string_view prefix)
{
    return s.starts_with(prefix);
}

bool endsWith(std::string_view s, std::string_view suffix)
{
    return s.ends_with(suffix);
}

std::vector<std::string> split(std::string_view s, std::string_view separator)
{
    std::vector<std::string> parts;
    if (separator.empty()) {
        parts.emplace_back(s);
        return parts;
    }
    std::size_t start = 0;
    for (std::size_t found = s.find(separator); found != std::string_view::npos; found = s.find(separator, start)) {
        parts.emplace_back(s.substr(start, found - start));
        start = found + separator.size();
    }
    parts.emplace_back(s.substr(start));
    return parts;
}

std::string join(const std::vector<std::string>& parts, std::string_view separator)
{
    std::string result;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            result += separator;
        result += parts[i];
    }
    return result;
}

} // namespace strings
