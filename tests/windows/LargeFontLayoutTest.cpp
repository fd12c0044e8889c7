#include "tests/windows/PreferencesFixture.h"
#include "windows/AboutInfoWindow.h"
#include "uikit/application/NamedImage.h"
#include "uikit/shortcuts/NJKey.h"
#include "uikit/shortcuts/NJShortcutView.h"
#include "windows/NJPrefsWindowController.h"
#include "windows/WelcomeWindowController.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QLayout>
#include <QPushButton>
#include <QScreen>

#include <string>

namespace {

// The desktop of a user whose font settings say Xft.dpi: 144, as the program sees it:
// one point is one pixel, and text in points is half as large again.
const bool kLargeFonts = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" VENDREL_LARGE_FONT_SCREENS);
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    return true;
}();

std::string nameOf(const QWidget* widget)
{
    return widget->objectName().isEmpty() ? widget->metaObject()->className() : widget->objectName().toStdString();
}

// Every visible text control in the view has the room its size hints ask for, inside the view.
void expectNothingCut(const QWidget* view)
{
    int checked = 0;
    for (const QWidget* widget : view->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(view)
            || !(qobject_cast<const QLabel*>(widget) || qobject_cast<const QAbstractButton*>(widget)
                 || qobject_cast<const QComboBox*>(widget) || qobject_cast<const NJShortcutView*>(widget)))
            continue;
        ++checked;
        const auto* label = qobject_cast<const QLabel*>(widget);
        if (label && label->wordWrap())
            EXPECT_GE(widget->height(), widget->heightForWidth(widget->width())) << nameOf(widget);
        else
            EXPECT_GE(widget->width(), widget->minimumSizeHint().width()) << nameOf(widget);
        EXPECT_GE(widget->height(), widget->minimumSizeHint().height()) << nameOf(widget);
        const QRect frame(widget->mapTo(view, QPoint(0, 0)), widget->size());
        EXPECT_TRUE(view->rect().contains(frame)) << nameOf(widget);
    }
    EXPECT_GT(checked, 2) << nameOf(view);
}

class LargeFontLayoutTest : public PreferencesFixture {
protected:
    void SetUp() override
    {
        PreferencesFixture::SetUp();
        ASSERT_TRUE(kLargeFonts);
        ASSERT_EQ(QGuiApplication::primaryScreen()->logicalDotsPerInchY(), 144);
    }
};

TEST_F(LargeFontLayoutTest, PreferencePanesGrowUntilNoLabelIsCut)
{
    open();
    for (const QString& identifier : m_controller->toolbarIdentifiers()) {
        m_controller->displayViewForIdentifier(identifier, false);
        QWidget* pane = m_controller->contentSubviews().back();
        pane->layout()->activate();
        expectNothingCut(pane);
        EXPECT_GE(m_controller->window()->height(), pane->height());
    }
}

TEST_F(LargeFontLayoutTest, CodeStyleFieldsWidenWithTheirText)
{
    open();
    // The code style pane is the last.
    m_controller->displayViewForIdentifier(m_controller->toolbarIdentifiers().back(), false);
    QWidget* pane = m_controller->contentSubviews().back();
    pane->layout()->activate();
    int checked = 0;
    for (const QWidget* field : pane->findChildren<QWidget*>()) {
        const bool entry = qobject_cast<const QAbstractSpinBox*>(field)
            || (qobject_cast<const QLineEdit*>(field) && !qobject_cast<const QAbstractSpinBox*>(field->parentWidget()));
        if (!entry || !field->isVisibleTo(pane))
            continue;
        ++checked;
        // As wide, against the height of a line of its text, as the field is at 96 dpi.
        EXPECT_GE(field->width(), 4 * field->fontMetrics().height()) << nameOf(field);
    }
    EXPECT_GE(checked, 7);
}

TEST_F(LargeFontLayoutTest, TheTourLinkIsAsLargeAsTheTextOfItsField)
{
    WelcomeWindowController tour(m_defaults, {}, {});
    const QLabel* link = tour.linkToShortcuts();
    const int size = QFontInfo(link->font()).pixelSize();
    EXPECT_GT(size, link->font().pointSize());
    EXPECT_TRUE(link->text().contains(QString("font-size:%1px").arg(size))) << link->text().toStdString();
}

TEST_F(LargeFontLayoutTest, TheKeyCapsTextGrowsWithTheRest)
{
    open();
    NJShortcutView* recorder = m_controller->shortcutPicker();
    const NJKey* cap = recorder->findChild<NJKey*>("mainKey");
    ASSERT_NE(cap, nullptr);
    // The caps' 13 pixels and the recorder's 29 at 96 dpi, half as large again.
    EXPECT_GE(QFontInfo(NJKey::largeTextAttributes().font).pixelSize(), 19);
    EXPECT_GE(recorder->height(), 43);
    EXPECT_GE(cap->height(), QFontMetrics(NJKey::largeTextAttributes().font).height() + 8);
}

TEST_F(LargeFontLayoutTest, TheAboutButtonsKeepRoomAroundTheirLabels)
{
    AboutInfoWindow about;
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    about.layout()->activate();
    expectNothingCut(&about);
    for (const QPushButton* button : {about.homepageButton(), about.twitterButton()}) {
        const QFontMetrics metrics(button->font());
        EXPECT_GE(button->width() - metrics.horizontalAdvance(button->text()), 2 * metrics.height())
            << button->text().toStdString();
    }
}

} // namespace

TEST_F(LargeFontLayoutTest, ImagesGrowWithTheText)
{
    const QPixmap small = namedImage("search");
    ASSERT_FALSE(small.isNull());
    EXPECT_EQ(scaledNamedImage("search").size(), small.size() * 3 / 2);
    EXPECT_TRUE(scaledNamedImage("no such image").isNull());
}
