#pragma once

#include "loupe/QVLoupeHost.h"

#include "platform/ModifierFlags.h"

#include <string>
#include <vector>

// A controller that records what the loupe asked of it.
class RecordingLoupeHost final : public QVLoupeHost {
public:
    bool inPicking() const override { return picking; }
    void doPick() override { calls.push_back("doPick"); }
    void hidePicker() override { calls.push_back("hidePicker"); }
    void copyLoupeImageToClipboard(std::function<void()> completion) override
    {
        calls.push_back("copyLoupeImageToClipboard");
        completion();
    }
    void chooseNextFormat() override { calls.push_back("chooseNextFormat"); }
    void choosePrevFormat() override { calls.push_back("choosePrevFormat"); }
    const std::optional<QVFormatDefinition>& exportFormat() const override { return m_exportFormat; }
    const std::optional<QVDisplayFormatDefinition>& displayFormat() const override { return m_displayFormat; }
    bool noColorManagementApp(const std::string& appName) const override { return appName == exceptedApp; }
    void saveSettings() override { calls.push_back("saveSettings"); }
    void updateCurrentColorInfo(long long mode) override { calls.push_back("updateCurrentColorInfo " + std::to_string(mode)); }
    bool settingsLoading() const override { return loading; }
    void setIgnoreDefaultsChange(bool ignore) override { calls.push_back(ignore ? "ignore on" : "ignore off"); }
    bool preferencesVisible() const override { return preferences; }
    void writeLoupeValuesToPreferences(float capture, float zoom) override
    {
        calls.push_back("write " + std::to_string(static_cast<int>(capture)) + " " + std::to_string(static_cast<int>(zoom)));
    }
    unsigned long currentModifierFlags() const override { return flags; }
    unsigned long HiDPIActivateKeyMask() const override { return hiDPIKey; }
    bool ignoreFlagSwitchUntilRelease() const override { return ignoreFlags; }
    void validateFlagChange(unsigned long) override {}
    void clearLastFlags(unsigned long mask) override { calls.push_back("clearLastFlags " + std::to_string(mask)); }

    bool picking = true;
    bool loading = false;
    bool preferences = false;
    bool ignoreFlags = false;
    unsigned long flags = 0;
    unsigned long hiDPIKey = modifierflags::kControl;
    std::string exceptedApp;
    std::vector<std::string> calls;

private:
    std::optional<QVFormatDefinition> m_exportFormat;
    std::optional<QVDisplayFormatDefinition> m_displayFormat;
};

