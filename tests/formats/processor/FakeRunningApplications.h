#pragma once

#include "formats/processor/RunningApplications.h"

// A fixed list of running applications.
class FakeRunningApplications final : public RunningApplications {
public:
    explicit FakeRunningApplications(std::vector<std::string> names = {}) : m_names(std::move(names)) {}
    std::vector<std::string> names() const override { return m_names; }

private:
    std::vector<std::string> m_names;
};
