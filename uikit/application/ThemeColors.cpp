#include "uikit/application/ThemeColors.h"

#include "uikit/application/NJApplication.h"

namespace themecolors {

namespace {

constexpr double kHairlineAlpha = 0.125;

} // namespace

bool darkMode()
{
    NJApplication* app = NJApplication::sharedApplication();
    return app && app->darkMode();
}

QColor white(double level, double alpha)
{
    return QColor::fromRgbF(static_cast<float>(level), static_cast<float>(level), static_cast<float>(level),
                            static_cast<float>(alpha));
}

QColor hex(const char* rgb, double alpha)
{
    QColor color(QLatin1Char('#') + QLatin1String(rgb));
    color.setAlphaF(static_cast<float>(alpha));
    return color;
}

QColor hairline()
{
    return darkMode() ? white(1, kHairlineAlpha) : white(0, kHairlineAlpha);
}

} // namespace themecolors
