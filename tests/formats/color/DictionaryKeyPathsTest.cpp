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

TEST(DeepCopy, CopiesEqualTheOriginalAtEveryLevel)
{
    const Dictionary style = keypaths::mutableDeepCopy(codeStyle());
    EXPECT_EQ(style, codeStyle());
    EXPECT_EQ(style.keys(), codeStyle().keys());
    EXPECT_EQ(keypaths::extractAllKeyPathes(style), keypaths::extractAllKeyPathes(codeStyle()));
}

TEST(DictionaryMerge, ReceiverWinsOneLevelOnly)
{
    const Dictionary merged = keypaths::dictionaryByMergingDictionary(
        Dictionary{{"a", Value::integer(1)}}, Dictionary{{"a", Value::integer(2)}, {"b", Value::integer(3)}});
    EXPECT_EQ(merged, (Dictionary{{"a", Value::integer(1)}, {"b", Value::integer(3)}}));

    const Dictionary nested = keypaths::dictionaryByMergingDictionary(
        Dictionary{{"g", Value(Dictionary{{"x", Value::integer(1)}})}},
        Dictionary{{"g", Value(Dictionary{{"y", Value::integer(2)}})}});
    EXPECT_EQ(nested.get("g"), Value(Dictionary{{"x", Value::integer(1)}}));
}

} // namespace
