#include "uikit/shortcuts/NJKey.h"

#include "platform/ModifierFlags.h"
#include "platform/fake/FakePlatform.h"
#include "uikit/application/NJApplication.h"
#include "uikit/shortcuts/NJRolloverButton.h"
#include "uikit/application/NamedImage.h"

#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace modifierflags;

class NJKeyTest : public ::testing::Test {
protected:
    int m_argc = 1;
    char m_arg0[8] = "test";
    char* m_argv[2] = {m_arg0, nullptr};
    NJApplication m_app {m_argc, m_argv, std::make_unique<FakePlatform>()};
};

TEST_F(NJKeyTest, NamesMakeModifierCapsInAnyCase)
{
    struct Case {
        const char* name;
        const char* stringValue;
        const char* pretty;
        unsigned long flag;
    };
    for (const Case& c : {Case {"Control", "ctrl", "Ctrl", kControl}, Case {"ctl", "ctrl", "Ctrl", kControl},
                          Case {"COMMAND", "cmd", "Super", kCommand}, Case {"cmd", "cmd", "Super", kCommand},
                          Case {"Opt", "opt", "Alt", kOption}, Case {"oPTION", "opt", "Alt", kOption},
                          Case {"SHIFT", "shift", "Shift", kShift}}) {
        std::unique_ptr<NJKey> key(NJKey::keyFromString(QString::fromUtf8(c.name)));
        EXPECT_TRUE(key->isModifierKey()) << c.name;
        EXPECT_EQ(key->stringValue(), QString::fromUtf8(c.stringValue)) << c.name;
        EXPECT_EQ(key->prettyStringValue(), QString::fromUtf8(c.pretty)) << c.name;
        EXPECT_EQ(key->modifierFlag(), c.flag) << c.name;
        // The constants win over what is set.
        key->setStringValue(QStringLiteral("x"));
        EXPECT_EQ(key->stringValue(), QString::fromUtf8(c.stringValue));
    }
    std::unique_ptr<NJKey> alt(NJKey::keyFromString(QStringLiteral("ALT")));
    EXPECT_FALSE(alt->isModifierKey());
    EXPECT_EQ(alt->stringValue(), QStringLiteral("alt"));
    EXPECT_EQ(alt->prettyStringValue(), QStringLiteral("Alt"));
    EXPECT_EQ(alt->modifierFlag(), 0u);
    std::unique_ptr<NJKey> empty(NJKey::keyFromString(QString()));
    EXPECT_EQ(empty->prettyStringValue(), QString());
}

TEST_F(NJKeyTest, CodesMakeModifierCapsOnlyForModifierKeys)
{
    for (const auto& [code, flag] : {std::pair {55, kCommand}, std::pair {56, kShift}, std::pair {60, kShift},
                                     std::pair {58, kOption}, std::pair {61, kOption}, std::pair {59, kControl},
                                     std::pair {62, kControl}}) {
        std::unique_ptr<NJKey> key(NJKey::keyFromCode(static_cast<std::uint16_t>(code)));
        EXPECT_EQ(key->modifierFlag(), flag) << code;
    }
    for (const std::uint16_t code : {57, 54, 8}) {
        std::unique_ptr<NJKey> key(NJKey::keyFromCode(code));
        EXPECT_FALSE(key->isModifierKey());
        EXPECT_EQ(key->keyCode(), code);
    }
}

TEST_F(NJKeyTest, CapDrawsAGradientAndDarkCentredText)
{
    NJKey key(QStringLiteral("w"), nullptr);
    key.resize(40, 40);
    const QImage blank = key.grab().toImage();
    // Light at the top, darker at the bottom, nothing outside the inset.
    const QColor top = blank.pixelColor(20, 6);
    const QColor bottom = blank.pixelColor(20, 33);
    EXPECT_GT(top.red(), bottom.red());
    EXPECT_NEAR(top.red(), 246, 4);
    EXPECT_NEAR(bottom.red(), 227, 4);

    NJKey empty(QString(), nullptr);
    empty.resize(40, 40);
    const QImage background = empty.grab().toImage();
    int darkPixels = 0;
    for (int y = 10; y < 30; ++y) {
        for (int x = 10; x < 30; ++x) {
            if (blank.pixelColor(x, y).lightness() < 120)
                ++darkPixels;
            EXPECT_GT(background.pixelColor(x, y).lightness(), 200);
        }
    }
    EXPECT_GT(darkPixels, 5);
}

TEST_F(NJKeyTest, RolloverButtonSwapsImagesAndRunsItsHandlerInsteadOfClicking)
{
    NJRolloverButton button;
    button.setImageName(QStringLiteral("RemoveBtn"));
    button.resize(16, 16);
    const QImage base = namedImage(QStringLiteral("RemoveBtn")).toImage();
    ASSERT_FALSE(base.isNull());
    EXPECT_EQ(button.image().toImage(), base);
    EXPECT_EQ(button.alternateImage().toImage(), namedImage(QStringLiteral("RemoveBtn-pressed")).toImage());

    button.show();
    button.setHovering(true);
    EXPECT_EQ(button.image().toImage(), namedImage(QStringLiteral("RemoveBtn-hover")).toImage());
    button.hide();
    EXPECT_FALSE(button.hovering());
    EXPECT_EQ(button.image().toImage(), base);

    button.show();
    QSignalSpy clicked(&button, &QAbstractButton::clicked);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 0);
    int handled = 0;
    button.setClickedHandler([&](QMouseEvent* event) {
        EXPECT_EQ(event->button(), Qt::LeftButton);
        ++handled;
    });
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(handled, 1);
    EXPECT_EQ(clicked.count(), 0);

    NJRolloverButton missing;
    missing.setImageName(QStringLiteral("NoSuchImage"));
    EXPECT_TRUE(missing.image().isNull());
    EXPECT_TRUE(missing.alternateImage().isNull());
}

} // namespace
