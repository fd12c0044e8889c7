#pragma once

#include "platform/OperatingSystemVersion.h"

// What the running system is.
class SystemInfo {
public:
    virtual ~SystemInfo() = default;
    virtual OperatingSystemVersion operatingSystemVersion() const = 0;
    // Whether the system draws translucent, blurred window backgrounds.
    virtual bool hasVisualEffectView() const = 0;
};
