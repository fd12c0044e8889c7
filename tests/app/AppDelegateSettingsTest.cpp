#include "AppDelegateFixture.h"

#include "app/settings/ColorLists.h"
#include "foundation/Log.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>

namespace {

using namespace formatfixtures;

std::vector<Value> grayHexes(std::size_t count)
{
    std::vector<Value> entries;
    for (std::size_t i = 0; i < count; ++i)
        entries.emplace_back(Color::sRGB(i / 255.0, 0, 0).getRGBAHexString());
    return entries;
}

Value strings(std::initializer_list<const char*> entries)
{
    std::vector<Value> values;
    for (const char* entry : entries)
        values.emplace_back(entry);
    return Value(std::move(values));
}

// Lowers the largest file this process may write while it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_previous);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit lowered{bytes, m_previous.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_handler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_previous{};
    void (*m_handler)(int) = nullptr;
};

using AppDelegateStartTest = AppDelegateFixture;

TEST_F(AppDelegateStartTest, FirstRunStoresTheBundleCodeStyleAndTheTheme)
{
    launch();
    const Dictionary stored = m_settings.stored();
    EXPECT_TRUE(m_delegate->firstRun());
    EXPECT_TRUE(m_delegate->showWelcomeMessage());
    EXPECT_TRUE(m_delegate->noPicks());
    EXPECT_EQ(stored.get("codeStyle"), SettingsStore::readBundleDefaults().get("codeStyle"));
    EXPECT_EQ(stored.get("userInterface"), Value("dark"));
}

TEST_F(AppDelegateStartTest, CodeStyleMergeAddsMissingGroupsAndKeepsStoredOnes)
{
    const Value decimal(Dictionary{{"precision", Value::integer(7)}});
    const Value hex(Dictionary{{"prefix", Value("#")}, {"extra", Value("kept")}});
    m_settings.write(Dictionary{{"codeStyle", Value(Dictionary{{"decimal", decimal}, {"hex", hex}})},
                                {"showWelcomeMessage", Value::boolean(false)},
                                {"HistoryColors", strings({"FF0000FF"})}});
    launch();
    EXPECT_FALSE(m_delegate->firstRun());
    EXPECT_FALSE(m_delegate->showWelcomeMessage());
    EXPECT_FALSE(m_delegate->noPicks());
    const Dictionary style = *m_settings.stored().get("codeStyle").dictionary();
    EXPECT_EQ(style.get("decimal"), decimal);
    EXPECT_EQ(style.get("hex"), hex);
    const Dictionary bundleStyle = *SettingsStore::readBundleDefaults().get("codeStyle").dictionary();
    EXPECT_EQ(style.get("css"), bundleStyle.get("css"));
    EXPECT_FALSE(m_settings.stored().contains("userInterface"));
}

TEST_F(AppDelegateStartTest, ACodeStyleThatIsNotADictionaryIsLeftAsStored)
{
    m_settings.write(Dictionary{{"codeStyle", Value("garbage")}});
    logging::Capture log;
    launch();
    EXPECT_FALSE(m_delegate->firstRun());
    EXPECT_EQ(m_settings.stored().get("codeStyle"), Value("garbage"));
    EXPECT_TRUE(log.contains("codeStyle"));
}

TEST_F(AppDelegateStartTest, RegisteredDefaultsFillOnlyWhatIsNotStored)
{
    m_settings.write(Dictionary{{"codeStyle", Value(Dictionary{})}, {"useNotification", Value::boolean(false)}});
    launch();
    EXPECT_FALSE(m_delegate->useNotification());
    EXPECT_TRUE(m_delegate->inMenubar());
    EXPECT_EQ(m_delegate->maximumHistoryMenuItems(), 5);
    EXPECT_FALSE(m_settings.stored().contains("showMenubarIcon"));
}

