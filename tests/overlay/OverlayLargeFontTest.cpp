#include "tests/overlay/OverlayFixture.h"

#include "overlay/NJColorPanel.h"
#include "overlay/NJColorPickerViewController.h"
#include "overlay/NJToolbarCollectionView.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLayout>
#include <QScreen>
#include <QToolButton>

namespace {

// As the program sees a desktop whose font settings say Xft.dpi: 144.
const bool kLargeFonts = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" VENDREL_LARGE_FONT_SCREENS);
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    return true;
}();

class OverlayLargeFontTest : public OverlayFixture {
protected:
    void openEditor()
    {
        window()->colorPanelButton()->click();
        settle();
        settle(QVOverlayWindow::kColorPanelDuration + 0.05);
        settle();
    }
};

TEST_F(OverlayLargeFontTest, TheEmptyHistoryPlaceholderFitsOnOneLine)
{
    ASSERT_TRUE(kLargeFonts);
    open(formats({"HEX"}), {});
    ASSERT_EQ(QGuiApplication::primaryScreen()->logicalDotsPerInchY(), 144);
    const auto* label = window()->emptyHistoryView()->findChild<QLabel*>("startInfoLabel");
    ASSERT_NE(label, nullptr);
    ASSERT_TRUE(label->isVisibleTo(window()));
    window()->emptyHistoryView()->layout()->activate();
    const int line = QFontMetrics(label->font()).lineSpacing();
    EXPECT_LT(label->heightForWidth(label->width()), 2 * line) << label->width();
    EXPECT_GE(label->height(), label->heightForWidth(label->width()));
}

TEST_F(OverlayLargeFontTest, AFormatRowHoldsItsNameAndValueApart)
{
    ASSERT_TRUE(kLargeFonts);
    open(numberedFormats(12), {Value("336699FF")});
    ASSERT_EQ(QGuiApplication::primaryScreen()->logicalDotsPerInchY(), 144);
    // The name and the value each take half the row, with room around their line.
    const int line = QFontMetrics(QApplication::font()).lineSpacing();
    EXPECT_GE(table()->rowHeight(), 2 * (line + 4)) << line;
    EXPECT_EQ(table()->visualRect(table()->model()->index(1, 0)).top() - table()->visualRect(table()->model()->index(0, 0)).top(),
              table()->rowHeight());
}

TEST_F(OverlayLargeFontTest, EveryControlOfEveryEditorPageLiesInsideTheWindow)
{
    ASSERT_TRUE(kLargeFonts);
    open(numberedFormats(12), {Value("336699FF")});
    openEditor();
    for (const char* tab : {"wheel", "sliders", "spectrum", "palettes"}) {
        window()->pickerController()->tabbar()->findChild<QToolButton*>(QString(tab) + "TabButton")->click();
        settle();
        QWidget* page = NJColorPanel::sharedColorPanel().currentPage();
        const QRect inside = QRect(page->mapTo(window(), QPoint(0, 0)), page->size()).intersected(window()->rect());
        for (const QWidget* control : page->findChildren<QWidget*>()) {
            if (!control->isVisibleTo(window()) || !control->findChildren<QWidget*>().isEmpty())
                continue;
            const QRect area(control->mapTo(window(), QPoint(0, 0)), control->size());
            EXPECT_TRUE(inside.contains(area)) << tab << " " << control->metaObject()->className();
        }
    }
}

TEST_F(OverlayLargeFontTest, TheSpectrumTakesTheWidthOfItsPage)
{
    ASSERT_TRUE(kLargeFonts);
    open(numberedFormats(12), {Value("336699FF")});
    openEditor();
    window()->pickerController()->tabbar()->findChild<QToolButton*>("spectrumTabButton")->click();
    settle();
    QWidget* page = NJColorPanel::sharedColorPanel().currentPage();
    const QWidget* spectrum = nullptr;
    for (const QWidget* child : page->findChildren<QWidget*>())
        if (child->inherits("QColorPicker"))
            spectrum = child;
    ASSERT_NE(spectrum, nullptr);
    // Beside it only the brightness strip and the margins.
    EXPECT_GT(spectrum->width(), page->width() * 3 / 4) << page->width();
    EXPECT_GT(spectrum->height(), spectrum->width() / 3);
}

TEST_F(OverlayLargeFontTest, TheHexFieldShowsAColourWithAlphaWhole)
{
    ASSERT_TRUE(kLargeFonts);
    open(formats({"HEX"}), {Value("80808080")});
    openEditor();
    auto* field = NJColorPanel::sharedColorPanel().contentView()->findChild<QLineEdit*>("hexField");
    ASSERT_EQ(field->text().size(), 9);
    // A user's font a little larger than the test's.
    QWidget* page = field->parentWidget();
    const QFont font = page->font();
    QFont larger = font;
    larger.setPointSize(12);
    page->setFont(larger);
    settle();
    // Its margins come on top of the text's width.
    EXPECT_GT(field->width(), QFontMetrics(field->font()).horizontalAdvance(field->text()) + 4);
    page->setFont(font);
}

} // namespace
