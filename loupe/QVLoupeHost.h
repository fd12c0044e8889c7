#pragma once

#include "formats/QVDisplayFormatDefinition.h"
#include "formats/QVFormatDefinition.h"

#include <functional>
#include <optional>
#include <string>

// What the loupe needs of the application controller. The controller implements it;
// the loupe never reaches the controller any other way.
class QVLoupeHost {
public:
    virtual ~QVLoupeHost() = default;

    // The pick flow.
    virtual bool inPicking() const = 0;
    virtual void doPick() = 0;
    virtual void hidePicker() = 0;
    // Copies the lens image, then runs `completion`.
    virtual void copyLoupeImageToClipboard(std::function<void()> completion) = 0;

    // Formats.
    virtual void chooseNextFormat() = 0;
    virtual void choosePrevFormat() = 0;
    virtual const std::optional<QVFormatDefinition>& exportFormat() const = 0;
    virtual const std::optional<QVDisplayFormatDefinition>& displayFormat() const = 0;
    // The application's colours are taken as shown, without conversion to sRGB.
    virtual bool noColorManagementApp(const std::string& appName) const = 0;

    // Settings.
    virtual void saveSettings() = 0;
    virtual void updateCurrentColorInfo(long long mode) = 0;
    virtual bool settingsLoading() const = 0;
    virtual void setIgnoreDefaultsChange(bool ignore) = 0;
    // The preferences window is open; it shows the loupe's capture and zoom.
    virtual bool preferencesVisible() const = 0;
    virtual void writeLoupeValuesToPreferences(float capture, float zoom) = 0;

    // Modifier keys.
    // The flags held now, Function included.
    virtual unsigned long currentModifierFlags() const = 0;
    virtual unsigned long HiDPIActivateKeyMask() const = 0;
    virtual bool ignoreFlagSwitchUntilRelease() const = 0;
    virtual void validateFlagChange(unsigned long modifierFlags) = 0;
    // Forgets that these bits were held, so a key still down counts as newly pressed.
    virtual void clearLastFlags(unsigned long mask) = 0;
};