TEST_F(AppDelegateStartTest, AnUnreadableSettingsFileDoesNotStopTheStartAndIsKept)
{
    const std::string garbage = "<?xml version=\"1.0\"?><plist><dict><key>Hist";
    std::ofstream(m_settings.file(), std::ios::binary) << garbage;
    launch();
    EXPECT_TRUE(m_delegate->exportFormat());
    bool kept = false;
    for (const auto& entry : std::filesystem::directory_iterator(m_settings.folder())) {
        std::ifstream in(entry.path(), std::ios::binary);
        kept |= std::string(std::istreambuf_iterator<char>(in), {}) == garbage;
    }
    EXPECT_TRUE(kept);
}

TEST_F(AppDelegateStartTest, DamagedValuesOfEveryKeyAreIgnoredForTheirDefaultsAndKept)
{
    Dictionary damaged{
        {"codeStyle", Value(Dictionary{})},
        {"HistoryColors", Value("FF0000FF")},
        {"FavoriteColors", Value::integer(3)},
        {"recentMenuItems", Value("lots")},
        {"captureValue", Value(Dictionary{})},
        {"magnificationValue", Value("x")},
        {"colorInfo", Value::data({1})},
        {"switchLensInputControls", Value(std::vector<Value>{})},
        {"activateHighPrecisionMode", Value("shift")},
        {"showMenubarIcon", Value(Dictionary{})},
        {"useNotification", Value::date(5)},
        {"openFormatsAfterPick", Value(std::vector<Value>{})},
        {"exportFormat", Value::integer(2)},
        {"displayFormat", Value(Dictionary{})},
        {"stealFocusFromActiveApps", Value("*")},
        {"stealFocusFromActiveAppsCustom", Value::integer(1)},
        {"noColorManagementApps", Value("Preview")},
        {"noColorManagementAppsCustom", Value::boolean(true)},
        {"PickColorShortCut", Value("cmd-opt-c")},
        {"ColorsAndFormatsShortCut", Value::integer(8)},
    };
    m_settings.write(damaged);
    logging::Capture log;
    launch();
    EXPECT_TRUE(m_delegate->historyColors().empty());
    EXPECT_TRUE(m_delegate->favoriteColors().empty());
    // The registered defaults stand in for the damaged values.
    EXPECT_EQ(m_delegate->maximumHistoryMenuItems(), 5);
    EXPECT_EQ(m_loupe->capture, 31.0);
    EXPECT_EQ(m_loupe->zoom, 8.0);
    EXPECT_EQ(m_delegate->HiDPIActivateKeyMask(), 0x40000ul);
    EXPECT_TRUE(m_delegate->inMenubar());
    EXPECT_TRUE(m_delegate->useNotification());
    EXPECT_EQ(m_delegate->exportFormat()->name(), "HEX");
    EXPECT_EQ(m_delegate->displayFormat()->name(), "HEX");
    EXPECT_TRUE(m_delegate->stealFocusFromActiveApps().empty());
    EXPECT_TRUE(m_delegate->noColorManagementApps().appNames().empty());
    EXPECT_TRUE(m_menu->shortcuts.empty());
    for (const auto& [key, value] : damaged) {
        if (key != "codeStyle") {
            EXPECT_TRUE(log.contains("\"" + key + "\"")) << key;
        }
    }
    // Nothing the user stored was replaced; only the code style gained its groups.
    Dictionary stored = m_settings.stored();
    stored.set("codeStyle", Value(Dictionary{}));
    EXPECT_EQ(stored, damaged);

    // A save rewrites only the keys it owns, with sound values; the rest stay as stored.
    m_delegate->saveSettings();
    stored = m_settings.stored();
    EXPECT_EQ(stored.get("HistoryColors"), Value(std::vector<Value>{}));
    EXPECT_EQ(stored.get("captureValue").doubleValue(), 31.0);
    EXPECT_EQ(stored.get("showMenubarIcon"), Value::boolean(true));
    for (const char* owned : {"codeStyle", "HistoryColors", "FavoriteColors", "captureValue", "magnificationValue",
                              "colorInfo", "showMenubarIcon"}) {
        stored.setOrRemove(owned, Value());
        damaged.setOrRemove(owned, Value());
    }
    EXPECT_EQ(stored, damaged);
}

