#include "uikit/animation/NJAnimatedView.h"

#include "foundation/Log.h"
#include "foundation/ManualScheduler.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr const char* kZoom = "zoom";
constexpr double kFrame = 1.0 / 60.0;

class ZoomTestView final : public NJAnimatedView {
    Q_OBJECT
    Q_PROPERTY(double zoom READ zoom WRITE setZoom)
public:
    double zoom() const { return m_zoom; }
    void setZoom(double zoom)
    {
        m_zoom = zoom;
        m_history.push_back(zoom);
    }
    const std::vector<double>& history() const { return m_history; }

private:
    double m_zoom = 1.0;
    std::vector<double> m_history;
};

class NJAnimatedViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Scheduler::setCurrent(&m_scheduler);
        m_view = std::make_unique<ZoomTestView>();
    }
    void TearDown() override
    {
        m_view.reset();
        Scheduler::setCurrent(nullptr);
    }

    AnimationCallbacks recording(const std::string& name)
    {
        return {[this, name] { m_events.push_back(name + " finished"); },
                [this, name] { m_events.push_back(name + " canceled"); }};
    }

    int m_argc = 1;
    char m_arg0[8] = "test";
    char* m_argv[2] = {m_arg0, nullptr};
    QApplication m_app {m_argc, m_argv};
    ManualScheduler m_scheduler;
    std::unique_ptr<ZoomTestView> m_view;
    std::vector<std::string> m_events;
};

TEST_F(NJAnimatedViewTest, IdleKeyStartsAtOnceAndRunsToItsTarget)
{
    m_view->animateKey(kZoom, 5.0, 0.5, "linear", recording("a"));
    EXPECT_TRUE(m_view->animationActiveForKey(kZoom));
    EXPECT_TRUE(m_view->isAnimationActive());

    m_scheduler.advance(0.25);
    EXPECT_NEAR(m_view->zoom(), 3.0, 4.0 * kFrame + 1e-9);
    EXPECT_TRUE(m_events.empty());

    m_scheduler.advance(0.3);
    EXPECT_DOUBLE_EQ(m_view->zoom(), 5.0);
    EXPECT_FALSE(m_view->animationActiveForKey(kZoom));
    EXPECT_EQ(m_events, std::vector<std::string>({"a finished"}));
}

TEST_F(NJAnimatedViewTest, InterruptionCancelsAtOnceAndRestartsFromTheInterruptedValueAfterTheStopReport)
{
    m_view->animateKey(kZoom, 5.0, 1.0, "linear", recording("a"));
    m_scheduler.advance(0.5);
    const double interrupted = m_view->zoom();
    ASSERT_GT(interrupted, 2.5);
    ASSERT_LT(interrupted, 3.5);

    m_view->animateKey(kZoom, 1.0, 1.0, "linear", recording("b"));
    EXPECT_EQ(m_events, std::vector<std::string>({"a canceled"}));
    // Until the interrupted animation reports its end, the key is not active.
    EXPECT_FALSE(m_view->animationActiveForKey(kZoom));
    EXPECT_DOUBLE_EQ(m_view->zoom(), interrupted);

    m_scheduler.runPending();
    EXPECT_TRUE(m_view->animationActiveForKey(kZoom));
    m_scheduler.advance(kFrame);
    EXPECT_LT(m_view->zoom(), interrupted);
    EXPECT_GT(m_view->zoom(), interrupted - 0.1);

    m_scheduler.advance(1.1);
    EXPECT_DOUBLE_EQ(m_view->zoom(), 1.0);
    // a's finished callback never runs.
    EXPECT_EQ(m_events, std::vector<std::string>({"a canceled", "b finished"}));
}

TEST_F(NJAnimatedViewTest, NewerRequestDropsTheRestartQueuedBehindAnInterruption)
{
    m_view->animateKey(kZoom, 5.0, 1.0, "linear", recording("a"));
    m_scheduler.advance(0.5);
    m_view->animateKey(kZoom, 10.0, 1.0, "linear", recording("b"));
    // Finds no running animation and starts at once.
    m_view->animateKey(kZoom, 0.0, 1.0, "linear", recording("c"));
    EXPECT_TRUE(m_view->animationActiveForKey(kZoom));

    // The late report of a neither ends c nor starts b.
    m_scheduler.runPending();
    EXPECT_TRUE(m_view->animationActiveForKey(kZoom));
    m_scheduler.advance(1.1);
    EXPECT_DOUBLE_EQ(m_view->zoom(), 0.0);
    EXPECT_FALSE(m_view->animationActiveForKey(kZoom));
    EXPECT_EQ(m_events, std::vector<std::string>({"a canceled", "c finished"}));
}

