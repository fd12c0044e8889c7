#include "uikit/shortcuts/KeyShortcut.h"

#include "foundation/Dictionary.h"
#include "foundation/PropertyList.h"
#include "platform/ModifierFlags.h"
#include "tests/uikit/FakeApplicationTest.h"

#include <QKeyEvent>
#include <QMenu>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using namespace modifierflags;

constexpr std::uint64_t kC = 8;
constexpr std::uint64_t kS = 1;

class KeyShortcutTest : public FakeApplicationTest {
protected:
    void TearDown() override
    {
        KeyShortcut::setAllowsAnyHotkeyWithOptionModifier(false);
        FakeApplicationTest::TearDown();
    }
};

TEST_F(KeyShortcutTest, KeepsOnlyTheFourModifiersAndComparesKeyAndFlags)
{
    KeyShortcut shortcut(kC, kCommand | kOption | kCapsLock | 0x800000);
    EXPECT_EQ(shortcut.modifierFlags(), kCommand | kOption);
    shortcut.setModifierFlags(kShift | kCapsLock);
    EXPECT_EQ(shortcut.modifierFlags(), kShift);
    EXPECT_EQ(KeyShortcut(kC, kCommand), KeyShortcut(kC, kCommand | kCapsLock));
    EXPECT_FALSE(KeyShortcut(kC, kCommand) == KeyShortcut(kS, kCommand));
    EXPECT_EQ(KeyShortcut(kC, kCommand | kShift | kOption | kControl).carbonFlags(), 0x1B00u);
    EXPECT_EQ(KeyShortcut(KeyShortcut::kNotFound, 0).carbonKeyCode(), 0u);
}

TEST_F(KeyShortcutTest, ArchiveHoldsKeyCodeAndFlagsAndRefusesAnythingElse)
{
    const KeyShortcut pick(kC, kCommand | kOption);
    EXPECT_EQ(KeyShortcut::shortcutWithData(pick.data()), pick);

    const Value archive = propertylist::read(KeyShortcut(KeyShortcut::kNotFound, kShift).data());
    ASSERT_TRUE(archive.dictionary());
    EXPECT_EQ(archive.dictionary()->get("KeyCode").integerValue(), -1);
    EXPECT_EQ(archive.dictionary()->get("ModifierFlags").integerValue(), static_cast<long long>(kShift));
    EXPECT_EQ(KeyShortcut::shortcutWithData(KeyShortcut(KeyShortcut::kNotFound, kShift).data())->keyCode(),
              KeyShortcut::kNotFound);

    const auto masked = KeyShortcut::shortcutWithData(propertylist::writeBinary(
        Value(Dictionary {{"KeyCode", Value::integer(8)}, {"ModifierFlags", Value::integer(0x190000)}})));
    ASSERT_TRUE(masked);
    EXPECT_EQ(masked->modifierFlags(), kCommand | kOption);

    EXPECT_FALSE(KeyShortcut::shortcutWithData({}));
    EXPECT_FALSE(KeyShortcut::shortcutWithData(KeyShortcut::archiveOfNone()));
    EXPECT_FALSE(KeyShortcut::shortcutWithData({8, 1}));
    EXPECT_FALSE(KeyShortcut::shortcutWithData(propertylist::writeBinary(Value(Dictionary {{"KeyCode", Value("8")}}))));
}

TEST_F(KeyShortcutTest, DescriptionNamesTheModifiersAsQtsMenusDoThenTheKey)
{
    EXPECT_EQ(KeyShortcut(kC, kCommand | kOption).description(), "Super+Alt+C");
    EXPECT_EQ(KeyShortcut(kC, kCommand | kOption).keyCodeStringForKeyEquivalent(), "c");
    EXPECT_EQ(KeyShortcut(kC, kCommand | kShift | kOption | kControl).modifierFlagsString(), "Super+Ctrl+Alt+Shift+");
    EXPECT_EQ(KeyShortcut(kC, 0).modifierFlagsString(), "");
    EXPECT_EQ(KeyShortcut(KeyShortcut::kNotFound, kCommand).description(), "Super+");
    // The menus' key equivalents read the same, Meta named Super.
    for (const unsigned long flags : {kCommand | kOption, kCommand | kShift | kOption | kControl}) {
        const KeyShortcut shortcut(kC, flags);
        EXPECT_EQ(shortcut.keySequence().toString(QKeySequence::NativeText).toStdString(), shortcut.description());
    }
}

