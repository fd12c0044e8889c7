#include "uikit/views/ViewAdditions.h"

#include "foundation/Log.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class ViewAdditionsTest : public ::testing::Test {
protected:
    int m_argc = 1;
    char m_arg0[8] = "test";
    char* m_argv[2] = {m_arg0, nullptr};
    QApplication m_app {m_argc, m_argv};
};

TEST_F(ViewAdditionsTest, EmbeddedViewFillsTheHostAndFollowsItsSize)
{
    QWidget host;
    host.resize(200, 100);
    host.show();
    auto* sub = new QWidget;
    viewadditions::embedView(&host, sub);
    EXPECT_EQ(sub->parentWidget(), &host);
    EXPECT_EQ(sub->geometry(), QRect(0, 0, 200, 100));
    host.resize(300, 150);
    EXPECT_EQ(sub->geometry(), QRect(0, 0, 300, 150));
}

TEST_F(ViewAdditionsTest, EmbeddingAgainLeavesTheFrameAlone)
{
    QWidget host;
    host.resize(200, 100);
    host.show();
    auto* sub = new QWidget;
    viewadditions::embedView(&host, sub);
    sub->setGeometry(10, 10, 20, 20);
    viewadditions::embedView(&host, sub);
    EXPECT_EQ(sub->geometry(), QRect(10, 10, 20, 20));
    host.resize(210, 100);
    // One resize follower only: the width grows by 10, not 20.
    EXPECT_EQ(sub->geometry(), QRect(10, 10, 30, 20));
}

TEST_F(ViewAdditionsTest, EmbeddedViewFollowsAHostResizedWhileHidden)
{
    QWidget host;
    host.resize(200, 100);
    auto* sub = new QWidget;
    viewadditions::embedView(&host, sub);
    host.resize(300, 150);
    host.show();
    EXPECT_EQ(sub->geometry(), QRect(0, 0, 300, 150));
    host.resize(320, 160);
    EXPECT_EQ(sub->geometry(), QRect(0, 0, 320, 160));
}

TEST_F(ViewAdditionsTest, ViewMovedToAnotherHostStopsFollowingTheFirst)
{
    QWidget first;
    first.resize(200, 100);
    first.show();
    QWidget second;
    second.resize(50, 40);
    second.show();
    auto* sub = new QWidget;
    viewadditions::embedView(&first, sub);
    viewadditions::embedView(&second, sub);
    first.resize(400, 300);
    EXPECT_EQ(sub->geometry(), QRect(0, 0, 50, 40));
    second.resize(60, 50);
    EXPECT_EQ(sub->geometry(), QRect(0, 0, 60, 50));
}

TEST_F(ViewAdditionsTest, MissingViewsAreTolerated)
{
    QWidget host;
    viewadditions::embedView(&host, nullptr);
    viewadditions::embedView(nullptr, &host);
    viewadditions::addRoundedClippingMask(nullptr, 4.0);
    viewadditions::setAppearanceInSubViews(nullptr, QStringLiteral("dark"));
    EXPECT_FALSE(viewadditions::dragWindowUntilMouseUp(nullptr, QPointF()));
    logging::Capture capture;
    viewadditions::recursiveDescription(nullptr);
    EXPECT_TRUE(capture.lines().empty());
    EXPECT_TRUE(host.children().isEmpty());
}

TEST_F(ViewAdditionsTest, EmbedOnTopOrBelowTheOtherChildren)
{
    QWidget host;
    auto* existing = new QWidget(&host);
    auto* top = new QWidget;
    auto* bottom = new QWidget;
    viewadditions::embedView(&host, top);
    viewadditions::embedViewBelow(&host, bottom);
    const auto children = host.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_EQ(children.size(), 3);
    EXPECT_EQ(children.first(), bottom);
    EXPECT_EQ(children.last(), top);
    EXPECT_NE(children.indexOf(existing), -1);
}

TEST_F(ViewAdditionsTest, AppearanceReachesEveryDescendantButNotTheView)
{
    QWidget root;
    auto* child = new QWidget(&root);
    auto* grandchild = new QWidget(child);
    viewadditions::setAppearanceInSubViews(&root, "NSAppearanceNameAqua");
    EXPECT_FALSE(root.property(viewadditions::kAppearanceProperty).isValid());
    EXPECT_EQ(child->property(viewadditions::kAppearanceProperty).toString(), "NSAppearanceNameAqua");
    EXPECT_EQ(grandchild->property(viewadditions::kAppearanceProperty).toString(), "NSAppearanceNameAqua");
}

