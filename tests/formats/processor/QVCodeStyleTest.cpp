#include "formats/processor/QVCodeStyle.h"

#include "foundation/Dictionary.h"
#include "foundation/Log.h"

#include <gtest/gtest.h>

using Key = QVCodeStyle::Key;

TEST(QVCodeStyleTest, BuiltInStyleHasTheDefaults)
{
    const QVCodeStyle style;
    EXPECT_FALSE(style.flag(Key::DecimalUseFractions));
    EXPECT_EQ(style.string(Key::DecimalSuffix), "f");
    EXPECT_TRUE(style.flag(Key::DecimalRemoveTrailingZeroes));
    EXPECT_EQ(style.integer(Key::DecimalPrecision), 3);
    EXPECT_TRUE(style.flag(Key::DecimalShortenOneAndZero));
    EXPECT_EQ(style.string(Key::IntListSeparator), ",");
    EXPECT_EQ(style.string(Key::HexPrefix), "0x");
    EXPECT_TRUE(style.flag(Key::HexUsePrefix));
    EXPECT_EQ(style.string(Key::HexListSeparator), " ");
    EXPECT_TRUE(style.flag(Key::WhiteSpaceCsv));
    EXPECT_FALSE(style.flag(Key::WhiteSpaceKvc));
    EXPECT_TRUE(style.value(Key::DecimalUsePrefix).isNumber());
}

TEST(QVCodeStyleTest, KeyPathsListEveryKeyInGroupOrder)
{
    const auto& paths = QVCodeStyle::keyPaths();
    ASSERT_EQ(paths.size(), QVCodeStyle::kKeyCount);
    EXPECT_EQ(paths.front(), "decimal.useFractions");
    EXPECT_EQ(paths[7], "decimal.precision");
    EXPECT_EQ(paths.back(), "whiteSpace.kvc");
}

TEST(QVCodeStyleTest, DictionaryValueNestsGroupsAndKeys)
{
    const Value value = QVCodeStyle().dictionaryValue();
    ASSERT_TRUE(value.isDictionary());
    EXPECT_EQ(value.dictionary()->keys(), (std::vector<std::string>{"decimal", "int", "hex", "css", "whiteSpace"}));
    EXPECT_EQ(value.valueForKey("hex").valueForKey("prefix"), Value("0x"));
    EXPECT_EQ(value.valueForKey("decimal").dictionary()->size(), 10u);
}

TEST(QVCodeStyleTest, MergeTakesOnlyKnownKeys)
{
    const Value stored(Dictionary{{"hex", Value(Dictionary{{"useUppercase", Value::integer(1)}, {"unknown", Value::integer(5)}})},
        {"other", Value(Dictionary{{"x", Value::integer(1)}})}});
    const QVCodeStyle style = QVCodeStyle::merged(stored);
    EXPECT_TRUE(style.flag(Key::HexUseUppercase));
    const Value merged = style.dictionaryValue();
    EXPECT_FALSE(merged.dictionary()->contains("other"));
    EXPECT_TRUE(merged.valueForKey("hex").valueForKey("unknown").isNil());
    for (std::size_t i = 0; i < QVCodeStyle::kKeyCount; ++i) {
        if (Key(i) != Key::HexUseUppercase) {
            EXPECT_EQ(style.value(Key(i)), QVCodeStyle().value(Key(i))) << QVCodeStyle::keyPath(Key(i));
        }
    }
}

TEST(QVCodeStyleTest, MergeOfNilIsTheBuiltInStyle)
{
    logging::Capture capture;
    const QVCodeStyle style = QVCodeStyle::merged(Value());
    EXPECT_EQ(style.dictionaryValue(), QVCodeStyle().dictionaryValue());
    EXPECT_TRUE(capture.lines().empty());
}

TEST(QVCodeStyleTest, MergeAcceptsBooleansAndStrings)
{
    const Value stored(Dictionary{{"decimal", Value(Dictionary{{"useSuffix", Value::boolean(true)},
                                                  {"suffix", Value("d")},
                                                  {"precision", Value::integer(5)}})}});
    const QVCodeStyle style = QVCodeStyle::merged(stored);
    EXPECT_TRUE(style.flag(Key::DecimalUseSuffix));
    EXPECT_EQ(style.string(Key::DecimalSuffix), "d");
    EXPECT_EQ(style.integer(Key::DecimalPrecision), 5);
}

TEST(QVCodeStyleTest, GroupThatIsNotADictionaryIsIgnoredWithALogLine)
{
    logging::Capture capture;
    const Value stored(Dictionary{{"hex", Value("uppercase")}, {"css", Value(Dictionary{{"useUppercase", Value::integer(1)}})}});
    const QVCodeStyle style = QVCodeStyle::merged(stored);
    EXPECT_EQ(style.string(Key::HexPrefix), "0x");
    EXPECT_TRUE(style.flag(Key::CssUseUppercase));
    ASSERT_EQ(capture.lines().size(), 1u);
    EXPECT_TRUE(capture.contains("hex"));
}

TEST(QVCodeStyleTest, ValueOfTheWrongKindKeepsTheBuiltInValueWithALogLine)
{
    logging::Capture capture;
    const Value stored(Dictionary{{"hex", Value(Dictionary{{"prefix", Value::integer(7)}, {"usePrefix", Value("no")}})},
        {"decimal", Value(Dictionary{{"precision", Value::null()}})}});
    const QVCodeStyle style = QVCodeStyle::merged(stored);
    EXPECT_EQ(style.string(Key::HexPrefix), "0x");
    EXPECT_TRUE(style.flag(Key::HexUsePrefix));
    EXPECT_EQ(style.integer(Key::DecimalPrecision), 3);
    EXPECT_EQ(capture.lines().size(), 3u);
    EXPECT_TRUE(capture.contains("hex.prefix"));
    EXPECT_TRUE(capture.contains("hex.usePrefix"));
    EXPECT_TRUE(capture.contains("decimal.precision"));
}

TEST(QVCodeStyleTest, StoredStyleThatIsNotADictionaryGivesTheBuiltInStyle)
{
    logging::Capture capture;
    const QVCodeStyle style = QVCodeStyle::merged(Value("style"));
    EXPECT_EQ(style.dictionaryValue(), QVCodeStyle().dictionaryValue());
    EXPECT_EQ(capture.lines().size(), 1u);
}
