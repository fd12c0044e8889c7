#include "uikit/animation/SlicedTransition.h"

#include "foundation/Log.h"
#include "tests/uikit/FakeApplicationTest.h"

#include <QPolygonF>

namespace {

using ST = SlicedTransition;

void expectNear(const QPointF& actual, const QPointF& expected, double tolerance = 1e-6)
{
    EXPECT_NEAR(actual.x(), expected.x(), tolerance);
    EXPECT_NEAR(actual.y(), expected.y(), tolerance);
}

TEST(SlicedTransitionGeometryTest, TrapezoidMapsEachCornerAndAgreesWithQt)
{
    const QRectF rect(0, 0, 40, 10);
    const std::array<QPointF, 4> corners {QPointF(5, 3), QPointF(50, 0), QPointF(8, 20), QPointF(42, 25)};
    const QTransform transform = ST::transformRect(rect, corners);
    expectNear(transform.map(rect.topLeft()), corners[0]);
    expectNear(transform.map(rect.topRight()), corners[1]);
    expectNear(transform.map(rect.bottomLeft()), corners[2]);
    expectNear(transform.map(rect.bottomRight()), corners[3]);
    QTransform qt;
    ASSERT_TRUE(QTransform::quadToQuad(QPolygonF({rect.topLeft(), rect.topRight(), rect.bottomRight(), rect.bottomLeft()}),
                                       QPolygonF({corners[0], corners[1], corners[3], corners[2]}), qt));
    expectNear(transform.map(QPointF(13, 7)), qt.map(QPointF(13, 7)));

    // Corners on one line: the guarded denominator keeps the numbers finite.
    const QTransform flat = ST::transformRect(rect, {QPointF(0, 0), QPointF(1, 0), QPointF(2, 0), QPointF(3, 0)});
    EXPECT_TRUE(std::isfinite(flat.m11()) && std::isfinite(flat.m13()) && std::isfinite(flat.m23()));
}

TEST(SlicedTransitionGeometryTest, CurvePointsLieOnTheCurveAtTheMotionCoordinate)
{
    const ST::Curve curve {QPointF(0, 0), QPointF(100, 200)};
    EXPECT_EQ(ST::curvePoint(curve, 0, ST::Y), QPointF(0, 0));
    expectNear(ST::curvePoint(curve, 200, ST::Y), QPointF(100, 200));
    // The S curve is symmetric: its middle is halfway across.
    expectNear(ST::curvePoint(curve, 100, ST::Y), QPointF(50, 100), 1e-3);
    const QPointF quarter = ST::curvePoint(curve, 50, ST::Y);
    EXPECT_EQ(quarter.y(), 50);
    EXPECT_GT(quarter.x(), 0);
    EXPECT_LT(quarter.x(), 50);
}

TEST(SlicedTransitionGeometryTest, StripsFillTheDestinationExactlyAtTheEnd)
{
    // Two strips of 10 pt going down through the top edge of a 20 x 5 rectangle at y 100.
    const std::vector<QSizeF> strips {QSizeF(20, 10), QSizeF(20, 10)};
    const ST::Curve first {QPointF(0, 0), QPointF(0, 100)};
    const ST::Curve second {QPointF(20, 0), QPointF(20, 100)};
    const auto start = ST::transformationsForSlices(strips, ST::Top, 0, 20, first, second, 5);
    // Straight curves at the start: each strip sits where it is, one below the other.
    expectNear(start[0].map(QPointF(0, 0)), QPointF(0, 0));
    expectNear(start[1].map(QPointF(20, 10)), QPointF(20, 20));
    const auto end = ST::transformationsForSlices(strips, ST::Top, 100, 20, first, second, 5);
    expectNear(end[0].map(QPointF(0, 0)), QPointF(0, 100));
    expectNear(end[1].map(QPointF(0, 10)), QPointF(0, 105));

    // Through the bottom edge the strips go up, visited from the last one.
    const ST::Curve up1 {QPointF(20, 20), QPointF(20, -100)};
    const ST::Curve up2 {QPointF(0, 20), QPointF(0, -100)};
    const auto upward = ST::transformationsForSlices(strips, ST::Bottom, 20, 20, up1, up2, 5);
    expectNear(upward[1].map(QPointF(0, 10)), QPointF(0, 20));
    expectNear(upward[0].map(QPointF(0, 0)), QPointF(0, 0));
}

class SlicedTransitionTest : public FakeApplicationTest {
protected:
    void SetUp() override
    {
        FakeApplicationTest::SetUp();
        m_host = std::make_unique<QWidget>();
        m_host->resize(300, 400);
        m_view = new QWidget(m_host.get());
        m_view->setGeometry(50, 0, 100, 104);
    }
    void TearDown() override
    {
        m_host.reset();
        FakeApplicationTest::TearDown();
    }
    ST* container() const { return m_host->findChild<ST*>(QLatin1String(ST::kContainerName)); }

