#include "OverlayFixture.h"

#include "uikit/shortcuts/KeyShortcut.h"
#include "uikit/shortcuts/NJShortcut.h"

#include <QCursor>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QSignalSpy>
#include <QToolButton>
#include <QWindow>

class OverlayLifecycleTest : public OverlayFixture {};

TEST_F(OverlayLifecycleTest, TheWindowDeletesItsNoMatchLabelWhileTheLabelIsOutOfTheList)
{
    open(formats({"A"}));
    QPointer<QLabel> label;
    {
        const QVOverlayWindow other(*m_delegate, *m_repository);
        label = other.noMatchingFormatLabel();
        ASSERT_EQ(label->parentWidget(), nullptr);
    }
    EXPECT_TRUE(label.isNull());
}

TEST_F(OverlayLifecycleTest, ShowRendersEveryFormatForTheSelectedSwatchAndSelectsTheExportFormat)
{
    open(formats({"HEX", "CSS", "Swift"}), {Value("FF8000FF")}, {}, Dictionary{{"exportFormat", Value("CSS")}});
    EXPECT_TRUE(window()->isVisible());
    EXPECT_FALSE(window()->colorsInvalid());
    EXPECT_EQ(selectedName(), "CSS");
    EXPECT_EQ(table()->exportFormatForName("HEX"), "HEX ff8000");
    EXPECT_EQ(table()->exportFormatForName("Swift"), "Swift ff8000");
    EXPECT_EQ(table()->exportFormatForName("Unknown"), std::nullopt);
    EXPECT_FALSE(window()->emptyHistoryView()->isVisibleTo(window()));
    // The keyboard focus is taken on the platform, not only asked of Qt.
    EXPECT_EQ(m_platform->windowInput().focus(), window()->windowHandle()->winId());
}

TEST_F(OverlayLifecycleTest, WithoutColoursThePlaceholderShowsAndEveryRowSaysSo)
{
    open(formats({"HEX", "CSS"}), {}, {}, Dictionary{{"exportFormat", Value("Missing")}});
    EXPECT_TRUE(window()->emptyHistoryView()->isVisibleTo(window()));
    EXPECT_FALSE(swatches()->isVisibleTo(window()));
    EXPECT_EQ(selectedName(), "HEX");
    EXPECT_EQ(table()->exportFormatForName("CSS"), "No color available.");

    // Without a colour an export starts the picker instead.
    EXPECT_FALSE(window()->exportWithSelectedFormat());
    EXPECT_TRUE(m_delegate->inPicking());
}

TEST_F(OverlayLifecycleTest, ReturnExportsTheSelectedFormatWithTheSelectedSwatchThenHides)
{
    open(formats({"HEX", "CSS"}), {Value("FF0000FF"), Value("0000FFFF")});
    QTest::keyClick(table(), Qt::Key_Down);
    QTest::keyClick(table(), Qt::Key_Right);
    settle();
    EXPECT_EQ(selectedName(), "CSS");
    EXPECT_EQ(table()->exportFormatForName("CSS"), "CSS 0000ff");
    QTest::keyClick(table(), Qt::Key_Return);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "CSS 0000ff");
    EXPECT_EQ(m_delegate->exportFormat()->name(), "CSS");
    settle(0.1);
    EXPECT_TRUE(window()->isVisible());
    settle(0.03);
    EXPECT_FALSE(window()->isVisible());

    // Hidden, the overlay holds no colours and no rows; the next show selects the format used.
    EXPECT_TRUE(window()->colorsInvalid());
    EXPECT_TRUE(swatches()->historyColors().empty());
    EXPECT_TRUE(controller()->content().empty());
    show();
    EXPECT_EQ(selectedName(), "CSS");
}

TEST_F(OverlayLifecycleTest, ReturnInTheSearchFieldExportsOnce)
{
    open(formats({"HEX", "CSS"}), {Value("00FF00FF")});
    field()->setFocus();
    type(field(), "cs");
    settle(kFilterEnd);
    settle(kFilterEnd);
    QSignalSpy writes(QGuiApplication::clipboard(), &QClipboard::dataChanged);
    QTest::keyClick(field(), Qt::Key_Return);
    settle();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "CSS 00ff00");
    EXPECT_EQ(writes.count(), 1);
}

TEST_F(OverlayLifecycleTest, ReturnRightAfterTypingExportsWhatTheWholeFilterSelects)
{
    // "css" alone leaves "CSS Hex" selected; "css rgb" leaves only "CSS RGB".
    open(formats({"HEX", "CSS Hex", "CSS RGB", "CSS HSL"}), {Value("336699FF")});
    for (const QChar ch : QStringLiteral("css rgb")) {
        QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
        settle(0.03);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "CSS RGB 336699");
}

