#include "OverlayFixture.h"

#include "tests/uikit/OpaqueGrey.h"

#include "overlay/NJColorPanel.h"
#include "overlay/NJColorPickerViewController.h"
#include "overlay/NJColorSlidersPage.h"
#include "overlay/NJColorWheelPage.h"
#include "overlay/NJTBView.h"
#include "overlay/NJToolbarCollectionView.h"
#include "overlay/NJToolbarCollectionViewItem.h"
#include "uikit/swatches/WNJICItemView.h"
#include "uikit/swatches/WNJIndicatorCollectionItem.h"
#include "uikit/application/QtColor.h"
#include "uikit/animation/SlicedTransition.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>

// The colour editor hosted by the overlay, on the manual clock.
class ColorEditorTest : public OverlayFixture {
protected:
    static constexpr double kOpened = QVOverlayWindow::kColorPanelDuration + 0.05;

    static NJColorPanel& panel() { return NJColorPanel::sharedColorPanel(); }
    static QLineEdit* hexField() { return panel().contentView()->findChild<QLineEdit*>(QStringLiteral("hexField")); }
    static std::string hex(const Color& color) { return qtcolor::fromColor(color).name(QColor::HexArgb).toStdString(); }
    std::string historyHex(std::size_t index) const { return hex(m_delegate->historyColors().at(index)); }

    // Opens the editor with the colour-editor button and lets the transition end.
    void openEditor()
    {
        window()->colorPanelButton()->click();
        settle();
        settle(kOpened);
        settle();
    }
    // An Option-click at the middle of a swatch; the drag loop it starts ends at once.
    void optionClick(WNJIndicatorCollectionView* strip, std::size_t index)
    {
        QWidget* item = strip->itemAtIndex(index)->view();
        const QPoint point = item->mapTo(strip, item->rect().center());
        QTimer::singleShot(0, strip, [strip, point] {
            QCoreApplication::postEvent(strip, new QMouseEvent(QEvent::MouseButtonRelease, point, strip->mapToGlobal(point),
                                                               Qt::LeftButton, Qt::NoButton, Qt::AltModifier));
        });
        QTest::mousePress(strip, Qt::LeftButton, Qt::AltModifier, point);
    }
};

TEST_F(ColorEditorTest, OpensInTheTransitionTimeOnTheSelectedColourAndIgnoresTogglesMeanwhile)
{
    open(formats({"HEX"}), {Value("FF0000FF"), Value("00FF00FF")});
    window()->colorPanelButton()->click();
    settle();
    ASSERT_TRUE(window()->isColorPanelAnimating());
    NJColorPickerViewController* controller = window()->pickerController();
    window()->toggleColorPanel();
    settle(QVOverlayWindow::kColorPanelDuration - 0.05);
    EXPECT_TRUE(window()->isColorPanelAnimating());
    EXPECT_EQ(window()->pickerController(), controller);
    settle(0.1);
    settle();
    EXPECT_FALSE(window()->isColorPanelAnimating());
    EXPECT_TRUE(window()->colorPanelVisible());
    EXPECT_EQ(panel().color().name(QColor::HexArgb), "#ffff0000");
    // The list gives way to the editor, and the first text field takes the keys.
    EXPECT_FALSE(table()->isVisibleTo(window()));
    EXPECT_FALSE(field()->isVisibleTo(window()));
    EXPECT_TRUE(window()->colorPanelCloseButton()->isVisibleTo(window()));
    EXPECT_EQ(QApplication::focusWidget(), controller->firstTextField());
    EXPECT_EQ(controller->firstTextField(), hexField());

    // The close button runs the transition back into the swatch, then drops the editor.
    window()->colorPanelCloseButton()->click();
    EXPECT_TRUE(window()->isColorPanelAnimating());
    settle(kOpened);
    settle();
    EXPECT_EQ(window()->pickerController(), nullptr);
    EXPECT_FALSE(window()->isColorPanelAnimating());
    EXPECT_TRUE(table()->isVisibleTo(window()));
    EXPECT_TRUE(field()->isVisibleTo(window()));
    EXPECT_EQ(panel().contentView()->parentWidget(), panel().window());
}

