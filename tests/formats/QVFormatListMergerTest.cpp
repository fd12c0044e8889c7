#include "formats/QVFormatListMerger.h"

#include "FormatFixtures.h"
#include "foundation/Log.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

const QVFormatList kList{definition("Hex", "hex"), definition("CSS Hex", "css"), definition("CSS RGB", "css"),
                         definition("UIColor", "swift")};

TEST(QVFormatListMerger, PutsACustomAfterTheLastFormatOfItsGroup)
{
    EXPECT_EQ(namesOf(QVFormatListMerger::merge(kList, {definition("Mine", "css")})),
              (Names{"Hex", "CSS Hex", "CSS RGB", "Mine", "UIColor"}));
    EXPECT_EQ(namesOf(QVFormatListMerger::merge(kList, {definition("Mine", "hex")})),
              (Names{"Hex", "Mine", "CSS Hex", "CSS RGB", "UIColor"}));
    EXPECT_EQ(namesOf(QVFormatListMerger::merge(kList, {definition("Mine", "swift")})),
              (Names{"Hex", "CSS Hex", "CSS RGB", "UIColor", "Mine"}));
}

TEST(QVFormatListMerger, CustomsOfSeveralGroupsNeverLandInsideAnotherGroup)
{
    const auto merged = QVFormatListMerger::merge(kList, {definition("H1", "hex"), definition("C1", "css"), definition("S1", "swift")});
    EXPECT_EQ(namesOf(merged), (Names{"Hex", "H1", "CSS Hex", "CSS RGB", "C1", "UIColor", "S1"}));
}

TEST(QVFormatListMerger, LaterCustomsOfOneGroupStandFirst)
{
    EXPECT_EQ(namesOf(QVFormatListMerger::merge(kList, {definition("A", "custom"), definition("B", "custom")})),
              (Names{"Hex", "CSS Hex", "CSS RGB", "UIColor", "B", "A"}));
    EXPECT_EQ(namesOf(QVFormatListMerger::merge(kList, {definition("A", "css"), definition("B", "css")})),
              (Names{"Hex", "CSS Hex", "CSS RGB", "B", "A", "UIColor"}));
}

TEST(QVFormatListMerger, InterleavedGroupsKeepTheirPlaces)
{
    const auto merged = QVFormatListMerger::merge(kList, {definition("N1", "new"), definition("O1", "other"), definition("C1", "css"),
                                                          definition("N2", "new"), definition("H1", "hex"), definition("C2", "css")});
    EXPECT_EQ(namesOf(merged), (Names{"Hex", "H1", "CSS Hex", "CSS RGB", "C2", "C1", "UIColor", "N2", "N1", "O1"}));
}

TEST(QVFormatListMerger, GoesAfterTheLastFormatWhenAGroupIsSplit)
{
    const QVFormatList split{definition("C1", "css"), definition("S", "swift"), definition("C2", "css"), definition("H", "hex")};
    EXPECT_EQ(namesOf(QVFormatListMerger::merge(split, {definition("Mine", "css")})), (Names{"C1", "S", "C2", "Mine", "H"}));
}

TEST(QVFormatListMerger, MergesIntoAnEmptyList)
{
    EXPECT_EQ(namesOf(QVFormatListMerger::merge({}, {definition("A", "css")})), Names{"A"});
}

TEST(QVFormatListMerger, RejectsANameTakenIgnoringCase)
{
    logging::Capture log;
    EXPECT_EQ(namesOf(QVFormatListMerger::merge(kList, {definition("css hex", "custom")})), namesOf(kList));
    EXPECT_EQ(log.lines(), Names{"Error in custom format definition: Format with name css hex already exists!"});
}

TEST(QVFormatListMerger, ComparesNamesAsPlainTextNotAsPatterns)
{
    logging::Capture log;
    EXPECT_EQ(namesOf(QVFormatListMerger::merge(kList, {definition("CSS*", "css"), definition("?ex", "hex")})),
              (Names{"Hex", "?ex", "CSS Hex", "CSS RGB", "CSS*", "UIColor"}));
    EXPECT_TRUE(log.lines().empty());
}

TEST(QVFormatListMerger, OfTwoCustomsWithOneNameTheLaterIsKept)
{
    logging::Capture log;
    QVFormatDefinition later = definition("Twin", "custom", "applescript");
    const auto merged = QVFormatListMerger::merge(kList, {definition("twin", "custom"), later});
    EXPECT_EQ(merged.back(), later);
    EXPECT_EQ(merged.size(), kList.size() + 1);
    EXPECT_TRUE(log.contains("Error in custom format definition: Format with name twin already exists!"));
}

} // namespace
