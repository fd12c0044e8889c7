#pragma once

#include "platform/SystemInfo.h"

class FakeSystemInfo final : public SystemInfo {
public:
    OperatingSystemVersion operatingSystemVersion() const override { return m_version; }
    bool hasVisualEffectView() const override { return m_visualEffectView; }

    void setOperatingSystemVersion(OperatingSystemVersion version) { m_version = version; }
    void setHasVisualEffectView(bool has) { m_visualEffectView = has; }

private:
    OperatingSystemVersion m_version;
    bool m_visualEffectView = false;
};