TEST_F(ColorEditorTest, OptionClickOpensOnThatSwatchAndShiftSlowsTheTransition)
{
    open(formats({"HEX"}), {Value("FF0000FF"), Value("0000FFFF")});
    // The strip selects its first swatch when first drawn: let that happen as on screen.
    swatches()->historyCollectionView()->grab();
    settle();
    optionClick(swatches()->historyCollectionView(), 1);
    EXPECT_EQ(swatches()->historyCollectionView()->selectionIndexes(), std::vector<std::size_t> {1});
    settle();
    ASSERT_TRUE(window()->isColorPanelAnimating());
    settle(kOpened);
    settle();
    EXPECT_TRUE(window()->colorPanelVisible());
    EXPECT_EQ(panel().color().name(QColor::HexArgb), "#ff0000ff");
    // The mark the editor closes into: 8 points wide, 1 high, 2 above the swatch's bottom.
    const QRectF mark = window()->currentSelectedItemStartRect();
    QWidget* item = swatches()->historyCollectionView()->selectedItem();
    const QRectF swatch(item->mapTo(window()->contentView(), QPoint(0, 0)), item->size());
    EXPECT_EQ(mark.size(), QSizeF(8, 1));
    EXPECT_DOUBLE_EQ(mark.center().x(), swatch.center().x());
    EXPECT_DOUBLE_EQ(mark.bottom(), swatch.bottom() - 2);

    QTest::keyPress(window(), Qt::Key_Shift, Qt::ShiftModifier);
    window()->colorPanelCloseButton()->click();
    settle(1.0);
    EXPECT_TRUE(window()->isColorPanelAnimating());
    settle(2.1);
    settle();
    EXPECT_EQ(window()->pickerController(), nullptr);
    QTest::keyRelease(window(), Qt::Key_Shift);
}

TEST_F(ColorEditorTest, AnEditReachesTheSwatchAndTheStoredListOnceAndAColourSetFromCodeWritesNothing)
{
    open(formats({"HEX"}), {Value("FF0000FF"), Value("00FF00FF")}, {Value("0000FFFF")});
    openEditor();
    QSignalSpy actions(&panel(), &NJColorPanel::colorChanged);

    QLineEdit* field = hexField();
    field->selectAll();
    QTest::keyClicks(field, "#3366cc");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(actions.count(), 1);
    EXPECT_EQ(hex(swatches()->historyColors().at(0)), "#ff3366cc");
    EXPECT_EQ(historyHex(0), "#ff3366cc");
    EXPECT_EQ(historyHex(1), "#ff00ff00");
    // Return belongs to the field: nothing is exported and the overlay stays.
    settle(QVOverlayWindow::kHideAfterExport + 0.05);
    EXPECT_TRUE(window()->isVisible());
    EXPECT_TRUE(window()->colorPanelVisible());

    // Each step of a drag in Qt's dialog is one write of the whole list.
    QColorDialog* dialog = panel().contentView()->findChild<QColorDialog*>();
    ASSERT_NE(dialog, nullptr);
    dialog->setCurrentColor(QColor(10, 20, 30));
    dialog->setCurrentColor(QColor(40, 50, 60));
    EXPECT_EQ(actions.count(), 3);
    EXPECT_EQ(historyHex(0), "#ff28323c");
    EXPECT_EQ(field->text(), "#28323c");

    // Moving the selection sets the panel from code: the stored list is left alone.
    m_delegate->setHistoryColors({Color::black()});
    swatches()->historyCollectionView()->setSelectionIndexes({1});
    settle();
    EXPECT_EQ(panel().color().name(QColor::HexArgb), "#ff00ff00");
    EXPECT_EQ(actions.count(), 3);
    ASSERT_EQ(m_delegate->historyColors().size(), 1U);
    EXPECT_EQ(historyHex(0), "#ff000000");

    // An edit of a favourite goes to the favourites.
    window()->toggleHistory();
    settle(NJSwatchesController::kSwitchDuration + 0.05);
    ASSERT_FALSE(swatches()->isHistoryActive());
    field->selectAll();
    QTest::keyClicks(field, "123456");
    QTest::keyClick(field, Qt::Key_Return);
    ASSERT_EQ(m_delegate->favoriteColors().size(), 1U);
    EXPECT_EQ(hex(m_delegate->favoriteColors().front()), "#ff123456");
    EXPECT_EQ(historyHex(0), "#ff000000");
}

TEST_F(ColorEditorTest, TheHexFieldWritesAndReadsAlphaLastAsTheStoredColoursDo)
{
    open(formats({"HEX"}), {Value("3366CC80")});
    openEditor();
    QLineEdit* field = hexField();
    EXPECT_EQ(field->text(), "#3366cc80");
    field->selectAll();
    QTest::keyClicks(field, "ff000040");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(historyHex(0), "#40ff0000");
    EXPECT_EQ(field->text(), "#ff000040");
}

