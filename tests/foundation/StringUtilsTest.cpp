#include "foundation/StringUtils.h"
#include "foundation/Value.h"

#include <gtest/gtest.h>

namespace {

TEST(Utf16, LengthsCountSurrogatePairsAsTwo)
{
    EXPECT_EQ(strings::utf16Length(""), 0u);
    EXPECT_EQ(strings::utf16Length("abc"), 3u);
    EXPECT_EQ(strings::utf16Length("\u00e9\u4e2d"), 2u);
    EXPECT_EQ(strings::utf16Length("\U0001F600"), 2u);
    // A malformed byte counts as one replacement character.
    EXPECT_EQ(strings::utf16Length("a\xff"
                                   "b"),
              3u);
    EXPECT_EQ(strings::utf16Length("\xe4\xb8"), 2u);
}

TEST(Utf16, SubstringsTakeUnitRanges)
{
    const std::string s = "a\U0001F600b\u00e9";
    EXPECT_EQ(strings::utf16Substring(s, 1, 2), "\U0001F600");
    EXPECT_EQ(strings::utf16Substring(s, 3, 10), "b\u00e9");
    EXPECT_EQ(strings::utf16Substring(s, 9, 1), "");
    EXPECT_EQ(strings::fromUtf16(strings::toUtf16(s)), s);
}

TEST(Utf8, ValidityMatchesTheRepair)
{
    for (const char* text : {"", "abc", "\u00e9\U0001F600", "\uFFFD", "\xff", "a\xe4\xb8", "\xed\xa0\x80",
                             "\xc0\xaf", "\xf4\x90\x80\x80", "\xef\xbf"})
        EXPECT_EQ(strings::isValidUtf8(text), strings::validUtf8(text) == text) << text;
    EXPECT_TRUE(strings::isValidUtf8("\uFFFD"));
    EXPECT_FALSE(strings::isValidUtf8("\xed\xa0\x80"));
}

TEST(Trimming, TheTwoCharacterSets)
{
    EXPECT_EQ(strings::trimWhitespaceAndNewlines(" \t\n x y \r\n\u2028"), "x y");
    EXPECT_EQ(strings::trimBlanks(" \t x \n"), "x \n");
    EXPECT_EQ(strings::trimBlanks("\u00a0\u3000x\u2003"), "x");
    EXPECT_EQ(strings::trimWhitespaceAndNewlines("   "), "");
    EXPECT_EQ(strings::trimBlanks(""), "");
}

TEST(CaseMapping, IsUnicodeCorrect)
{
    EXPECT_EQ(strings::uppercase("abc\u00e9\u00df"), "ABC\u00c9SS");
    EXPECT_EQ(strings::lowercase("\u00c9\u0394X"), "\u00e9\u03b4x");
    EXPECT_EQ(strings::capitalized("hello wORLD\tagain"), "Hello World\tAgain");
    EXPECT_EQ(strings::capitalized("\u00e9t\u00c9 x-y"), "\u00c9t\u00e9 X-y");
}

TEST(Formatting, ObjectPlaceholders)
{
    EXPECT_EQ(strings::format("a %@ b %@", {Value("x"), Value::integer(3)}), "a x b 3");
    EXPECT_EQ(strings::format("%@ and %@", {Value()}), "(null) and (null)");
    EXPECT_EQ(strings::format("100%% %@", {Value::null()}), "100% <null>");
    EXPECT_EQ(strings::format("Parse error at line %lu: %@", {Value::integer(4), Value("bad")}),
              "Parse error at line 4: bad");
    EXPECT_EQ(strings::format("trailing %", {}), "trailing %");
}

TEST(LikeMatching, WildcardsAndCase)
{
    EXPECT_TRUE(strings::like("Hello", "hello"));
    EXPECT_TRUE(strings::like("Hello", "h*"));
    EXPECT_TRUE(strings::like("Hello", "*LL*"));
    EXPECT_TRUE(strings::like("Hello", "h?llo"));
    EXPECT_FALSE(strings::like("Hello", "h?lo"));
    EXPECT_TRUE(strings::like("", "*"));
    EXPECT_FALSE(strings::like("", "?"));
    EXPECT_TRUE(strings::like("a*b", "a\\*b"));
    EXPECT_FALSE(strings::like("axb", "a\\*b"));
    EXPECT_TRUE(strings::like("\u00c9t\u00e9", "\u00e9T*"));
    EXPECT_TRUE(strings::like("abcabcabd", "*abd"));
    EXPECT_FALSE(strings::like("abc", "abcd"));
}

TEST(HexScanning, ScannerRules)
{
    EXPECT_EQ(strings::scanHex("FF"), 0xFFu);
    EXPECT_EQ(strings::scanHex("  0x1a2B"), 0x1A2Bu);
    EXPECT_EQ(strings::scanHex("\n 12zz"), 0x12u);
    EXPECT_EQ(strings::scanHex("0x"), 0u);
    EXPECT_EQ(strings::scanHex("FFFFFFFF"), 0xFFFFFFFFu);
    EXPECT_EQ(strings::scanHex("123456789"), 0xFFFFFFFFu);
    EXPECT_EQ(strings::scanHex("0X1FFFFFFFF"), 0xFFFFFFFFu);
    EXPECT_EQ(strings::scanHex("000000000000ff"), 0xFFu);
    EXPECT_EQ(strings::scanHex("0xZZ"), 0u);
    EXPECT_EQ(strings::scanHex(""), std::nullopt);
    EXPECT_EQ(strings::scanHex("  zz"), std::nullopt);
    EXPECT_EQ(strings::scanHex("#FF"), std::nullopt);
}

TEST(SplitJoin, RoundTrip)
{
    EXPECT_EQ(strings::split("a,b,,c", ","), (std::vector<std::string>{"a", "b", "", "c"}));
    EXPECT_EQ(strings::split("", ","), (std::vector<std::string>{""}));
    EXPECT_EQ(strings::join({"a", "b"}, ", "), "a, b");
}

} // namespace
