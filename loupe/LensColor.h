#pragma once

#include <QColor>

class Color;

namespace lenscolor {

// The colour's RGB values as Qt draws them, each kept within 0..1.
QColor toQColor(const Color& color);

} // namespace lenscolor