TEST_F(OverlayLifecycleTest, ArrowsRightAfterTypingMoveThroughWhatTheWholeFilterLeaves)
{
    // "css" leaves "CSS Hex" selected and Down goes on to "CSS RGB"; "css h" leaves
    // "CSS Hex" again and Down goes on to "CSS HSL". The list, then the field, has the focus.
    open(formats({"HEX", "CSS Hex", "CSS RGB", "CSS HSL"}), {Value("336699FF")});
    type(table(), "css");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(selectedName(), "CSS RGB");
    settle();
    ASSERT_TRUE(field()->hasFocus());
    type(field(), " h");
    QTest::keyClick(field(), Qt::Key_Down);
    QTest::keyClick(field(), Qt::Key_Return);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "CSS HSL 336699");
}

TEST_F(OverlayLifecycleTest, ADoubleClickOnARowExportsOnce)
{
    open(formats({"HEX", "CSS"}), {Value("00FF00FF")});
    QSignalSpy writes(QGuiApplication::clipboard(), &QClipboard::dataChanged);
    QWidget* rows = table()->viewport();
    const QPoint point = table()->visualRect(table()->model()->index(1, 0)).center();
    const QPointF global = rows->mapToGlobal(QPointF(point));
    QCursor::setPos(global.toPoint());
    const auto mouse = [&](QEvent::Type type) {
        return new QMouseEvent(type, QPointF(point), global, Qt::LeftButton,
                               type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    };
    // The press waits for its release; the double click comes after it.
    for (const QEvent::Type type :
         {QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease})
        QCoreApplication::postEvent(rows, mouse(type));
    std::unique_ptr<QMouseEvent> press(mouse(QEvent::MouseButtonPress));
    QCoreApplication::sendEvent(rows, press.get());
    settle();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "CSS 00ff00");
    EXPECT_EQ(writes.count(), 1);
}

TEST_F(OverlayLifecycleTest, SwatchMovesInOneTurnRenderOnce)
{
    open(formats({"HEX"}), {Value("FF0000FF"), Value("00FF00FF"), Value("0000FFFF")});
    WNJIndicatorCollectionView* strip = swatches()->historyCollectionView();
    strip->setSelectionIndexes({1});
    strip->setSelectionIndexes({2});
    EXPECT_EQ(table()->exportFormatForName("HEX"), "HEX ff0000");
    settle();
    EXPECT_EQ(table()->exportFormatForName("HEX"), "HEX 0000ff");
}

TEST_F(OverlayLifecycleTest, PickerTooltipShowsTheRecordedShortcut)
{
    const auto archive = NJShortcut(7, 0x120000).data();
    open(formats({"HEX"}), {Value("FF0000FF")}, {},
         Dictionary{{"PickColorShortCut", Value::data(archive)}});
    EXPECT_EQ(window()->pickerButton()->toolTip(), QString::fromUtf8("Pick Color (Super+Shift+X)"));
    EXPECT_EQ(window()->colorPanelButton()->toolTip(), "Edit Color (Alt+Click or Super+Return)");

    // The title is the status menu's pick entry as it reads at the next show.
    m_delegate->hideOverlay();
    m_menu->pickTitle = "Pick a Colour";
    show();
    EXPECT_EQ(window()->pickerButton()->toolTip(), QString::fromUtf8("Pick a Colour (Super+Shift+X)"));
}

TEST_F(OverlayLifecycleTest, LosingTheFocusToAnotherProgramHidesOnALaterTurn)
{
    open(formats({"HEX"}));
    QWidget other;
    other.setObjectName("someWindow");
    other.show();
    QApplication::setActiveWindow(&other);
    settle();
    EXPECT_TRUE(window()->isVisible());

    QApplication::setActiveWindow(window());
    QApplication::setActiveWindow(nullptr);
    EXPECT_TRUE(window()->isVisible());
    settle();
    EXPECT_FALSE(window()->isVisible());
}

TEST_F(OverlayLifecycleTest, ThePickerButtonStartsThePickerALittleLater)
{
    open(formats({"HEX"}));
    window()->pickerButton()->click();
    settle(0.09);
    EXPECT_FALSE(m_delegate->inPicking());
    settle(0.02);
    EXPECT_TRUE(m_delegate->inPicking());
    EXPECT_FALSE(window()->isVisible());
}
