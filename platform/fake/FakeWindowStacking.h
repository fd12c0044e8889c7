#pragma once

#include "platform/WindowStacking.h"

#include <utility>
#include <vector>

class FakeWindowStacking final : public WindowStacking {
public:
    bool placeBelow(std::uint64_t lower, std::uint64_t upper) override
    {
        m_calls.emplace_back(lower, upper);
        return true;
    }
    // (lower, upper) of every request.
    const std::vector<std::pair<std::uint64_t, std::uint64_t>>& calls() const { return m_calls; }

private:
    std::vector<std::pair<std::uint64_t, std::uint64_t>> m_calls;
};
