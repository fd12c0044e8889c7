#include "app/settings/SettingsStore.h"

#include "TemporarySettings.h"
#include "foundation/Bundle.h"
#include "foundation/Log.h"
#include "tests/foundation/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

namespace {

using namespace settingskeys;

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_defaults = m_settings.open();
        m_store = std::make_unique<SettingsStore>(*m_defaults);
    }
    void store(const SettingsKey& key, Value value) { m_defaults->setObject(key.name, std::move(value)); }

    TemporarySettings m_settings;
    std::unique_ptr<UserDefaults> m_defaults;
    std::unique_ptr<SettingsStore> m_store;
};

TEST_F(SettingsStoreTest, ValuesOfTheRightKindAreRead)
{
    store(kUseNotification, Value::boolean(true));
    store(kRecentMenuItems, Value::integer(-7));
    store(kCaptureValue, Value::real(31.5));
    store(kExportFormat, Value("CSS RGB"));
    store(kPickColorShortCut, Value::data({1, 2, 3}));
    store(kCodeStyle, Value(Dictionary{{"css", Value(Dictionary{})}}));

    EXPECT_EQ(m_store->boolean(kUseNotification), true);
    EXPECT_EQ(m_store->integer(kRecentMenuItems), -7);
    EXPECT_EQ(m_store->real(kCaptureValue), 31.5);
    EXPECT_EQ(m_store->string(kExportFormat), "CSS RGB");
    EXPECT_EQ(m_store->data(kPickColorShortCut), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_TRUE(m_store->dictionary(kCodeStyle)->contains("css"));
}

TEST_F(SettingsStoreTest, AbsentValuesReadAsAbsentWithoutALogLine)
{
    logging::Capture log;
    EXPECT_FALSE(m_store->boolean(kUseNotification));
    EXPECT_FALSE(m_store->integer(kColorInfo));
    EXPECT_FALSE(m_store->strings(kNoColorManagementApps));
    EXPECT_FALSE(m_store->flag(kOpenFormatsAfterPick));
    EXPECT_TRUE(log.lines().empty());
}

struct BadValue {
    const char* label;
    SettingsKey key;
    Value value;
};

void PrintTo(const BadValue& bad, std::ostream* out)
{
    *out << bad.key.name << " = " << bad.value.description();
}

class SettingsStoreBadValueTest : public SettingsStoreTest, public ::testing::WithParamInterface<BadValue> {};

// Each read of a damaged value is ignored with one log line naming the key.
TEST_P(SettingsStoreBadValueTest, IsIgnoredWithALogLine)
{
    const BadValue& bad = GetParam();
    store(bad.key, bad.value);
    logging::Capture log;
    bool present = false;
    switch (bad.key.type) {
    case SettingType::Boolean:
        present = m_store->boolean(bad.key).has_value();
        break;
    case SettingType::Integer:
        present = m_store->integer(bad.key).has_value();
        break;
    case SettingType::Real:
        present = m_store->real(bad.key).has_value();
        break;
    case SettingType::String:
        present = m_store->string(bad.key).has_value();
        break;
    case SettingType::StringList:
        present = m_store->strings(bad.key).has_value();
        break;
    case SettingType::Dictionary:
        present = m_store->dictionary(bad.key).has_value();
        break;
    case SettingType::Data:
        present = m_store->data(bad.key).has_value();
        break;
    case SettingType::Any:
        present = true;
        break;
    }
    EXPECT_FALSE(present);
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_NE(log.lines().front().find(bad.key.name), std::string::npos);
    // The value stays as the user stored it.
    EXPECT_EQ(m_defaults->objectForKey(bad.key.name), bad.value);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, SettingsStoreBadValueTest,
    ::testing::Values(
        BadValue{"BooleanArray", kUseNotification, Value(std::vector<Value>{Value("x")})},
        BadValue{"BooleanDictionary", kShowMenubarIcon, Value(Dictionary{{"a", Value("b")}})},
        BadValue{"IntegerGarbageString", kRecentMenuItems, Value("seven")},
        BadValue{"IntegerTrailingGarbage", kColorInfo, Value("1x")},
        BadValue{"IntegerData", kActivateHighPrecisionMode, Value::data({1})},
        BadValue{"RealNaN", kCaptureValue, Value::real(std::nan(""))},
        BadValue{"RealInfinity", kMagnificationValue, Value::real(std::numeric_limits<double>::infinity())},
        BadValue{"RealDate", kCaptureValue, Value::date(0)},
        BadValue{"StringNumber", kExportFormat, Value::integer(3)},
        BadValue{"StringArray", kDisplayFormat, Value(std::vector<Value>{})},
        BadValue{"ListString", kHistoryColors, Value("FF0000FF")},
        BadValue{"ListDictionary", kNoColorManagementApps, Value(Dictionary{})},
        BadValue{"DictionaryString", kCodeStyle, Value("css")},
        BadValue{"DataString", kPickColorShortCut, Value("shortcut")}),
    [](const ::testing::TestParamInfo<BadValue>& info) { return std::string(info.param.label); });

TEST_F(SettingsStoreTest, ADamagedStoredValueGivesWayToTheRegisteredDefault)
{
    m_defaults->registerDefaults(Dictionary{{kShowMenubarIcon.name, Value::boolean(true)},
                                            {kRecentMenuItems.name, Value("also damaged")}});
    store(kShowMenubarIcon, Value(Dictionary{}));
    store(kRecentMenuItems, Value(std::vector<Value>{}));
    logging::Capture log;
    EXPECT_EQ(m_store->boolean(kShowMenubarIcon), true);
    EXPECT_EQ(log.lines().size(), 1u);
    EXPECT_FALSE(m_store->integer(kRecentMenuItems));
    EXPECT_EQ(log.lines().size(), 3u);
    EXPECT_EQ(m_defaults->objectForKey(kShowMenubarIcon.name), Value(Dictionary{}));
}

TEST_F(SettingsStoreTest, NumbersAreReadFromNumericStringsAndHugeValuesStayInRange)
{
    store(kRecentMenuItems, Value(" 12 "));
    EXPECT_EQ(m_store->integer(kRecentMenuItems), 12);
    store(kRecentMenuItems, Value::real(1e300));
    EXPECT_EQ(m_store->integer(kRecentMenuItems), 9223372036854774784LL);
    store(kRecentMenuItems, Value::real(-1e300));
    EXPECT_EQ(m_store->integer(kRecentMenuItems), -9223372036854774784LL);
    store(kRecentMenuItems, Value::real(-3.9));
    EXPECT_EQ(m_store->integer(kRecentMenuItems), -3);
    store(kCaptureValue, Value("40.5"));
    EXPECT_EQ(m_store->real(kCaptureValue), 40.5);
}

TEST_F(SettingsStoreTest, ListEntriesThatAreNotStringsAreSkipped)
{
    store(kNoColorManagementApps, Value(std::vector<Value>{Value("Preview"), Value::integer(4), Value("/Photo.*/")}));
    logging::Capture log;
    EXPECT_EQ(m_store->strings(kNoColorManagementApps), (std::vector<std::string>{"Preview", "/Photo.*/"}));
    EXPECT_EQ(log.lines().size(), 1u);
}

TEST(SettingsStoreDefaultsTest, TheBundleDefaultsHoldACompleteCodeStyleAndNoUserData)
{
    const Dictionary defaults = SettingsStore::readBundleDefaults();
    const Dictionary* codeStyle = defaults.get(kCodeStyle.name).dictionary();
    ASSERT_NE(codeStyle, nullptr);
    for (const char* group : {"decimal", "int", "hex", "css", "whiteSpace"})
        EXPECT_TRUE(codeStyle->get(group).isDictionary()) << group;
    for (const SettingsKey& key : {kHistoryColors, kFavoriteColors, kPickColorShortCut, kColorsAndFormatsShortCut,
                                   kUserInterface, kShowWelcomeMessage, kCheckForUpdates})
        EXPECT_FALSE(defaults.contains(key.name)) << key.name;
}

TEST(SettingsStoreDefaultsTest, MissingDefaultsResourceGivesNothingAndALogLine)
{
    const TemporaryFolder empty;
    Bundle::main().setResourceDirectory(empty.path());
    logging::Capture log;
    EXPECT_TRUE(SettingsStore::readBundleDefaults().empty());
    Bundle::main().setResourceDirectory({});
    EXPECT_EQ(log.lines().size(), 1u);
}

} // namespace
