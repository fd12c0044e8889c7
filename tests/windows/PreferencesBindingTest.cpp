#include "tests/windows/PreferencesFixture.h"

#include "formats/QVFormatRepository.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>

#include <gtest/gtest.h>

#include <string>

namespace {

class PreferencesBindingTest : public PreferencesFixture {
protected:
    void SetUp() override
    {
        PreferencesFixture::SetUp();
        m_writes = m_defaults.observeAll([this](const std::string& key, const Value&) { m_written.push_back(key); });
    }
    void TearDown() override
    {
        m_defaults.removeObserver(m_writes);
        PreferencesFixture::TearDown();
    }
    void choose(QComboBox* combo, int index)
    {
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    UserDefaults::Token m_writes = 0;
    std::vector<std::string> m_written;
};

TEST_F(PreferencesBindingTest, ControlsWriteTheirKeysThroughTheirTransformers)
{
    open();
    auto* theme = control<QComboBox>("themePopupButton");
    choose(theme, 1);
    EXPECT_EQ(m_defaults.objectForKey("userInterface"), Value("dark"));

    auto* exportFormat = control<QComboBox>("exportFormatComboBox");
    const auto formats = QVFormatRepository::sharedRepository().exportFormatList();
    ASSERT_TRUE(formats && formats->size() > 1);
    choose(exportFormat, 1);
    EXPECT_EQ(m_defaults.objectForKey("exportFormat"), Value((*formats)[1].name()));

    control<QCheckBox>("useNotificationCheckBox")->click();
    EXPECT_EQ(m_defaults.objectForKey("useNotification"), Value::boolean(false));
    control<QRadioButton>("openAfterPickRadioButton")->click();
    EXPECT_EQ(m_defaults.objectForKey("openFormatsAfterPick"), Value::boolean(true));
    control<QSpinBox>("recentMenuItemsSpinBox")->setValue(-7);
    EXPECT_EQ(m_defaults.objectForKey("recentMenuItems"), Value::integer(-7));
    choose(control<QComboBox>("highPrecisionComboBox"), 2);
    EXPECT_EQ(m_defaults.objectForKey("activateHighPrecisionMode"), Value::integer(2));
    choose(control<QComboBox>("colorInfoComboBox"), 2);
    EXPECT_EQ(m_defaults.objectForKey("colorInfo"), Value::integer(2));
    control<QCheckBox>("switchLensInputControlsCheckBox")->click();
    EXPECT_EQ(m_defaults.objectForKey("switchLensInputControls"), Value::boolean(true));
}

TEST_F(PreferencesBindingTest, ASliderWritesOnceWhenReleasedAndTheCaptureIsMadeOdd)
{
    open();
    auto* slider = control<QSlider>("captureSlider");
    m_written.clear();
    slider->setSliderDown(true);
    for (int value : {24, 26, 40})
        slider->setValue(value);
    EXPECT_TRUE(m_written.empty());
    slider->setSliderDown(false);
    EXPECT_EQ(m_written, std::vector<std::string> {"captureValue"});
    EXPECT_DOUBLE_EQ(m_defaults.doubleForKey("captureValue"), 41);
    EXPECT_EQ(slider->value(), 41);
    // The loupe takes the value and docks beside the window as a preview.
    EXPECT_DOUBLE_EQ(m_host->capture, 41);

    // Arrow keys step between odd values both ways.
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Left);
    EXPECT_DOUBLE_EQ(m_defaults.doubleForKey("captureValue"), 39);
    QTest::keyClick(slider, Qt::Key_Right);
    QTest::keyClick(slider, Qt::Key_Right);
    EXPECT_DOUBLE_EQ(m_defaults.doubleForKey("captureValue"), 43);
    EXPECT_EQ(m_host->parent, m_controller->window());

