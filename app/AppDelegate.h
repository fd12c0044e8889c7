#pragma once

#include "app/picking/AppHotKeys.h"
#include "app/windows/AppWindows.h"
#include "app/picking/ColorExporter.h"
#include "app/settings/ColorLists.h"
#include "app/settings/ColorManagementExceptions.h"
#include "app/launch/CrashReporter.h"
#include "app/picking/FocusKeeper.h"
#include "app/picking/FormatChooser.h"
#include "app/picking/PickFlow.h"
#include "app/settings/SettingsStore.h"
#include "app/statusmenu/StatusMenu.h"
#include "app/launch/Updater.h"
#include "app/windows/WindowFactories.h"
#include "foundation/NotificationCenter.h"
#include "loupe/QVLoupeHost.h"
#include "uikit/application/NJApplicationDelegate.h"

#include <QImage>

#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class Appearance;
class CloseWindowKey;
class ExportBanner;
class LoupeView;
class NJApplication;
class OverlayWindow;
class QVFormatProcessor;
class QVFormatRepository;
class ScriptRunner;
class UserDefaults;

// The application controller: the settings, the colour lists, the format choice and
// the export, and the hub the other parts of the program reach through shared().
// Collaborators that do not exist yet are empty, and calls to them do nothing.
class AppDelegate final : public NJApplicationDelegate, public QVLoupeHost {
public:
    // In command-line mode the settings are read only for the stored export and
    // display formats and never written; a pick's text goes to `output`, and then
    // `terminate` ends the process with its status.
    AppDelegate(UserDefaults& defaults, QVFormatRepository& repository, bool commandLineMode, std::ostream& output,
                ColorExporter::Terminate terminate);
    ~AppDelegate() override;
    AppDelegate(const AppDelegate&) = delete;
    AppDelegate& operator=(const AppDelegate&) = delete;

    // The process-wide controller, set once at launch.
    static AppDelegate* shared();
    void makeShared();

    // Collaborators.
    QVFormatProcessor* formatProcessor() const { return m_formatProcessor.get(); }
    void setFormatProcessor(std::unique_ptr<QVFormatProcessor> processor);
    void setLoupe(std::shared_ptr<LoupeView> loupe);
    LoupeView* loupe() const { return m_loupe.get(); }
    void setOverlay(std::shared_ptr<OverlayWindow> overlay) { m_windows.setOverlay(std::move(overlay)); }
    void setBanner(std::shared_ptr<ExportBanner> banner) { m_windows.setBanner(std::move(banner)); }
    void setStatusMenu(std::shared_ptr<StatusMenu> menu) { m_statusMenu = std::move(menu); }
    StatusMenu* statusMenu() const { return m_statusMenu.get(); }
    // How the launch makes the loupe, the banner and the windows.
    void setWindowFactories(WindowFactories factories) { m_factories = std::move(factories); }
    const WindowFactories& windowFactories() const { return m_factories; }
    AppWindows& windows() { return m_windows; }
    PickFlow& pickFlow() { return m_pickFlow; }
    FocusKeeper& focus() { return m_focus; }
    const SettingsStore& settings() const { return m_settings; }
    const CrashReporter& crashReporter() const { return m_crashReporter; }
    const Updater& updater() const { return m_updater; }
    void setAppearance(std::shared_ptr<Appearance> appearance) { m_appearance = std::move(appearance); }
    void setScriptRunner(std::unique_ptr<ScriptRunner> runner);

    // Launch and shutdown.
    void applicationDidFinishLaunching();
    void initAppWithSettings();
    void startupAppWindow();
    // Command-line mode: the format, zoom and capture the options gave.
    void initWithCLIParams();
    // Saves and ends the run with status 0.
    void terminateApplication();
    void applicationWillTerminate();
    // Super+W. The about window, when it has the keyboard, closes alone; else the
    // tour, the picker, the overlay and the preferences close as the case may be.
    void closeActiveWindow();
    // The machine goes to sleep: the picker ends and focus is not handed back.
    void receiveSleepNote();
    bool updaterMayCheckForUpdates() const;
    // Ends the run with a status; only the first request counts.
    void terminate(int status);
    std::optional<int> terminationStatus() const { return m_terminationStatus; }

    // The application object's calls.
    void frontAppSwitched() override { m_focus.frontAppSwitched(); }
    void flagsChanged(const ModifierFlagsEvent& event) override { m_focus.flagsChanged(event.modifierFlags); }
    bool isWindowKey() const override;
    NJGestureResponder* zoomView() override;
    // The visible overlay is centred again.
    void applicationDidChangeScreenParameters() override;

