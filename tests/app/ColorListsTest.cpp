#include "app/settings/ColorLists.h"

#include "foundation/Dictionary.h"
#include "foundation/Log.h"

#include <gtest/gtest.h>

namespace {

Color gray(int level)
{
    return Color::sRGB(level / 255.0, level / 255.0, level / 255.0);
}

std::vector<Value> hexEntries(std::size_t count)
{
    std::vector<Value> entries;
    for (std::size_t i = 0; i < count; ++i)
        entries.emplace_back(gray(static_cast<int>(i % 256)).getRGBAHexString());
    return entries;
}

TEST(ColorListsTest, HistoryKeepsNewestFirstWithoutRepeatingTheNewest)
{
    ColorLists lists;
    const Color a = gray(10);
    const Color b = gray(20);
    EXPECT_TRUE(lists.addColor(a));
    EXPECT_FALSE(lists.addColor(a));
    EXPECT_FALSE(lists.addColor(Color::sRGB(10.2 / 255.0, 10 / 255.0, 9.8 / 255.0)));
    EXPECT_TRUE(lists.addColor(b));
    EXPECT_TRUE(lists.addColor(a));
    ASSERT_EQ(lists.historyColors().size(), 3u);
    EXPECT_TRUE(lists.historyColors()[0].isSame32BitColorAs(a));
    EXPECT_TRUE(lists.historyColors()[1].isSame32BitColorAs(b));
    EXPECT_TRUE(lists.historyColors()[2].isSame32BitColorAs(a));
}

TEST(ColorListsTest, TheHundredAndFirstPickDropsTheOldest)
{
    ColorLists lists;
    for (int i = 0; i < 100; ++i)
        lists.addColor(gray(i));
    ASSERT_EQ(lists.historyColors().size(), 100u);
    lists.addColor(gray(200));
    ASSERT_EQ(lists.historyColors().size(), 100u);
    EXPECT_TRUE(lists.historyColors().front().isSame32BitColorAs(gray(200)));
    EXPECT_TRUE(lists.historyColors().back().isSame32BitColorAs(gray(1)));
}

TEST(ColorListsTest, FavouritesCompareAtEightBitsIncludingAlpha)
{
    ColorLists lists;
    lists.setFavoriteColors({Color::sRGB(1, 0, 0, 1), gray(30)});
    EXPECT_TRUE(lists.isFavoriteColor(Color::sRGB(0.999, 0.001, 0, 1)));
    EXPECT_FALSE(lists.isFavoriteColor(Color::sRGB(1, 0, 0, 0.5)));
    EXPECT_FALSE(lists.isFavoriteColor(gray(31)));
}

TEST(ColorListsTest, StoredListsAreCutAtTheirLimits)
{
    EXPECT_EQ(ColorLists::colorsFromHexStrings(hexEntries(150), ColorLists::kHistoryLimit, "HistoryColors").size(), 100u);
    EXPECT_EQ(ColorLists::colorsFromHexStrings(hexEntries(200), ColorLists::kFavoritesLimit, "FavoriteColors").size(), 150u);
    EXPECT_EQ(ColorLists::colorsFromHexStrings(hexEntries(3), ColorLists::kHistoryLimit, "HistoryColors").size(), 3u);
}

TEST(ColorListsTest, EntriesThatAreNotColoursAreSkippedWithALogLine)
{
    const std::vector<Value> entries{Value("FF0000FF"), Value("not a colour"), Value::integer(7), Value(""),
                                     Value(Dictionary{}), Value("00FF0080")};
    logging::Capture log;
    const std::vector<Color> colors = ColorLists::colorsFromHexStrings(entries, ColorLists::kHistoryLimit, "HistoryColors");
    ASSERT_EQ(colors.size(), 2u);
    EXPECT_EQ(colors[0].getRGBAHexString(), "FF0000FF");
    EXPECT_EQ(colors[1].getRGBAHexString(), "00FF0080");
    EXPECT_EQ(log.lines().size(), 4u);
    EXPECT_TRUE(log.contains("HistoryColors"));
}

TEST(ColorListsTest, AMillionBadEntriesLogAFewLinesAndACount)
{
    const std::vector<Value> entries(1000000, Value("not a colour"));
    logging::Capture log;
    EXPECT_TRUE(ColorLists::colorsFromHexStrings(entries, ColorLists::kHistoryLimit, "HistoryColors").empty());
    ASSERT_EQ(log.lines().size(), 11u);
    EXPECT_EQ(log.lines().back(), "999990 more lines like the last one were not logged.");
}

TEST(ColorListsTest, StoredFormIsUpperCaseHexInListOrder)
{
    const Value stored = ColorLists::hexStrings({Color::sRGB(1, 0.5, 0, 1), Color()});
    ASSERT_TRUE(stored.isArray());
    ASSERT_EQ(stored.array()->size(), 2u);
    EXPECT_EQ(*(*stored.array())[0].string(), "FF8000FF");
    EXPECT_EQ(*(*stored.array())[1].string(), "00000000");
}

} // namespace
