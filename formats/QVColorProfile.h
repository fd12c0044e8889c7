#pragma once

#include <string>
#include <vector>

// The colour spaces a format can ask for its colour in; the first is the default.
namespace QVColorProfile {

inline constexpr const char* kSRGB = "srgb";
inline constexpr const char* kLinearSRGB = "linearsrgb";
inline constexpr const char* kDevice = "device";
inline constexpr const char* kCalibrated = "calibrated";
inline constexpr const char* kGeneric = "generic";

const std::vector<std::string>& supportedColorProfiles();
bool isSupported(const std::string& profile);

} // namespace QVColorProfile
