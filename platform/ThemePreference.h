#pragma once

#include <functional>

// The desktop's own light or dark preference.
class ThemePreference {
public:
    virtual ~ThemePreference() = default;
    // false when the desktop states no preference.
    virtual bool isDark() const = 0;
    // Runs on the main thread when the desktop's preference may have changed.
    virtual void setChangeHandler(std::function<void()> handler) = 0;
};
