#include "formats/color/DictionaryKeyPaths.h"

#include <gtest/gtest.h>

namespace {

Dictionary codeStyle()
{
    return Dictionary{
        {"decimal", Value(Dictionary{{"precision", Value::integer(3)}, {"suffix", Value("f")}})},
        {"css", Value(Dictionary{{"useUppercase", Value::integer(0)}})},
        {"flat", Value("leaf")},
    };
}

TEST(KeyPathExtraction, ListsEveryLeafDepthFirstInKeyOrder)
{
    EXPECT_EQ(keypaths::extractAllKeyPathes(codeStyle()),
              (std::vector<std::string>{"decimal.precision", "decimal.suffix", "css.useUppercase", "flat"}));
    EXPECT_TRUE(keypaths::extractAllKeyPathes(Dictionary{}).empty());

    std::vector<std::string> paths{"kept"};
    keypaths::collectAllKeyPathesInto(paths, Dictionary{{"a", Value::integer(1)}}, "top");
    EXPECT_EQ(paths, (std::vector<std::string>{"kept", "top.a"}));
}

TEST(KeyPathAccess, ReadsAndWritesNestedValues)
{
    Dictionary style = keypaths::mutableDeepCopy(codeStyle());
    EXPECT_EQ(style, codeStyle());
    EXPECT_EQ(keypaths::valueForKeyPath(style, "decimal.precision"), Value::integer(3));
    EXPECT_TRUE(keypaths::valueForKeyPath(style, "decimal.missing").isNil());
    EXPECT_TRUE(keypaths::valueForKeyPath(style, "flat.deeper").isNil());

    keypaths::setValueForKeyPath(style, "decimal.precision", Value::integer(5));
    EXPECT_EQ(keypaths::valueForKeyPath(style, "decimal.precision"), Value::integer(5));
    EXPECT_EQ(keypaths::valueForKeyPath(codeStyle(), "decimal.precision"), Value::integer(3));
    EXPECT_EQ(keypaths::extractAllKeyPathes(style), keypaths::extractAllKeyPathes(codeStyle()));

    keypaths::setValueForKeyPath(style, "nogroup.key", Value::integer(1));
    EXPECT_FALSE(style.contains("nogroup"));
    keypaths::setValueForKeyPath(style, "decimal.suffix", Value());
    EXPECT_TRUE(keypaths::valueForKeyPath(style, "decimal.suffix").isNil());
}

TEST(DictionaryMerge, ReceiverWinsOneLevelOnly)
{
    const Dictionary merged = keypaths::dictionaryByMergingDictionary(
        Dictionary{{"a", Value::integer(1)}}, Dictionary{{"a", Value::integer(2)}, {"b", Value::integer(3)}});
    EXPECT_EQ(merged, (Dictionary{{"a", Value::integer(1)}, {"b", Value::integer(3)}}));

    const Dictionary nested = keypaths::dictionaryByMergingDictionary(
        Dictionary{{"g", Value(Dictionary{{"x", Value::integer(1)}})}},
        Dictionary{{"g", Value(Dictionary{{"y", Value::integer(2)}})}});
    EXPECT_TRUE(keypaths::valueForKeyPath(nested, "g.y").isNil());
}

} // namespace
