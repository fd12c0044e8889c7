#include "OverlayFixture.h"

#include "uikit/views/NJBlurEffectView.h"
#include "uikit/swatches/WNJFavoriteButtonView.h"
#include "uikit/swatches/WNJICItemView.h"
#include "uikit/swatches/WNJIndicatorScrollView.h"
#include "uikit/swatches/WNJIndicatorCollectionItem.h"

#include <QLabel>
#include <QPushButton>
#include <QToolButton>

namespace {

std::vector<Value> hexList(int count, int offset = 0)
{
    std::vector<Value> list;
    for (int i = 0; i < count; ++i) {
        char hex[9];
        std::snprintf(hex, sizeof hex, "%06XFF", offset + i);
        list.emplace_back(std::string(hex));
    }
    return list;
}

std::vector<std::string> hexes(const std::vector<Color>& colors)
{
    std::vector<std::string> list;
    for (const Color& color : colors)
        list.push_back(color.getRGBAHexString());
    return list;
}

} // namespace

class NJSwatchesControllerTest : public OverlayFixture {
protected:
    static constexpr double kSwitchEnd = NJSwatchesController::kSwitchDuration + 0.05;
    static constexpr double kRemovalEnd =
        NJSwatchesController::kRemoveDuration + NJSwatchesController::kRemoveCommitDuration + 0.1;

    WNJIndicatorCollectionItem& historyItem(std::size_t index)
    {
        return *swatches()->historyCollectionView()->itemAtIndex(index);
    }
    WNJIndicatorCollectionItem& favoriteItem(std::size_t index)
    {
        return *swatches()->favoriteCollectionView()->itemAtIndex(index);
    }
};

TEST_F(NJSwatchesControllerTest, TheFavouriteButtonMarksAndUnmarksAndWritesTheListBack)
{
    open(formats({"HEX"}), {Value("FFFF00FF"), Value("00FF00FF")});
    historyItem(1).button()->click();
    EXPECT_EQ(hexes(m_delegate->favoriteColors()), std::vector<std::string>{"00FF00FF"});
    EXPECT_EQ(hexes(swatches()->favoriteColors()), std::vector<std::string>{"00FF00FF"});
    EXPECT_EQ(historyItem(1).button()->objectName(), "sample-fav-active");
    // Yellow is light enough for the plain button.
    EXPECT_EQ(historyItem(0).button()->objectName(), "sample-fav");

    historyItem(1).button()->click();
    EXPECT_TRUE(m_delegate->favoriteColors().empty());
    EXPECT_EQ(historyItem(1).button()->objectName(), "sample-fav");
}

TEST_F(NJSwatchesControllerTest, DarkAndTranslucentSwatchesGetTheInvertedButtonAndNearColoursCountAsFavourites)
{
    open(formats({"HEX"}), {Value("10101080"), Value("000000FF"), Value("FFFFFFFF")}, {Value("FFFFFFFF")});
    EXPECT_EQ(historyItem(0).button()->objectName(), "sample-fav-inv");
    EXPECT_EQ(historyItem(1).button()->objectName(), "sample-fav-inv");
    EXPECT_EQ(historyItem(2).button()->objectName(), "sample-fav-active");
    EXPECT_TRUE(swatches()->isFavoriteColor(Color::sRGB(1.0, 1.0, 0.999)));
    EXPECT_FALSE(swatches()->isFavoriteColor(Color::sRGB(1.0, 1.0, 0.99)));
}

TEST_F(NJSwatchesControllerTest, AHundredAndFiftyFirstFavouriteIsRefusedWithABlink)
{
    open(formats({"HEX"}), {Value("ABCDEFFF"), Value("000005FF")}, hexList(150));
    QPushButton* button = historyItem(0).button();
    button->click();
    EXPECT_EQ(m_delegate->favoriteColors().size(), 150u);
    EXPECT_TRUE(button->isHidden());
    settle(0.14);
    EXPECT_FALSE(button->isHidden());
    settle(0.27);
    EXPECT_FALSE(button->isHidden());

    // A swatch that is a favourite is still removed at the limit.
    historyItem(1).button()->click();
    EXPECT_EQ(m_delegate->favoriteColors().size(), 149u);
}

