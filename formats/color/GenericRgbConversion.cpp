#include "formats/color/GenericRgbConversion.h"

#include "foundation/Exception.h"

#include <lcms2.h>

#include <algorithm>

namespace {

constexpr cmsCIExyY kWhiteD65{0.3127, 0.3290, 1.0};
constexpr cmsCIExyYTRIPLE kPrimaries{{0.6300, 0.3400, 1.0}, {0.2950, 0.6050, 1.0}, {0.1550, 0.0770, 1.0}};
constexpr double kGamma = 1.8;
// Without the cache a transform may run on several threads at once.
constexpr cmsUInt32Number kTransformFlags = cmsFLAGS_NOCACHE;

struct ProfileCloser {
    void operator()(void* profile) const { cmsCloseProfile(profile); }
};
using Profile = std::unique_ptr<void, ProfileCloser>;

} // namespace

struct GenericRgbConversion::Transforms {
    cmsHTRANSFORM fromSRGB = nullptr;
    cmsHTRANSFORM toSRGB = nullptr;

    ~Transforms()
    {
        if (fromSRGB)
            cmsDeleteTransform(fromSRGB);
        if (toSRGB)
            cmsDeleteTransform(toSRGB);
    }
};

const GenericRgbConversion& GenericRgbConversion::shared()
{
    static const GenericRgbConversion conversion;
    return conversion;
}

GenericRgbConversion::GenericRgbConversion() : m_transforms(std::make_unique<Transforms>())
{
    cmsToneCurve* curve = cmsBuildGamma(nullptr, kGamma);
    cmsToneCurve* curves[3] = {curve, curve, curve};
    const Profile generic(cmsCreateRGBProfile(&kWhiteD65, &kPrimaries, curves));
    cmsFreeToneCurve(curve);
    const Profile srgb(cmsCreate_sRGBProfile());
    if (generic && srgb) {
        m_transforms->fromSRGB = cmsCreateTransform(srgb.get(), TYPE_RGB_DBL, generic.get(), TYPE_RGB_DBL,
                                                    INTENT_RELATIVE_COLORIMETRIC, kTransformFlags);
        m_transforms->toSRGB = cmsCreateTransform(generic.get(), TYPE_RGB_DBL, srgb.get(), TYPE_RGB_DBL,
                                                  INTENT_RELATIVE_COLORIMETRIC, kTransformFlags);
    }
    if (!m_transforms->fromSRGB || !m_transforms->toSRGB)
        throw Exception(kInternalInconsistencyException, "cannot create the generic RGB colour transforms");
}

GenericRgbConversion::~GenericRgbConversion() = default;

ColorTriple GenericRgbConversion::fromSRGB(const ColorTriple& rgb) const
{
    ColorTriple result{};
    cmsDoTransform(m_transforms->fromSRGB, rgb.data(), result.data(), 1);
    // The float transform is unbounded: sRGB greens and cyans lie outside this gamut and
    // would come out above 1. Like an integer transform, clip them to the space's range.
    for (double& component : result)
        component = std::clamp(component, 0.0, 1.0);
    return result;
}

ColorTriple GenericRgbConversion::toSRGB(const ColorTriple& rgb) const
{
    ColorTriple result{};
    cmsDoTransform(m_transforms->toSRGB, rgb.data(), result.data(), 1);
    return result;
}
