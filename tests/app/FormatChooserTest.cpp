#include "app/picking/FormatChooser.h"

#include "FormatFixtures.h"
#include "TemporarySettings.h"
#include "app/picking/ScriptRunner.h"
#include "app/settings/SettingsStore.h"
#include "app/picking/UnavailableScriptRunner.h"
#include "foundation/Bundle.h"
#include "foundation/Log.h"

#include <gtest/gtest.h>

namespace {

using namespace formatfixtures;

// A runner that knows a fixed set of installed applications.
class InstalledApplications final : public ScriptRunner {
public:
    std::string name() const override { return "runner"; }
    bool isAvailable() const override { return true; }
    bool isApplicationInstalled(const std::string& identifier) override
    {
        probed.push_back(identifier);
        return identifier == "com.example.Installed";
    }
    bool execute(const std::string&) override { return true; }
    std::vector<std::string> probed;
};

class FormatChooserTest : public ::testing::Test {
protected:
    void make(bool commandLineMode, std::vector<Value> exportFormats = fourExportFormats())
    {
        m_defaults = m_settings.open();
        m_store = std::make_unique<SettingsStore>(*m_defaults);
        m_repository = makeRepository(*m_defaults, m_settings.folder(), std::move(exportFormats), threeDisplayFormats());
        m_chooser = std::make_unique<FormatChooser>(*m_repository, *m_store, commandLineMode);
        // Stands in for the controller's settings observer.
        if (!commandLineMode)
            m_defaults->observeAll([this](const std::string&, const Value&) { m_chooser->applyStoredFormats(); });
    }
    std::string exportName() const { return m_chooser->exportFormat() ? m_chooser->exportFormat()->name() : "-"; }
    std::string displayName() const { return m_chooser->displayFormat() ? m_chooser->displayFormat()->name() : "-"; }
    std::vector<std::string> exportNames() const
    {
        std::vector<std::string> names;
        for (const QVFormatDefinition& format : *m_repository->exportFormatList())
            names.push_back(format.name());
        return names;
    }