TEST_F(NJSwatchesControllerTest, SwitchingSlidesTheFavouritesInAndBlursTheHistory)
{
    open(formats({"HEX"}), {Value("FF0000FF")}, {Value("00FF00FF"), Value("0000FFFF")});
    QWidget* panel = swatches()->favoriteContainer();
    settle(kSwitchEnd);
    EXPECT_EQ(panel->pos(), swatches()->favoriteHiddenRect().topLeft());
    swatches()->collectionSwitcherFavorite()->click();
    EXPECT_FALSE(swatches()->isHistoryActive());
    // A second request while the panel slides is dropped.
    swatches()->toggleHistory();
    // The blur deepens as the panel covers the history.
    NJBlurEffectView* history = swatches()->historyContainer();
    settle(NJSwatchesController::kSwitchDuration / 2);
    EXPECT_GT(history->blurRadius(), 0);
    EXPECT_LT(history->blurRadius(), NJSwatchesController::kBlurWithHistory);
    settle(kSwitchEnd);
    EXPECT_FLOAT_EQ(history->blurRadius(), 25);
    EXPECT_FLOAT_EQ(history->saturationFactor(), 0.85f);
    EXPECT_EQ(panel->x(), 0);
    EXPECT_FALSE(swatches()->isHistoryActive());
    EXPECT_TRUE(swatches()->collectionSwitcherFavorite()->isHidden());
    EXPECT_FALSE(swatches()->collectionSwitcherHistory()->isHidden());
    settle();
    // The formats follow the active strip.
    EXPECT_EQ(table()->exportFormatForName("HEX"), "HEX 00ff00");

    swatches()->toggleHistory();
    settle(kSwitchEnd);
    EXPECT_TRUE(swatches()->isHistoryActive());
    EXPECT_EQ(panel->pos(), swatches()->favoriteHiddenRect().topLeft());
    EXPECT_FLOAT_EQ(history->blurRadius(), 0);
    EXPECT_FLOAT_EQ(history->saturationFactor(), 1);
}

TEST_F(NJSwatchesControllerTest, TheBlurredHistoryDoesNotSmearTheEmptyFavourites)
{
    open(formats({"HEX"}), {Value("FF0000FF"), Value("FF00FFFF"), Value("0000FFFF"), Value("FFFF00FF")}, {});
    swatches()->toggleHistory();
    settle(kSwitchEnd);
    QWidget* panel = swatches()->favoriteContainer();
    // The format list overlaps the panel's lower edge; its selection is not the panel's.
    table()->hide();
    const QImage shown = panel->window()->grab().toImage();
    const QRect area(panel->mapTo(panel->window(), QPoint(0, 0)), panel->size());
    int vivid = 0;
    for (int y = area.top() + 2; y < area.bottom() - 2; y += 2) {
        for (int x = area.left() + 2; x < area.right() - 2; x += 2)
            vivid += shown.pixelColor(x, y).hsvSaturation() > 80;
    }
    EXPECT_EQ(vivid, 0);
}

TEST_F(NJSwatchesControllerTest, AnEmptyHistoryIsBlurredLess)
{
    open(formats({"HEX"}), {}, {Value("00FF00FF")});
    swatches()->toggleHistory();
    settle(kSwitchEnd);
    EXPECT_FLOAT_EQ(swatches()->historyContainer()->blurRadius(), 7);
    EXPECT_FLOAT_EQ(swatches()->historyContainer()->saturationFactor(), 1);
}

