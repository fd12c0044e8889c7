#include "OverlayFixture.h"

#include "overlay/NJFormatCellView.h"
#include "uikit/views/WNJSlimScroller.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>

#include <functional>

class NJFormatTableViewTest : public OverlayFixture {
protected:
    // Mouse events as a drag loop reads them, at a point of the table's viewport.
    void post(QEvent::Type type, QPoint local)
    {
        const QPoint global = table()->viewport()->mapToGlobal(local);
        // The table reads the pointer's position when the button goes up.
        QCursor::setPos(global);
        const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QCoreApplication::postEvent(table()->viewport(),
                                    new QMouseEvent(type, QPointF(local), QPointF(global), Qt::LeftButton, buttons,
                                                    Qt::NoModifier));
    }
    QPoint rowCenter(int row) const { return table()->visualRect(table()->model()->index(row, 0)).center(); }
    void pressThen(int row, const std::function<void()>& afterPress)
    {
        QTimer::singleShot(0, afterPress);
        QTest::mousePress(table()->viewport(), Qt::LeftButton, Qt::NoModifier, rowCenter(row));
    }
};

TEST_F(NJFormatTableViewTest, KeysMoveTheSelectionWithinTheList)
{
    open(numberedFormats(12));
    controller()->setSelectionIndex(3);
    QTest::keyClick(table(), Qt::Key_End);
    EXPECT_EQ(selectedName(), "Format 11");
    QTest::keyClick(table(), Qt::Key_Down);
    EXPECT_EQ(selectedName(), "Format 11");
    QTest::keyClick(table(), Qt::Key_Home);
    EXPECT_EQ(selectedName(), "Format 0");
    QTest::keyClick(table(), Qt::Key_Up);
    EXPECT_EQ(selectedName(), "Format 0");
    const std::size_t page = table()->pageItemCount();
    QTest::keyClick(table(), Qt::Key_PageDown);
    EXPECT_EQ(controller()->selectionIndex(), page);
    // The selected row is scrolled into view.
    QTest::keyClick(table(), Qt::Key_End);
    EXPECT_TRUE(table()->viewport()->rect().contains(rowCenter(11)));
}

TEST_F(NJFormatTableViewTest, ScrollingFlashesTheSlimScrollerOverTheRows)
{
    open(numberedFormats(30));
    WNJSlimScroller* scroller = table()->overlayScroller();
    ASSERT_NE(scroller, nullptr);
    const int rowsWidth = table()->viewport()->width();
    EXPECT_FALSE(scroller->isVisible());
    QTest::keyClick(table(), Qt::Key_End);
    EXPECT_TRUE(scroller->isVisible());
    // Drawn over the rows' right edge: the rows keep their width.
    EXPECT_EQ(table()->viewport()->width(), rowsWidth);
    EXPECT_EQ(scroller->geometry().right(), table()->viewport()->geometry().right());
    EXPECT_EQ(scroller->value(), table()->verticalScrollBar()->value());
    const QPoint knob = scroller->geometry().topLeft() + scroller->rectForPart(WNJSlimScroller::Part::Knob).center().toPoint();
    const QRgb shown = table()->grab().toImage().pixel(knob);
    settle(NJFormatTableView::kFlashDuration + 0.05);
    EXPECT_FALSE(scroller->isVisible());
    EXPECT_NE(table()->grab().toImage().pixel(knob), shown);
    // Dragging its knob scrolls the rows.
    scroller->setValue(0);
    EXPECT_EQ(table()->verticalScrollBar()->value(), 0);
}

TEST_F(NJFormatTableViewTest, PagesAreTheRowsTheViewShowsLessOne)
{
    open(numberedFormats(12));
    NJFormatTableView view;
    view.setContentController(controller());
    view.resize(480, 200);
    EXPECT_EQ(view.pageItemCount(), 4u);
    view.setRowHeight(120);
    EXPECT_EQ(view.pageItemCount(), 1u);
}

TEST_F(NJFormatTableViewTest, WithoutSelectionDownSelectsTheFirstRowAndUpTheLast)
{
    open(numberedFormats(5));
    controller()->setSelectionIndex(std::nullopt);
    table()->moveForward();
    EXPECT_EQ(controller()->selectionIndex(), 0u);
    controller()->setSelectionIndex(std::nullopt);
    table()->pageUp();
    EXPECT_EQ(controller()->selectionIndex(), 4u);
    controller()->setContent({});
    table()->moveToEnding();
    table()->moveBackward();
    EXPECT_FALSE(controller()->selectionIndex());
}

TEST_F(NJFormatTableViewTest, AClickBlinksTheRowAndExportsIt)
{
    open(formats({"HEX", "CSS", "Swift"}), {Value("336699FF")});
    pressThen(1, [&] { post(QEvent::MouseButtonRelease, rowCenter(1)); });
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "CSS 336699");
    // The row shows unselected for a moment while the format stays selected.
    EXPECT_FALSE(table()->selectedRow());
    EXPECT_EQ(selectedName(), "CSS");
    settle(NJFormatTableView::kHighlightDuration);
    EXPECT_EQ(table()->selectedRow(), 1u);
}

TEST_F(NJFormatTableViewTest, AReleaseOverAnotherRowOrADragExportsNothing)
{
    open(formats({"HEX", "CSS", "Swift"}), {Value("336699FF")});
    QGuiApplication::clipboard()->clear();
    pressThen(2, [&] { post(QEvent::MouseButtonRelease, rowCenter(0)); });
    EXPECT_EQ(selectedName(), "Swift");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "");

    const QPoint start = window()->pos();
    pressThen(1, [&] {
        post(QEvent::MouseMove, rowCenter(1) + QPoint(30, 20));
        post(QEvent::MouseButtonRelease, rowCenter(1) + QPoint(30, 20));
    });
    EXPECT_EQ(window()->pos(), start + QPoint(30, 20));
    EXPECT_EQ(selectedName(), "CSS");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "");
}

TEST_F(NJFormatTableViewTest, CellsNameTheirIconsByGroupThemeAndSelection)
{
    EXPECT_EQ(NJFormatCellView::buttonImageName("css", false, true), "format-icon_css-inv");
    EXPECT_EQ(NJFormatCellView::buttonImageName("css", true, true), "format-icon_css-active");
    EXPECT_EQ(NJFormatCellView::buttonImageName("css", false, false), "format-icon_css");
    EXPECT_EQ(NJFormatCellView::buttonImageName("two words", false, false), "format-icon_two_words");
}
