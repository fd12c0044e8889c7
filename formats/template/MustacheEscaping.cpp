#include "MustacheEscaping.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

// Replacements for the code units below the table's size; the tables only cover
// ASCII, which UTF-8 never uses inside a multi-byte sequence, so bytes can be
// translated directly.
template <std::size_t N>
using Table = std::array<std::string_view, N>;

// Appends `string` to `result` with the table's replacements.
void translateInto(std::string& result, std::string_view string, const std::string_view* table, std::size_t size)
{
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < string.size(); ++i) {
        const auto unit = static_cast<unsigned char>(string[i]);
        if (unit >= size || table[unit].empty())
            continue;
        result.append(string, runStart, i - runStart);
        result.append(table[unit]);
        runStart = i + 1;
    }
    result.append(string, runStart, std::string_view::npos);
}

std::string translate(const std::string& string, const std::string_view* table, std::size_t size,
                      std::size_t capacityHint)
{
    const bool unchanged = std::all_of(string.begin(), string.end(), [&](char c) {
        const auto unit = static_cast<unsigned char>(c);
        return unit >= size || table[unit].empty();
    });
    if (unchanged)
        return string;
    std::string result;
    result.reserve(capacityHint);
    translateInto(result, string, table, size);
    return result;
}

std::size_t escapeCapacity(const std::string& string)
{
    return static_cast<std::size_t>((static_cast<double>(string.size()) + 20) * 1.2);
}

constexpr Table<63> htmlTable()
{
    Table<63> table{};
    table['"'] = "&quot;";
    table['&'] = "&amp;";
    table['\''] = "&apos;";
    table['<'] = "&lt;";
    table['>'] = "&gt;";
    return table;
}

constexpr Table<65> urlTable()
{
    Table<65> table{};
    table['\t'] = "%09";
    table['\n'] = "%0A";
    table['\r'] = "%0D";
    table[' '] = "%20";
    table['"'] = "%22";
    table['#'] = "%23";
    table['$'] = "%24";
    table['&'] = "%26";
    table['+'] = "%2B";
    table[','] = "%2C";
    table['/'] = "%2F";
    table[':'] = "%3A";
    table[';'] = "%3B";
    table['<'] = "%3C";
    table['='] = "%3D";
    table['>'] = "%3E";
    table['?'] = "%3F";
    table['@'] = "%40";
    return table;
}

bool needsJavascriptEscape(unsigned char unit)
{
    return unit < 32 || unit == '"' || unit == '&' || unit == '\'' || unit == '-' || unit == ';' || unit == '<'
        || unit == '=' || unit == '>' || unit == '\\';
}

// Characters that URLs carry as they are; everything else is percent-escaped first.
bool isLegalURLCharacter(unsigned char c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        return true;
    return std::string_view("-_.!~*'();/?:@&=+$,#[]").find(static_cast<char>(c)) != std::string_view::npos;
}

void appendEscapedUnit(std::string& result, unsigned value, const char* format)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, format, value);
    result += buffer;
}

constexpr Table<63> kHTMLTable = htmlTable();

// The characters kHTMLTable replaces, as bits: all of them are below 64.
constexpr std::uint64_t htmlMask()
{
    std::uint64_t mask = 0;
    for (std::size_t unit = 0; unit < kHTMLTable.size(); ++unit) {
        if (!kHTMLTable[unit].empty())
            mask |= std::uint64_t{1} << unit;
    }
    return mask;
}

constexpr std::uint64_t kHTMLMask = htmlMask();
static_assert(kHTMLMask
                  == (std::uint64_t{1} << '"' | std::uint64_t{1} << '&' | std::uint64_t{1} << '\''
                      | std::uint64_t{1} << '<' | std::uint64_t{1} << '>'),
              "needsHTMLEscape looks for these characters");

} // namespace

std::string MustacheEscaping::escapeHTML(const std::string& string)
{
    return translate(string, kHTMLTable.data(), kHTMLTable.size(), escapeCapacity(string));
}

namespace {

// Whether any of the eight bytes of `word` is `c`.
constexpr bool hasByte(std::uint64_t word, unsigned char c)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    const std::uint64_t v = word ^ (kOnes * c);
    return ((v - kOnes) & ~v & (kOnes << 7)) != 0;
}

// Whether the text holds a character kHTMLTable replaces; eight bytes at a time.
bool needsHTMLEscape(std::string_view string)
{
    std::size_t i = 0;
    for (; i + 8 <= string.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, string.data() + i, sizeof word);
        if (hasByte(word, '"') || hasByte(word, '&') || hasByte(word, '\'') || hasByte(word, '<')
            || hasByte(word, '>'))
            return true;
    }
    return std::any_of(string.begin() + static_cast<std::ptrdiff_t>(i), string.end(), [](char c) {
        const auto unit = static_cast<unsigned char>(c);
        return unit < 64 && ((kHTMLMask >> unit) & 1) != 0;
    });
}

} // namespace

void MustacheEscaping::appendEscapedHTML(std::string& result, std::string_view string)
{
    // Most texts have nothing to replace: find that out with the lightest test.
    if (!needsHTMLEscape(string))
        result += string;
    else
        translateInto(result, string, kHTMLTable.data(), kHTMLTable.size());
}

std::string MustacheEscaping::escapeJavascript(const std::string& string)
{
    // U+2028 and U+2029 end lines in scripts; in UTF-8 they are E2 80 A8 and E2 80 A9.
    auto isSeparatorAt = [&string](std::size_t i) {
        return i + 2 < string.size() && static_cast<unsigned char>(string[i]) == 0xE2
            && static_cast<unsigned char>(string[i + 1]) == 0x80
            && (static_cast<unsigned char>(string[i + 2]) == 0xA8 || static_cast<unsigned char>(string[i + 2]) == 0xA9);
    };
    std::size_t first = 0;
    while (first < string.size() && !isSeparatorAt(first)
           && !needsJavascriptEscape(static_cast<unsigned char>(string[first])))
        ++first;
    if (first == string.size())
        return string;
    std::string result;
    result.reserve(string.size());
    result.append(string, 0, first);
    for (std::size_t i = first; i < string.size(); ++i) {
        const auto unit = static_cast<unsigned char>(string[i]);
        if (isSeparatorAt(i)) {
            result += static_cast<unsigned char>(string[i + 2]) == 0xA8 ? "\\u2028" : "\\u2029";
            i += 2;
        } else if (needsJavascriptEscape(unit)) {
            appendEscapedUnit(result, unit, "\\u%04X");
        } else {
            result += static_cast<char>(unit);
        }
    }
    return result;
}

std::string MustacheEscaping::escapeURL(const std::string& string)
{
    std::string percentEscaped;
    percentEscaped.reserve(string.size());
    for (char c : string) {
        const auto unit = static_cast<unsigned char>(c);
        if (isLegalURLCharacter(unit))
            percentEscaped += c;
        else
            appendEscapedUnit(percentEscaped, unit, "%%%02X");
    }
    static constexpr Table<65> table = urlTable();
    return translate(percentEscaped, table.data(), table.size(), escapeCapacity(percentEscaped));
}
