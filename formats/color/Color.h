#pragma once

#include "formats/color/ColorSpace.h"
#include "foundation/Object.h"
#include "foundation/Value.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct BgraImage;

// Four values read from a colour, in the order the operation names them
// (red, green, blue, alpha; hue, saturation, lightness, alpha; L*, a*, b*, alpha).
using ColorQuad = std::array<double, 4>;

// An immutable colour: channels in one colour space plus alpha. Stored in a Value
// as an object, it describes itself as its space's name followed by its components.
class Color final : public Object {
public:
    static constexpr std::size_t kMaxComponents = 5;

    // Transparent black in sRGB.
    Color();
    static Color sRGB(double red, double green, double blue, double alpha = 1.0);
    // Red, green and blue in any of the RGB spaces.
    static Color rgb(ColorSpace space, double red, double green, double blue, double alpha = 1.0);
    static Color cmyk(double cyan, double magenta, double yellow, double black, double alpha = 1.0);
    static Color gray(double white, double alpha = 1.0);
    static Color black();
    static Color white();

    // The pixel at (x, y) of a captured image; transparent black outside the image.
    // nullopt for no image.
    static std::optional<Color> getColorFromCGImage(const BgraImage* image, std::int32_t x, std::int32_t y);
    // "RRGGBBAA" scanned as one hex number; a text that does not scan gives transparent black.
    static Color colorWithHexRGBA(std::string_view hex);
    // The same, but nullopt for a text that does not scan.
    static std::optional<Color> parseHexRGBA(std::string_view hex);
    // "RRGGBB" (the low 24 bits of the scanned number) with the given alpha.
    static Color colorWithHexRGB(std::string_view hex, double alpha = 1.0);
    // min(roundf(c * base), base) in single precision, half away from zero, with no
    // lower clamp.
    static int scaledValue(double component, int base);
    // The value of base 255, and never below 0.
    static int eightBitValue(double component);

    ColorSpace colorSpace() const { return m_space; }
    std::string_view colorSpaceName() const { return colorspaces::colorSpaceName(m_space); }
    // Channels plus alpha.
    std::size_t numberOfComponents() const { return colorspaces::channelCount(m_space) + 1; }
    // Raises a range exception beyond numberOfComponents().
    double component(std::size_t index) const;
    double alphaComponent() const { return m_components[numberOfComponents() - 1]; }
    // Any colour with alpha 0 is the clear colour.
    bool isClearColor() const { return alphaComponent() == 0.0; }

    // Converted to another space, through sRGB; the same colour when already there.
    Color colorUsingColorSpace(ColorSpace space) const;
    // The RGB values of an RGB colour as they are, else after conversion to sRGB.
    ColorQuad getRedGreenBlueAlpha() const;
    // The platform's hue (0..1), saturation, brightness and alpha of getRedGreenBlueAlpha.
    ColorQuad getHueSaturationBrightnessAlpha() const;

    ColorQuad getRGBAComponents() const;
    ColorQuad getLABComponents() const;
    // The four RGBA components as they are, placed in an RGB space: no conversion.
    Color getColorInColorSpace(ColorSpace space) const;
    Color getassRGBColor() const;
    Color getasLinearRGBColor() const;
    Color getasDeviceColor() const;
    Color getRasterizedColor(ColorSpace space, bool rounding) const;
    Color getSRGBTransformedColorWithRounding(bool rounding) const;
    ColorQuad getWithConversionRedGreenBlueAlpha() const;
    ColorQuad getWithConversionHueSaturationBrightnessAlpha() const;
    // HSL rounded to whole degrees and whole percent.
    ColorQuad getHueSaturationLightnessAlpha() const;
    ColorQuad getWithConversionHueSaturationLightnessAlpha() const;
    // The component a path such as "rgba.g" names, or -1.0 when it names none.
    double colorComponentbyName(std::string_view path) const;
    double lightnessDifference(const Color& other) const;
    // Black or white, whichever stands out against this colour.
    Color invertedSelectColor() const;
    std::string getRGBAHexString() const;
    bool isSame32BitColorAs(const Color& other) const;
    std::string getPlainHexString() const;
    std::string getRGBA255String() const;

    Value toValue() const;

    std::string className() const override;
    std::string description() const override;
    bool isEqual(const Object& other) const override;
    std::size_t hash() const override;

private:
    Color(ColorSpace space, const std::array<double, kMaxComponents>& components);
    static Color fromSRGB(ColorSpace space, double red, double green, double blue, double alpha);

    ColorSpace m_space;
    std::array<double, kMaxComponents> m_components;
};