    // The pick flow, the overlay and the focus, as the rest of the program calls them.
    bool inPicking() const override { return m_pickFlow.inPicking(); }
    void showPicker(const void* sender) { m_pickFlow.showPicker(sender); }
    void hidePicker() override { m_pickFlow.hidePicker(); }
    void hidePickerAndRestoreFocus(bool restoreFocus) { m_pickFlow.hidePickerAndRestoreFocus(restoreFocus); }
    void doPick() override { m_pickFlow.doPick(); }
    void copyLoupeImageToClipboard(std::function<void()> completion) override
    {
        m_pickFlow.copyLoupeImageToClipboard(std::move(completion));
    }
    void showOverlay(const void* sender) { m_windows.showOverlay(sender); }
    void hideOverlay() { m_windows.hideOverlay(); }
    bool isOverlayVisible() const { return m_windows.isOverlayVisible(); }
    bool hasSelectedColor() const { return m_windows.hasSelectedColor(); }
    void closeWelcome() { m_windows.closeWelcome(); }
    void setInPreferences(bool inPreferences) { m_windows.setInPreferences(inPreferences); }
    void restoreStolenActiveFocus() { m_focus.restoreStolenActiveFocus(); }
    unsigned long currentModifierFlags() const override;
    bool ignoreFlagSwitchUntilRelease() const override { return m_focus.ignoreFlagSwitchUntilRelease(); }
    void validateFlagChange(unsigned long flags) override { m_focus.validateFlagChange(flags); }
    void clearLastFlags(unsigned long mask) override { m_focus.clearLastFlags(mask); }
    bool noColorManagementApp(const std::string& appName) const override { return m_noColorManagementApps.contains(appName); }
    bool preferencesVisible() const override;
    void writeLoupeValuesToPreferences(float capture, float zoom) override;
    void setIgnoreFlagSwitchUntilRelease(bool ignore) { m_focus.setIgnoreFlagSwitchUntilRelease(ignore); }
    // Cancels a shortcut recording in the preferences or the welcome tour; true when
    // the hot keys are to focus a recorder instead of acting.
    bool cancelShortcutRecording();
    // "PickerColor" or "Overlay".
    void focusShortcut(const std::string& name);
    void registerShortcuts() { m_hotKeys.registerShortcuts(); }
    void unregisterShortcuts() { m_hotKeys.unregisterShortcuts(); }
    AppHotKeys& hotKeys() { return m_hotKeys; }

    // Settings.
    void initializeFromDefaults();
    void registerDefaults(const Dictionary& defaults);
    void defaultsChanged();
    // Another process or an editor changed the settings file: what start-up loads is
    // loaded again and every live setting re-applied.
    void defaultsChangedOutside();
    void loadSettings();
    void saveSettings() override;
    // true when the file holds the settings, or nothing is to be saved; a failure is
    // the caller's to report.
    bool writeSettings(Error* error);
    // The last save: when it fails, one line says which picks and list edits are lost
    // and why.
    void saveSettingsAtExit();
    void validateSettings();
    void updateRecentMenuItems();
    void updateCurrentColorInfo(long long mode) override;

    // History and favourites.
    void addColor(const Color& color);
    bool hasHistoryColors() const { return m_colorLists.hasHistoryColors(); }
    const std::vector<Color>& historyColors() const { return m_colorLists.historyColors(); }
    const std::vector<Color>& favoriteColors() const { return m_colorLists.favoriteColors(); }
    // Edits of the overlay; they are saved when it closes.
    void setHistoryColors(std::vector<Color> colors);
    void setFavoriteColors(std::vector<Color> colors);
    bool isFavoriteColor(const Color& color) const { return m_colorLists.isFavoriteColor(color); }

    // Format choice.
    FormatChooser& formats() { return m_formats; }
    const std::optional<QVFormatDefinition>& exportFormat() const override { return m_formats.exportFormat(); }
    const std::optional<QVDisplayFormatDefinition>& displayFormat() const override { return m_formats.displayFormat(); }
    bool formatLocked() const { return m_formats.formatLocked(); }
    // The display format while a pick would open the overlay, else the export format.
    void chooseNextFormat() override;
    void choosePrevFormat() override;
    void updateCurrentExportFormat(const QVFormatDefinition& format) { m_formats.updateCurrentExportFormat(format); }
    void updateCurrentDisplayFormat(const QVDisplayFormatDefinition& format) { m_formats.updateCurrentDisplayFormat(format); }
    void removeNonClipboardFormats() { m_formats.removeNonClipboardFormats(); }
    void removeMissingApplicationExports() { m_formats.removeMissingApplicationExports(*m_scriptRunner); }
    bool isApplicationInstalled(const std::string& bundleIdentifier);
    std::string currentDisplayFormatName() const { return m_formats.currentDisplayFormatName(); }

    // Export.
    void exportColor(const std::optional<Color>& color, const QVFormatDefinition& format);
    static void copyStringToClipboard(const std::string& text, const std::optional<Color>& color);
    bool executeOSAScript(const std::string& source) const;
    // Shown only while the banner is switched on.
    void showNotification(const std::string& text, const QImage& image) { m_windows.showNotification(text, image); }

