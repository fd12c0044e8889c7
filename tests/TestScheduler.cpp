// Linked into every unit test suite: each test runs with a manual clock of its own
// installed, as the program runs with Qt's; a fixture may install another one.

#include "foundation/ManualScheduler.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

class ManualClockPerTest final : public testing::EmptyTestEventListener {
public:
    void OnTestStart(const testing::TestInfo&) override
    {
        m_scheduler.emplace();
        Scheduler::setCurrent(&*m_scheduler);
    }

    void OnTestEnd(const testing::TestInfo&) override
    {
        if (Scheduler::isCurrent(&*m_scheduler))
            Scheduler::setCurrent(nullptr);
        m_scheduler.reset();
    }

private:
    std::optional<ManualScheduler> m_scheduler;
};

const bool kListenerAdded = [] {
    testing::UnitTest::GetInstance()->listeners().Append(new ManualClockPerTest);
    return true;
}();

} // namespace
