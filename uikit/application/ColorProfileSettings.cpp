#include "uikit/application/ColorProfileSettings.h"

#include "foundation/Bundle.h"
#include "foundation/Log.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <string>

namespace {

constexpr const char* kFindFailed = "failed find sRGB Profile ";
constexpr const char* kReadFailed = "failed to get the current color profile, pixmaps won't match. Error: ";
constexpr const char* kInstallFailed = "failed install the color profile.Error: ";
constexpr const char* kRestoreFailed =
    "Failed to restore color profile, use System Preferences -> Displays -> Color to reset. Error: ";

// An ICC profile carries its signature at offset 36.
constexpr std::size_t kSignatureOffset = 36;
constexpr char kSignature[] = "acsp";

bool isProfile(const DisplayProfile::Bytes& bytes)
{
    const std::string signature(kSignature);
    return bytes.size() >= kSignatureOffset + signature.size()
        && std::equal(signature.begin(), signature.end(), bytes.begin() + kSignatureOffset);
}

} // namespace

ColorProfileSettings::ColorProfileSettings(DisplayProfile& display)
    : m_display(display)
{
}

void ColorProfileSettings::initColorProfileSettings()
{
    saveColorProfileSettings();
    const auto path = Bundle::main().pathForResource(kProfileResource, kProfileType);
    if (!path) {
        logging::log(kFindFailed + std::to_string(ENOENT));
        return;
    }
    std::ifstream file(*path, std::ios::binary);
    DisplayProfile::Bytes bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (!file.good() && !file.eof()) {
        logging::log(kFindFailed + std::to_string(EIO));
        return;
    }
    if (!isProfile(bytes)) {
        logging::log(kFindFailed + std::to_string(EINVAL));
        return;
    }
    m_resource = std::move(bytes);
}

void ColorProfileSettings::saveColorProfileSettings()
{
    DisplayProfile::Reading reading = m_display.read();
    if (reading.error) {
        logging::log(kReadFailed + std::to_string(reading.error));
        return;
    }
    m_saved = std::move(reading.profile);
}

void ColorProfileSettings::installsRGBProfile()
{
    if (!m_resource)
        return;
    if (const int error = m_display.write({*m_resource}))
        logging::log(kInstallFailed + std::to_string(error));
}

void ColorProfileSettings::restoreColorProfileSettings()
{
    if (!m_saved)
        return;
    const int error = *m_saved ? m_display.write(**m_saved) : m_display.remove();
    if (error)
        logging::log(kRestoreFailed + std::to_string(error));
}

void ColorProfileSettings::releaseColorProfileSettings()
{
    m_saved.reset();
    m_resource.reset();
}
