#include "formats/QVFormatRepository.h"

#include "FormatFixtures.h"
#include "foundation/Bundle.h"
#include "foundation/CommandLineState.h"
#include "foundation/Log.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

const Names kFixtureNames{"Hex", "CSS Hex", "CSS RGB", "UIColor", "NSColor", "Illustrator Fill", "Python Tuple"};

Value customFormat(const std::string& name, const std::string& group)
{
    return Value(Dictionary{{"name", Value(name)}, {"group", Value(group)}, {"exportFormat", Value("{{hexColor(color)}}")}});
}

class QVFormatRepositoryTest : public testing::Test {
protected:
    void TearDown() override
    {
        commandline::setCLIMode(false);
        Bundle::main().setResourceDirectory({});
    }

    std::unique_ptr<QVFormatRepository> loaded(const std::string& exportFile = "ExportFormats.plist")
    {
        auto repository = std::make_unique<QVFormatRepository>(m_scratch.defaults);
        repository->loadExportFormats(fixturePath(exportFile));
        repository->loadDisplayFormats(fixturePath("DisplayFormats.plist"));
        return repository;
    }

    static Names exportNames(const std::unique_ptr<QVFormatRepository>& repository)
    {
        return namesOf(*repository->exportFormatList());
    }
    UserDefaults& defaults() { return m_scratch.defaults; }

private:
    ScratchDefaults m_scratch;
};

TEST_F(QVFormatRepositoryTest, LoadsBothListsInResourceOrder)
{
    auto repository = loaded();
    EXPECT_EQ(exportNames(repository), kFixtureNames);
    ASSERT_EQ(repository->displayFormatList()->size(), 3u);
    EXPECT_EQ(repository->displayFormatList()->at(1).name(), "RGB");
    EXPECT_EQ(repository->displayFormatList()->at(1).displayFormat(), "{{int255RGBA(color, 3, space)}}");
}

TEST_F(QVFormatRepositoryTest, MergesTheCustomFormatsOfTheSettings)
{
    defaults().setObject("customFormats", Value(std::vector<Value>{customFormat("Mine", "CSS"), Value("junk"), customFormat("Other", "")}));
    logging::Capture log;
    auto repository = loaded();
    EXPECT_EQ(exportNames(repository),
              (Names{"Hex", "CSS Hex", "CSS RGB", "Mine", "UIColor", "NSColor", "Illustrator Fill", "Python Tuple", "Other"}));
    EXPECT_TRUE(log.contains("Error in custom format definition: Definition has to be a dictionary!"));
}

TEST_F(QVFormatRepositoryTest, IgnoresCustomFormatsThatAreNotAnArray)
{
    defaults().setObject("customFormats", customFormat("Mine", "css"));
    logging::Capture log;
    EXPECT_EQ(exportNames(loaded()), kFixtureNames);
    EXPECT_TRUE(log.contains("is not an array"));
}

TEST_F(QVFormatRepositoryTest, WhitelistStringKeepsTheNamedGroupsInAnyCase)
{
    defaults().setObject("formatGroupWhiteList", Value("CSS, Swift"));
    logging::Capture log;
    EXPECT_EQ(exportNames(loaded()), (Names{"CSS Hex", "CSS RGB", "UIColor", "NSColor"}));
    ASSERT_FALSE(log.lines().empty());
    EXPECT_EQ(log.lines().front().rfind("Whitelist for groups: ", 0), 0u);
    EXPECT_TRUE(log.contains("Swift"));
}

TEST_F(QVFormatRepositoryTest, WhitelistArrayEntriesAreTrimmedAndNonStringsIgnored)
{
    defaults().setObject("formatGroupWhiteList", Value(std::vector<Value>{Value(" python\t"), Value::integer(3), Value("hex")}));
    logging::Capture log;
    EXPECT_EQ(exportNames(loaded()), (Names{"Hex", "Python Tuple"}));
    EXPECT_TRUE(log.contains("Whitelist for groups: entry 3 is not a string and is ignored"));
}

TEST_F(QVFormatRepositoryTest, EmptyWhitelistLeavesOnlyTheCustomFormats)
{
    defaults().setObject("formatGroupWhiteList", Value(std::vector<Value>{}));
    defaults().setObject("customFormats", Value(std::vector<Value>{customFormat("Mine", "css")}));
    logging::Capture log;
    EXPECT_EQ(exportNames(loaded()), Names{"Mine"});
    EXPECT_EQ(log.lines().size(), 1u);
    EXPECT_EQ(log.lines().front().rfind("Whitelist for groups: ", 0), 0u);
}

TEST_F(QVFormatRepositoryTest, WhitelistOfAnotherKindIsIgnoredWithALogLine)
{
    defaults().setObject("formatGroupWhiteList", Value::integer(7));
    logging::Capture log;
    EXPECT_EQ(exportNames(loaded()), kFixtureNames);
    EXPECT_TRUE(log.contains("Whitelist for groups ignored: 7 is neither an array nor a string"));
}

TEST_F(QVFormatRepositoryTest, CommandLineModeIgnoresTheWhitelist)
{
    defaults().setObject("formatGroupWhiteList", Value("css"));
    commandline::setCLIMode(true);
    EXPECT_EQ(exportNames(loaded()), kFixtureNames);
}