using AppDelegateLiveSettingsTest = AppDelegateFixture;

TEST_F(AppDelegateLiveSettingsTest, EveryChangeReappliesTheSettings)
{
    launch();
    m_overlay->visible = true;
    const int renders = m_overlay->renders;
    m_defaults->setObject("openFormatsAfterPick", Value::boolean(true));
    EXPECT_TRUE(m_delegate->openFormatsAfterPick());
    EXPECT_TRUE(m_loupe->peek);
    EXPECT_EQ(m_overlay->renders, renders + 1);
    m_defaults->setObject("switchLensInputControls", Value::boolean(true));
    EXPECT_TRUE(m_loupe->switched);
    m_defaults->setObject("colorInfo", Value::integer(2));
    EXPECT_EQ(m_loupe->info, 2);
    m_defaults->setObject("exportFormat", Value("Swift"));
    EXPECT_EQ(m_loupe->exportFormat->name(), "Swift");
    EXPECT_EQ(m_loupe->processor, m_delegate->formatProcessor());
    EXPECT_GT(m_loupe->refreshes, 0);
}

TEST_F(AppDelegateLiveSettingsTest, TheSharedControllerAndTheColourInfoToggle)
{
    launch();
    m_delegate->makeShared();
    EXPECT_EQ(AppDelegate::shared(), m_delegate.get());
    m_delegate->updateCurrentColorInfo(2);
    EXPECT_EQ(m_settings.stored().get("colorInfo"), Value::integer(2));
    EXPECT_EQ(m_loupe->info, 2);
    m_delegate.reset();
    EXPECT_EQ(AppDelegate::shared(), nullptr);
}

TEST_F(AppDelegateLiveSettingsTest, ADockedLoupeKeepsItsPeekMode)
{
    m_loupe->docked = true;
    launch();
    m_defaults->setObject("openFormatsAfterPick", Value::boolean(true));
    EXPECT_EQ(m_loupe->peekSets, 0);
}

TEST_F(AppDelegateLiveSettingsTest, HighPrecisionModifierFollowsTheSettingAndIgnoresUnknownValues)
{
    launch();
    EXPECT_EQ(m_delegate->HiDPIActivateKeyMask(), 0x40000ul);
    m_defaults->setObject("activateHighPrecisionMode", Value::integer(2));
    EXPECT_EQ(m_delegate->HiDPIActivateKeyMask(), 0x20000ul);
    m_defaults->setObject("activateHighPrecisionMode", Value::integer(3));
    EXPECT_EQ(m_delegate->HiDPIActivateKeyMask(), 0x20000ul);
    m_defaults->setObject("activateHighPrecisionMode", Value::integer(-1));
    EXPECT_EQ(m_delegate->HiDPIActivateKeyMask(), 0x20000ul);
    m_defaults->setObject("activateHighPrecisionMode", Value::integer(0));
    EXPECT_EQ(m_delegate->HiDPIActivateKeyMask(), 0x100000ul);
}

TEST_F(AppDelegateStartTest, DamagedValuesWithoutARegisteredDefaultTakeTheCodeFallbacks)
{
    m_settings.write(Dictionary{{"codeStyle", Value(Dictionary{})}, {"recentMenuItems", Value("lots")},
                                {"captureValue", Value("wide")}, {"magnificationValue", Value(Dictionary{})},
                                {"activateHighPrecisionMode", Value("shift")}, {"showMenubarIcon", Value::data({1})}});
    start();
    m_delegate->loadSettings();
    m_delegate->defaultsChanged();
    EXPECT_EQ(m_delegate->maximumHistoryMenuItems(), 0);
    EXPECT_EQ(m_loupe->capture, 21.0);
    EXPECT_EQ(m_loupe->zoom, 2.0);
    EXPECT_EQ(m_delegate->HiDPIActivateKeyMask(), 0x100000ul);
    EXPECT_FALSE(m_delegate->inMenubar());
}

