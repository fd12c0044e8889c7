#pragma once

#include "formats/processor/QVCodeStyle.h"
#include "uikit/application/UserInterfaceSetting.h"

// The kind of value a setting holds; a stored value of another kind is ignored.
enum class SettingType { Boolean, Integer, Real, String, StringList, Dictionary, Data, Any };

// One entry of the settings table: the key in the settings file and its kind.
// Absent and ignored values read as the kind's empty value (NO, 0, "", empty).
struct SettingsKey {
    const char* name;
    SettingType type;
};

// Every setting the application controller reads or writes.
namespace settingskeys {

inline constexpr SettingsKey kHistoryColors{"HistoryColors", SettingType::StringList};
inline constexpr SettingsKey kFavoriteColors{"FavoriteColors", SettingType::StringList};
inline constexpr SettingsKey kRecentMenuItems{"recentMenuItems", SettingType::Integer};
inline constexpr SettingsKey kCodeStyle{QVCodeStyle::kSettingsKey, SettingType::Dictionary};
inline constexpr SettingsKey kCaptureValue{"captureValue", SettingType::Real};
inline constexpr SettingsKey kMagnificationValue{"magnificationValue", SettingType::Real};
inline constexpr SettingsKey kColorInfo{"colorInfo", SettingType::Integer};
inline constexpr SettingsKey kSwitchLensInputControls{"switchLensInputControls", SettingType::Boolean};
inline constexpr SettingsKey kActivateHighPrecisionMode{"activateHighPrecisionMode", SettingType::Integer};
inline constexpr SettingsKey kShowMenubarIcon{"showMenubarIcon", SettingType::Boolean};
inline constexpr SettingsKey kUseNotification{"useNotification", SettingType::Boolean};
inline constexpr SettingsKey kOpenFormatsAfterPick{"openFormatsAfterPick", SettingType::Boolean};
inline constexpr SettingsKey kExportFormat{"exportFormat", SettingType::String};
inline constexpr SettingsKey kDisplayFormat{"displayFormat", SettingType::String};
inline constexpr SettingsKey kStealFocusFromActiveApps{"stealFocusFromActiveApps", SettingType::StringList};
inline constexpr SettingsKey kStealFocusFromActiveAppsCustom{"stealFocusFromActiveAppsCustom", SettingType::StringList};
inline constexpr SettingsKey kNoColorManagementApps{"noColorManagementApps", SettingType::StringList};
inline constexpr SettingsKey kNoColorManagementAppsCustom{"noColorManagementAppsCustom", SettingType::StringList};
inline constexpr SettingsKey kPickColorShortCut{"PickColorShortCut", SettingType::Data};
inline constexpr SettingsKey kColorsAndFormatsShortCut{"ColorsAndFormatsShortCut", SettingType::Data};
inline constexpr SettingsKey kShowWelcomeMessage{"showWelcomeMessage", SettingType::Boolean};
inline constexpr SettingsKey kUserInterface{userinterface::kKey, SettingType::String};
inline constexpr SettingsKey kCheckForUpdates{"checkForUpdates", SettingType::Any};
inline constexpr SettingsKey kCkeckForUpdates{"ckeckForUpdates", SettingType::Boolean};
inline constexpr SettingsKey kDisableUsageTracking{"disableUsageTracking", SettingType::Boolean};

} // namespace settingskeys