    // NO in command-line mode; else the setting, turned over while Option is held.
    bool willOpenOverlayAfterPick(unsigned long modifierFlags) const;
    bool willOpenOverlayAfterPick() const;

    // State the settings give.
    bool isCommandLineMode() const { return m_commandLineMode; }
    bool firstRun() const { return m_firstRun; }
    void setFirstRun(bool firstRun) { m_firstRun = firstRun; }
    // Automatic update checks, decided at start-up.
    bool checkForUpdate() const { return m_checkForUpdate; }
    void setCheckForUpdate(bool check) { m_checkForUpdate = check; }
    // Read only by the analytics hook, which has no effect.
    bool usageTracking() const { return m_usageTracking; }
    void setUsageTracking(bool tracking) { m_usageTracking = tracking; }
    bool showWelcomeMessage() const { return m_showWelcomeMessage; }
    bool noPicks() const { return m_noPicks; }
    bool inMenubar() const { return m_inMenubar; }
    void setInMenubar(bool shown);
    bool useNotification() const { return m_useNotification; }
    void setUseNotification(bool on) { m_useNotification = on; }
    bool openFormatsAfterPick() const { return m_openFormatsAfterPick; }
    void setOpenFormatsAfterPick(bool on) { m_openFormatsAfterPick = on; }
    unsigned long HiDPIActivateKeyMask() const override { return m_HiDPIActivateKeyMask; }
    const std::vector<std::string>& stealFocusFromActiveApps() const { return m_stealFocusFromActiveApps; }
    const ColorManagementExceptions& noColorManagementApps() const { return m_noColorManagementApps; }
    bool showHistoryMenuItems() const { return m_showHistoryMenuItems; }
    long long maximumHistoryMenuItems() const { return m_maximumHistoryMenuItems; }
    long long maximumFavoriteMenuItems() const { return m_maximumFavoriteMenuItems; }
    bool settingsLoading() const override { return m_settingsLoading; }
    // Set by the loupe while it writes its own values, so their echo is ignored.
    bool ignoreDefaultsChange() const { return m_ignoreDefaultsChange; }
    void setIgnoreDefaultsChange(bool ignore) override { m_ignoreDefaultsChange = ignore; }

private:
    void registerSleepListeners();
    void stopObservingDefaults();
    void mergeCodeStyle(const Dictionary& bundleDefaults);
    void applyShortcut(const SettingsKey& key, StatusMenu::Entry entry);

    UserDefaults& m_defaults;
    QVFormatRepository& m_repository;
    SettingsStore m_settings;
    const bool m_commandLineMode;
    std::unique_ptr<ScriptRunner> m_scriptRunner;
    ColorLists m_colorLists;
    FormatChooser m_formats;
    ColorExporter::Terminate m_terminate;
    std::optional<int> m_terminationStatus;
    ColorExporter m_exporter;
    WindowFactories m_factories;
    AppWindows m_windows;
    PickFlow m_pickFlow;
    FocusKeeper m_focus;
    AppHotKeys m_hotKeys;
    CrashReporter m_crashReporter;
    Updater m_updater;

    std::unique_ptr<QVFormatProcessor> m_formatProcessor;
    std::shared_ptr<LoupeView> m_loupe;
    std::shared_ptr<StatusMenu> m_statusMenu;
    std::shared_ptr<Appearance> m_appearance;
    std::optional<NotificationCenter::Token> m_defaultsObserver;
    std::optional<NotificationCenter::Token> m_outsideDefaultsObserver;
    std::optional<NotificationCenter::Token> m_flagsObserver;
    std::unique_ptr<CloseWindowKey> m_closeWindowKey;

    bool m_firstRun = false;
    bool m_checkForUpdate = false;
    bool m_usageTracking = false;
    bool m_showWelcomeMessage = false;
    bool m_noPicks = false;
    bool m_inMenubar = false;
    bool m_useNotification = false;
    bool m_openFormatsAfterPick = false;
    unsigned long m_HiDPIActivateKeyMask;
    std::vector<std::string> m_stealFocusFromActiveApps;
    ColorManagementExceptions m_noColorManagementApps;
    bool m_showHistoryMenuItems = true;
    long long m_maximumHistoryMenuItems = 0;
    long long m_maximumFavoriteMenuItems = 0;
    bool m_saveDefaults = false;
    bool m_ignoreDefaultsChange = false;
    bool m_settingsLoading = false;
    // The lists are saved only after they were loaded, so that an early save never
    // replaces the stored colours by empty lists.
    bool m_settingsLoaded = false;
    // Likewise the loupe's values are saved only from a loupe that loaded them, so a
    // loupe attached later never replaces the stored values by its built-in ones.
    bool m_loupeLoaded = false;
    // Edits of the lists that wait for their save.
    std::size_t m_unsavedListEdits = 0;
};