TEST_F(AppDelegateStartTest, AbsentValuesWithoutARegisteredDefaultTakeTheCodeFallbacks)
{
    m_settings.write(Dictionary{{"codeStyle", Value(Dictionary{})}});
    m_loupe->switched = true;
    start();
    m_delegate->setUseNotification(true);
    m_delegate->setOpenFormatsAfterPick(true);
    m_delegate->loadSettings();
    m_delegate->defaultsChanged();
    EXPECT_FALSE(m_delegate->useNotification());
    EXPECT_FALSE(m_delegate->openFormatsAfterPick());
    EXPECT_FALSE(m_loupe->switched);
    EXPECT_EQ(m_loupe->info, -1);
    EXPECT_EQ(m_delegate->exportFormat()->name(), "HEX");
    EXPECT_EQ(m_delegate->displayFormat()->name(), "HEX");
    EXPECT_TRUE(m_delegate->stealFocusFromActiveApps().empty());
    EXPECT_TRUE(m_menu->shortcuts.empty());
}

TEST_F(AppDelegateLiveSettingsTest, RecentMenuCountsAreClampedAndSignChoosesTheList)
{
    start();
    m_delegate->updateRecentMenuItems();
    EXPECT_EQ(m_delegate->maximumHistoryMenuItems(), 0);
    EXPECT_TRUE(m_delegate->showHistoryMenuItems());
    const struct {
        Value stored;
        long long count;
        bool history;
    } cases[] = {{Value::integer(-25), 20, false}, {Value::integer(7), 7, true}, {Value::real(1e30), 20, true},
                 {Value::integer(-3), 3, false}, {Value("12"), 12, true}};
    for (const auto& c : cases) {
        m_defaults->setObject("recentMenuItems", c.stored);
        m_delegate->updateRecentMenuItems();
        EXPECT_EQ(m_delegate->maximumHistoryMenuItems(), c.count) << c.stored.description();
        EXPECT_EQ(m_delegate->maximumFavoriteMenuItems(), c.count);
        EXPECT_EQ(m_delegate->showHistoryMenuItems(), c.history);
    }
}

TEST_F(AppDelegateLiveSettingsTest, StoredShortcutsReachTheMenuAndTheThemeIsFollowed)
{
    m_settings.write(Dictionary{{"codeStyle", Value(Dictionary{})}, {"PickColorShortCut", Value::data({8, 1})}});
    launch();
    ASSERT_FALSE(m_menu->shortcuts.empty());
    EXPECT_EQ(m_menu->shortcuts.back().first, StatusMenu::Entry::PickColor);
    EXPECT_EQ(m_menu->shortcuts.back().second, (std::vector<std::uint8_t>{8, 1}));
    EXPECT_EQ(m_appearance->changes, 1);
    EXPECT_GT(m_menu->imageRefreshes, 0);
}

TEST_F(AppDelegateLiveSettingsTest, OwnWritesAndLoupeWritesAreNotEchoed)
{
    launch();
    m_overlay->visible = true;
    const int renders = m_overlay->renders;
    m_delegate->saveSettings();
    EXPECT_EQ(m_overlay->renders, renders);
    m_delegate->setIgnoreDefaultsChange(true);
    m_defaults->setObject("captureValue", Value::real(40));
    m_delegate->setIgnoreDefaultsChange(false);
    EXPECT_EQ(m_overlay->renders, renders);
    m_defaults->setObject("captureValue", Value::real(41));
    EXPECT_EQ(m_overlay->renders, renders + 1);
}

TEST_F(AppDelegateLiveSettingsTest, TheLoupesValuesAreStoredWithoutAPreferencesWindow)
{
    launch();
    m_delegate->writeLoupeValuesToPreferences(41, 6);
    m_defaults->synchronize();
    EXPECT_EQ(m_settings.stored().get("captureValue").doubleValue(), 41.0);
    EXPECT_EQ(m_settings.stored().get("magnificationValue").doubleValue(), 6.0);
}

using AppDelegateLoadSaveTest = AppDelegateFixture;