    TemporarySettings m_settings;
    std::unique_ptr<UserDefaults> m_defaults;
    std::unique_ptr<SettingsStore> m_store;
    std::unique_ptr<QVFormatRepository> m_repository;
    std::unique_ptr<FormatChooser> m_chooser;
};

TEST_F(FormatChooserTest, CyclingWrapsAroundBothWays)
{
    make(false);
    m_defaults->setObject("exportFormat", Value("Java"));
    EXPECT_EQ(exportName(), "Java");
    m_chooser->chooseNextExportFormat();
    EXPECT_EQ(exportName(), "HEX");
    EXPECT_EQ(m_defaults->stringForKey("exportFormat"), "HEX");
    m_chooser->choosePrevExportFormat();
    EXPECT_EQ(exportName(), "Java");

    m_defaults->setObject("displayFormat", Value("HEX"));
    m_chooser->choosePrevDisplayFormat();
    EXPECT_EQ(displayName(), "HSL");
    m_chooser->chooseNextDisplayFormat();
    EXPECT_EQ(displayName(), "HEX");
}

TEST_F(FormatChooserTest, CyclingDoesNothingWhileLocked)
{
    make(false);
    m_defaults->setObject("exportFormat", Value("CSS RGB"));
    m_chooser->lockFormats();
    m_chooser->chooseNextExportFormat();
    m_chooser->chooseNextDisplayFormat();
    EXPECT_EQ(exportName(), "CSS RGB");
    EXPECT_EQ(displayName(), "HEX");
}

TEST_F(FormatChooserTest, CyclingDoesNothingWhenTheFormatIsNotListed)
{
    make(false);
    m_chooser->setExportFormat(QVFormatDefinition(*exportFormat("Gone").dictionary()));
    m_chooser->chooseNextExportFormat();
    EXPECT_EQ(exportName(), "Gone");
    EXPECT_FALSE(m_defaults->isStored("exportFormat"));
}

TEST_F(FormatChooserTest, UnknownOrDamagedStoredNamesFallBackToTheFirstFormat)
{
    make(false);
    m_defaults->setObject("exportFormat", Value("No such format"));
    EXPECT_EQ(exportName(), "HEX");
    logging::Capture log;
    m_defaults->setObject("displayFormat", Value::integer(12));
    EXPECT_EQ(displayName(), "HEX");
    EXPECT_TRUE(log.contains("displayFormat"));
    // The user's value is left alone.
    EXPECT_EQ(m_defaults->objectForKey("exportFormat"), Value("No such format"));
}

TEST_F(FormatChooserTest, ChoosingTheCurrentFormatStoresNothing)
{
    make(false);
    m_chooser->applyStoredFormats();
    m_chooser->updateCurrentExportFormat(*m_repository->getExportFormatByName("HEX"));
    EXPECT_FALSE(m_defaults->isStored("exportFormat"));
    m_chooser->updateCurrentExportFormat(*m_repository->getExportFormatByName("Swift"));
    EXPECT_EQ(m_defaults->stringForKey("exportFormat"), "Swift");
    EXPECT_EQ(exportName(), "Swift");
}

TEST_F(FormatChooserTest, CommandLineModeChoosesInMemoryOnly)
{
    make(true);
    m_defaults->setPersistent(false);
    m_chooser->validateSettings();
    EXPECT_EQ(exportName(), "HEX");
    m_chooser->chooseNextExportFormat();
    EXPECT_EQ(exportName(), "CSS RGB");
    EXPECT_FALSE(m_defaults->isStored("exportFormat"));
    EXPECT_FALSE(std::filesystem::exists(m_settings.file()));
}

TEST_F(FormatChooserTest, CommandLineModeTakesTheStoredClipboardFormat)
{
    m_settings.write(Dictionary{{"exportFormat", Value("Swift")}, {"displayFormat", Value("RGB")}});
    make(true, {exportFormat("HEX"), exportFormat("Script", "applescript"), exportFormat("Swift")});
    m_chooser->removeNonClipboardFormats();
    EXPECT_EQ(exportNames(), (std::vector<std::string>{"HEX", "Swift"}));
    m_chooser->validateSettings();
    EXPECT_EQ(exportName(), "Swift");
    EXPECT_EQ(displayName(), "RGB");
}

TEST_F(FormatChooserTest, CommandLineModeReplacesAStoredScriptFormatByTheFirstClipboardFormat)
{
    m_settings.write(Dictionary{{"exportFormat", Value("Script")}});
    const std::string before = m_settings.bytes();
    make(true, {exportFormat("Script", "applescript"), exportFormat("HEX"), exportFormat("Swift")});
    m_defaults->setPersistent(false);
    m_chooser->removeNonClipboardFormats();
    m_chooser->validateSettings();
    EXPECT_EQ(exportName(), "HEX");
    EXPECT_EQ(m_settings.bytes(), before);
}

TEST_F(FormatChooserTest, ValidationDropsVanishedFormatsAndStoresTheFirst)
{
    m_settings.write(Dictionary{{"displayFormat", Value("RGB")}});
    make(false);
    m_chooser->setExportFormat(QVFormatDefinition(*exportFormat("Gone").dictionary()));
    m_chooser->setDisplayFormat(QVDisplayFormatDefinition(*displayFormat("RGB").dictionary()));
    m_chooser->validateSettings();
    EXPECT_EQ(exportName(), "HEX");
    EXPECT_EQ(m_defaults->stringForKey("exportFormat"), "HEX");
    EXPECT_EQ(displayName(), "RGB");
    EXPECT_EQ(m_settings.stored().get("displayFormat"), Value("RGB"));
}

TEST_F(FormatChooserTest, WithoutAScriptRunnerEveryScriptFormatIsDroppedAndLogged)
{
    make(false, {exportFormat("HEX"), exportFormat("Web Script", "applescript", "Web"),
                 exportFormat("App Script", "applescript", "com.example.App")});
    UnavailableScriptRunner runner;
    logging::Capture log;
    m_chooser->removeMissingApplicationExports(runner);
    EXPECT_EQ(exportNames(), (std::vector<std::string>{"HEX"}));
    EXPECT_TRUE(log.contains("Ignoring format: \"Web Script\" (osascript not installed)"));
    EXPECT_TRUE(log.contains("Ignoring format: \"App Script\" (osascript not installed)"));
}

TEST_F(FormatChooserTest, WithAScriptRunnerOnlyApplicationFormatsAreProbed)
{
    make(false, {exportFormat("Web Script", "applescript", "Web"),
                 exportFormat("Missing", "applescript", "com.example.Missing"),
                 exportFormat("Present", "applescript", "com.example.Installed"), exportFormat("HEX", "clipboard", "a.b.c")});
    InstalledApplications runner;
    logging::Capture log;
    m_chooser->removeMissingApplicationExports(runner);
    EXPECT_EQ(exportNames(), (std::vector<std::string>{"Web Script", "Present", "HEX"}));
    EXPECT_EQ(runner.probed, (std::vector<std::string>{"com.example.Missing", "com.example.Installed"}));
    EXPECT_TRUE(log.contains("Ignoring format: \"Missing\" (com.example.Missing not installed)"));
}

TEST_F(FormatChooserTest, AHugeGroupNameIsJudgedWithoutCrashing)
{
    const std::string huge = "com." + std::string(200000, 'x') + ".App";
    make(false, {exportFormat("Huge", "applescript", huge), exportFormat("Flat", "applescript", std::string(200000, 'x') + ".App"),
                 exportFormat("Two Lines", "applescript", "com.example\n.App")});
    InstalledApplications runner;
    m_chooser->removeMissingApplicationExports(runner);
    EXPECT_EQ(exportNames(), (std::vector<std::string>{"Flat", "Two Lines"}));
    EXPECT_EQ(runner.probed, std::vector<std::string>{huge});
}

TEST_F(FormatChooserTest, TheBundleDefaultsNameExistingFormats)
{
    m_defaults = m_settings.open();
    QVFormatRepository repository(*m_defaults);
    repository.loadExportFormats(*Bundle::main().pathForResource("ExportFormats", "plist"));
    repository.loadDisplayFormats(*Bundle::main().pathForResource("DisplayFormats", "plist"));
    const Dictionary defaults = SettingsStore::readBundleDefaults();
    EXPECT_TRUE(repository.getExportFormatByName(*defaults.get("exportFormat").string()));
    EXPECT_TRUE(repository.getDisplayFormatByName(*defaults.get("displayFormat").string()));
}

TEST_F(FormatChooserTest, CurrentFormatNameIsUndefinedWithoutAFormat)
{
    make(false);
    EXPECT_EQ(m_chooser->currentDisplayFormatName(), "undefined");
    m_chooser->applyStoredFormats();
    EXPECT_EQ(m_chooser->currentDisplayFormatName(), "HEX");
}

} // namespace
