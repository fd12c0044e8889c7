#pragma once

#include "platform/PanelHints.h"

#include <set>

class FakePanelHints final : public PanelHints {
public:
    void markAsPanel(std::uint64_t window) override { m_panels.insert(window); }
    bool isPanel(std::uint64_t window) const { return m_panels.count(window) > 0; }

private:
    std::set<std::uint64_t> m_panels;
};