TEST_F(AppDelegateLoadSaveTest, ListsAreCutAtTheirLimitsAndBadEntriesSkipped)
{
    std::vector<Value> history = grayHexes(150);
    history.insert(history.begin(), Value("zzzz"));
    m_settings.write(Dictionary{{"codeStyle", Value(Dictionary{})}, {"HistoryColors", Value(history)},
                                {"FavoriteColors", Value(grayHexes(200))}});
    logging::Capture log;
    launch();
    ASSERT_EQ(m_delegate->historyColors().size(), 100u);
    EXPECT_EQ(m_delegate->historyColors().front().getRGBAHexString(), "000000FF");
    EXPECT_EQ(m_delegate->favoriteColors().size(), 150u);
    EXPECT_TRUE(log.contains("zzzz"));
}

TEST_F(AppDelegateLoadSaveTest, LoupeValuesAreConstrainedAndTheZoomIsAtLeastTwo)
{
    m_settings.write(Dictionary{{"codeStyle", Value(Dictionary{})}, {"captureValue", Value::real(500)},
                                {"magnificationValue", Value::real(1.5)}, {"colorInfo", Value::integer(0)}});
    launch();
    EXPECT_EQ(m_loupe->capture, 100.0);
    EXPECT_EQ(m_loupe->zoom, 2.0);
    EXPECT_EQ(m_loupe->info, 0);
}

TEST_F(AppDelegateLoadSaveTest, FocusAndColourManagementListsAppendTheirCustomParts)
{
    m_settings.write(Dictionary{{"codeStyle", Value(Dictionary{})},
                                {"stealFocusFromActiveApps", strings({"Finder"})},
                                {"stealFocusFromActiveAppsCustom", strings({"Gimp"})},
                                {"noColorManagementApps", strings({"Preview", "/^Photo/"})},
                                {"noColorManagementAppsCustom", strings({"//", "/([bad/"})}});
    logging::Capture log;
    launch();
    EXPECT_EQ(m_delegate->stealFocusFromActiveApps(), (std::vector<std::string>{"Finder", "Gimp"}));
    EXPECT_EQ(m_delegate->noColorManagementApps().appNames(), (std::vector<std::string>{"Preview", "//"}));
    EXPECT_EQ(m_delegate->noColorManagementApps().appNamePatterns(), (std::vector<std::string>{"^Photo"}));
    EXPECT_TRUE(log.contains("([bad"));
}

TEST_F(AppDelegateLoadSaveTest, SavingWritesTheListsAndLoupeValuesAndKeepsEverythingElse)
{
    const Value custom(std::vector<Value>{Value(Dictionary{{"name", Value("Mine")}})});
    m_settings.write(Dictionary{{"codeStyle", Value(Dictionary{})}, {"customFormats", custom},
                                {"HistoryColors", strings({"11223344"})}});
    launch();
    m_delegate->addColor(Color::sRGB(1, 0, 0));
    m_delegate->setFavoriteColors({Color::sRGB(0, 0, 1)});
    m_loupe->capture = 33;
    m_loupe->zoom = 6;
    m_delegate->saveSettings();
    const Dictionary stored = m_settings.stored();
    EXPECT_EQ(stored.get("HistoryColors"), strings({"FF0000FF", "11223344"}));
    EXPECT_EQ(stored.get("FavoriteColors"), strings({"0000FFFF"}));
    EXPECT_EQ(stored.get("captureValue").doubleValue(), 33.0);
    EXPECT_EQ(stored.get("magnificationValue").doubleValue(), 6.0);
    EXPECT_TRUE(stored.get("showMenubarIcon").boolValue());
    EXPECT_EQ(stored.get("customFormats"), custom);
    EXPECT_EQ(m_overlay->history.size(), 2u);
}

TEST_F(AppDelegateLoadSaveTest, ListEditsNotYetSavedOutliveAnOutsideChange)
{
    m_settings.write(Dictionary{{"codeStyle", Value(Dictionary{})}, {"FavoriteColors", strings({"11223344"})}});
    launch();
    m_delegate->setFavoriteColors({Color::sRGB(0, 0, 1)});
    m_settings.open()->setObject("useNotification", Value::boolean(false));
    m_defaults->readOutsideChanges();
    ASSERT_EQ(m_delegate->favoriteColors().size(), 1u);
    EXPECT_EQ(m_delegate->favoriteColors().front().getRGBAHexString(), "0000FFFF");
    const Dictionary stored = m_settings.stored();
    EXPECT_EQ(stored.get("FavoriteColors"), strings({"0000FFFF"}));
    EXPECT_EQ(stored.get("useNotification"), Value::boolean(false));
}

