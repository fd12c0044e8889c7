#include "formats/color/Color.h"

#include "formats/color/BgraImage.h"
#include "formats/color/ColorComponentPath.h"
#include "formats/color/ColorConversions.h"
#include "formats/color/GenericRgbConversion.h"
#include "foundation/Exception.h"
#include "foundation/StringUtils.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <memory>

namespace {

constexpr std::string_view kClassName = "NSColor";
constexpr std::size_t kBytesPerPixel = 4;
constexpr int kEightBitBase = 255;
constexpr double kLightnessMiddle = 0.5;
// Perceived brightness above which black marks stand out better than white ones.
constexpr double kContrastThreshold = 0.58;
constexpr ColorTriple kPerceivedWeights{0.299, 0.587, 0.114};
constexpr ColorTriple kLuminanceWeights{0.2126, 0.7152, 0.0722};

using Components = std::array<double, Color::kMaxComponents>;

double fromByte(std::uint32_t byte)
{
    return static_cast<double>(static_cast<float>(byte & 0xFFu) / 255.0f);
}

double roundedTo(double value, double steps)
{
    return std::min(std::round(value * steps) / steps, 1.0);
}

std::string shortestText(double value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

ColorTriple cmykToRgb(const Components& cmyk)
{
    const double white = 1.0 - cmyk[3];
    return {(1.0 - cmyk[0]) * white, (1.0 - cmyk[1]) * white, (1.0 - cmyk[2]) * white};
}

std::array<double, 4> rgbToCmyk(const ColorTriple& rgb)
{
    const double black = 1.0 - std::max({rgb[0], rgb[1], rgb[2]});
    if (black >= 1.0)
        return {0.0, 0.0, 0.0, 1.0};
    const double white = 1.0 - black;
    return {(white - rgb[0]) / white, (white - rgb[1]) / white, (white - rgb[2]) / white, black};
}

double sRGBGray(const ColorTriple& rgb)
{
    double luminance = 0.0;
    for (std::size_t i = 0; i < rgb.size(); ++i)
        luminance += kLuminanceWeights[i] * colorconversions::linearize(rgb[i]);
    return colorconversions::compand(luminance);
}

ColorTriple toSRGBTriple(ColorSpace space, const Components& c)
{
    switch (space) {
    case ColorSpace::SRGB:
    case ColorSpace::DeviceRGB:
        return {c[0], c[1], c[2]};
    case ColorSpace::LinearSRGB:
        return {colorconversions::compand(c[0]), colorconversions::compand(c[1]), colorconversions::compand(c[2])};
    case ColorSpace::GenericRGB:
    case ColorSpace::CalibratedRGB:
        return GenericRgbConversion::shared().toSRGB({c[0], c[1], c[2]});
    case ColorSpace::GenericCMYK:
        return cmykToRgb(c);
    case ColorSpace::GenericGray:
        return {c[0], c[0], c[0]};
    }
    return {c[0], c[1], c[2]};
}

} // namespace

Color::Color() : Color(ColorSpace::SRGB, Components{}) {}

Color::Color(ColorSpace space, const Components& components) : m_space(space), m_components(components) {}

Color Color::sRGB(double red, double green, double blue, double alpha)
{
    return Color(ColorSpace::SRGB, {red, green, blue, alpha, 0.0});
}

Color Color::rgb(ColorSpace space, double red, double green, double blue, double alpha)
{
    if (!colorspaces::isRGB(space))
        throw Exception(kInvalidArgumentException, "an RGB colour needs an RGB colour space");
    return Color(space, {red, green, blue, alpha, 0.0});
}

Color Color::cmyk(double cyan, double magenta, double yellow, double black, double alpha)
{
    return Color(ColorSpace::GenericCMYK, {cyan, magenta, yellow, black, alpha});
}

Color Color::gray(double white, double alpha)
{
    return Color(ColorSpace::GenericGray, {white, alpha, 0.0, 0.0, 0.0});
}

Color Color::black()
{
    return sRGB(0.0, 0.0, 0.0);
}

Color Color::white()
{
    return sRGB(1.0, 1.0, 1.0);
}

Color Color::fromSRGB(ColorSpace space, double red, double green, double blue, double alpha)
{
    const ColorTriple rgb{red, green, blue};
    switch (space) {
    case ColorSpace::SRGB:
    case ColorSpace::DeviceRGB:
        return Color(space, {red, green, blue, alpha, 0.0});
    case ColorSpace::LinearSRGB:
        return Color(space, {colorconversions::linearize(red), colorconversions::linearize(green),
                             colorconversions::linearize(blue), alpha, 0.0});
    case ColorSpace::GenericRGB:
    case ColorSpace::CalibratedRGB: {
        const ColorTriple generic = GenericRgbConversion::shared().fromSRGB(rgb);
        return Color(space, {generic[0], generic[1], generic[2], alpha, 0.0});
    }
    case ColorSpace::GenericCMYK: {
        const auto cmyk = rgbToCmyk(rgb);
        return Color(space, {cmyk[0], cmyk[1], cmyk[2], cmyk[3], alpha});
    }
    case ColorSpace::GenericGray:
        return Color(space, {sRGBGray(rgb), alpha, 0.0, 0.0, 0.0});
    }
    return Color(ColorSpace::SRGB, {red, green, blue, alpha, 0.0});
}

std::optional<Color> Color::getColorFromCGImage(const BgraImage* image, std::int32_t x, std::int32_t y)
{
    if (!image)
        return std::nullopt;
    const ColorSpace space = colorspaces::isRGB(image->colorSpace) ? image->colorSpace : ColorSpace::SRGB;
    if (x < 0 || y < 0 || x >= image->width || y >= image->height)
        return rgb(space, 0.0, 0.0, 0.0, 0.0);
    const std::size_t offset = static_cast<std::size_t>(x) * kBytesPerPixel
        + static_cast<std::size_t>(y) * image->bytesPerRow;
    if (offset > image->bytes.size() || image->bytes.size() - offset < kBytesPerPixel)
        return rgb(space, 0.0, 0.0, 0.0, 0.0);
    const std::uint8_t* pixel = image->bytes.data() + offset;
    return rgb(space, fromByte(pixel[2]), fromByte(pixel[1]), fromByte(pixel[0]), fromByte(pixel[3]));
}

std::optional<Color> Color::parseHexRGBA(std::string_view hex)
{
    const std::optional<std::uint32_t> value = strings::scanHex(hex);
    if (!value)
        return std::nullopt;
    return sRGB(fromByte(*value >> 24), fromByte(*value >> 16), fromByte(*value >> 8), fromByte(*value));
}

Color Color::colorWithHexRGBA(std::string_view hex)
{
    return parseHexRGBA(hex).value_or(Color());
}

Color Color::colorWithHexRGB(std::string_view hex, double alpha)
{
    const std::uint32_t value = strings::scanHex(hex).value_or(0);
    return sRGB(fromByte(value >> 16), fromByte(value >> 8), fromByte(value), alpha);
}

int Color::scaledValue(double component, int base)
{
    const float scaled = std::roundf(static_cast<float>(component) * static_cast<float>(base));
    // Out-of-range floats have no int value; keep the conversion defined.
    if (std::isnan(scaled))
        return 0;
    if (scaled >= static_cast<float>(base))
        return base;
    if (scaled <= static_cast<float>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(scaled);
}

int Color::eightBitValue(double component)
{
    // The explicit upper bound also lets the compiler see that two hex digits suffice.
    return std::clamp(scaledValue(component, kEightBitBase), 0, kEightBitBase);
}

double Color::component(std::size_t index) const
{
    if (index >= numberOfComponents())
        throw Exception(kRangeException, "colour component index beyond the colour's components");
    return m_components[index];
}

Color Color::colorUsingColorSpace(ColorSpace space) const
{
    if (space == m_space)
        return *this;
    const ColorTriple rgb = toSRGBTriple(m_space, m_components);
    return fromSRGB(space, rgb[0], rgb[1], rgb[2], alphaComponent());
}

ColorQuad Color::getRedGreenBlueAlpha() const
{
    if (!colorspaces::isRGB(m_space))
        return getassRGBColor().getRedGreenBlueAlpha();
    return {m_components[0], m_components[1], m_components[2], m_components[3]};
}

ColorQuad Color::getHueSaturationBrightnessAlpha() const
{
    const auto [red, green, blue, alpha] = getRedGreenBlueAlpha();
    const ColorTriple hsv = colorconversions::rgbToHsv({red, green, blue});
    return {hsv[0] / 360.0, hsv[1], hsv[2], alpha};
}

ColorQuad Color::getRGBAComponents() const
{
    return getRedGreenBlueAlpha();
}

ColorQuad Color::getLABComponents() const
{
    const auto [red, green, blue, alpha] = getassRGBColor().getRedGreenBlueAlpha();
    const ColorTriple lab = colorconversions::rgbToLab({red, green, blue});
    return {lab[0], lab[1], lab[2], alpha};
}

Color Color::getColorInColorSpace(ColorSpace space) const
{
    if (!colorspaces::isRGB(space))
        return colorUsingColorSpace(space);
    const auto [red, green, blue, alpha] = getRedGreenBlueAlpha();
    return rgb(space, red, green, blue, alpha);
}

Color Color::getassRGBColor() const
{
    return colorUsingColorSpace(ColorSpace::SRGB);
}

Color Color::getasLinearRGBColor() const
{
    const auto [red, green, blue, alpha] = getRedGreenBlueAlpha();
    return rgb(ColorSpace::LinearSRGB, colorconversions::linearize(red), colorconversions::linearize(green),
               colorconversions::linearize(blue), alpha);
}

Color Color::getasDeviceColor() const
{
    return getColorInColorSpace(ColorSpace::DeviceRGB);
}

Color Color::getRasterizedColor(ColorSpace space, bool rounding) const
{
    Color converted = colorUsingColorSpace(space);
    if (rounding) {
        for (std::size_t i = 0; i < converted.numberOfComponents(); ++i)
            converted.m_components[i] = roundedTo(converted.m_components[i], 255.0);
    }
    return converted;
}

Color Color::getSRGBTransformedColorWithRounding(bool rounding) const
{
    return getRasterizedColor(ColorSpace::SRGB, rounding);
}

ColorQuad Color::getWithConversionRedGreenBlueAlpha() const
{
    return getassRGBColor().getRedGreenBlueAlpha();
}

ColorQuad Color::getWithConversionHueSaturationBrightnessAlpha() const
{
    return getassRGBColor().getHueSaturationBrightnessAlpha();
}

ColorQuad Color::getHueSaturationLightnessAlpha() const
{
    const double hue = getHueSaturationBrightnessAlpha()[0];
    const auto [red, green, blue, alpha] = getRedGreenBlueAlpha();
    const double max = std::max({red, green, blue});
    const double min = std::min({red, green, blue});
    const double lightness = (max + min) / 2.0;
    double roundedHue = 0.0;
    double saturation = 0.0;
    if (max != min) {
        roundedHue = roundedTo(hue, 360.0);
        saturation = lightness <= 0.5 ? (max - min) / (max + min) : (max - min) / (2.0 - max - min);
    }
    return {roundedHue, roundedTo(saturation, 100.0), roundedTo(lightness, 100.0), alpha};
}

ColorQuad Color::getWithConversionHueSaturationLightnessAlpha() const
{
    return getHueSaturationLightnessAlpha();
}

double Color::colorComponentbyName(std::string_view path) const
{
    constexpr double kNoComponent = -1.0;
    const std::optional<ColorComponentPath> parsed = ColorComponentPath::parse(path);
    if (!parsed)
        return kNoComponent;
    const Color color = numberOfComponents() == 4 ? *this : getassRGBColor();
    switch (parsed->model()) {
    case ColorComponentPath::Model::RGBA: return color.getRedGreenBlueAlpha()[parsed->position()];
    case ColorComponentPath::Model::HSLA: return color.getHueSaturationLightnessAlpha()[parsed->position()];
    case ColorComponentPath::Model::HSBA: return color.getHueSaturationBrightnessAlpha()[parsed->position()];
    case ColorComponentPath::Model::CMYKA: return color.colorUsingColorSpace(ColorSpace::GenericCMYK).component(parsed->position());
    case ColorComponentPath::Model::LAB: return color.getLABComponents()[parsed->position()];
    }
    return kNoComponent;
}

double Color::lightnessDifference(const Color& other) const
{
    const double first = getassRGBColor().getHueSaturationLightnessAlpha()[2];
    const double second = other.getassRGBColor().getHueSaturationLightnessAlpha()[2];
    if ((first < kLightnessMiddle && second > kLightnessMiddle) || (first > kLightnessMiddle && second < kLightnessMiddle))
        return kLightnessMiddle;
    return std::fabs(first - second);
}

Color Color::invertedSelectColor() const
{
    if (isClearColor())
        return black();
    const Color generic = colorUsingColorSpace(ColorSpace::GenericRGB);
    double sum = 0.0;
    for (std::size_t i = 0; i < kPerceivedWeights.size(); ++i)
        sum += kPerceivedWeights[i] * generic.m_components[i] * generic.m_components[i];
    return std::sqrt(sum) > kContrastThreshold ? black() : white();
}

std::string Color::getRGBAHexString() const
{
    const auto [red, green, blue, alpha] = getRGBAComponents();
    char text[9];
    std::snprintf(text, sizeof text, "%02X%02X%02X%02X", eightBitValue(red), eightBitValue(green),
                  eightBitValue(blue), eightBitValue(alpha));
    return text;
}

bool Color::isSame32BitColorAs(const Color& other) const
{
    return getRGBAHexString() == other.getRGBAHexString();
}

std::string Color::getPlainHexString() const
{
    const bool ownComponents = colorspaces::isRGB(m_space) && colorSpaceName() == colorspaces::kCustomColorSpace;
    const auto [red, green, blue, alpha] = ownComponents ? getRedGreenBlueAlpha() : getWithConversionRedGreenBlueAlpha();
    char text[7];
    std::snprintf(text, sizeof text, "%02X%02X%02X", eightBitValue(red), eightBitValue(green), eightBitValue(blue));
    return text;
}

std::string Color::getRGBA255String() const
{
    const auto [red, green, blue, alpha] = getRGBAComponents();
    char text[32];
    std::snprintf(text, sizeof text, "%d, %d, %d, %d", eightBitValue(red), eightBitValue(green),
                  eightBitValue(blue), eightBitValue(alpha));
    return text;
}

Value Color::toValue() const
{
    return Value(std::make_shared<const Color>(*this));
}

std::string Color::className() const
{
    return std::string(kClassName);
}

std::string Color::description() const
{
    std::string text(colorspaces::localizedName(m_space));
    for (std::size_t i = 0; i < numberOfComponents(); ++i)
        text += ' ' + shortestText(m_components[i]);
    return text;
}

bool Color::isEqual(const Object& other) const
{
    const auto* color = dynamic_cast<const Color*>(&other);
    return color && color->m_space == m_space && color->m_components == m_components;
}

std::size_t Color::hash() const
{
    std::size_t seed = std::hash<int>{}(static_cast<int>(m_space));
    for (const double component : m_components)
        seed = seed * 31 + std::hash<double>{}(component);
    return seed;
}
