#include "uikit/application/QtScheduler.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

class QtSchedulerTest : public ::testing::Test {
protected:
    // Turns the event loop until the condition holds; false when it never does.
    static bool spinUntil(const std::function<bool()>& condition)
    {
        QDeadlineTimer deadline(5000);
        while (!condition()) {
            if (deadline.hasExpired())
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        return true;
    }

    int m_argc = 1;
    char m_arg0[8] = "test";
    char* m_argv[2] = {m_arg0, nullptr};
    QCoreApplication m_app {m_argc, m_argv};
    QtScheduler m_scheduler;
};

TEST_F(QtSchedulerTest, PostedBlocksRunLaterInPostingOrder)
{
    std::vector<int> order;
    for (int i = 0; i < 5; ++i)
        m_scheduler.post([&order, i] { order.push_back(i); });
    EXPECT_TRUE(order.empty());
    ASSERT_TRUE(spinUntil([&] { return order.size() == 5; }));
    EXPECT_EQ(order, std::vector<int>({0, 1, 2, 3, 4}));
}

TEST_F(QtSchedulerTest, TimersDueTogetherRunInPostingOrder)
{
    std::vector<int> order;
    for (int i = 0; i < 5; ++i)
        m_scheduler.schedule(0.001, [&order, i] { order.push_back(i); });
    ASSERT_TRUE(spinUntil([&] { return order.size() == 5; }));
    EXPECT_EQ(order, std::vector<int>({0, 1, 2, 3, 4}));
}

TEST_F(QtSchedulerTest, CancelledTimerNeverRuns)
{
    bool cancelledRan = false;
    bool laterRan = false;
    const Scheduler::TimerId id = m_scheduler.schedule(0, [&] { cancelledRan = true; });
    m_scheduler.schedule(0.001, [&] { laterRan = true; });
    m_scheduler.cancel(id);
    ASSERT_TRUE(spinUntil([&] { return laterRan; }));
    EXPECT_FALSE(cancelledRan);
}

TEST_F(QtSchedulerTest, RepeatingTimerCanCancelItselfFromItsBlock)
{
    int runs = 0;
    Scheduler::TimerId id = 0;
    id = m_scheduler.scheduleRepeating(0, [&] {
        if (++runs == 3)
            m_scheduler.cancel(id);
    });
    ASSERT_TRUE(spinUntil([&] { return runs >= 3; }));
    bool later = false;
    m_scheduler.schedule(0.005, [&] { later = true; });
    ASSERT_TRUE(spinUntil([&] { return later; }));
    EXPECT_EQ(runs, 3);
}

TEST_F(QtSchedulerTest, ClockMeasuresTheTimersDelay)
{
    const double start = m_scheduler.now();
    bool ran = false;
    double at = 0;
    m_scheduler.schedule(0.002, [&] {
        ran = true;
        at = m_scheduler.now();
    });
    ASSERT_TRUE(spinUntil([&] { return ran; }));
    EXPECT_GE(at - start, 0.002 - 1e-3);
}

} // namespace