    std::unique_ptr<QWidget> m_host;
    QWidget* m_view = nullptr;
};

TEST_F(SlicedTransitionTest, SnapshotHasAMarginAndCutsIntoTenPointStrips)
{
    const QImage snapshot = ST::createSnapshotWithMarginForAxis(m_view, ST::Y, Qt::red);
    EXPECT_EQ(snapshot.size(), QSize(104, 104));
    EXPECT_EQ(qAlpha(snapshot.pixel(1, 50)), 0);
    EXPECT_EQ(QColor(snapshot.pixel(2, 50)), QColor(Qt::red));
    const auto strips = ST::sliceImage(snapshot, ST::Y);
    ASSERT_EQ(strips.size(), 11U);
    EXPECT_EQ(strips[0].height(), 10);
    EXPECT_EQ(strips[10].height(), 4);

    const QImage background = ST::createBackgroundCALayer(m_host.get());
    EXPECT_EQ(background.deviceIndependentSize(), QSizeF(300, 400));
}

TEST_F(SlicedTransitionTest, ShrinkRunsItsFramesThenCompletesAndRemovesTheContainer)
{
    int completions = 0;
    QWidget* given = nullptr;
    logging::Capture log;
    ST::shrinkTransition(0.5, m_view, m_host.get(), QRectF(60, 300, 50, 20), ST::Top, Qt::white,
                         [&](QWidget* container) { given = container; }, [&] { ++completions; });
    ASSERT_NE(container(), nullptr);
    EXPECT_EQ(given, container());
    EXPECT_TRUE(log.lines().empty());
    EXPECT_TRUE(m_view->isHidden());
    EXPECT_EQ(container()->frameCount(), 30);
    EXPECT_DOUBLE_EQ(container()->currentOpacity(), 1.0);
    m_scheduler.advance(0.25);
    EXPECT_GT(container()->currentFrame(), 10);
    EXPECT_NEAR(container()->currentOpacity(), 0.85, 0.02);
    EXPECT_EQ(completions, 0);
    m_scheduler.advance(0.3);
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(container(), nullptr);
    const QTransform shrunk = m_view->property(ST::kShrinkTransformProperty).value<QTransform>();
    EXPECT_EQ(QRectF(m_view->pos(), QSizeF(0, 0)).topLeft() + shrunk.map(QPointF(0, 0)), QPointF(60, 300));
    EXPECT_EQ(shrunk.map(QPointF(100, 104)) + QPointF(m_view->pos()), QPointF(110, 320));
}

TEST_F(SlicedTransitionTest, RestoreFadesInDuringTheFirstThirdAndAHalf)
{
    int completions = 0;
    ST::restoreTransition(0.5, m_view, m_host.get(), QRectF(60, 300, 50, 20), ST::Top, Qt::white, {},
                          [&] { ++completions; });
    ASSERT_NE(container(), nullptr);
    EXPECT_EQ(container()->currentOpacity(), 0.0);
    m_scheduler.advance(0.175 + 0.02);
    EXPECT_EQ(container()->currentOpacity(), 1.0);
    m_scheduler.advance(0.4);
    EXPECT_EQ(completions, 1);
    EXPECT_TRUE(m_view->isHidden());
}

TEST_F(SlicedTransitionTest, WrongSideIsRefusedOverlapWarnedTinyDurationsEndInOneStep)
{
    int completions = 0;
    {
        logging::Capture log;
        ST::shrinkTransition(0.5, m_view, m_host.get(), QRectF(60, -50, 50, 20), ST::Top, Qt::white, {},
                             [&] { ++completions; });
        EXPECT_EQ(log.lines(), std::vector<std::string> {
                                   "Effect ERROR: The distance between top edge of animated view and top edge of "
                                   "destination rect is incorrect. Animation will not be performed!"});
        EXPECT_EQ(completions, 1);
        EXPECT_EQ(container(), nullptr);
        EXPECT_FALSE(m_view->isHidden());
    }
    {
        logging::Capture log;
        ST::restoreTransition(0.01, m_view, m_host.get(), QRectF(60, 50, 50, 20), ST::Top, Qt::white, {},
                              [&] { ++completions; });
        EXPECT_EQ(log.lines(), std::vector<std::string> {"Effect Warning: The bottom edge of animated view overlaps "
                                                         "top edge of start rect. Glitches may occur."});
        ASSERT_NE(container(), nullptr);
        EXPECT_EQ(container()->frameCount(), 1);
        m_scheduler.advance(0.02);
        EXPECT_EQ(completions, 2);
    }
    // The view's own edge at the destination's edge is accepted without a word.
    logging::Capture log;
    ST::shrinkTransition(0.5, m_view, m_host.get(), QRectF(60, 0, 50, 20), ST::Top, Qt::white, {}, {});
    EXPECT_EQ(log.lines().size(), 1U);
    EXPECT_EQ(log.lines()[0].rfind("Effect Warning", 0), 0U);
}

} // namespace
