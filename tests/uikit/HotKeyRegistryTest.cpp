#include "uikit/shortcuts/HotKeyRegistry.h"

#include "foundation/UserDefaults.h"
#include "platform/ModifierFlags.h"
#include "platform/fake/FakeHotKeys.h"
#include "tests/foundation/TemporaryFolder.h"

#include <gtest/gtest.h>

namespace {

using namespace modifierflags;

constexpr const char* kKey = "PickColorShortCut";
const KeyShortcut kPick(8, kCommand | kOption);
const KeyShortcut kOther(7, kCommand | kShift);

class HotKeyRegistryTest : public ::testing::Test {
protected:
    TemporaryFolder m_folder;
    UserDefaults m_defaults {m_folder / "settings.plist"};
    FakeHotKeys m_hotKeys;
    HotKeyRegistry m_registry {m_hotKeys, m_defaults};
    int m_presses = 0;
};

TEST_F(HotKeyRegistryTest, MonitorsHoldOneHotKeyPerCombination)
{
    const auto token = m_registry.addGlobalHotkeyMonitor(kPick, [this] { ++m_presses; });
    ASSERT_TRUE(token);
    EXPECT_FALSE(m_registry.addGlobalHotkeyMonitor(kPick, [] {}));
    EXPECT_TRUE(m_hotKeys.press(8, kCommand | kOption));
    EXPECT_EQ(m_presses, 1);

    // Two keys whose shortcuts read alike are two hot keys all the same.
    ASSERT_EQ(KeyShortcut(90, kCommand).description(), KeyShortcut(200, kCommand).description());
    const auto first = m_registry.addGlobalHotkeyMonitor(KeyShortcut(90, kCommand), [] {});
    const auto second = m_registry.addGlobalHotkeyMonitor(KeyShortcut(200, kCommand), [] {});
    ASSERT_TRUE(first && second);
    EXPECT_TRUE(m_hotKeys.isRegistered(90, kCommand));
    EXPECT_TRUE(m_hotKeys.isRegistered(200, kCommand));
    m_registry.removeGlobalHotkeyMonitor(second);
    EXPECT_TRUE(m_hotKeys.isRegistered(90, kCommand));

    m_registry.removeGlobalHotkeyMonitor(token);
    EXPECT_FALSE(m_hotKeys.isRegistered(8, kCommand | kOption));
    m_registry.removeGlobalHotkeyMonitor(std::nullopt);
    EXPECT_EQ(m_hotKeys.registeredCount(), 1u);
}

TEST_F(HotKeyRegistryTest, CombinationsOthersHoldOrWithoutAKeyGetNoToken)
{
    m_hotKeys.setHeldElsewhere(8, kCommand | kOption, true);
    EXPECT_FALSE(m_registry.addGlobalHotkeyMonitor(kPick, [] {}));
    EXPECT_FALSE(m_registry.addGlobalHotkeyMonitor(KeyShortcut(KeyShortcut::kNotFound, kCommand), [] {}));
    EXPECT_EQ(m_hotKeys.registeredCount(), 0u);
}

TEST_F(HotKeyRegistryTest, SettingsKeyHotKeyFollowsTheStoredShortcut)
{
    m_registry.setGlobalShortcut(kPick, kKey);
    m_registry.registerGlobalShortcutWithUserDefaultsKey(kKey, [this] { ++m_presses; });
    EXPECT_TRUE(m_hotKeys.press(8, kCommand | kOption));
    EXPECT_EQ(m_presses, 1);
    EXPECT_EQ(m_registry.registeredUserDefaultsHotKeys(), std::vector<std::string> {kKey});

    m_defaults.setObject(kKey, Value::data(kOther.data()));
    EXPECT_FALSE(m_hotKeys.isRegistered(8, kCommand | kOption));
    EXPECT_TRUE(m_hotKeys.press(7, kCommand | kShift));
    EXPECT_EQ(m_presses, 2);

    m_defaults.setObject(kKey, Value::data(KeyShortcut::archiveOfNone()));
    EXPECT_EQ(m_hotKeys.registeredCount(), 0u);
    m_registry.setGlobalShortcut(kPick, kKey);
    EXPECT_TRUE(m_hotKeys.isRegistered(8, kCommand | kOption));
    m_registry.setGlobalShortcut(std::nullopt, kKey);
    EXPECT_FALSE(m_defaults.isStored(kKey));
    EXPECT_EQ(m_hotKeys.registeredCount(), 0u);
    m_defaults.setObject(kKey, Value("garbage"));
    EXPECT_EQ(m_hotKeys.registeredCount(), 0u);
}

TEST_F(HotKeyRegistryTest, RegisteringAKeyAgainKeepsItsHotKeyAndUnregisteringRemovesIt)
{
    m_registry.setGlobalShortcut(kPick, kKey);
    m_registry.registerGlobalShortcutWithUserDefaultsKey(kKey, [this] { ++m_presses; });
    m_registry.registerGlobalShortcutWithUserDefaultsKey(kKey, [this] { m_presses += 10; });
    EXPECT_EQ(m_hotKeys.registeredCount(), 1u);
    EXPECT_TRUE(m_hotKeys.press(8, kCommand | kOption));
    EXPECT_EQ(m_presses, 10);

    m_registry.unregisterGlobalShortcutWithUserDefaultsKey(kKey);
    EXPECT_EQ(m_hotKeys.registeredCount(), 0u);
    EXPECT_TRUE(m_registry.registeredUserDefaultsHotKeys().empty());
    // The key no longer drives a hot key.
    m_defaults.setObject(kKey, Value::data(kOther.data()));
    EXPECT_EQ(m_hotKeys.registeredCount(), 0u);
}

} // namespace