TEST_F(ColorEditorTest, AColourOfQtsBasicPaletteLeavesTheKeysInTheHexField)
{
    open(formats({"HEX"}), {Value("336699FF")});
    openEditor();
    QLineEdit* field = hexField();
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, "00ff00");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(historyHex(0), "#ff00ff00");
    EXPECT_EQ(QApplication::focusWidget(), field);
}

TEST_F(ColorEditorTest, SwitchingListsWhileTheEditorOpensOverwritesNoFavourite)
{
    open(formats({"HEX"}), {Value("FF0000FF")}, {Value("336699FF")});
    window()->colorPanelButton()->click();
    settle();
    settle(kOpened / 3);
    window()->toggleHistory();
    settle(kOpened);
    settle(kOpened);
    settle();
    ASSERT_TRUE(window()->colorPanelVisible());
    ASSERT_EQ(m_delegate->favoriteColors().size(), 1U);
    EXPECT_EQ(hex(m_delegate->favoriteColors().front()), "#ff336699");
    EXPECT_EQ(hex(swatches()->favoriteColors().front()), "#ff336699");
    EXPECT_EQ(panel().color().name(QColor::HexArgb), "#ff336699");
}

TEST_F(ColorEditorTest, TheSnapshotUnderTheTransitionKeepsTheDarkBackground)
{
    open(formats({"HEX", "CSS"}), {Value("FF0000FF")}, {}, Dictionary{{"userInterface", Value("dark")}});
    ASSERT_TRUE(m_app->darkMode());
    window()->colorPanelButton()->click();
    settle();
    settle(kOpened / 2);
    const QLabel* snapshot = nullptr;
    for (const QLabel* label : window()->findChildren<QLabel*>())
        if (label->isVisible() && label->pixmap().deviceIndependentSize().toSize() == window()->size())
            snapshot = label;
    ASSERT_NE(snapshot, nullptr);
    // Below the rows, where the panel's own background shows.
    const QImage image = snapshot->pixmap().toImage();
    EXPECT_LT(qGray(image.pixel(image.width() / 2, image.height() - 5)), 100);
}

TEST_F(ColorEditorTest, AnEditAfterTheOverlayHidLeavesTheStoredListsAlone)
{
    open(formats({"HEX"}), {Value("FF0000FF"), Value("00FF00FF")});
    openEditor();
    m_delegate->hideOverlay();
    settle();
    ASSERT_TRUE(window()->colorsInvalid());
    panel().contentView()->findChild<QColorDialog*>()->setCurrentColor(QColor(1, 2, 3));
    ASSERT_EQ(m_delegate->historyColors().size(), 2U);
    EXPECT_EQ(historyHex(0), "#ffff0000");
}

TEST_F(ColorEditorTest, TheEditorButtonOnAnEmptyListSwitchesToTheHistoryAndOpensOnWhite)
{
    open(formats({"HEX"}), {}, {});
    window()->toggleHistory();
    settle(NJSwatchesController::kSwitchDuration + 0.05);
    ASSERT_FALSE(swatches()->isHistoryActive());
    window()->colorPanelButton()->click();
    settle(NJSwatchesController::kSwitchDuration + 0.05);
    settle();
    settle();
    settle(kOpened);
    settle();
    EXPECT_TRUE(swatches()->isHistoryActive());
    ASSERT_EQ(swatches()->historyColors().size(), 1U);
    EXPECT_EQ(hex(swatches()->historyColors().front()), "#ffffffff");
    EXPECT_TRUE(window()->colorPanelVisible());
    EXPECT_EQ(panel().color().name(QColor::HexArgb), "#ffffffff");
}

TEST_F(ColorEditorTest, ClosingWithAnEmptyListClosesOnceWithoutTransition)
{
    open(formats({"HEX"}), {Value("FF0000FF")});
    openEditor();
    swatches()->setHistoryColors({});
    window()->colorPanelCloseButton()->click();
    EXPECT_FALSE(window()->colorPanelVisible());
    EXPECT_TRUE(window()->isColorPanelAnimating());
    settle();
    EXPECT_EQ(window()->pickerController(), nullptr);
    EXPECT_FALSE(window()->isColorPanelAnimating());
    EXPECT_TRUE(table()->isVisibleTo(window()));
}

