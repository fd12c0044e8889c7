#pragma once

#include "platform/SystemInfo.h"

#include <string>

// The kernel release as the system version; no blurred window backgrounds.
class UnameSystemInfo final : public SystemInfo {
public:
    OperatingSystemVersion operatingSystemVersion() const override;
    bool hasVisualEffectView() const override { return false; }

    // "6.1.0-18-amd64" reads as 6.1.0; missing parts are 0.
    static OperatingSystemVersion parseRelease(const std::string& release);
};