TEST_F(NJSwatchesControllerTest, TheViewComesFromItsInterfaceFileWithItsOutlets)
{
    open(formats({"HEX"}), {}, {});
    NJSwatchesController* view = swatches();
    // The favourite button panel is what stays in view when the favourites slide out.
    auto* buttonView = view->findChild<WNJFavoriteButtonView*>("buttonView");
    ASSERT_NE(buttonView, nullptr);
    EXPECT_EQ(buttonView->parentWidget(), view->favoriteContainer());
    EXPECT_EQ(buttonView->x(), 0);
    EXPECT_EQ(view->favoriteHiddenRect().width(), buttonView->width());
    EXPECT_EQ(view->historyContainer()->objectName(), "historyContainer");
    EXPECT_NE(view->findChild<QWidget*>("splitView"), nullptr);
    EXPECT_EQ(view->collectionSwitcherFavorite()->parentWidget(), buttonView);
    EXPECT_EQ(view->collectionSwitcherHistory()->parentWidget(), buttonView);
    // Without favourites their panel shows its text, embedded under the strip.
    EXPECT_EQ(view->emptyFavoriteView()->parentWidget(), view->favoriteContainer());
    EXPECT_FALSE(view->emptyFavoriteView()->isHidden());
    EXPECT_FALSE(view->findChild<QLabel*>("favoriteEmptyInfo")->text().isEmpty());
    // Without history the hint under the strip shows, with the theme's icons.
    EXPECT_FALSE(view->findChild<QWidget*>("emptyHistoryInfo")->isHidden());
    for (const char* name : {"loupeImage", "colorPanelImage", "favoriteImage"})
        EXPECT_FALSE(view->findChild<QLabel*>(name)->pixmap().isNull()) << name;

    view->addColorToHistory(Color::sRGB(0.2, 0.4, 0.6));
    EXPECT_TRUE(view->findChild<QWidget*>("emptyHistoryInfo")->isHidden());
    EXPECT_FALSE(view->historyScrollView()->isHidden());
}

TEST_F(NJSwatchesControllerTest, RemovingAFavouriteKeepsTheSameColourSelected)
{
    open(formats({"HEX"}), {Value("FF0000FF")}, {Value("000001FF"), Value("000002FF"), Value("000003FF")});
    swatches()->toggleHistory();
    settle(kSwitchEnd);
    WNJIndicatorCollectionView* strip = swatches()->favoriteCollectionView();
    strip->setSelectionIndexes({2});
    favoriteItem(0).button()->click();
    EXPECT_TRUE(swatches()->isBusy());
    // Presses during a removal are ignored.
    favoriteItem(1).button()->click();
    settle(kRemovalEnd);
    EXPECT_FALSE(swatches()->isBusy());
    EXPECT_EQ(hexes(m_delegate->favoriteColors()), (std::vector<std::string>{"000002FF", "000003FF"}));
    EXPECT_EQ(strip->selectionIndexes(), std::vector<std::size_t>{1});

    favoriteItem(1).button()->click();
    settle(kRemovalEnd);
    EXPECT_EQ(strip->selectionIndexes(), std::vector<std::size_t>{0});
    favoriteItem(0).button()->click();
    settle(kRemovalEnd);
    // The last one gone, the panel slides back to the history.
    EXPECT_TRUE(m_delegate->favoriteColors().empty());
    EXPECT_TRUE(swatches()->isHistoryActive());
}

TEST_F(NJSwatchesControllerTest, TheSwatchesAfterARemovedFavouriteCloseTheGapInOneMovement)
{
    open(formats({"HEX"}), {Value("FF0000FF")}, {Value("000001FF"), Value("000002FF"), Value("000003FF")});
    swatches()->toggleHistory();
    settle(kSwitchEnd);
    WNJIndicatorCollectionView* strip = swatches()->favoriteCollectionView();
    strip->setSelectionIndexes({2});
    settle(kSwitchEnd);
    const int width = strip->itemSize().width();
    const QWidget* last = favoriteItem(2).view();
    const int frame = strip->selectionView()->x();
    favoriteItem(0).button()->click();
    settle(NJSwatchesController::kRemoveDuration + NJSwatchesController::kRemoveCommitDuration / 2);
    // Halfway through the second movement the last swatch and the frame are on their way.
    EXPECT_GT(last->x(), width);
    EXPECT_LT(last->x(), 2 * width);
    EXPECT_LT(strip->selectionView()->x(), frame);
    settle(kRemovalEnd);
    EXPECT_EQ(favoriteItem(1).view()->x(), width);
    EXPECT_EQ(strip->selectionView()->x(), frame - width);
}

