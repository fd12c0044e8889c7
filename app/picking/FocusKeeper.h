#pragma once

#include <cstdint>
#include <optional>
#include <string>

class AppDelegate;
class NJApplication;

// While the picker is open, keeps the keyboard focus on the loupe and the pointer
// hidden across application switches, and turns modifier keys alone into the loupe's
// modes. Takes the focus from the front application when the picker opens and gives
// it back afterwards.
class FocusKeeper final {
public:
    static constexpr unsigned long kFlagsMask = 0xFFFF0000;

    explicit FocusKeeper(AppDelegate& delegate);

    // Modifier flags as an event reports them; the device-dependent bits are dropped.
    void flagsChanged(unsigned long eventFlags) { processFlags(eventFlags & kFlagsMask); }
    void processFlags(unsigned long flags);
    // Once none of Shift, Control, Option and Command is held, modifiers count again.
    void validateFlagChange(unsigned long flags);
    bool shouldIgnoreFlagChange() const { return m_ignoreFlagSwitchUntilRelease; }
    bool ignoreFlagSwitchUntilRelease() const { return m_ignoreFlagSwitchUntilRelease; }
    void setIgnoreFlagSwitchUntilRelease(bool ignore) { m_ignoreFlagSwitchUntilRelease = ignore; }
    unsigned long lastFlags() const { return m_lastFlags; }
    void clearLastFlags(unsigned long mask) { m_lastFlags &= ~mask; }

    void frontAppSwitched();
    void afterAppSwitch();
    // Another desktop became current while picking.
    void spaceSwitch();

    void stealFocusFromActiveApp();
    void restoreStolenActiveFocus();
    void resetStolenActiveFocus() { m_didStealFocusFromApp.reset(); }
    // The window whose focus the picker took.
    std::optional<std::uint32_t> didStealFocusFromApp() const { return m_didStealFocusFromApp; }

private:
    bool isOwnApplication(const std::optional<std::string>& identifier) const;

    AppDelegate& m_delegate;
    unsigned long m_lastFlags = 0;
    bool m_ignoreFlagSwitchUntilRelease = false;
    std::optional<std::uint32_t> m_didStealFocusFromApp;
};
