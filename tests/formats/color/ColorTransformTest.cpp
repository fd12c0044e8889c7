#include "formats/color/ColorSpaceCode.h"
#include "formats/color/ColorTransform.h"

#include <gtest/gtest.h>

namespace {

using namespace colorconversions;

TEST(ColorSpaceNames, LowerCaseNamesAndAliasesMapToTheirCodes)
{
    EXPECT_EQ(colorspacecodes::codeForName("rgb"), ColorSpaceCode::Rgb);
    EXPECT_EQ(colorspacecodes::codeForName(""), ColorSpaceCode::Rgb);
    EXPECT_EQ(colorspacecodes::codeForName("hsb"), ColorSpaceCode::Hsv);
    EXPECT_EQ(colorspacecodes::codeForName("hls"), ColorSpaceCode::Hsl);
    EXPECT_EQ(colorspacecodes::codeForName("ciexyz"), ColorSpaceCode::Xyz);
    EXPECT_EQ(colorspacecodes::codeForName("cielch"), ColorSpaceCode::Lch);
    EXPECT_EQ(colorspacecodes::codeForName("ciecat02lms"), ColorSpaceCode::Cat02Lms);
    EXPECT_EQ(static_cast<int>(colorspacecodes::codeForName("cat02lms")), 15);
    EXPECT_EQ(colorspacecodes::codeForName("HSV"), ColorSpaceCode::Unknown);
    EXPECT_EQ(colorspacecodes::codeForName("foo"), ColorSpaceCode::Unknown);
    EXPECT_EQ(colorspacecodes::conversionTable().size(), 18u);
}

TEST(ColorTransformParse, DirectRowsPickTheirOwnFunction)
{
    const auto jpeg = ColorTransform::parse("rgb->jpegycbcr");
    ASSERT_TRUE(jpeg);
    ASSERT_EQ(jpeg->stepCount(), 1u);
    EXPECT_EQ(jpeg->step(0), &rgbToJpegYCbCr);

    const auto studio = ColorTransform::parse("rgb->ycbcr");
    ASSERT_TRUE(studio);
    EXPECT_EQ(studio->step(0), &rgbToYCbCr);

    const auto inverse = ColorTransform::parse("lab->xyz");
    ASSERT_TRUE(inverse);
    EXPECT_EQ(inverse->step(0), &labToXyz);
}

TEST(ColorTransformParse, ArrowDirectionCaseAndBlanksDoNotMatter)
{
    for (const char* text : {"lab<-rgb", "RGB -> LAB", "rgb=>lab", " r g b > l a b "}) {
        const auto transform = ColorTransform::parse(text);
        ASSERT_TRUE(transform) << text;
        ASSERT_EQ(transform->stepCount(), 1u) << text;
        EXPECT_EQ(transform->step(0), &rgbToLab) << text;
    }
}

TEST(ColorTransformParse, UnjoinedSpacesGoThroughACommonSpace)
{
    const auto hsvToLab = ColorTransform::parse("hsv->lab");
    ASSERT_TRUE(hsvToLab);
    ASSERT_EQ(hsvToLab->stepCount(), 2u);
    EXPECT_EQ(hsvToLab->step(0), &hsvToRgb);
    EXPECT_EQ(hsvToLab->step(1), &rgbToLab);

    const auto labToLuv = ColorTransform::parse("lab->luv");
    ASSERT_TRUE(labToLuv);
    ASSERT_EQ(labToLuv->stepCount(), 2u);
    EXPECT_EQ(labToLuv->step(0), &labToXyz);
    EXPECT_EQ(labToLuv->step(1), &xyzToLuv);

    const ColorTriple hsv{200.0, 0.5, 0.8};
    const ColorTriple expected = rgbToLab(hsvToRgb(hsv));
    EXPECT_EQ(hsvToLab->apply(hsv), expected);
}

TEST(ColorTransformParse, EqualSpacesCopyAndUnknownNamesFail)
{
    const auto copy = ColorTransform::parse("hsb->hsv");
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->stepCount(), 0u);
    EXPECT_EQ(copy->apply({1, 2, 3}), (ColorTriple{1, 2, 3}));

    const auto lone = ColorTransform::parse("rgb");
    ASSERT_TRUE(lone);
    EXPECT_EQ(lone->stepCount(), 0u);

    EXPECT_FALSE(ColorTransform::parse("foo->lab"));
    EXPECT_FALSE(ColorTransform::parse("rgb->labx"));

    // The empty name stands for RGB.
    const auto toEmpty = ColorTransform::parse("lab->");
    ASSERT_TRUE(toEmpty);
    EXPECT_EQ(toEmpty->step(0), &labToRgb);
}

} // namespace
