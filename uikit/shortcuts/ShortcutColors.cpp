#include "uikit/shortcuts/ShortcutColors.h"

#include "uikit/application/ThemeColors.h"

#include <QPalette>

ShortcutColors ShortcutColors::forPalette(const QPalette& palette)
{
    using themecolors::white;
    // The window's own ground decides: the tour keeps its pages white in the dark theme.
    if (palette.color(QPalette::Window).lightness() < 128)
        return {white(0.12, 1), white(0.16, 1), white(0, 1), white(0.42, 1),
                white(0.36, 1), white(0.27, 1), white(0.27, 0.5), white(0.5, 1),
                white(0.92, 1), white(0, 0.6), white(0.7, 1)};
    // Single-precision values, as the light colours were chosen.
    return {white(0.98f, 1), white(1, 1), white(0.642, 1), white(0.5, 1),
            QColor::fromRgbF(0.966f, 0.97f, 0.975f, 1.0f), QColor::fromRgbF(0.888f, 0.887f, 0.892f, 1.0f),
            QColor::fromRgbF(0.888f, 0.887f, 0.892f, 0.5f), white(0.5, 1),
            white(0.165f, 1), white(1, 0.6f), white(1.0 / 3, 1)};
}
