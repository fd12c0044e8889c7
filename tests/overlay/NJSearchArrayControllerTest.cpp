#include "overlay/NJSearchArrayController.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

QVFormatDefinition named(const std::string& name)
{
    return QVFormatDefinition(Dictionary{{"name", Value(name)}});
}

bool matches(const std::string& name, const std::string& filter)
{
    return !NJSearchArrayController::filterObjects({named(name)}, filter).empty();
}

} // namespace

TEST(NJSearchArrayControllerTest, WordsMatchInOrderFromTheStartOfTheLastMatch)
{
    EXPECT_TRUE(matches("CSS RGB", "rgb rg"));
    EXPECT_FALSE(matches("ab", "b a"));
    EXPECT_TRUE(matches("anything", "  "));
    EXPECT_TRUE(matches("Swift UIColor", "SWIFT color"));
    EXPECT_FALSE(matches("Swift UIColor", "color swift"));
    EXPECT_FALSE(matches("HEX", "hexa"));
    EXPECT_TRUE(matches("HEX", ""));
    EXPECT_TRUE(matches("HEX", std::string()));
}

TEST(NJSearchArrayControllerTest, AnyUnicodeSpaceSeparatesWords)
{
    EXPECT_TRUE(matches("CSS RGB", "css\u00A0rgb"));
    EXPECT_TRUE(matches("CSS RGB", "css\trgb"));
    EXPECT_TRUE(matches("CSS RGB", "\u2003css\u202Frgb\u3000"));
    EXPECT_FALSE(matches("CSS RGB", "rgb\u00A0css"));
}

TEST(NJSearchArrayControllerTest, FilterKeepsTheOrderOfTheRows)
{
    const QVFormatList rows{named("CSS RGB"), named("HEX"), named("CSS HSL"), named("Swift")};
    const QVFormatList css = NJSearchArrayController::filterObjects(rows, std::string("css"));
    ASSERT_EQ(css.size(), 2u);
    EXPECT_EQ(css[0].name(), "CSS RGB");
    EXPECT_EQ(css[1].name(), "CSS HSL");
    EXPECT_EQ(NJSearchArrayController::filterObjects(rows, std::nullopt).size(), 4u);
}