TEST_F(KeyShortcutTest, FixedKeysHaveTheirOwnNamesWhateverTheLayoutTypes)
{
    struct Case {
        std::uint64_t keyCode;
        const char* name;
    };
    for (const Case& c : {Case {36, "\u21A9"}, Case {48, "\u21E5"}, Case {49, "Space"}, Case {51, "\u232B"},
                          Case {53, "\u238B"}, Case {65, "."}, Case {71, "\u2327"}, Case {76, "\u2305"},
                          Case {78, "\u2013"}, Case {82, "0"}, Case {89, "7"}, Case {91, "8"}, Case {92, "9"},
                          Case {114, "?"}, Case {117, "\u2326"}, Case {121, "\u21DF"}, Case {126, "\u2191"},
                          Case {122, "F1"}, Case {120, "F2"}, Case {111, "F12"}, Case {80, "F19"}}) {
        m_platform->keyboardLayout().setCharacters(static_cast<int>(c.keyCode), "x");
        EXPECT_EQ(KeyShortcut(c.keyCode, kCommand).keyCodeString(), c.name) << c.keyCode;
    }
}

TEST_F(KeyShortcutTest, OtherKeysShowTheLayoutsPrintableTextInUpperCase)
{
    FakeKeyboardLayout& layout = m_platform->keyboardLayout();
    layout.setCharacters(kC, "\u00e9");
    EXPECT_EQ(KeyShortcut(kC, kCommand).keyCodeString(), "\u00c9");
    layout.setCharacters(kC, "");
    EXPECT_EQ(KeyShortcut(kC, kCommand).keyCodeString(), "");
    layout.setCharacters(kC, "\x7f");
    EXPECT_EQ(KeyShortcut(kC, kCommand).keyCodeString(), "");
    // Combining marks count as letters: a dead key's mark is a name too.
    layout.setCharacters(kC, "a\u0301");
    EXPECT_EQ(KeyShortcut(kC, kCommand).keyCodeString(), "A\u0301");
    layout.setCharacters(kC, "\u0323");
    EXPECT_EQ(KeyShortcut(kC, kCommand).keyCodeString(), "\u0323");
    // F20 has no name and types nothing.
    EXPECT_EQ(KeyShortcut(90, 0).keyCodeString(), "");
}

TEST_F(KeyShortcutTest, KeyEquivalentsOfLongNames)
{
    EXPECT_EQ(KeyShortcut(49, kCommand).keyCodeStringForKeyEquivalent(), " ");
    EXPECT_EQ(KeyShortcut(122, kCommand).keyCodeStringForKeyEquivalent(), "\uF704");
    EXPECT_EQ(KeyShortcut(80, kCommand).keyCodeStringForKeyEquivalent(), "\uF716");
    EXPECT_EQ(KeyShortcut(36, kCommand).keyCodeStringForKeyEquivalent(), "\u21A9");
    EXPECT_EQ(KeyShortcut(90, kCommand).keyCodeStringForKeyEquivalent(), "");
}

TEST_F(KeyShortcutTest, MenuKeySequencesNameTheKeyAndItsModifiers)
{
    EXPECT_EQ(KeyShortcut(122, kCommand | kShift).keySequence(), QKeySequence(Qt::META | Qt::SHIFT | Qt::Key_F1));
    EXPECT_EQ(KeyShortcut(80, kControl).keySequence(), QKeySequence(Qt::CTRL | Qt::Key_F19));
    EXPECT_EQ(KeyShortcut(49, kOption).keySequence(), QKeySequence(Qt::ALT | Qt::Key_Space));
    EXPECT_EQ(KeyShortcut(36, kCommand).keySequence(), QKeySequence(Qt::META | Qt::Key_Return));
    EXPECT_EQ(KeyShortcut(kS, kCommand | kOption).keySequence(), QKeySequence(Qt::META | Qt::ALT | Qt::Key_S));
    EXPECT_TRUE(KeyShortcut(90, kCommand).keySequence().isEmpty());
    // Keys a German layout names by accents and letters beyond ASCII.
    FakeKeyboardLayout& layout = m_platform->keyboardLayout();
    layout.setCharacters(50, "^");
    EXPECT_EQ(KeyShortcut(50, kCommand).keySequence(), QKeySequence(Qt::META | Qt::Key_AsciiCircum));
    layout.setCharacters(24, "\u00B4");
    EXPECT_EQ(KeyShortcut(24, kCommand).keySequence(), QKeySequence(Qt::META | Qt::Key_acute));
    layout.setCharacters(39, "\u00E4");
    EXPECT_EQ(KeyShortcut(39, kCommand | kShift).keySequence(), QKeySequence(Qt::META | Qt::SHIFT | Qt::Key_Adiaeresis));
}

TEST_F(KeyShortcutTest, ValidityAndBypass)
{
    constexpr std::uint64_t kA = 0;
    EXPECT_TRUE(KeyShortcut(49, kOption).isValid());
    EXPECT_TRUE(KeyShortcut(53, kOption).isValid());
    EXPECT_FALSE(KeyShortcut(kA, kOption).isValid());
    EXPECT_FALSE(KeyShortcut(kA, kShift).isValid());
    EXPECT_FALSE(KeyShortcut(kA, 0).isValid());
    EXPECT_TRUE(KeyShortcut(96, 0).isValid());
    EXPECT_TRUE(KeyShortcut(90, kShift).isValid());
    EXPECT_TRUE(KeyShortcut(kA, kControl).isValid());
    EXPECT_TRUE(KeyShortcut(kA, kCommand | kShift).isValid());
    KeyShortcut::setAllowsAnyHotkeyWithOptionModifier(true);
    EXPECT_TRUE(KeyShortcut(kA, kOption).isValid());
    EXPECT_FALSE(KeyShortcut(kA, kShift).isValid());

    EXPECT_TRUE(KeyShortcut(13, kCommand).shouldBypass());
    EXPECT_TRUE(KeyShortcut(12, kCommand).shouldBypass());
    EXPECT_FALSE(KeyShortcut(13, kCommand | kShift).shouldBypass());
    EXPECT_FALSE(KeyShortcut(14, kCommand).shouldBypass());
}