TEST_F(NJSwatchesControllerTest, HidingDuringARemovalKeepsTheOtherFavourites)
{
    open(formats({"HEX"}), {Value("FF0000FF")}, {Value("000001FF"), Value("000002FF")});
    swatches()->toggleHistory();
    settle(kSwitchEnd);
    favoriteItem(0).button()->click();
    settle(0.1);
    m_delegate->hideOverlay();
    settle(kRemovalEnd);
    EXPECT_EQ(hexes(m_delegate->favoriteColors()), std::vector<std::string>{"000002FF"});
    EXPECT_EQ(hexes(m_delegate->historyColors()), std::vector<std::string>{"FF0000FF"});
}

TEST_F(NJSwatchesControllerTest, AddingWhileTheFavouritesShowSlidesBackFirstAndKeepsANinetyNineHistory)
{
    open(formats({"HEX"}), hexList(100, 0x100), {Value("00FF00FF")});
    swatches()->toggleHistory();
    settle(kSwitchEnd);
    swatches()->addColor(Color::sRGB(1, 0, 0));
    EXPECT_EQ(swatches()->historyColors().size(), 100u);
    EXPECT_EQ(swatches()->historyColors().front().getRGBAHexString(), "000100FF");
    settle(kSwitchEnd);
    ASSERT_EQ(swatches()->historyColors().size(), 100u);
    EXPECT_EQ(swatches()->historyColors().front().getRGBAHexString(), "FF0000FF");
    EXPECT_EQ(swatches()->historyColors().back().getRGBAHexString(), "000162FF");
}

TEST_F(NJSwatchesControllerTest, EditingTheSelectedSwatchReplacesItOnlyWhenItDiffers)
{
    open(formats({"HEX"}), {Value("FF0000FF"), Value("00FF00FF")});
    swatches()->historyCollectionView()->setSelectionIndexes({1});
    swatches()->updateActiveColorWith(Color::sRGB(0, 0, 1));
    EXPECT_EQ(hexes(swatches()->historyColors()), (std::vector<std::string>{"FF0000FF", "0000FFFF"}));
    EXPECT_EQ(swatches()->historyCollectionView()->selectionIndexes(), std::vector<std::size_t>{1});
}

TEST_F(NJSwatchesControllerTest, CommandFSwitchesTheListsAndControlFMarksTheSelectedSwatch)
{
    open(formats({"HEX"}), {Value("FFFF00FF")}, {Value("00FF00FF")});
    QTest::keyClick(table(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(hexes(m_delegate->favoriteColors()), (std::vector<std::string>{"FFFF00FF", "00FF00FF"}));
    QTest::keyClick(table(), Qt::Key_F, Qt::MetaModifier);
    EXPECT_FALSE(swatches()->isHistoryActive());
    EXPECT_TRUE(field()->text().isEmpty());
}

TEST_F(NJSwatchesControllerTest, TheSelectedSwatchScrollsIntoViewBesideTheFavouritesButtons)
{
    open(formats({"HEX"}), hexList(16));
    for (int i = 0; i < 15; ++i)
        QTest::keyClick(table(), Qt::Key_Right);
    settle(1);
    settle();
    ASSERT_EQ(swatches()->historyCollectionView()->selectionIndexes(), std::vector<std::size_t>{15});
    const QWidget* last = historyItem(15).view();
    const QRect shown(last->mapTo(swatches(), QPoint(0, 0)), last->size());
    EXPECT_GE(shown.left(), 0);
    EXPECT_LE(shown.right(), swatches()->favoriteHiddenRect().left() - 1);
}

TEST_F(NJSwatchesControllerTest, HidingWhileTheFavouritesSlideInShowsTheHistoryNextTime)
{
    open(formats({"HEX"}), {Value("FF0000FF")}, {Value("00FF00FF")});
    swatches()->toggleHistory();
    settle(NJSwatchesController::kSwitchDuration / 3);
    m_delegate->hideOverlay();
    settle(kSwitchEnd);
    show();
    EXPECT_TRUE(swatches()->isHistoryActive());
    EXPECT_EQ(swatches()->favoriteContainer()->pos(), swatches()->favoriteHiddenRect().topLeft());
    EXPECT_FLOAT_EQ(swatches()->historyContainer()->blurRadius(), 0);
    // And the switch works again.
    swatches()->toggleHistory();
    settle(kSwitchEnd);
    EXPECT_FALSE(swatches()->isHistoryActive());
    EXPECT_EQ(swatches()->favoriteContainer()->x(), 0);
}
