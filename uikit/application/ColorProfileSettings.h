#pragma once

#include "platform/DisplayProfile.h"

#include <optional>

// Switches the main display's advertised colour profile to the resources' sRGB profile
// and back. What was there before is put back byte for byte, and a display that had no
// profile is left without one. Failures are logged and change nothing.
class ColorProfileSettings final {
public:
    static constexpr const char* kProfileResource = "sRGB Profile";
    static constexpr const char* kProfileType = "icc";

    explicit ColorProfileSettings(DisplayProfile& display);

    void initColorProfileSettings();
    void saveColorProfileSettings();
    void installsRGBProfile();
    void restoreColorProfileSettings();
    void releaseColorProfileSettings();

    bool hasSavedProfile() const { return m_saved.has_value(); }
    bool hasResourceProfile() const { return m_resource.has_value(); }

private:
    DisplayProfile& m_display;
    // The display's profile as saved; an empty inner value when it had none.
    std::optional<std::optional<DisplayProfile::Profile>> m_saved;
    std::optional<DisplayProfile::Bytes> m_resource;
};
