#pragma once

#include <QColor>

class Color;

namespace qtcolor {

// The colour's RGB values (converted to sRGB when in another model), each kept
// within 0..1.
QColor fromColor(const Color& color);

} // namespace qtcolor