TEST_F(ColorEditorTest, EscapeClosesTheEditorIntoTheSwatchAndKeepsTheOverlay)
{
    open(formats({"HEX"}), {Value("FF0000FF")});
    openEditor();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(window()->isColorPanelAnimating());
    settle(kOpened);
    settle();
    EXPECT_EQ(window()->pickerController(), nullptr);
    EXPECT_TRUE(window()->isVisible());

    // In Qt's dialog too: Escape closes the editor, never the dialog page itself.
    openEditor();
    window()->pickerController()->tabbar()->findChild<QToolButton*>(QStringLiteral("spectrumTabButton"))->click();
    QLineEdit* html = panel().currentPage()->findChildren<QLineEdit*>().back();
    html->setFocus();
    QTest::keyClick(html, Qt::Key_Escape);
    settle(kOpened);
    settle();
    EXPECT_EQ(window()->pickerController(), nullptr);
    openEditor();
    EXPECT_EQ(panel().currentPage()->objectName(), "colorSpectrumPage");
    EXPECT_TRUE(panel().currentPage()->findChild<QColorDialog*>()->isVisibleTo(window()));

    // With the editor closed, Escape hides the overlay.
    window()->toggleColorPanel();
    settle(kOpened);
    settle();
    QTest::keyClick(table(), Qt::Key_Escape);
    settle();
    EXPECT_FALSE(window()->isVisible());
}