TEST_F(ViewAdditionsTest, RoundedMaskCutsTheCornersAndFollowsResizes)
{
    QWidget view;
    view.resize(100, 60);
    view.show();
    viewadditions::addRoundedClippingMask(&view, 10);
    EXPECT_FALSE(view.mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(view.mask().contains(QPoint(50, 30)));
    view.resize(200, 60);
    EXPECT_TRUE(view.mask().contains(QPoint(150, 30)));
    EXPECT_FALSE(view.mask().contains(QPoint(199, 59)));
}

TEST_F(ViewAdditionsTest, FlippedDrawingLandsAtTheBottomOfTheLayer)
{
    QWidget layer;
    layer.resize(20, 20);
    QImage image(20, 20, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    const QTransform before = painter.transform();
    viewadditions::drawBlockUsingFlippedContext(painter, &layer, [](QPainter& p) { p.fillRect(0, 0, 20, 5, Qt::black); });
    EXPECT_EQ(painter.transform(), before);
    painter.end();
    EXPECT_EQ(image.pixelColor(10, 17), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(10, 2), QColor(Qt::white));
}

TEST_F(ViewAdditionsTest, FlippedDrawingWithoutALayerMirrorsAboutZero)
{
    QImage image(20, 20, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    viewadditions::drawBlockUsingFlippedContext(painter, nullptr,
                                                [](QPainter& p) { p.fillRect(0, -10, 20, 5, Qt::black); });
    painter.end();
    EXPECT_EQ(image.pixelColor(10, 7), QColor(Qt::black));
}

TEST_F(ViewAdditionsTest, RecursiveDescriptionLogsChildrenBeforeTheirParent)
{
    QWidget root;
    auto* panel = new QWidget(&root);
    panel->setGeometry(1, 2, 30, 40);
    auto* label = new QLabel(panel);
    label->setGeometry(3, 4, 5, 6);
    logging::Capture capture;
    viewadditions::recursiveDescription(&root);
    ASSERT_EQ(capture.lines().size(), 2u);
    EXPECT_EQ(capture.lines()[0], "  QLabel ({{3, 4}, {5, 6}})");
    EXPECT_EQ(capture.lines()[1], "QWidget ({{1, 2}, {30, 40}})");
}

class WindowDragTest : public ViewAdditionsTest {
protected:
    void SetUp() override
    {
        m_window.setGeometry(100, 300, 200, 100);
        m_window.show();
    }
    // Mouse events as the drag loop sees them, at top-left global positions.
    void post(QEvent::Type type, QPoint global)
    {
        const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        auto* event = new QMouseEvent(type, QPointF(m_window.mapFromGlobal(global)), QPointF(global), Qt::LeftButton,
                                      buttons, Qt::NoModifier);
        QCoreApplication::postEvent(&m_window, event);
    }
    // The offset of a mouse-down at a top-left position, in global points.
    QPointF offsetAt(QPoint global) const
    {
        const double primaryBottom = QGuiApplication::primaryScreen()->geometry().bottom() + 1;
        const QRect frame = m_window.frameGeometry();
        const QPointF mouse(global.x(), primaryBottom - global.y());
        const QPointF origin(frame.x(), primaryBottom - (frame.y() + frame.height()));
        return mouse - origin;
    }

    QWidget m_window;
};

// Counts the mouse events that reach it.
class MouseCountingWidget final : public QWidget {
public:
    using QWidget::QWidget;
    int m_events = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++m_events; }
    void mouseMoveEvent(QMouseEvent*) override { ++m_events; }
    void mouseReleaseEvent(QMouseEvent*) override { ++m_events; }
};

TEST_F(WindowDragTest, ClickWithoutMovementReportsNoMove)
{
    const QPoint press(150, 320);
    const QPointF offset = offsetAt(press);
    QTimer::singleShot(0, [&] {
        post(QEvent::MouseMove, press);
        post(QEvent::MouseButtonRelease, press);
    });
    const QPoint start = m_window.pos();
    EXPECT_FALSE(viewadditions::dragWindowUntilMouseUp(&m_window, offset));
    EXPECT_EQ(m_window.pos(), start);
}

TEST_F(WindowDragTest, DragMovesTheWindowWithTheMouse)
{
    const QPoint press(150, 320);
    const QPointF offset = offsetAt(press);
    QTimer::singleShot(0, [&] {
        post(QEvent::MouseMove, press + QPoint(30, 40));
        post(QEvent::MouseButtonRelease, press + QPoint(30, 40));
    });
    const QPoint start = m_window.pos();
    EXPECT_TRUE(viewadditions::dragWindowUntilMouseUp(&m_window, offset));
    EXPECT_EQ(m_window.pos(), start + QPoint(30, 40));
}

TEST_F(WindowDragTest, DragUpwardsStopsAtTheTopOfTheVisibleFrame)
{
    const QPoint press(150, 320);
    const QPointF offset = offsetAt(press);
    const int visibleTop = m_window.screen()->availableGeometry().top();
    QTimer::singleShot(0, [&] {
        post(QEvent::MouseMove, press - QPoint(0, 500));
        post(QEvent::MouseButtonRelease, press - QPoint(0, 500));
    });
    EXPECT_TRUE(viewadditions::dragWindowUntilMouseUp(&m_window, offset));
    EXPECT_EQ(m_window.frameGeometry().topLeft(), QPoint(m_window.frameGeometry().x(), visibleTop));
}

TEST_F(WindowDragTest, TheDragTakesTheMouseEventsAwayFromTheViews)
{
    auto* view = new MouseCountingWidget(&m_window);
    view->setGeometry(0, 0, 200, 100);
    view->show();
    const QPoint press(150, 320);
    const QPointF offset = offsetAt(press);
    QTimer::singleShot(0, [&] {
        for (QEvent::Type type : {QEvent::MouseMove, QEvent::MouseButtonRelease}) {
            auto* event = new QMouseEvent(type, QPointF(10, 10), QPointF(press + QPoint(5, 5)), Qt::LeftButton,
                                          type == QEvent::MouseMove ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QCoreApplication::postEvent(view, event);
        }
    });
    EXPECT_TRUE(viewadditions::dragWindowUntilMouseUp(&m_window, offset));
    QCoreApplication::processEvents();
    EXPECT_EQ(view->m_events, 0);
}

TEST_F(WindowDragTest, HidingTheWindowEndsTheDrag)
{
    const QPoint press(150, 320);
    const QPointF offset = offsetAt(press);
    QTimer::singleShot(0, [&] { m_window.hide(); });
    EXPECT_FALSE(viewadditions::dragWindowUntilMouseUp(&m_window, offset));
}

} // namespace