TEST_F(KeyShortcutTest, MenuItemsClashByKeyAndModifiersDepthFirst)
{
    QMenu menu;
    menu.addAction(QStringLiteral("&Save"))->setShortcut(QKeySequence(Qt::META | Qt::SHIFT | Qt::Key_S));
    QMenu* submenu = menu.addMenu(QStringLiteral("More"));
    submenu->addAction(QStringLiteral("Help"))->setShortcut(QKeySequence(Qt::Key_F1));
    menu.addAction(QStringLiteral("No shortcut"));

    Error error;
    EXPECT_TRUE(KeyShortcut::isKeyEquivalent("s", kCommand | kShift, &menu, &error));
    EXPECT_EQ(error.message, "This shortcut cannot be used because it is already used by the menu item \u2018Save\u2019.");
    EXPECT_EQ(error.domain, "NSCocoaErrorDomain");
    EXPECT_FALSE(KeyShortcut::isKeyEquivalent("s", kCommand, &menu, nullptr));
    EXPECT_TRUE(KeyShortcut::isKeyEquivalent("\uF704", 0, &menu, nullptr));
    EXPECT_FALSE(KeyShortcut::isKeyEquivalent("", 0, &menu, nullptr));

    m_app->setMainMenu(&menu);
    EXPECT_TRUE(KeyShortcut(kS, kCommand | kShift).isTakenError(nullptr));
    EXPECT_FALSE(KeyShortcut(kC, kCommand | kShift).isTakenError(nullptr));
}

TEST_F(KeyShortcutTest, CombinationsHeldByAnotherProgramAreTaken)
{
    m_platform->hotKeys().setHeldElsewhere(kC, kCommand | kOption, true);
    Error error;
    EXPECT_TRUE(KeyShortcut(kC, kCommand | kOption).isTakenError(&error));
    EXPECT_EQ(error.message,
              "This combination cannot be used because it is already used by a system-wide keyboard shortcut.\n"
              "If you really want to use this key combination, most shortcuts can be changed in your desktop's "
              "keyboard settings.");
    EXPECT_FALSE(KeyShortcut(kC, kCommand).isTakenError(nullptr));
}

TEST_F(KeyShortcutTest, KeyEventsMapToKeyPositionsWithOrWithoutScanCodes)
{
    const QKeyEvent letter(QEvent::KeyPress, Qt::Key_C, Qt::MetaModifier | Qt::AltModifier);
    EXPECT_EQ(KeyShortcut::shortcutWithEvent(letter), KeyShortcut(kC, kCommand | kOption));
    const QKeyEvent shifted(QEvent::KeyPress, Qt::Key_Exclam, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(KeyShortcut::shortcutWithEvent(shifted), KeyShortcut(18, kShift | kControl));
    const QKeyEvent keypad(QEvent::KeyPress, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(KeyShortcut::shortcutWithEvent(keypad).keyCode(), 76u);
    const QKeyEvent keypadDigit(QEvent::KeyPress, Qt::Key_8, Qt::KeypadModifier);
    EXPECT_EQ(KeyShortcut::shortcutWithEvent(keypadDigit).keyCode(), 91u);
    const QKeyEvent function(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
    EXPECT_EQ(KeyShortcut::shortcutWithEvent(function).keyCode(), 96u);
    const QKeyEvent modifierOnly(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);
    EXPECT_EQ(KeyShortcut::shortcutWithEvent(modifierOnly).keyCode(), KeyShortcut::kNotFound);

    // A scan code places the key whatever the layout types on it.
    m_platform->keyboardLayout().setScanCode(54, static_cast<int>(kC));
    const QKeyEvent native(QEvent::KeyPress, Qt::Key_J, Qt::MetaModifier, 54, 0, 0);
    EXPECT_EQ(KeyShortcut::shortcutWithEvent(native).keyCode(), kC);
}

TEST(KeyShortcutWithoutApplicationTest, LetterKeysHaveNoNameWithoutALayout)
{
    EXPECT_EQ(KeyShortcut(kC, kCommand).keyCodeString(), "");
    EXPECT_EQ(KeyShortcut(122, kCommand).keyCodeString(), "F1");
    EXPECT_FALSE(KeyShortcut::addGlobalHotkeyMonitor(KeyShortcut(kC, kCommand), [] {}));
}

} // namespace
