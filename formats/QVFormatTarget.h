#pragma once

#include <string>
#include <vector>

// Where an export goes; the first is the default.
namespace QVFormatTarget {

inline constexpr const char* kClipboard = "clipboard";
inline constexpr const char* kAppleScript = "applescript";

const std::vector<std::string>& supportedTargets();
bool isSupported(const std::string& target);

} // namespace QVFormatTarget
