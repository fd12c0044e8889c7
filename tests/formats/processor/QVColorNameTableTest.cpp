#include "formats/processor/QVColorNameTable.h"

#include <gtest/gtest.h>

TEST(QVColorNameTableTest, HoldsTheBasicAndExtendedNames)
{
    const QVColorNameTable& table = QVColorNameTable::shared();
    EXPECT_EQ(table.nameForKey("#FF0000"), "red");
    EXPECT_EQ(table.nameForKey("#663399"), "rebeccapurple");
    EXPECT_EQ(table.nameForKey("#F0F8FF"), "aliceblue");
    EXPECT_EQ(table.size(), 139u);
    EXPECT_FALSE(table.nameForKey("#ff0000"));
    EXPECT_FALSE(table.nameForKey("#123456"));
}

TEST(QVColorNameTableTest, BasicNameWinsWhereBothListsHaveTheColour)
{
    const QVColorNameTable& table = QVColorNameTable::shared();
    // The extended list names these cyan, magenta and grey.
    EXPECT_EQ(table.nameForKey("#00FFFF"), "aqua");
    EXPECT_EQ(table.nameForKey("#FF00FF"), "fuchsia");
    EXPECT_EQ(table.nameForKey("#808080"), "gray");
}
