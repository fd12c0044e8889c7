#include "OverlayFixture.h"

#include <QLabel>
#include <QScrollBar>

class OverlayFilteringTest : public OverlayFixture {};

TEST_F(OverlayFilteringTest, TypingIntoTheListMovesTheLettersToTheSearchFieldInOrder)
{
    open(formats({"CSS RGB", "CSS HSL", "HEX", "Swift RGB"}));
    ASSERT_TRUE(table()->hasFocus());
    type(table(), "rgb");
    // The field gets the focus a turn later; the letters wait for it.
    EXPECT_TRUE(window()->isMakingFirstResponder());
    EXPECT_TRUE(field()->text().isEmpty());
    settle();
    EXPECT_EQ(field()->text(), "rgb");
    EXPECT_TRUE(field()->hasFocus());
    settle(QVOverlayWindow::kFilterDelay);
    settle(kFilterEnd);
    EXPECT_EQ(rowNames(), (std::vector<std::string>{"CSS RGB", "Swift RGB"}));
    EXPECT_EQ(controller()->searchString(), "rgb");
}

TEST_F(OverlayFilteringTest, TypedAheadLettersFollowTheTextAndBackspaceDeletes)
{
    open(formats({"CSS RGB", "HEX"}));
    field()->setText("rg");
    table()->setFocus();
    QTest::keyClick(table(), Qt::Key_B);
    QTest::keyClick(table(), Qt::Key_X);
    QTest::keyClick(table(), Qt::Key_Backspace);
    settle();
    EXPECT_EQ(field()->text(), "rgb");
}

TEST_F(OverlayFilteringTest, CommandKeysAreNotFilterText)
{
    open(formats({"CSS RGB", "HEX"}));
    QTest::keyClick(table(), Qt::Key_R, Qt::MetaModifier);
    QTest::keyClick(table(), Qt::Key_R, Qt::ControlModifier);
    settle();
    EXPECT_TRUE(field()->text().isEmpty());
    EXPECT_FALSE(window()->isMakingFirstResponder());
}

TEST_F(OverlayFilteringTest, TheListAreaFitsTheMatchesAndKeepsTheTopEdge)
{
    std::vector<Value> list = numberedFormats(37);
    for (const char* name : {"CSS A", "CSS B", "CSS C"})
        list.push_back(format(name));
    open(list);
    const double top = window()->frame().y() + window()->frame().height();
    const double fixed = window()->calculateWindowRect(0).height() - 45;
    EXPECT_DOUBLE_EQ(window()->frame().height() - fixed, 400);
    // Ten whole rows show, and a page is nine of them.
    EXPECT_EQ(table()->height(), 400);
    EXPECT_EQ(table()->pageItemCount(), 9u);

    field()->setText("Format 1");
    window()->updateFilterSearch(true);
    // "Format 1" and "Format 10" to "Format 19".
    EXPECT_DOUBLE_EQ(window()->frame().height() - fixed, 400);
    settle(kFilterEnd);
    field()->setText("css");
    window()->updateFilterSearch(true);
    EXPECT_DOUBLE_EQ(window()->frame().height() - fixed, 120);
    settle(kFilterEnd);
    field()->setText("nothing");
    window()->updateFilterSearch(true);
    EXPECT_DOUBLE_EQ(window()->frame().height() - fixed, 45);
    EXPECT_DOUBLE_EQ(window()->frame().y() + window()->frame().height(), top);
    settle(kFilterEnd);
    EXPECT_TRUE(controller()->content().empty());
    EXPECT_TRUE(window()->noMatchingFormatLabel()->isVisibleTo(window()));

    // Escape clears the text and lists everything again; a second Escape hides.
    field()->setFocus();
    QTest::keyClick(field(), Qt::Key_Escape);
    EXPECT_TRUE(field()->text().isEmpty());
    settle();
    settle(kFilterEnd);
    EXPECT_EQ(controller()->content().size(), 40u);
    EXPECT_EQ(window()->noMatchingFormatLabel()->parentWidget(), nullptr);
    EXPECT_TRUE(window()->isVisible());
    QTest::keyClick(field(), Qt::Key_Escape);
    EXPECT_FALSE(window()->isVisible());
}

TEST_F(OverlayFilteringTest, EveryShowScrollsTheExportFormatIntoView)
{
    open(numberedFormats(30), {Value("FF0000FF")}, {}, Dictionary{{"exportFormat", Value("Format 25")}});
    const auto exportRowShows = [this] {
        return table()->viewport()->rect().contains(table()->visualRect(table()->model()->index(25, 0)));
    };
    EXPECT_TRUE(exportRowShows());
    // A filter that matched nothing scrolled the emptied list back to the top.
    field()->setText("nothing");
    window()->updateFilterSearch(true);
    settle(kFilterEnd);
    m_delegate->hideOverlay();
    show();
    EXPECT_EQ(selectedName(), "Format 25");
    EXPECT_TRUE(exportRowShows());
}

TEST_F(OverlayFilteringTest, TheFirstFormatOpensWhollyInView)
{
    // The first scroll comes before the list has its height; it must not leave the
    // top row cut.
    open(numberedFormats(30), {Value("FF0000FF")}, {}, Dictionary{{"exportFormat", Value("Format 0")}});
    EXPECT_EQ(selectedName(), "Format 0");
    EXPECT_EQ(table()->verticalScrollBar()->value(), 0);
}