TEST_F(ColorEditorTest, EscapeWhileTheEditorOpensClosesItOnceOpenWithOneNavigationBar)
{
    open(formats({"HEX"}), {Value("FF0000FF")});
    const QWidget* formatsBar = window()->findChild<QWidget*>(QStringLiteral("formatsNavigationView"));
    const QWidget* editorBar = window()->findChild<QWidget*>(QStringLiteral("colorPanelNavigationView"));
    const auto expectOneBar = [&] {
        EXPECT_NE(formatsBar->isVisibleTo(window()), editorBar->isVisibleTo(window()));
        EXPECT_EQ(editorBar->isVisibleTo(window()), window()->colorPanelVisible());
    };
    window()->colorPanelButton()->click();
    settle();
    settle(kOpened / 2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    settle(kOpened);
    settle(kOpened);
    settle();
    expectOneBar();
    EXPECT_EQ(window()->pickerController(), nullptr);
    EXPECT_TRUE(formatsBar->isVisibleTo(window()));
    EXPECT_TRUE(window()->isVisible());

    // A second Escape while the editor closes asks nothing more, now or at the next opening.
    openEditor();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QTest::keyClick(window(), Qt::Key_Escape);
    settle(kOpened);
    settle();
    EXPECT_EQ(window()->pickerController(), nullptr);
    EXPECT_TRUE(window()->isVisible());
    openEditor();
    EXPECT_TRUE(window()->colorPanelVisible());
    expectOneBar();
}

TEST_F(ColorEditorTest, AShowWhileTheEditorOpensBringsTheSearchBarBackForGood)
{
    open(formats({"HEX"}), {Value("FF0000FF")});
    const QWidget* formatsBar = window()->findChild<QWidget*>(QStringLiteral("formatsNavigationView"));
    window()->colorPanelButton()->click();
    settle();
    settle(kOpened / 2);
    m_delegate->hideOverlay();
    show();
    settle(kOpened);
    settle();
    EXPECT_FALSE(window()->colorPanelVisible());
    EXPECT_TRUE(formatsBar->isVisibleTo(window()));
    EXPECT_TRUE(field()->isVisibleTo(window()));
    EXPECT_TRUE(table()->isVisibleTo(window()));
    EXPECT_TRUE(window()->findChildren<SlicedTransition*>().isEmpty());
}

TEST_F(ColorEditorTest, TheMagnifierStartsOurPicker)
{
    open(formats({"HEX"}), {Value("FF0000FF")});
    openEditor();
    QAbstractButton* magnifier = panel().magnifierButton();
    ASSERT_TRUE(magnifier->isVisibleTo(window()));
    magnifier->click();
    EXPECT_FALSE(m_delegate->inPicking());
    settle(QVOverlayWindow::kShowPickerDelay + 0.01);
    EXPECT_TRUE(m_delegate->inPicking());
}

TEST_F(ColorEditorTest, TheMagnifierFollowsTheTheme)
{
    const auto lines = [] { return opaqueGrey(panel().magnifierButton()->icon(), 18); };
    open(formats({"HEX"}), {Value("FF0000FF")}, {}, Dictionary{{"userInterface", Value("dark")}});
    openEditor();
    EXPECT_GT(lines(), 160);
    m_defaults->setObject("userInterface", Value("light"));
    m_app->themeChanged();
    settle();
    EXPECT_GE(lines(), 0);
    EXPECT_LT(lines(), 100);
}

TEST_F(ColorEditorTest, ShowingTheOverlayAndLosingTheFocusCloseTheEditorAtOnce)
{
    open(formats({"HEX"}), {Value("FF0000FF")});
    openEditor();
    m_delegate->hideOverlay();
    settle();
    show();
    EXPECT_FALSE(window()->colorPanelVisible());
    EXPECT_TRUE(table()->isVisibleTo(window()));

    openEditor();
    ASSERT_TRUE(window()->colorPanelVisible());
    QApplication::setActiveWindow(nullptr);
    settle();
    EXPECT_FALSE(window()->colorPanelVisible());
    settle();
    EXPECT_FALSE(window()->isVisible());
}

TEST_F(ColorEditorTest, TabsFollowThePanelsPagesAndTheEditorReopensOnTheLastTab)
{
    open(formats({"HEX"}), {Value("FF0000FF")});
    openEditor();
    NJToolbarCollectionView* tabs = window()->pickerController()->tabbar();
    std::vector<QString> identifiers;
    for (const NJColorPanelToolbarItem& item : panel().toolbarItems())
        identifiers.push_back(item.identifier);
    EXPECT_EQ(identifiers, (std::vector<QString> {"wheel", "sliders", "spectrum", "palettes"}));
    ASSERT_EQ(tabs->count(), identifiers.size());
    EXPECT_TRUE(tabs->itemAtIndex(0)->view()->selected());
    EXPECT_EQ(panel().mode(), NJColorPanel::Wheel);

    // The sliders' page answers the mode of the model it shows.
    tabs->findChild<QToolButton*>(QStringLiteral("slidersTabButton"))->click();
    panel().currentPage()->findChild<QComboBox*>()->setCurrentIndex(NJColorSlidersPage::CMYK);
    EXPECT_EQ(panel().mode(), NJColorPanel::CMYK);
    tabs->findChild<QToolButton*>(QStringLiteral("spectrumTabButton"))->click();
    EXPECT_FALSE(tabs->itemAtIndex(0)->view()->selected());
    EXPECT_TRUE(tabs->itemAtIndex(2)->view()->selected());
    EXPECT_EQ(panel().selectedItemIdentifier(), "spectrum");
    EXPECT_EQ(panel().currentPage()->objectName(), "colorSpectrumPage");
    EXPECT_TRUE(panel().currentPage()->isVisibleTo(window()));

    window()->toggleColorPanel();
    settle(kOpened);
    settle();
    openEditor();
    EXPECT_EQ(window()->pickerController()->initialTab(), "spectrum");
    EXPECT_TRUE(window()->pickerController()->tabbar()->itemAtIndex(2)->view()->selected());
    EXPECT_EQ(panel().selectedItemIdentifier(), "spectrum");
}

TEST_F(ColorEditorTest, TheTabBarIsClearOverTheNavigationBar)
{
    open(formats({"HEX"}), {Value("FF0000FF")});
    openEditor();
    NJToolbarCollectionView* tabs = window()->pickerController()->tabbar();
    QImage image(tabs->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    tabs->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    // Beside the tabs and above the selected one's fill.
    EXPECT_EQ(qAlpha(image.pixel(tabs->width() - 1, 1)), 0);
    EXPECT_EQ(qAlpha(image.pixel(18, 0)), 0);
}

TEST_F(ColorEditorTest, TheSelectedTabIsFilledWithRoundedTopCornersAndRunsIntoThePageBelow)
{
    NJTBView tab(QRect(0, 0, 50, 50));
    EXPECT_EQ(tab.width(), NJTBView::kWidth);
    EXPECT_EQ(tab.button()->geometry(), QRect(0, 50 - 6 - 25, 36, 25));
    const auto render = [&tab] {
        QImage image(tab.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        tab.button()->hide();
        tab.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        return image;
    };
    EXPECT_EQ(qAlpha(render().pixel(18, 25)), 0);
    tab.setSelected(true);
    const QImage image = render();
    // White 0.75 at alpha 0.6.
    const QRgb fill = qUnpremultiply(image.pixel(18, 25));
    EXPECT_EQ(qAlpha(fill), 153);
    EXPECT_NEAR(qRed(fill), 191, 1);
    // Not in the 2 points at the top, nor the 1 point at each side.
    EXPECT_EQ(qAlpha(image.pixel(18, 1)), 0);
    EXPECT_EQ(qAlpha(image.pixel(0, 25)), 0);
    // Round at the top corners, square at the bottom ones.
    EXPECT_EQ(qAlpha(image.pixel(1, 2)), 0);
    EXPECT_EQ(qAlpha(image.pixel(34, 2)), 0);
    EXPECT_EQ(qAlpha(image.pixel(1, 49)), 153);
    EXPECT_EQ(qAlpha(image.pixel(34, 49)), 153);
}