TEST_F(QVFormatRepositoryTest, UnreadableListsAreEmptyAndStillTakeTheCustoms)
{
    defaults().setObject("customFormats", Value(std::vector<Value>{customFormat("Mine", "css")}));
    for (const char* file : {"Missing.plist", "Corrupt.plist", "NotAnArray.plist"}) {
        logging::Capture log;
        EXPECT_EQ(exportNames(loaded(file)), Names{"Mine"}) << file;
        EXPECT_EQ(log.lines().size(), 1u) << file;
        EXPECT_TRUE(log.contains(fixturePath(file).string())) << file;
    }
}

TEST_F(QVFormatRepositoryTest, EntriesThatAreNotDictionariesAreSkipped)
{
    logging::Capture log;
    EXPECT_EQ(exportNames(loaded("MixedEntries.plist")), Names{"Hex"});
    EXPECT_EQ(log.lines().size(), 2u);
    EXPECT_TRUE(log.contains("entry \"not a format\" is not a dictionary"));
}

TEST_F(QVFormatRepositoryTest, ExportLookups)
{
    auto repository = loaded();
    ASSERT_TRUE(repository->getExportFormatByName("UIColor"));
    EXPECT_EQ(repository->getExportFormatByName("UIColor")->group(), "swift");
    EXPECT_FALSE(repository->getExportFormatByName("uicolor"));
    EXPECT_EQ(repository->getExportFormatIndexByName("CSS RGB"), 2u);
    EXPECT_EQ(repository->getExportFormatIndexByName("Nope"), std::nullopt);
    EXPECT_EQ(repository->getExportFormatNameByIndex(0), "Hex");
    EXPECT_EQ(repository->getExportFormatNameByIndex(6), "Python Tuple");
    EXPECT_EQ(repository->getExportFormatNameByIndex(-1), "undefined");
    EXPECT_EQ(repository->getExportFormatNameByIndex(7), "undefined");
    // A copy of a definition finds the listed one by its name.
    EXPECT_EQ(repository->getExportFormatIndex(definition("NSColor", "elsewhere")), 4u);
}

TEST_F(QVFormatRepositoryTest, DisplayLookups)
{
    auto repository = loaded();
    ASSERT_TRUE(repository->getDisplayFormatByName("HSL"));
    EXPECT_EQ(repository->getDisplayFormatByName("HSL")->displayFormat(), "{{int360(color, hsla.h)}}");
    EXPECT_FALSE(repository->getDisplayFormatByName("hsl"));
    EXPECT_EQ(repository->getDisplayFormatIndexByName("RGB"), 1u);
    EXPECT_EQ(repository->getDisplayFormatIndexByName("CMYK"), std::nullopt);
    EXPECT_EQ(repository->getDisplayFormatNameByIndex(-1), "undefined");
    EXPECT_EQ(repository->getDisplayFormatNameByIndex(3), "undefined");
    EXPECT_EQ(repository->getDisplayFormatIndex(QVDisplayFormatDefinition(Dictionary{{"name", Value("HSL")}})), 2u);
}

TEST_F(QVFormatRepositoryTest, FilterKeepsTheAcceptedFormatsInOrder)
{
    auto repository = loaded();
    const auto before = repository->exportFormatList();
    repository->filterFormatsWith([](const QVFormatDefinition& format) { return format.target() == "clipboard"; });
    EXPECT_EQ(exportNames(repository), (Names{"Hex", "CSS Hex", "CSS RGB", "UIColor", "NSColor", "Python Tuple"}));
    EXPECT_EQ(namesOf(*before), kFixtureNames);
    EXPECT_EQ(repository->getExportFormatIndexByName("Python Tuple"), 5u);

    repository->filterFormatsWith(nullptr);
    EXPECT_TRUE(repository->exportFormatList()->empty());
}

TEST_F(QVFormatRepositoryTest, AllExportFormatsReadsTheBundleWithCustomsAndNoWhitelist)
{
    Bundle::main().setResourceDirectory(fixturePath(""));
    defaults().setObject("formatGroupWhiteList", Value("css"));
    defaults().setObject("customFormats", Value(std::vector<Value>{customFormat("Mine", "python")}));
    Names expected = kFixtureNames;
    expected.push_back("Mine");
    EXPECT_EQ(namesOf(QVFormatRepository::allExportFormats(defaults())), expected);
}

TEST_F(QVFormatRepositoryTest, AddCustomFormatsWithoutSurvivorsReturnsTheListUnchanged)
{
    const QVFormatList list{definition("A", "a")};
    defaults().setObject("customFormats", Value(std::vector<Value>{Value::integer(1)}));
    logging::Capture log;
    EXPECT_EQ(QVFormatRepository::addCustomFormats(list, defaults()), list);
    EXPECT_TRUE(log.contains("Error in custom format definition: Definition has to be a dictionary!"));
}

TEST(QVFormatRepository, SupportsTwoTargets)
{
    EXPECT_EQ(QVFormatRepository::supportedTargets(), (Names{"clipboard", "applescript"}));
}

} // namespace
