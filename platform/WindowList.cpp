#include "platform/WindowList.h"

std::optional<WindowInfo> WindowList::windowAt(const QPointF& globalPoint, std::uint32_t excluded) const
{
    return windowAt(onScreenWindows(), globalPoint, excluded);
}

std::optional<WindowInfo> WindowList::windowAt(const std::vector<WindowInfo>& windows, const QPointF& globalPoint,
                                               std::uint32_t excluded)
{
    for (const WindowInfo& window : windows) {
        if (window.number != excluded && window.frame.contains(globalPoint))
            return window;
    }
    return std::nullopt;
}
