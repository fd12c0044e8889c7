#include "QVColorProfile.h"

#include <algorithm>

namespace QVColorProfile {

const std::vector<std::string>& supportedColorProfiles()
{
    static const std::vector<std::string> profiles{kSRGB, kLinearSRGB, kDevice, kCalibrated, kGeneric};
    return profiles;
}

bool isSupported(const std::string& profile)
{
    const auto& profiles = supportedColorProfiles();
    return std::find(profiles.begin(), profiles.end(), profile) != profiles.end();
}

} // namespace QVColorProfile
