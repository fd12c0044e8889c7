#pragma once

// The application's light or dark theme.
class Appearance {
public:
    virtual ~Appearance() = default;
    // What the theme should be now.
    virtual bool themeIsDark() const = 0;
    // What the theme is.
    virtual bool darkMode() const = 0;
    virtual void themeChanged() = 0;
};