TEST_F(OverlayFilteringTest, ANarrowingNearTheTopAnimatesAndOneFarDownReloads)
{
    open(numberedFormats(30));
    controller()->setSelectionIndex(2);
    field()->setText("Format 2");
    window()->updateFilterSearch(false);
    // The animated path shows the new rows through the animation list.
    EXPECT_EQ(controller()->animSearchString(), "Format 2");
    EXPECT_TRUE(table()->busyAnimating());
    EXPECT_EQ(selectedName(), "Format 2");
    settle(kFilterEnd);
    EXPECT_FALSE(table()->busyAnimating());
    EXPECT_FALSE(controller()->animSearchString());
    EXPECT_EQ(controller()->content().size(), 12u);

    window()->resetFilterSearch(true);
    controller()->setSelectionIndex(21);
    table()->scrollToTop();
    field()->setText("Format 2");
    window()->updateFilterSearch(false);
    EXPECT_FALSE(controller()->animSearchString());
    EXPECT_EQ(controller()->content().size(), 12u);
    EXPECT_EQ(selectedName(), "Format 21");
}

TEST_F(OverlayFilteringTest, RowsThatLeaveFadeOutAndRowsThatComeFadeIn)
{
    open(formats({"HEX", "CSS RGB", "CSS HSL"}), {Value("336699FF")}, {}, Dictionary{{"exportFormat", Value("CSS RGB")}});
    const QVFormatDefinition hex = controller()->fullList()[0];
    const QVFormatDefinition rgb = controller()->fullList()[1];
    const QRect hexSlot = table()->visualRect(table()->model()->index(0, 0));

    field()->setText("css");
    window()->updateFilterSearch(false);
    EXPECT_TRUE(table()->isAnimatingRows());
    settle(QVOverlayWindow::kFilterAnimationDuration / 2);
    EXPECT_GT(table()->rowOpacity(hex), 0.2);
    EXPECT_LT(table()->rowOpacity(hex), 0.8);
    EXPECT_EQ(table()->rowOpacity(rgb), 1.0);
    // The leaving row is still drawn where it stood while the next one slides up.
    const QImage fading = table()->viewport()->grab(hexSlot).toImage();
    settle(kFilterEnd);
    EXPECT_FALSE(table()->isAnimatingRows());
    EXPECT_EQ(table()->rowOpacity(hex), 0.0);
    EXPECT_EQ(rowNames(), (std::vector<std::string>{"CSS RGB", "CSS HSL"}));
    EXPECT_NE(table()->viewport()->grab(hexSlot).toImage(), fading);

    field()->setText("");
    window()->updateFilterSearch(false);
    settle(QVOverlayWindow::kFilterAnimationDuration / 2);
    EXPECT_GT(table()->rowOpacity(hex), 0.2);
    EXPECT_LT(table()->rowOpacity(hex), 0.8);
    settle(kFilterEnd);
    EXPECT_EQ(table()->rowOpacity(hex), 1.0);
    EXPECT_EQ(rowNames(), (std::vector<std::string>{"HEX", "CSS RGB", "CSS HSL"}));
    EXPECT_EQ(selectedName(), "CSS RGB");
}

TEST_F(OverlayFilteringTest, TextThatMovesOnDuringAChangeIsCaughtUp)
{
    open(formats({"CSS RGB", "CSS HSL", "HEX"}));
    field()->setText("css");
    window()->updateFilterSearch(false);
    field()->setText("css h");
    // Dropped while the first change runs; the completion catches up.
    window()->updateFilterSearch(false);
    settle(kFilterEnd);
    settle();
    settle(kFilterEnd);
    EXPECT_EQ(rowNames(), (std::vector<std::string>{"CSS HSL"}));
}

TEST_F(OverlayFilteringTest, ArrowsInTheFieldMoveTheListAndTheSwatches)
{
    open(formats({"A", "B", "C"}));
    field()->setFocus();
    controller()->setSelectionIndex(0);
    QTest::keyClick(field(), Qt::Key_Down);
    EXPECT_EQ(selectedName(), "B");
    QTest::keyClick(field(), Qt::Key_Right);
    EXPECT_EQ(swatches()->historyCollectionView()->selectionIndexes(), std::vector<std::size_t>{1});
    EXPECT_TRUE(field()->hasFocus());
}

TEST_F(OverlayFilteringTest, PageKeysInTheFieldMoveTheListOnePage)
{
    open(numberedFormats(30));
    field()->setFocus();
    controller()->setSelectionIndex(0);
    const std::size_t page = table()->pageItemCount();
    ASSERT_LT(2 * page, 29U);
    QTest::keyClick(field(), Qt::Key_PageDown);
    EXPECT_EQ(table()->selectedRow(), page);
    QTest::keyClick(field(), Qt::Key_End);
    QTest::keyClick(field(), Qt::Key_PageUp);
    EXPECT_EQ(table()->selectedRow(), 29 - page);
    EXPECT_TRUE(field()->hasFocus());
}

TEST_F(OverlayFilteringTest, AFilterThatDropsTheSelectedFormatExportsTheFirstMatch)
{
    open(formats({"HEX", "CSS RGB", "CSS RGBA"}), {Value("336699FF")}, {}, Dictionary{{"exportFormat", Value("HEX")}});
    EXPECT_EQ(selectedName(), "HEX");
    type(table(), "css");
    settle();
    settle(QVOverlayWindow::kFilterDelay);
    EXPECT_EQ(selectedName(), "CSS RGB");
    settle(kFilterEnd);
    settle(kFilterEnd);
    EXPECT_EQ(rowNames(), (std::vector<std::string>{"CSS RGB", "CSS RGBA"}));
    QTest::keyClick(field(), Qt::Key_Return);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "CSS RGB 336699");
}