TEST_F(NJAnimatedViewTest, StopReportsArriveInTheOrderOfTheInterruptions)
{
    m_view->setProperty("other", 0.0);
    m_view->animateKey(kZoom, 5.0, 1.0, "linear");
    m_view->animateKey("other", 5.0, 1.0, "linear");
    m_scheduler.advance(0.2);
    std::vector<std::string> restarts;
    m_view->stopAnimationForKey("other", [&] { restarts.push_back("other"); });
    m_view->stopAnimationForKey(kZoom, [&] { restarts.push_back("zoom"); });
    EXPECT_TRUE(restarts.empty());
    m_scheduler.runPending();
    EXPECT_EQ(restarts, std::vector<std::string>({"other", "zoom"}));
}

TEST_F(NJAnimatedViewTest, StopOnAnIdleKeyRunsTheBlockSynchronously)
{
    bool ran = false;
    m_view->stopAnimationForKey(kZoom, [&] { ran = true; });
    EXPECT_TRUE(ran);
}

TEST_F(NJAnimatedViewTest, StopAllWithNothingRunningDoesNothing)
{
    m_view->stopAllAnimations();
    EXPECT_FALSE(m_view->isAnimationActive());
    EXPECT_EQ(m_scheduler.pendingCount(), 0u);
    EXPECT_TRUE(m_view->history().empty());
}

TEST_F(NJAnimatedViewTest, StopAllStopsEveryKeyWhereItIs)
{
    m_view->animateKey(kZoom, 5.0, 1.0, "linear", recording("a"));
    m_scheduler.advance(0.5);
    const double held = m_view->zoom();
    m_view->stopAllAnimations();
    EXPECT_FALSE(m_view->isAnimationActive());
    m_scheduler.advance(2.0);
    EXPECT_DOUBLE_EQ(m_view->zoom(), held);
    EXPECT_EQ(m_events, std::vector<std::string>({"a canceled"}));
}

TEST_F(NJAnimatedViewTest, OnlyACanceledCallbackRunsNothingOnANormalEnd)
{
    bool canceled = false;
    m_view->animateKey(kZoom, 2.0, 0.2, "easeOut", AnimationCallbacks {{}, [&] { canceled = true; }});
    m_scheduler.advance(0.5);
    EXPECT_FALSE(canceled);
    EXPECT_DOUBLE_EQ(m_view->zoom(), 2.0);
}

TEST_F(NJAnimatedViewTest, EaseInOutBackPassesBelowTheStartAndBeyondTheTarget)
{
    m_view->setZoom(0.0);
    m_view->animateKey(kZoom, 1.0, 1.0, "easeInOutBack");
    m_scheduler.advance(1.1);
    const auto& history = m_view->history();
    EXPECT_LT(*std::min_element(history.begin(), history.end()), -0.05);
    EXPECT_GT(*std::max_element(history.begin(), history.end()), 1.05);
    EXPECT_DOUBLE_EQ(m_view->zoom(), 1.0);
}

TEST_F(NJAnimatedViewTest, UnknownEasingPacesLinearly)
{
    m_view->setZoom(0.0);
    m_view->animateKey(kZoom, 1.0, 1.0, "wobble");
    m_scheduler.advance(0.5);
    EXPECT_NEAR(m_view->zoom(), 0.5, 2 * kFrame);
}

TEST_F(NJAnimatedViewTest, AttachedCallbacksShareTheKeysLists)
{
    m_view->animateKey(kZoom, 3.0, 0.5, "linear", recording("a"));
    m_view->attachFinishedCallback([&] { m_events.push_back("attached finished"); }, kZoom);
    m_view->attachFinishedCallback({}, kZoom);
    m_scheduler.advance(0.6);
    EXPECT_EQ(m_events, std::vector<std::string>({"a finished", "attached finished"}));
}

TEST_F(NJAnimatedViewTest, UnknownStopReportIsLoggedAndIgnored)
{
    struct Probe final : NJAnimatedView {
        void report(const AnimationPtr& animation) { animationDidStop(animation, true); }
        AnimationPtr make(const QByteArray& key) const { return createBasicAnimationForKey(key); }
    } probe;
    logging::Capture capture;
    probe.report(probe.make("nothing"));
    EXPECT_TRUE(capture.contains("animation STOP NOT FOUND!"));
}

} // namespace

#include "NJAnimatedViewTest.moc"
