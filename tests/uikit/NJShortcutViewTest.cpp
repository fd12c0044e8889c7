#include "uikit/shortcuts/NJShortcutView.h"

#include "platform/ModifierFlags.h"
#include "tests/uikit/FakeApplicationTest.h"
#include "uikit/animation/NJAnimationGroup.h"
#include "uikit/shortcuts/ModifierNames.h"
#include "uikit/shortcuts/NJKey.h"
#include "uikit/shortcuts/NJRolloverButton.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QShortcut>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace modifierflags;

constexpr const char* kKey = "PickColorShortCut";
constexpr std::uint64_t kX = 7;
constexpr std::uint64_t kAlertWindow = 0xa1e27;

// A window that notes the keys its recorders pass on.
class HostWindow final : public QWidget {
public:
    std::vector<int> passedKeys;

protected:
    void keyPressEvent(QKeyEvent* event) override { passedKeys.push_back(event->key()); }
};

class NJShortcutViewTest : public FakeApplicationTest {
protected:
    void SetUp() override
    {
        FakeApplicationTest::SetUp();
        NJShortcutView::setAlertPresenter(
            [this](const QString& title, const QString& message) {
                m_alerts.push_back({title, message});
                m_platform->windowInput().takeKeyboardFocus(kAlertWindow, {});
            });
        m_window = std::make_unique<HostWindow>();
        auto* layout = new QVBoxLayout(m_window.get());
        m_first = new NJShortcutView(m_window.get());
        m_second = new NJShortcutView(m_window.get());
        for (NJShortcutView* recorder : {m_first, m_second}) {
            recorder->setFixedSize(160, 25);
            layout->addWidget(recorder);
        }
        m_window->show();
        m_window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
        m_writes = m_defaults.observeAll([this](const std::string&, const Value&) { ++m_writeCount; });
    }
    void TearDown() override
    {
        m_defaults.removeObserver(m_writes);
        m_window.reset();
        NJShortcutView::setAlertPresenter(nullptr);
        FakeApplicationTest::TearDown();
    }

    NJKey* cap(NJShortcutView* recorder, const char* name) { return recorder->findChild<NJKey*>(name); }
    double alpha(NJShortcutView* recorder, const char* name)
    {
        return NJAnimationGroup::widgetOpacity(cap(recorder, name));
    }
    NJRolloverButton* button(NJShortcutView* recorder, const char* name)
    {
        return recorder->findChild<NJRolloverButton*>(name);
    }
    std::optional<KeyShortcut> stored()
    {
        const auto* bytes = m_defaults.objectForKey(kKey).bytes();
        return bytes ? KeyShortcut::shortcutWithData(*bytes) : std::nullopt;
    }
    void startRecording(NJShortcutView* recorder)
    {
        recorder->setFocus();
        QTest::keyClick(recorder, Qt::Key_Space);
        ASSERT_TRUE(recorder->isRecording());
    }

    std::unique_ptr<HostWindow> m_window;
    NJShortcutView* m_first = nullptr;
    NJShortcutView* m_second = nullptr;
    std::vector<std::pair<QString, QString>> m_alerts;
    UserDefaults::Token m_writes = 0;
    int m_writeCount = 0;
};

