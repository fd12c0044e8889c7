#include "uikit/application/QtColor.h"

#include "formats/color/Color.h"

#include <algorithm>

namespace qtcolor {

QColor fromColor(const Color& color)
{
    const ColorQuad rgba = color.getRedGreenBlueAlpha();
    auto unit = [](double component) { return static_cast<float>(std::clamp(component, 0.0, 1.0)); };
    return QColor::fromRgbF(unit(rgba[0]), unit(rgba[1]), unit(rgba[2]), unit(rgba[3]));
}

} // namespace qtcolor
