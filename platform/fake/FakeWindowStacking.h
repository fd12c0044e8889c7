#pragma once

#include "platform/WindowStacking.h"

#include <map>
#include <utility>
#include <vector>

class FakeWindowStacking final : public WindowStacking {
public:
    bool keepBelow(std::uint64_t lower, std::uint64_t upper) override
    {
        m_calls.emplace_back(lower, upper);
        m_kept[lower] = upper;
        return true;
    }
    void release(std::uint64_t lower) override { m_kept.erase(lower); }
    // (lower, upper) of every request.
    const std::vector<std::pair<std::uint64_t, std::uint64_t>>& calls() const { return m_calls; }
    // The lower windows still kept, with their upper ones.
    const std::map<std::uint64_t, std::uint64_t>& kept() const { return m_kept; }

private:
    std::vector<std::pair<std::uint64_t, std::uint64_t>> m_calls;
    std::map<std::uint64_t, std::uint64_t> m_kept;
};