TEST_F(NJShortcutViewTest, EveryClickTogglesAndADoubleClickCountsOnce)
{
    m_second->setFocus();
    QTest::mouseClick(m_first, Qt::LeftButton);
    EXPECT_TRUE(m_first->hasFocus());
    EXPECT_TRUE(m_first->isRecording());
    QTest::keyClick(m_first, Qt::Key_X, Qt::MetaModifier | Qt::ShiftModifier);
    ASSERT_TRUE(m_first->shortcutValue());
    EXPECT_FALSE(m_first->isRecording());
    QTest::mouseClick(m_first, Qt::LeftButton);
    EXPECT_TRUE(m_first->isRecording());
    QTest::mouseClick(m_first, Qt::LeftButton);
    EXPECT_FALSE(m_first->isRecording());

    // Both presses of a double click, as the window system sends them, start it once.
    m_first->setFocus();
    const auto send = [this](QEvent::Type type, quint64 time) {
        const QPointF point(5, 5);
        QMouseEvent event(type, point, m_second->mapToGlobal(point), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        event.setTimestamp(time);
        QApplication::sendEvent(m_second, &event);
    };
    const quint64 start = QTest::lastMouseTimestamp + 10000;
    send(QEvent::MouseButtonPress, start);
    send(QEvent::MouseButtonRelease, start + 50);
    send(QEvent::MouseButtonPress, start + 150);
    send(QEvent::MouseButtonDblClick, start + 150);
    send(QEvent::MouseButtonRelease, start + 200);
    EXPECT_TRUE(m_second->isRecording());
    // A click elsewhere ends the recording.
    QTest::mouseClick(m_first, Qt::LeftButton);
    EXPECT_FALSE(m_second->isRecording());
}

TEST_F(NJShortcutViewTest, KeysStartAndStopRecordingOrPassOn)
{
    m_first->setFocus();
    QTest::keyClick(m_first, Qt::Key_Return);
    EXPECT_TRUE(m_first->isRecording());
    QTest::keyClick(m_first, Qt::Key_Escape);
    EXPECT_FALSE(m_first->isRecording());
    EXPECT_TRUE(m_window->passedKeys.empty());
    QTest::keyClick(m_first, Qt::Key_Escape);
    EXPECT_EQ(m_window->passedKeys, std::vector<int> {Qt::Key_Escape});

    QTest::keyClick(m_first, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(m_first->isRecording());
    QTest::keyClick(m_first, Qt::Key_Tab);
    EXPECT_FALSE(m_first->isRecording());
    EXPECT_TRUE(m_second->hasFocus());

    m_second->setIgnoresEnter(true);
    QTest::keyClick(m_second, Qt::Key_Return);
    EXPECT_FALSE(m_second->isRecording());
    EXPECT_EQ(m_window->passedKeys.back(), Qt::Key_Return);

    m_second->setEnabled(false);
    m_second->setRecording(true);
    EXPECT_FALSE(m_second->isRecording());
}

TEST_F(NJShortcutViewTest, FreeCombinationBecomesTheValueAndIsStoredAtOnce)
{
    m_first->setAssociatedUserDefaultsKey(QString::fromLatin1(kKey), m_defaults);
    startRecording(m_first);
    EXPECT_TRUE(button(m_first, "clearButton")->isHidden());
    QTest::keyClick(m_first, Qt::Key_X, Qt::MetaModifier | Qt::ShiftModifier);
    EXPECT_FALSE(m_first->isRecording());
    ASSERT_TRUE(m_first->shortcutValue());
    EXPECT_EQ(*m_first->shortcutValue(), KeyShortcut(kX, kCommand | kShift));
    EXPECT_EQ(stored(), KeyShortcut(kX, kCommand | kShift));
    // Written through to the file, not only held in memory.
    UserDefaults reread(m_folder / "settings.plist");
    ASSERT_TRUE(reread.objectForKey(kKey).bytes());
    EXPECT_EQ(KeyShortcut::shortcutWithData(*reread.objectForKey(kKey).bytes()), KeyShortcut(kX, kCommand | kShift));

    // The clear button sits at the right end.
    NJRolloverButton* clear = button(m_first, "clearButton");
    EXPECT_FALSE(clear->isHidden());
    EXPECT_EQ(clear->x(), m_first->width() - clear->width() - 4);
    startRecording(m_first);
    EXPECT_TRUE(clear->isHidden());
    EXPECT_FALSE(button(m_first, "resetButton")->isHidden());
    QTest::mouseClick(button(m_first, "resetButton"), Qt::LeftButton);
    EXPECT_FALSE(m_first->isRecording());
    EXPECT_EQ(*m_first->shortcutValue(), KeyShortcut(kX, kCommand | kShift));
}

TEST_F(NJShortcutViewTest, TakenCombinationIsRefusedWithAnAlertAndRecordingGoesOn)
{
    QMenu menu;
    menu.addAction(QStringLiteral("Save"))->setShortcut(QKeySequence(Qt::META | Qt::SHIFT | Qt::Key_S));
    m_app->setMainMenu(&menu);
    m_platform->hotKeys().setHeldElsewhere(static_cast<int>(kX), kCommand | kControl, true);

    startRecording(m_first);
    QTest::keyClick(m_first, Qt::Key_S, Qt::MetaModifier | Qt::ShiftModifier);
    ASSERT_EQ(m_alerts.size(), 1u);
    EXPECT_EQ(m_alerts[0].first, QString::fromUtf8("The key combination Super+Shift+S cannot be used"));
    EXPECT_EQ(m_alerts[0].second,
              QString::fromUtf8("This shortcut cannot be used because it is already used by the menu item \u2018Save\u2019."));
    EXPECT_TRUE(m_first->isRecording());
    EXPECT_FALSE(m_first->shortcutValue());

    QTest::keyClick(m_first, Qt::Key_X, Qt::MetaModifier | Qt::ControlModifier);
    ASSERT_EQ(m_alerts.size(), 2u);
    EXPECT_EQ(m_alerts[1].second, QString::fromUtf8(KeyShortcut::kSystemShortcutMessage));
    EXPECT_TRUE(m_first->isRecording());
    // The window gets back the keyboard focus the alert took.
    EXPECT_EQ(m_platform->windowInput().focus(), m_window->windowHandle()->winId());
}

TEST_F(NJShortcutViewTest, HeldModifiersLightTheirCaps)
{
    startRecording(m_first);
    QTest::keyPress(m_first, Qt::Key_Shift, Qt::ShiftModifier);
    QTest::keyPress(m_first, Qt::Key_Alt, Qt::ShiftModifier | Qt::AltModifier);
    // Without a value the caps change at once.
    EXPECT_DOUBLE_EQ(alpha(m_first, "shiftKey"), 1.0);
    EXPECT_DOUBLE_EQ(alpha(m_first, "optionKey"), 1.0);
    EXPECT_DOUBLE_EQ(alpha(m_first, "controlKey"), 0.1);
    EXPECT_DOUBLE_EQ(alpha(m_first, "commandKey"), 0.1);
    EXPECT_DOUBLE_EQ(alpha(m_first, "mainKey"), 0.1);
    QTest::keyRelease(m_first, Qt::Key_Alt, Qt::ShiftModifier);
    QTest::keyRelease(m_first, Qt::Key_Shift, Qt::NoModifier);
    EXPECT_DOUBLE_EQ(alpha(m_first, "shiftKey"), 0.1);
    EXPECT_DOUBLE_EQ(alpha(m_first, "optionKey"), 0.1);
    EXPECT_FALSE(m_first->shortcutValue());

    // With a value the caps light over 0.2 s and fade over 0.1 s.
    m_first->setShortcutValue(NJShortcut(kX, kCommand));
    m_scheduler.advance(1);
    startRecording(m_first);
    m_scheduler.advance(1);
    QTest::keyPress(m_first, Qt::Key_Control, Qt::ControlModifier);
    m_scheduler.advance(0.1);
    const double halfway = alpha(m_first, "controlKey");
    EXPECT_GT(halfway, 0.15);
    EXPECT_LT(halfway, 0.95);
    m_scheduler.advance(0.15);
    EXPECT_DOUBLE_EQ(alpha(m_first, "controlKey"), 1.0);
    QTest::keyRelease(m_first, Qt::Key_Control, Qt::NoModifier);
    m_scheduler.advance(0.25);
    EXPECT_DOUBLE_EQ(alpha(m_first, "controlKey"), 0.1);
}

TEST_F(NJShortcutViewTest, DeleteClearsAndStoresTheArchiveOfNoShortcut)
{
    m_defaults.setObject(kKey, Value::data(KeyShortcut(kX, kCommand).data()));
    m_first->setAssociatedUserDefaultsKey(QString::fromLatin1(kKey), m_defaults);
    ASSERT_TRUE(m_first->shortcutValue());
    startRecording(m_first);
    QTest::keyClick(m_first, Qt::Key_Backspace);
    EXPECT_FALSE(m_first->isRecording());
    EXPECT_FALSE(m_first->shortcutValue());
    EXPECT_TRUE(m_defaults.isStored(kKey));
    EXPECT_FALSE(stored());
    EXPECT_TRUE(button(m_first, "clearButton")->isHidden());
}

TEST_F(NJShortcutViewTest, StartingASecondRecorderStopsTheFirst)
{
    startRecording(m_first);
    startRecording(m_second);
    EXPECT_FALSE(m_first->isRecording());
    // Setting the first one's value leaves the second one's monitors in place.
    m_first->setShortcutValue(NJShortcut(kX, kCommand));
    QTest::keyPress(m_second, Qt::Key_Shift, Qt::ShiftModifier);
    EXPECT_DOUBLE_EQ(alpha(m_second, "shiftKey"), 1.0);
    QTest::keyRelease(m_second, Qt::Key_Shift, Qt::NoModifier);
}

TEST_F(NJShortcutViewTest, BindingFollowsTheKeyWithoutEchoAndUnbindingRestoresTheValue)
{
    m_first->setShortcutValue(NJShortcut(kX, kOption | kCommand));
    m_defaults.setObject(kKey, Value::data(KeyShortcut(8, kCommand).data()));
    const int writesBefore = m_writeCount;
    m_first->setAssociatedUserDefaultsKey(QString::fromLatin1(kKey), m_defaults);
    EXPECT_EQ(m_first->associatedUserDefaultsKey(), QString::fromLatin1(kKey));
    EXPECT_EQ(*m_first->shortcutValue(), KeyShortcut(8, kCommand));

    m_defaults.setObject(kKey, Value::data(KeyShortcut(9, kControl).data()));
    EXPECT_EQ(*m_first->shortcutValue(), KeyShortcut(9, kControl));
    m_defaults.setObject(kKey, Value::data({1, 2, 3}));
    EXPECT_FALSE(m_first->shortcutValue());
    EXPECT_EQ(m_writeCount, writesBefore + 2);

    m_first->setAssociatedUserDefaultsKey(QString(), m_defaults);
    EXPECT_EQ(m_first->associatedUserDefaultsKey(), QString());
    EXPECT_EQ(*m_first->shortcutValue(), KeyShortcut(kX, kOption | kCommand));
    EXPECT_EQ(m_writeCount, writesBefore + 2);
    EXPECT_EQ(m_defaults.objectForKey(kKey), Value::data({1, 2, 3}));
}

TEST_F(NJShortcutViewTest, MainCapWidensWithItsNameAndTheCapsLineUp)
{
    m_first->setShortcutValue(NJShortcut(111, kShift | kCommand));
    m_scheduler.advance(1);
    const int side = cap(m_first, "mainKey")->height();
    const int wide = cap(m_first, "mainKey")->width();
    EXPECT_GE(wide, side + 20);
    EXPECT_EQ(cap(m_first, "mainKey")->prettyStringValue(), QStringLiteral("F12"));
    // Command and Shift take places; Control and Option give theirs up.
    EXPECT_EQ(cap(m_first, "commandKey")->x(), 2);
    const int commandWidth = cap(m_first, "commandKey")->width();
    EXPECT_EQ(cap(m_first, "shiftKey")->x(), 2 + commandWidth + 3);
    EXPECT_EQ(cap(m_first, "mainKey")->x(), 2 + commandWidth + 3 + cap(m_first, "shiftKey")->width() + 3);
    EXPECT_DOUBLE_EQ(alpha(m_first, "mainKey"), 1.0);

    m_first->setShortcutValue(NJShortcut(kX, kCommand));
    m_scheduler.advance(1);
    EXPECT_GE(cap(m_first, "mainKey")->width(), side);
    EXPECT_LT(cap(m_first, "mainKey")->width(), wide);
    EXPECT_EQ(cap(m_first, "mainKey")->prettyStringValue(), QStringLiteral("X"));
}

TEST_F(NJShortcutViewTest, TheCapsReadAsTheShortcutsTextDoes)
{
    for (const unsigned long flags : {kShift | kControl | kOption | kCommand, kShift | kCommand, kOption | kCommand}) {
        m_first->setShortcutValue(NJShortcut(kX, flags));
        m_scheduler.advance(1);
        std::vector<const NJKey*> shown;
        for (const NJKey* key : m_first->findChildren<NJKey*>()) {
            if (NJAnimationGroup::widgetOpacity(key) > 0.5)
                shown.push_back(key);
        }
        std::sort(shown.begin(), shown.end(), [](const NJKey* a, const NJKey* b) { return a->x() < b->x(); });
        QStringList names;
        for (const NJKey* key : shown)
            names << key->prettyStringValue();
        EXPECT_EQ(names.join(u'+'), modifiernames::prefix(flags) + "X");
    }
}

TEST_F(NJShortcutViewTest, TheRecorderIsADarkFieldInTheDarkTheme)
{
    const auto ground = [this] {
        // Right of the last cap and left of the clear button.
        const QImage image = m_first->grab().toImage();
        return image.pixelColor(image.width() / 2, image.height() / 2).lightness();
    };
    EXPECT_GT(ground(), 200);
    m_defaults.setObject("userInterface", Value("dark"));
    m_app->themeChanged();
    ASSERT_TRUE(m_app->darkMode());
    // The widgets take the new palette as the event loop delivers it.
    QCoreApplication::processEvents();
    EXPECT_LT(ground(), 60);
}

TEST_F(NJShortcutViewTest, CommandWAndQReachTheWindowWhileRecording)
{
    int closes = 0;
    QShortcut close(QKeySequence(Qt::META | Qt::Key_W), m_window.get());
    QObject::connect(&close, &QShortcut::activated, [&] { ++closes; });
    startRecording(m_first);
    QTest::keyClick(m_first, Qt::Key_W, Qt::MetaModifier);
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(m_first->isRecording());
    EXPECT_FALSE(m_first->shortcutValue());
}

TEST_F(NJShortcutViewTest, DirectEntryTakesAValidCombinationWithoutRecording)
{
    m_first->setFocus();
    QTest::keyClick(m_first, Qt::Key_X, Qt::ControlModifier);
    EXPECT_FALSE(m_first->shortcutValue());
    m_first->setDirectEnteringEnabled(true);
    QTest::keyClick(m_first, Qt::Key_X, Qt::ControlModifier);
    ASSERT_TRUE(m_first->shortcutValue());
    EXPECT_EQ(*m_first->shortcutValue(), KeyShortcut(kX, kControl));
}

} // namespace

TEST_F(NJShortcutViewTest, EveryCapsTextStaysInsideItsBorder)
{
    NJShortcutView recorder;
    recorder.resize(recorder.sizeHint());
    recorder.setShortcutValue(NJShortcut(111, kShift | kControl | kOption | kCommand));
    m_scheduler.advance(1);
    const QImage image = recorder.grab().toImage();
    for (const NJKey* key : recorder.findChildren<NJKey*>()) {
        const QRect cap = key->geometry();
        EXPECT_LE(cap.right(), recorder.width()) << key->objectName().toStdString();
        // Text is the only dark ink; the border is 3 pixels in and 1 pixel wide, and the
        // text keeps two pixels of air from it on either side.
        const QRect inside = cap.adjusted(6, 4, -6, -4);
        int ink = 0;
        for (int y = cap.top(); y <= cap.bottom(); ++y) {
            for (int x = cap.left(); x <= cap.right(); ++x) {
                if (image.pixelColor(x, y).lightness() >= 100)
                    continue;
                ++ink;
                EXPECT_TRUE(inside.contains(x, y)) << key->objectName().toStdString() << " at " << x << "," << y;
            }
        }
        EXPECT_GT(ink, 10) << key->objectName().toStdString();
    }
}