TEST_F(AppDelegateLoadSaveTest, ASaveBeforeTheListsWereLoadedLeavesTheFileAlone)
{
    m_settings.write(Dictionary{{"codeStyle", Value(Dictionary{})}, {"HistoryColors", strings({"11223344"})}});
    const std::string before = m_settings.bytes();
    start();
    m_delegate->saveSettings();
    EXPECT_EQ(m_settings.bytes(), before);
}

TEST_F(AppDelegateLoadSaveTest, WithoutALoupeTheStoredLoupeValuesStay)
{
    m_settings.write(Dictionary{{"codeStyle", Value(Dictionary{})}, {"captureValue", Value::real(55)}});
    m_loupe.reset();
    launch();
    m_delegate->saveSettings();
    EXPECT_EQ(m_settings.stored().get("captureValue").doubleValue(), 55.0);
}

TEST_F(AppDelegateLoadSaveTest, ALoupeAttachedAfterLoadingDoesNotReplaceTheStoredLoupeValues)
{
    m_settings.write(Dictionary{{"codeStyle", Value(Dictionary{})}, {"captureValue", Value::real(55)},
                                {"magnificationValue", Value::real(9)}, {"colorInfo", Value::integer(2)}});
    launch();
    m_delegate->setLoupe(std::make_shared<FakeLoupe>());
    m_delegate->saveSettings();
    const Dictionary stored = m_settings.stored();
    EXPECT_EQ(stored.get("captureValue").doubleValue(), 55.0);
    EXPECT_EQ(stored.get("magnificationValue").doubleValue(), 9.0);
    EXPECT_EQ(stored.get("colorInfo"), Value::integer(2));
}

TEST_F(AppDelegateLoadSaveTest, AFailedSaveNeverTruncatesTheFile)
{
    m_settings.write(Dictionary{{"codeStyle", Value(Dictionary{})}, {"HistoryColors", strings({"11223344"})}});
    launch();
    const std::string before = m_settings.bytes();
    logging::Capture log;
    m_delegate->addColor(Color::sRGB(0, 1, 0));
    {
        // Writes stop after 64 bytes, whoever runs the test.
        const FileSizeLimit limit(64);
        m_delegate->saveSettings();
    }
    EXPECT_EQ(m_settings.bytes(), before);
    EXPECT_TRUE(log.contains("kept in memory"));
    // No half-written temporary file is left beside the settings and the two format lists.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_settings.folder()), {}), 3);
    // The colours are still in memory and reach the file with the next save.
    m_delegate->saveSettings();
    EXPECT_EQ(m_settings.stored().get("HistoryColors"), strings({"00FF00FF", "11223344"}));
}

TEST_F(AppDelegateLoadSaveTest, APickKeptInMemoryIsMergedWithAnOutsideEditUntilASaveSucceeds)
{
    m_settings.write(Dictionary{{"codeStyle", Value(Dictionary{})}, {"HistoryColors", strings({"11223344"})}});
    launch();
    logging::Capture log;
    m_delegate->addColor(Color::sRGB(0, 1, 0));
    {
        const FileSizeLimit limit(64);
        m_delegate->saveSettings();
    }
    ASSERT_TRUE(log.contains("kept in memory"));
    const auto history = [this] { return ColorLists::hexStrings(m_delegate->historyColors()); };

    // Another program adds a colour of its own.
    m_settings.open()->setObject("HistoryColors", strings({"AABBCCFF", "11223344"}));
    m_defaults->readOutsideChanges();
    EXPECT_EQ(history(), strings({"00FF00FF", "AABBCCFF", "11223344"}));
    m_settings.open()->setObject("recentMenuItems", Value::integer(3));
    m_defaults->readOutsideChanges();
    EXPECT_EQ(history(), strings({"00FF00FF", "AABBCCFF", "11223344"}));

    // Saved, the pick is the file's like any other colour: an edit may remove it.
    m_delegate->saveSettings();
    EXPECT_EQ(m_settings.stored().get("HistoryColors"), strings({"00FF00FF", "AABBCCFF", "11223344"}));
    m_settings.open()->setObject("HistoryColors", strings({"11223344"}));
    m_defaults->readOutsideChanges();
    EXPECT_EQ(history(), strings({"11223344"}));
}

