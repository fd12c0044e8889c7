#pragma once

#include "platform/WindowInfo.h"

#include <QPointF>

#include <optional>
#include <vector>

// The top-level windows of every application.
class WindowList {
public:
    virtual ~WindowList() = default;
    // Windows on screen, front to back.
    virtual std::vector<WindowInfo> onScreenWindows() const = 0;

    // The frontmost on-screen window whose frame holds the point, passing over `excluded`.
    std::optional<WindowInfo> windowAt(const QPointF& globalPoint, std::uint32_t excluded = 0) const;
    // The same in a list read before.
    static std::optional<WindowInfo> windowAt(const std::vector<WindowInfo>& windows, const QPointF& globalPoint,
                                              std::uint32_t excluded);
};
