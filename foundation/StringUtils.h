#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class Value;

// Text helpers. Strings are UTF-8; where the original counted characters it
// counted UTF-16 units, and so do these.
namespace strings {

std::u16string toUtf16(std::string_view utf8);
std::string fromUtf16(std::u16string_view utf16);
// Code points; malformed bytes read as U+FFFD.
std::u32string toUtf32(std::string_view utf8);
std::string fromUtf32(std::u32string_view utf32);

// The text with every byte sequence that is not UTF-8 replaced by U+FFFD.
std::string validUtf8(std::string_view text);
// Whether validUtf8 would answer the text unchanged.
bool isValidUtf8(std::string_view text);

std::size_t utf16Length(std::string_view utf8);
// The UTF-8 text of the UTF-16 range [location, location + length), clamped to the string.
std::string utf16Substring(std::string_view utf8, std::size_t location, std::size_t length);

// "whitespace and newlines": Unicode white space, line and paragraph separators.
std::string trimWhitespaceAndNewlines(std::string_view s);
// "blanks and tabs": Unicode horizontal white space only.
std::string trimBlanks(std::string_view s);
bool isWhitespaceOrNewline(char32_t c);
bool isBlank(char32_t c);

std::string uppercase(std::string_view s);
std::string lowercase(std::string_view s);
// First letter of every word upper case, the rest lower case.
std::string capitalized(std::string_view s);

// "%@"-style formatting: each "%@" takes the next argument's description (nil prints
// "(null)"); "%%" prints "%". Missing arguments print "(null)".
std::string format(std::string_view pattern, const std::vector<Value>& arguments);

// LIKE[c]: '*' matches any run, '?' one character, '\' escapes; case-insensitive.
bool like(std::string_view text, std::string_view pattern);

// Reads a hex number: optional blanks, optional "0x"/"0X", hex digits. Overflow reads
// 0xFFFFFFFF. nullopt when no digit follows.
std::optional<std::uint32_t> scanHex(std::string_view s);

bool startsWith(std::string_view s, std::string_view prefix);
bool endsWith(std::string_view s, std::string_view suffix);
std::vector<std::string> split(std::string_view s, std::string_view separator);
std::string join(const std::vector<std::string>& parts, std::string_view separator);

} // namespace strings
