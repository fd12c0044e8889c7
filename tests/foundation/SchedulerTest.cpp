#include "foundation/Exception.h"
#include "foundation/ManualScheduler.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class ManualSchedulerTest : public ::testing::Test {
protected:
    // Records the block's name and the clock while it runs.
    Scheduler::Block record(const std::string& name)
    {
        return [this, name] { m_calls.push_back(name + "@" + std::to_string(std::lround(m_scheduler.now() * 1000))); };
    }

    ManualScheduler m_scheduler;
    std::vector<std::string> m_calls;
};

TEST_F(ManualSchedulerTest, PostedBlocksRunInOrderOnTheNextTurn)
{
    m_scheduler.post(record("a"));
    m_scheduler.post([this] {
        m_calls.push_back("b");
        m_scheduler.post(record("posted-from-b"));
    });
    m_scheduler.post(record("c"));
    EXPECT_TRUE(m_calls.empty());
    EXPECT_EQ(m_scheduler.pendingCount(), 3u);

    m_scheduler.runPending();
    EXPECT_EQ(m_calls, (std::vector<std::string>{"a@0", "b", "c@0", "posted-from-b@0"}));
    EXPECT_EQ(m_scheduler.pendingCount(), 0u);
    EXPECT_EQ(m_scheduler.now(), 0);
}

TEST_F(ManualSchedulerTest, TimersRunInTimeOrderThenSchedulingOrder)
{
    m_scheduler.schedule(0.3, record("late"));
    m_scheduler.schedule(0.1, record("first-at-100"));
    m_scheduler.schedule(0.1, record("second-at-100"));
    m_scheduler.schedule(0.2, record("middle"));
    m_scheduler.post(record("posted"));

    m_scheduler.advance(0.15);
    EXPECT_EQ(m_calls, (std::vector<std::string>{"posted@0", "first-at-100@100", "second-at-100@100"}));
    EXPECT_DOUBLE_EQ(m_scheduler.now(), 0.15);

    m_calls.clear();
    m_scheduler.advance(1);
    EXPECT_EQ(m_calls, (std::vector<std::string>{"middle@200", "late@300"}));
    EXPECT_DOUBLE_EQ(m_scheduler.now(), 1.15);
}

TEST_F(ManualSchedulerTest, BlocksScheduledWhileAdvancingRunWhenDue)
{
    m_scheduler.schedule(0.1, [this] {
        m_calls.push_back("outer");
        m_scheduler.schedule(0.1, record("inner"));
        m_scheduler.post(record("posted"));
        m_scheduler.schedule(5, record("beyond"));
    });
    m_scheduler.schedule(0.15, record("between"));

    m_scheduler.advance(0.5);
    EXPECT_EQ(m_calls, (std::vector<std::string>{"outer", "posted@100", "between@150", "inner@200"}));
    EXPECT_EQ(m_scheduler.pendingCount(), 1u);
}

TEST_F(ManualSchedulerTest, RepeatingTimersFireEveryIntervalUntilCancelled)
{
    const auto id = m_scheduler.scheduleRepeating(0.25, record("tick"));
    m_scheduler.schedule(0.5, record("once"));
    m_scheduler.advance(1);
    EXPECT_EQ(m_calls, (std::vector<std::string>{"tick@250", "tick@500", "once@500", "tick@750", "tick@1000"}));

    m_calls.clear();
    m_scheduler.cancel(id);
    m_scheduler.advance(1);
    EXPECT_TRUE(m_calls.empty());
    EXPECT_EQ(m_scheduler.pendingCount(), 0u);
    EXPECT_THROW(m_scheduler.scheduleRepeating(0, record("never")), Exception);
}

TEST_F(ManualSchedulerTest, BlocksMayCancelTimersIncludingTheirOwn)
{
    Scheduler::TimerId repeating = 0;
    int ticks = 0;
    repeating = m_scheduler.scheduleRepeating(0.1, [&] {
        if (++ticks == 3)
            m_scheduler.cancel(repeating);
    });
    const auto doomed = m_scheduler.schedule(0.2, record("doomed"));
    m_scheduler.schedule(0.15, [&] { m_scheduler.cancel(doomed); });

    m_scheduler.advance(2);
    EXPECT_EQ(ticks, 3);
    EXPECT_TRUE(m_calls.empty());
    EXPECT_EQ(m_scheduler.pendingCount(), 0u);
}

TEST_F(ManualSchedulerTest, NegativeAndNaNDelaysMeanNow)
{
    m_scheduler.schedule(0.2, record("later"));
    m_scheduler.schedule(std::nan(""), record("nan"));
    m_scheduler.schedule(-1, record("negative"));
    m_scheduler.advance(std::nan(""));
    EXPECT_EQ(m_calls, (std::vector<std::string>{"nan@0", "negative@0"}));
    EXPECT_EQ(m_scheduler.now(), 0);

    m_scheduler.advance(-5);
    m_scheduler.advance(0.2);
    EXPECT_EQ(m_calls, (std::vector<std::string>{"nan@0", "negative@0", "later@200"}));
    EXPECT_EQ(m_scheduler.pendingCount(), 0u);
}

// Work handed over with no run loop installed would never run: the process says so and ends.
TEST(SchedulerDeathTest, WithNoneInstalledWorkEndsTheProcessWhileClockAndCancelStillServe)
{
    Scheduler::setCurrent(nullptr);
    const double before = Scheduler::current().now();
    Scheduler::current().cancel(1);
    EXPECT_GE(Scheduler::current().now(), before);
    EXPECT_DEATH(Scheduler::current().post([] {}), "none is installed");
    EXPECT_DEATH(Scheduler::current().schedule(0.1, [] {}), "none is installed");
    EXPECT_DEATH(Scheduler::current().scheduleRepeating(0.1, [] {}), "none is installed");

    ManualScheduler mine;
    Scheduler::setCurrent(&mine);
    EXPECT_EQ(&Scheduler::current(), &mine);
    EXPECT_TRUE(Scheduler::isCurrent(&mine));
    Scheduler::setCurrent(nullptr);
}

} // namespace
