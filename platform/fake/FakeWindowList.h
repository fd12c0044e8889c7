#pragma once

#include "platform/WindowList.h"

// A window list that counts how often it was read.
class FakeWindowList final : public WindowList {
public:
    std::vector<WindowInfo> onScreenWindows() const override;

    void setWindows(std::vector<WindowInfo> windows) { m_windows = std::move(windows); }
    int readCount() const { return m_readCount; }

private:
    std::vector<WindowInfo> m_windows;
    mutable int m_readCount = 0;
};
