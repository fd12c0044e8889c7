#include "platform/fake/FakeWindowList.h"

std::vector<WindowInfo> FakeWindowList::onScreenWindows() const
{
    ++m_readCount;
    return m_windows;
}
