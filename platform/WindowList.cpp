#include "platform/WindowList.h"

std::optional<WindowInfo> WindowList::windowAt(const QPointF& globalPoint, std::uint32_t excluded) const
{
    for (const WindowInfo& window : onScreenWindows()) {
        if (window.number != excluded && window.frame.contains(globalPoint))
            return window;
    }
    return std::nullopt;
}