TEST_F(AppDelegateLoadSaveTest, ListEditsKeptInMemoryOutliveAnOutsideEdit)
{
    m_settings.write(Dictionary{{"codeStyle", Value(Dictionary{})}, {"FavoriteColors", strings({"11223344"})}});
    launch();
    m_delegate->setFavoriteColors({Color::sRGB(0, 0, 1)});
    {
        const FileSizeLimit limit(64);
        m_delegate->saveSettings();
    }
    m_settings.open()->setObject("recentMenuItems", Value::integer(3));
    m_defaults->readOutsideChanges();
    EXPECT_EQ(ColorLists::hexStrings(m_delegate->favoriteColors()), strings({"0000FFFF"}));
}

TEST_F(AppDelegateLoadSaveTest, QuittingWhileTheFileCannotBeWrittenSaysInOneLineWhatIsLostAndWhy)
{
    m_settings.write(Dictionary{{"codeStyle", Value(Dictionary{})}});
    launch();
    m_delegate->addColor(Color::sRGB(0, 1, 0));
    m_delegate->addColor(Color::sRGB(0, 0, 1));
    m_delegate->setFavoriteColors({Color::sRGB(1, 0, 0)});
    const FileSizeLimit limit(64);
    logging::Capture log;
    m_delegate->terminateApplication();
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_TRUE(log.contains("2 picked colours and 1 edit of the colour lists since the last save are lost"));
    EXPECT_TRUE(log.contains("File too large"));
}

TEST_F(AppDelegateLoadSaveTest, QuittingWithNothingPickedOrEditedAddsNoLine)
{
    m_settings.write(Dictionary{{"codeStyle", Value(Dictionary{})}});
    launch();
    const FileSizeLimit limit(64);
    logging::Capture log;
    m_delegate->terminateApplication();
    EXPECT_TRUE(log.lines().empty());
}

TEST_F(AppDelegateLoadSaveTest, ACommandLineControllerKeepsEveryWriteInMemoryFromTheStart)
{
    m_settings.write(Dictionary{{"colorInfo", Value::integer(1)}});
    const std::string before = m_settings.bytes();
    start(true);
    m_delegate->updateCurrentColorInfo(2);
    EXPECT_EQ(m_defaults->objectForKey("colorInfo"), Value::integer(2));
    EXPECT_EQ(m_settings.bytes(), before);
}

TEST_F(AppDelegateLoadSaveTest, CommandLineModeNeitherLoadsNorWritesTheSettings)
{
    m_settings.write(Dictionary{{"HistoryColors", strings({"11223344"})}, {"exportFormat", Value("Swift")},
                                {"captureValue", Value::real(60)}});
    const std::string before = m_settings.bytes();
    launch(true);
    EXPECT_TRUE(m_delegate->historyColors().empty());
    EXPECT_TRUE(m_defaults->registeredDefaults().empty());
    EXPECT_EQ(m_loupe->capture, 0.0);
    EXPECT_EQ(m_delegate->exportFormat()->name(), "Swift");
    m_delegate->addColor(Color::sRGB(1, 1, 1));
    m_delegate->updateCurrentExportFormat(*m_repository->getExportFormatByName("Java"));
    m_delegate->saveSettings();
    m_defaults->setObject("colorInfo", Value::integer(1));
    EXPECT_EQ(m_delegate->exportFormat()->name(), "Java");
    EXPECT_EQ(m_settings.bytes(), before);
}

} // namespace
