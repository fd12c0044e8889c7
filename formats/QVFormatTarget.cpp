#include "QVFormatTarget.h"

#include <algorithm>

namespace QVFormatTarget {

const std::vector<std::string>& supportedTargets()
{
    static const std::vector<std::string> targets{kClipboard, kAppleScript};
    return targets;
}

bool isSupported(const std::string& target)
{
    const auto& targets = supportedTargets();
    return std::find(targets.begin(), targets.end(), target) != targets.end();
}

} // namespace QVFormatTarget
