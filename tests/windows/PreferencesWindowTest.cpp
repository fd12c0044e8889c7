#include "tests/windows/PreferencesFixture.h"

#include "uikit/shortcuts/KeyShortcut.h"
#include "uikit/shortcuts/NJShortcutView.h"
#include "uikit/slideshow/WNJSliderCell.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSlider>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <tuple>
#include <vector>

namespace {

class PreferencesWindowTest : public PreferencesFixture {
protected:
    QString text(const char* name) const { return control<QLabel>(name)->text(); }
    void setStyle(const char* group, const char* key, Value value)
    {
        const Value stored = m_defaults.objectForKey("codeStyle");
        Dictionary style = *stored.dictionary();
        Dictionary entries = *style.get(group).dictionary();
        entries.set(key, std::move(value));
        style.set(group, Value(std::move(entries)));
        m_defaults.setObject("codeStyle", Value(std::move(style)));
    }
    void changeCapture(int value)
    {
        auto* slider = control<QSlider>("captureSlider");
        slider->setSliderDown(true);
        slider->setValue(value);
        slider->setSliderDown(false);
    }
};

TEST_F(PreferencesWindowTest, ExamplesFollowTheCodeStyle)
{
    open();
    EXPECT_EQ(text("hexExample"), "0xaa00ff");
    EXPECT_EQ(text("cssExample"), "#aa00ff");
    EXPECT_EQ(text("floatExample"), "0.25");
    EXPECT_EQ(text("whiteSpaceExample"), "red:0.25, green:0.45");

    control<QCheckBox>("whiteSpaceKvcCheckBox")->click();
    EXPECT_EQ(text("whiteSpaceExample"), "red: 0.25, green: 0.45");
    setStyle("hex", "useUppercase", Value::integer(1));
    EXPECT_EQ(text("hexExample"), "0xAA00FF");
}

TEST_F(PreferencesWindowTest, AStyleChangeWhileHiddenIsNotRendered)
{
    open();
    m_controller->window()->close();
    setStyle("hex", "useUppercase", Value::integer(1));
    EXPECT_EQ(text("hexExample"), "0xaa00ff");
    open();
    EXPECT_EQ(text("hexExample"), "0xAA00FF");
}

TEST_F(PreferencesWindowTest, InfoTextsFollowTheirSettings)
{
    const std::vector<std::tuple<const char*, Value, const char*, QString>> cases {
        {"openFormatsAfterPick", Value::boolean(true), "afterPickInfo", "Alt+Click copies directly to Clipboard"},
        {"openFormatsAfterPick", Value::boolean(false), "afterPickInfo", "Alt+Click opens Colors & Formats Dialog"},
        {"recentMenuItems", Value::integer(1), "recentMenuItemInfo", "Pressing Alt will show recently favorited colors"},
        {"recentMenuItems", Value::integer(0), "recentMenuItemInfo", "Pressing Alt will show recently picked colors"},
        {"recentMenuItems", Value::integer(-3), "recentMenuItemInfo", "Pressing Alt will show recently picked colors"},
        {"switchLensInputControls", Value::boolean(true), "magnificationInfoText", "Alt+Pinch Zoom\nScroll"},
        {"switchLensInputControls", Value::boolean(true), "captureAreaInfoText", "Pinch Zoom\nAlt+Scroll"},
        {"switchLensInputControls", Value::boolean(false), "magnificationInfoText", "Pinch Zoom\nAlt+Scroll"},
        {"switchLensInputControls", Value::boolean(false), "captureAreaInfoText", "Alt+Pinch Zoom\nScroll"},
    };
    open();
    for (const auto& [key, value, field, expected] : cases) {
        m_defaults.setObject(key, value);
        EXPECT_EQ(text(field), expected) << key << " " << value.description();
    }
}

TEST_F(PreferencesWindowTest, ThePreviewStaysUntilTwoAndAQuarterSecondsAfterTheLastChange)
{
    open();
    changeCapture(25);
    EXPECT_EQ(m_host->parent, m_controller->window());
    EXPECT_EQ(m_host->colorInfo, 1);
    EXPECT_TRUE(m_host->peek);
    m_scheduler.advance(1.0);
    changeCapture(29);
    m_scheduler.advance(2.0);
    EXPECT_EQ(m_host->parent, m_controller->window());
    m_scheduler.advance(0.25);
    EXPECT_EQ(m_host->parent, m_controller->window());
    m_scheduler.advance(0.25);
    EXPECT_EQ(m_host->parent, nullptr);
    EXPECT_DOUBLE_EQ(m_host->alpha, 0);

    // The next change fades the preview in again.
    changeCapture(33);
    m_scheduler.advance(0.3);
    EXPECT_EQ(m_host->parent, m_controller->window());
    EXPECT_DOUBLE_EQ(m_host->alpha, 1);
}

TEST_F(PreferencesWindowTest, TheThemeReachesThePreviewAndTheCaptureSliderEndsAtTheLargestCapture)
{
    make();
    m_host->maxDiameter = 400;
    m_host->zoom = 8;
    open();
    auto* slider = control<WNJSliderCell>("captureSlider");
    // From the first showing the slider ends at 400 / 8, stored odd; no part of it is
    // drawn as lying beyond.
    EXPECT_EQ(slider->maximum(), 49);
    EXPECT_EQ(slider->value(), 31);
    EXPECT_DOUBLE_EQ(slider->maxSliderValue(), 0);
    m_host->zoom = 10;
    m_host->capture = 51;
    auto* theme = control<QComboBox>("themePopupButton");
    theme->setCurrentIndex(1);
    emit theme->activated(1);
    EXPECT_EQ(m_host->appearanceReads, 1);
    EXPECT_EQ(slider->maximum(), 39);
    EXPECT_EQ(slider->value(), 39);
    EXPECT_DOUBLE_EQ(slider->maxSliderValue(), 0);
    // The slider is capped, the stored value stays.
    EXPECT_DOUBLE_EQ(m_defaults.doubleForKey("captureValue"), 31);
}

TEST_F(PreferencesWindowTest, TheCaptureSliderStoresNothingPastTheLargestCapture)
{
    make();
    m_host->zoom = 9;
    open();
    auto* slider = control<WNJSliderCell>("captureSlider");
    slider->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_DOUBLE_EQ(m_defaults.doubleForKey("captureValue"), 43);
    changeCapture(21);
    slider->setSliderDown(true);
    slider->setSliderPosition(44);
    slider->setSliderDown(false);
    EXPECT_DOUBLE_EQ(m_defaults.doubleForKey("captureValue"), 43);
}

TEST_F(PreferencesWindowTest, BothRecordersAreDarkFieldsInTheDarkTheme)
{
    open();
    // The lightness most of a recorder's pixels have: its ground.
    const auto ground = [](NJShortcutView* recorder) {
        const QImage image = recorder->grab().toImage();
        std::array<int, 256> counts {};
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                ++counts[static_cast<std::size_t>(image.pixelColor(x, y).lightness())];
        return static_cast<int>(std::max_element(counts.begin(), counts.end()) - counts.begin());
    };
    for (NJShortcutView* recorder : {m_controller->shortcutPicker(), m_controller->shortcutOverlay()})
        EXPECT_GT(ground(recorder), 200);
    m_defaults.setObject("userInterface", Value("dark"));
    m_app->themeChanged();
    ASSERT_TRUE(m_app->darkMode());
    // The widgets take the new palette as the event loop delivers it.
    QCoreApplication::processEvents();
    for (NJShortcutView* recorder : {m_controller->shortcutPicker(), m_controller->shortcutOverlay()})
        EXPECT_LT(ground(recorder), 60);
}

TEST_F(PreferencesWindowTest, LaunchAtLoginChangesOnlyWhatDiffersAndShowsWhatHappened)
{
    open();
    auto* box = control<QCheckBox>("launchAtLogin");
    EXPECT_FALSE(box->isChecked());
    m_controller->launchAtLoginChanged();
    EXPECT_EQ(m_host->loginChanges, 0);
    box->click();
    EXPECT_EQ(m_host->loginChanges, 1);
    EXPECT_TRUE(m_host->loginItem);
    // A refused change leaves the box as the system has it.
    m_host->loginItemFails = true;
    box->click();
    EXPECT_EQ(m_host->loginChanges, 2);
    EXPECT_TRUE(box->isChecked());
}

TEST_F(PreferencesWindowTest, RecordersStoreTheirShortcuts)
{
    open();
    NJShortcutView* picker = m_controller->shortcutPicker();
    NJShortcutView* overlay = m_controller->shortcutOverlay();
    EXPECT_EQ(picker->emptyCaption(), "Click to record shortcut");
    EXPECT_EQ(picker->associatedUserDefaultsKey(), "PickColorShortCut");
    EXPECT_EQ(overlay->associatedUserDefaultsKey(), "ColorsAndFormatsShortCut");

    m_controller->focusShortcutOverlay();
    QTest::keyClick(overlay, Qt::Key_Space);
    ASSERT_TRUE(m_controller->isShortcutRecording());
    QTest::keyClick(overlay, Qt::Key_X, Qt::MetaModifier | Qt::ShiftModifier);
    EXPECT_FALSE(m_controller->isShortcutRecording());
    const auto* bytes = m_defaults.objectForKey("ColorsAndFormatsShortCut").bytes();
    ASSERT_NE(bytes, nullptr);
    const auto stored = KeyShortcut::shortcutWithData(*bytes);
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->keyCode(), 7u);

    m_controller->focusShortcutPicker();
    QTest::keyClick(picker, Qt::Key_Space);
    ASSERT_TRUE(picker->isRecording());
    m_controller->cancelShortcutRecording();
    EXPECT_FALSE(m_controller->isShortcutRecording());
}

} // namespace