    auto* magnification = control<QSlider>("magnificationSlider");
    magnification->setSliderDown(true);
    magnification->setValue(12);
    magnification->setSliderDown(false);
    EXPECT_DOUBLE_EQ(m_defaults.doubleForKey("magnificationValue"), 12);
    EXPECT_DOUBLE_EQ(m_host->zoom, 12);
}

TEST_F(PreferencesBindingTest, ANumberTypedIntoASpinBoxWritesOnceWhenCommitted)
{
    open();
    auto* spin = control<QSpinBox>("recentMenuItemsSpinBox");
    spin->setFocus();
    spin->selectAll();
    m_written.clear();
    QTest::keyClicks(spin, "-12");
    EXPECT_TRUE(m_written.empty());
    QTest::keyClick(spin, Qt::Key_Return);
    EXPECT_EQ(m_written, std::vector<std::string> {"recentMenuItems"});
    EXPECT_EQ(m_defaults.objectForKey("recentMenuItems"), Value::integer(-12));

    // A number typed and left uncommitted is written when the window closes.
    spin->selectAll();
    QTest::keyClicks(spin, "3");
    m_controller->close();
    EXPECT_EQ(m_defaults.objectForKey("recentMenuItems"), Value::integer(3));
}

TEST_F(PreferencesBindingTest, ControlsFollowChangesMadeElsewhereWithoutWritingBack)
{
    open();
    m_defaults.setObject("userInterface", Value("dark"));
    m_defaults.setObject("useNotification", Value::boolean(false));
    m_defaults.setObject("captureValue", Value::real(14));
    m_defaults.setObject("codeStyle", Value(Dictionary {{"hex", Value(Dictionary {{"prefix", Value("$")}})}}));
    m_written.clear();
    m_defaults.setObjects(Dictionary {{"captureValue", Value::real(25)}, {"magnificationValue", Value::real(6)}});
    EXPECT_EQ(control<QComboBox>("themePopupButton")->currentIndex(), 1);
    EXPECT_FALSE(control<QCheckBox>("useNotificationCheckBox")->isChecked());
    EXPECT_EQ(control<QSlider>("captureSlider")->value(), 25);
    EXPECT_EQ(control<QSlider>("magnificationSlider")->value(), 6);
    EXPECT_EQ(control<QLineEdit>("hexPrefixLineEdit")->text(), "$");
    // The loupe's own values were the only writes.
    EXPECT_EQ(m_written, (std::vector<std::string> {"captureValue", "magnificationValue"}));
}

TEST_F(PreferencesBindingTest, BadStoredValuesShowAsDefaultsAndStayUntilChanged)
{
    m_defaults.setObject("userInterface", Value::integer(5));
    m_defaults.setObject("captureValue", Value("wide"));
    m_defaults.setObject("recentMenuItems", Value(std::vector<Value> {Value("x")}));
    m_defaults.setObject("codeStyle", Value(Dictionary {{"hex", Value(Dictionary {{"prefix", Value::integer(3)}})}}));
    m_written.clear();
    open();
    EXPECT_EQ(control<QComboBox>("themePopupButton")->currentIndex(), 0);
    EXPECT_EQ(control<QSlider>("captureSlider")->value(), 31);
    EXPECT_EQ(control<QSpinBox>("recentMenuItemsSpinBox")->value(), 5);
    auto* prefix = control<QLineEdit>("hexPrefixLineEdit");
    EXPECT_EQ(prefix->text(), "0x");
    // Leaving a field unchanged commits nothing.
    emit prefix->editingFinished();
    m_controller->window()->close();
    EXPECT_TRUE(m_written.empty());
    EXPECT_EQ(m_defaults.objectForKey("userInterface"), Value::integer(5));

    prefix->setText("#");
    emit prefix->editingFinished();
    const Dictionary* style = m_defaults.objectForKey("codeStyle").dictionary();
    ASSERT_NE(style, nullptr);
    EXPECT_EQ(style->get("hex").valueForKey("prefix"), Value("#"));
}

TEST_F(PreferencesBindingTest, CodeStyleFieldsAreEditableWhileInUse)
{
    open();
    auto* usePrefix = control<QCheckBox>("hexUsePrefixCheckBox");
    auto* prefix = control<QLineEdit>("hexPrefixLineEdit");
    EXPECT_TRUE(usePrefix->isChecked());
    EXPECT_TRUE(prefix->isEnabled());
    usePrefix->click();
    EXPECT_FALSE(prefix->isEnabled());
    EXPECT_EQ(m_defaults.objectForKey("codeStyle").valueForKey("hex").valueForKey("usePrefix"), Value::integer(0));
    EXPECT_FALSE(control<QLineEdit>("decimalSuffixLineEdit")->isEnabled());
}

} // namespace
