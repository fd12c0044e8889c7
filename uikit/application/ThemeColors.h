#pragma once

#include <QColor>

// The theme-dependent colours the themed views share.
namespace themecolors {

bool darkMode();
// White at the level, with the alpha.
QColor white(double level, double alpha);
// A six-digit hex colour with the alpha.
QColor hex(const char* rgb, double alpha);
// The hairline of the themed views: white at 0.125 in the dark theme, black at 0.125 in the light.
QColor hairline();

} // namespace themecolors
