#include "app/AppDelegate.h"
#include "app/statusmenu/AppIcons.h"

#include "app/windows/AboutWindow.h"
#include "app/windows/Appearance.h"
#include "app/windows/CloseWindowKey.h"
#include "app/banner/ExportBanner.h"
#include "app/picking/LoupeView.h"
#include "app/windows/OverlayWindow.h"
#include "app/windows/PreferencesWindow.h"
#include "app/picking/UnavailableScriptRunner.h"
#include "app/windows/WelcomeWindow.h"
#include "formats/QVFormatRepository.h"
#include "formats/color/DictionaryKeyPaths.h"
#include "formats/processor/QVFormatProcessor.h"
#include "formats/template/MustacheConfiguration.h"
#include "foundation/CommandLineState.h"
#include "foundation/Error.h"
#include "foundation/Log.h"
#include "foundation/NotificationCenter.h"
#include "foundation/Scheduler.h"
#include "foundation/StringUtils.h"
#include "foundation/UserDefaults.h"
#include "platform/ModifierFlags.h"
#include "platform/PowerEvents.h"
#include "platform/ScreenCapture.h"
#include "uikit/application/NJApplication.h"

#include <QGuiApplication>

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {

constexpr long long kRecentMenuItemsLimit = 20;
constexpr double kMinimumLoadedZoomFactor = 2.0;

// "activateHighPrecisionMode": 0 Command, 1 Control, 2 Shift.
constexpr unsigned long kHighPrecisionModifiers[] = {modifierflags::kCommand, modifierflags::kControl,
                                                     modifierflags::kShift};

constexpr double kCommandLinePickDelay = 0.05;
// Long enough for the windows shown at start-up to draw first.
constexpr double kPickerPreparationDelay = 0.5;
constexpr const char* kNoLoupe = "The loupe cannot be shown: no colour can be picked";
constexpr int kTerminatedStatus = 0;
constexpr const char* kUnsavedAtExitLog = "%@. Quitting: %@ and %@ since the last save are lost.";
constexpr const char* kPickedColour = "picked colour";
constexpr const char* kPickedColours = "picked colours";
constexpr const char* kListEdit = "edit of the colour lists";
constexpr const char* kListEdits = "edits of the colour lists";

AppDelegate* s_shared = nullptr;

NJApplication* application()
{
    NJApplication* app = NJApplication::sharedApplication();
    return app && app->hasPlatform() ? app : nullptr;
}

// "1 picked colour", "2 picked colours".
std::string counted(std::size_t count, const char* one, const char* many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

} // namespace

AppDelegate::AppDelegate(UserDefaults& defaults, QVFormatRepository& repository, bool commandLineMode,
                         std::ostream& output, ColorExporter::Terminate terminate)
    : m_defaults(defaults)
    , m_repository(repository)
    , m_settings(defaults)
    , m_commandLineMode(commandLineMode)
    , m_scriptRunner(std::make_unique<UnavailableScriptRunner>())
    , m_formats(repository, m_settings, commandLineMode)
    , m_terminate(std::move(terminate))
    , m_exporter(output, [this](int status) { this->terminate(status); })
    , m_windows(*this)
    , m_pickFlow(*this)
    , m_focus(*this)
    , m_hotKeys(*this)
    , m_firstRun(!m_settings.isStored(settingskeys::kCodeStyle))
    , m_HiDPIActivateKeyMask(modifierflags::kControl)
{
    // Nothing a command-line run does may reach the user's settings file.
    if (m_commandLineMode)
        m_defaults.setPersistent(false);
}

AppDelegate::~AppDelegate()
{
    stopObservingDefaults();
    if (m_flagsObserver)
        NotificationCenter::defaultCenter().removeObserver(*m_flagsObserver);
    if (s_shared == this)
        s_shared = nullptr;
}

AppDelegate* AppDelegate::shared()
{
    return s_shared;
}

void AppDelegate::makeShared()
{
    s_shared = this;
}

void AppDelegate::setFormatProcessor(std::unique_ptr<QVFormatProcessor> processor)
{
    m_formatProcessor = std::move(processor);
}

void AppDelegate::setLoupe(std::shared_ptr<LoupeView> loupe)
{
    m_loupe = std::move(loupe);
    m_loupeLoaded = false;
}

void AppDelegate::setScriptRunner(std::unique_ptr<ScriptRunner> runner)
{
    if (!runner)
        return;
    m_scriptRunner = std::move(runner);
}

void AppDelegate::applicationDidFinishLaunching()
{
    makeShared();
    initAppWithSettings();
    if (NJApplication* app = application()) {
        app->registerTaskSwitchNotification();
        // Every window names the program in task bars and switchers with its icon.
        QGuiApplication::setWindowIcon(AppIcons::programIcon());
    }
    // Modifier keys pressed in the loupe window reach the controller as that window's
    // own key events; the application's tap covers the time it is not key.
    m_flagsObserver = NotificationCenter::defaultCenter().addObserver(
        NJApplication::kFlagsChangedNotification, [this](const NotificationCenter::Notification& notification) {
            if (isWindowKey())
                m_focus.flagsChanged(static_cast<unsigned long>(
                    notification.userInfo.valueForKey(NJApplication::kModifierFlagsKey).integerValue()));
        });
    if (QCoreApplication* app = QCoreApplication::instance()) {
        m_closeWindowKey = std::make_unique<CloseWindowKey>([this] { closeActiveWindow(); });
        app->installEventFilter(m_closeWindowKey.get());
    }
    if (!m_loupe && m_factories.loupe)
        setLoupe(m_factories.loupe());
    // Banners are on unless the user switched them off: the stored choice holds from here.
    m_useNotification = m_settings.boolean(settingskeys::kUseNotification).value_or(true);
    m_windows.createBanner();
    if (!m_commandLineMode)
        registerSleepListeners();
    loadSettings();
    if (m_commandLineMode)
        removeNonClipboardFormats();
    else
        removeMissingApplicationExports();
    validateSettings();
    if (m_commandLineMode) {
        initWithCLIParams();
        if (!m_loupe) {
            logging::log(kNoLoupe);
            terminate(ColorExporter::kNothingPrintedStatus);
            return;
        }
        Scheduler::current().schedule(kCommandLinePickDelay, [this] { showPicker(nullptr); });
        // The screen snapshot and the loupe's first drawing are the slowest steps before
        // the loupe maps: done while the delay runs instead of after it. The capture
        // session keeps the snapshot current until then.
        if (NJApplication* app = application())
            app->platform().screenCapture().beginSession();
        m_pickFlow.preparePicker();
        // Listening for sleep connects to the system bus: done while the delay runs too,
        // still before the first event can arrive.
        registerSleepListeners();
        return;
    }
    startupAppWindow();
}

void AppDelegate::registerSleepListeners()
{
    if (NJApplication* app = application())
        app->platform().powerEvents().setSleepHandler([this] { receiveSleepNote(); });
}

void AppDelegate::initAppWithSettings()
{
    m_crashReporter.configure(CrashReporter::kIdentifier);
    m_crashReporter.setAutoSubmitCrashReport(true);
    m_crashReporter.startManager();

    m_updater.setMayCheck([this] { return updaterMayCheckForUpdates(); });
    m_checkForUpdate = m_settings.isStored(settingskeys::kCheckForUpdates) ? m_settings.flag(settingskeys::kCkeckForUpdates)
                                                                          : true;
    m_updater.setAutomaticallyChecksForUpdates(m_checkForUpdate);
    m_updater.setUpdateCheckInterval(Updater::kUpdateCheckInterval);
    if (m_checkForUpdate)
        m_updater.checkForUpdatesInBackground();
    m_updater.setSendsSystemProfile(true);

    if (NJApplication* app = application()) {
        app->registerDummyVisualEffectView();
        app->initialization();
    }
    initializeFromDefaults();
    if (!m_formatProcessor)
        m_formatProcessor = std::make_unique<QVFormatProcessor>();
    m_formatProcessor->applyPreferences(m_defaults);
    m_formatProcessor->updateColorValuesWithColor(Color::sRGB(0, 0, 0, 1));
}

void AppDelegate::startupAppWindow()
{
    if (m_openFormatsAfterPick)
        m_windows.initOverlayWindow();
    if (m_statusMenu)
        m_statusMenu->initMenulet();
    registerShortcuts();
    // Otherwise the first pick makes the loupe's window, loads its font and waits for the
    // server to map the snapshot's memory before the loupe shows: twice the time of a pick.
    Scheduler::current().schedule(kPickerPreparationDelay, [this] { m_pickFlow.preparePicker(); });
    if (m_statusMenu)
        m_statusMenu->createMenuletItem();
    if (m_showWelcomeMessage) {
        if (m_statusMenu)
            m_statusMenu->attachWelcome();
        m_windows.showWelcome();
        return;
    }
    if (m_statusMenu)
        m_statusMenu->attachMenu();
    if (m_noPicks && !m_updater.updateInProgress())
        showOverlay(nullptr);
}

void AppDelegate::initWithCLIParams()
{
    const NJApplication* app = application();
    const Dictionary& params = app ? app->CLIParams() : commandline::settings();
    if (const std::string* name = params.get(settingskeys::kExportFormat.name).string()) {
        if (const auto format = m_repository.getExportFormatByName(*name)) {
            m_formats.setExportFormat(format);
            if (m_loupe) {
                m_loupe->setExportFormat(format);
                m_loupe->setDisplayFormat(QVDisplayFormatDefinition(format->dictionary()));
            }
        }
        m_formats.lockFormats();
    }
    if (!m_loupe)
        return;
    if (const Value zoom = params.get(settingskeys::kMagnificationValue.name); !zoom.isNil())
        m_loupe->setZoomFactor(static_cast<float>(zoom.doubleValue()));
    if (const Value capture = params.get(settingskeys::kCaptureValue.name); !capture.isNil())
        m_loupe->setCaptureValue(static_cast<float>(capture.doubleValue()));
}

void AppDelegate::terminateApplication()
{
    hidePickerAndRestoreFocus(false);
    m_pickFlow.recordPendingPick();
    m_windows.hideOverlayAndRestoreFocus(false);
    if (NJApplication* app = application())
        app->platform().powerEvents().setSleepHandler(nullptr);
    stopObservingDefaults();
    saveSettingsAtExit();
    terminate(kTerminatedStatus);
}

void AppDelegate::terminate(int status)
{
    if (m_terminationStatus)
        return;
    m_terminationStatus = status;
    if (m_terminate)
        m_terminate(status);
}

void AppDelegate::applicationWillTerminate()
{
    m_statusMenu.reset();
}

void AppDelegate::closeActiveWindow()
{
    if (AboutWindow* about = m_windows.aboutWindow(); about && about->isKeyWindow()) {
        about->close();
        return;
    }
    const bool closePreferences = m_windows.inPreferences() && !inPicking() && !isOverlayVisible();
    if (WelcomeWindow* welcome = m_windows.welcomeWindow())
        welcome->close();
    if (inPicking())
        hidePicker();
    if (isOverlayVisible())
        hideOverlay();
    if (closePreferences) {
        if (PreferencesWindow* preferences = m_windows.preferencesWindow())
            preferences->close();
    }
}

void AppDelegate::receiveSleepNote()
{
    m_focus.resetStolenActiveFocus();
    hidePickerAndRestoreFocus(false);
}

bool AppDelegate::preferencesVisible() const
{
    const PreferencesWindow* preferences = m_windows.preferencesWindow();
    return preferences && preferences->isVisible();
}

// Written to the settings whether or not the preferences window exists; its controls
// follow the settings.
void AppDelegate::writeLoupeValuesToPreferences(float capture, float zoom)
{
    m_settings.setAll(Dictionary{{settingskeys::kCaptureValue.name, Value::real(capture)},
                                 {settingskeys::kMagnificationValue.name, Value::real(zoom)}});
}

void AppDelegate::applicationDidChangeScreenParameters()
{
    if (isOverlayVisible())
        m_windows.overlayWindow()->center();
}

bool AppDelegate::isWindowKey() const
{
    return m_loupe && m_loupe->isWindowKey();
}

NJGestureResponder* AppDelegate::zoomView()
{
    return m_loupe ? m_loupe->gestureResponder() : nullptr;
}

bool AppDelegate::updaterMayCheckForUpdates() const
{
    return !m_firstRun && !m_windows.inWelcome();
}

bool AppDelegate::cancelShortcutRecording()
{
    PreferencesWindow* preferences = m_windows.preferencesWindow();
    if (m_windows.inPreferences() && preferences && preferences->isShortcutRecording()) {
        preferences->cancelShortcutRecording();
        return true;
    }
    if (WelcomeWindow* welcome = m_windows.welcomeWindow()) {
        welcome->cancelShortcutRecording();
        return true;
    }
    return false;
}

void AppDelegate::focusShortcut(const std::string& name)
{
    const bool overlay = name == AppHotKeys::kOverlayShortcutName;
    if (PreferencesWindow* preferences = m_windows.preferencesWindow(); preferences && m_windows.inPreferences()) {
        if (overlay)
            preferences->focusShortcutOverlay();
        else
            preferences->focusShortcutPicker();
    }
    if (WelcomeWindow* welcome = m_windows.welcomeWindow())
        welcome->focusShortcut(name);
}

void AppDelegate::initializeFromDefaults()
{
    MustacheConfiguration::defaultConfiguration().setContentType(MustacheContentTypeText);
    m_HiDPIActivateKeyMask = modifierflags::kControl;
    if (m_commandLineMode)
        return;
    const std::optional<std::vector<Value>> history = m_settings.array(settingskeys::kHistoryColors);
    m_noPicks = !history || history->empty();
    m_showWelcomeMessage = !m_settings.isStored(settingskeys::kShowWelcomeMessage);

    const Dictionary bundleDefaults = SettingsStore::readBundleDefaults();
    if (m_firstRun) {
        if (const Dictionary* codeStyle = bundleDefaults.get(settingskeys::kCodeStyle.name).dictionary())
            m_settings.set(settingskeys::kCodeStyle, Value(*codeStyle));
        if (m_appearance)
            m_settings.set(settingskeys::kUserInterface, Value(m_appearance->themeIsDark() ? userinterface::kDark : userinterface::kLight));
        m_defaults.synchronize();
    } else {
        mergeCodeStyle(bundleDefaults);
    }
    registerDefaults(bundleDefaults);
    defaultsChanged();
}

// Groups the user's style lacks come from the bundle; stored groups stay as they are.
// A stored style that is not a dictionary is left for the user, not replaced.
void AppDelegate::mergeCodeStyle(const Dictionary& bundleDefaults)
{
    const Dictionary* defaultStyle = bundleDefaults.get(settingskeys::kCodeStyle.name).dictionary();
    const std::optional<Dictionary> stored = m_settings.dictionary(settingskeys::kCodeStyle);
    if (!defaultStyle || !stored)
        return;
    const Dictionary merged = keypaths::dictionaryByMergingDictionary(*stored, *defaultStyle);
    if (!(merged == *stored))
        m_settings.set(settingskeys::kCodeStyle, Value(merged));
}

void AppDelegate::registerDefaults(const Dictionary& defaults)
{
    m_defaults.registerDefaults(defaults);
    if (!m_defaultsObserver)
        m_defaultsObserver = NotificationCenter::defaultCenter().addObserver(
            UserDefaults::kDidChangeNotification, [this](const NotificationCenter::Notification&) { defaultsChanged(); });
    if (!m_outsideDefaultsObserver)
        m_outsideDefaultsObserver = NotificationCenter::defaultCenter().addObserver(
            UserDefaults::kDidChangeOutsideNotification,
            [this](const NotificationCenter::Notification&) { defaultsChangedOutside(); });
}

void AppDelegate::stopObservingDefaults()
{
    for (std::optional<NotificationCenter::Token>* observer : {&m_defaultsObserver, &m_outsideDefaultsObserver}) {
        if (*observer)
            NotificationCenter::defaultCenter().removeObserver(**observer);
        observer->reset();
    }
}

void AppDelegate::defaultsChangedOutside()
{
    // Before start-up loaded the lists and loupe values, it reads them itself.
    if (!m_settingsLoaded)
        return;
    // Unsaved edits of the lists are newer than the file's lists: saved beside the rest
    // of the outside change, they are not dropped by the reload.
    if (m_unsavedListEdits > 0)
        saveSettings();
    loadSettings();
    if (OverlayWindow* overlay = m_windows.overlayWindow())
        overlay->initWithColors(m_colorLists.historyColors(), m_colorLists.favoriteColors());
    // The change observer took this change for the echo of a write of ours.
    if (m_saveDefaults || m_ignoreDefaultsChange) {
        const bool saving = std::exchange(m_saveDefaults, false);
        const bool ignoring = std::exchange(m_ignoreDefaultsChange, false);
        defaultsChanged();
        m_saveDefaults = saving;
        m_ignoreDefaultsChange = ignoring;
    }
}

void AppDelegate::defaultsChanged()
{
    if (m_saveDefaults || m_ignoreDefaultsChange)
        return;
    if (m_formatProcessor)
        m_formatProcessor->applyPreferences(m_defaults);
    if (m_windows.isOverlayVisible())
        m_windows.overlayWindow()->renderFormats();

    m_useNotification = m_settings.flag(settingskeys::kUseNotification);
    m_openFormatsAfterPick = m_settings.flag(settingskeys::kOpenFormatsAfterPick);

    m_formats.applyStoredFormats();
    if (m_formatProcessor && exportFormat())
        m_formatProcessor->updateFormatParameters(*exportFormat());

    const std::optional<long long> colorInfo = m_settings.integer(settingskeys::kColorInfo);
    if (m_loupe) {
        m_loupe->setSwitchedControls(m_settings.flag(settingskeys::kSwitchLensInputControls));
        if (colorInfo)
            m_loupe->setColorInfo(*colorInfo);
    }

    const long long mode = m_settings.integer(settingskeys::kActivateHighPrecisionMode).value_or(0);
    if (mode >= 0 && mode < static_cast<long long>(std::size(kHighPrecisionModifiers)))
        m_HiDPIActivateKeyMask = kHighPrecisionModifiers[mode];

    if (m_loupe) {
        m_loupe->setExportFormatProcessor(m_formatProcessor.get());
        if (!m_loupe->isDockedInPreferences())
            m_loupe->setPeekModeActive(willOpenOverlayAfterPick());
        m_loupe->setExportFormat(exportFormat());
        m_loupe->setDisplayFormat(displayFormat());
        m_loupe->refreshWhilePicking();
    }

    setInMenubar(m_settings.flag(settingskeys::kShowMenubarIcon));
    applyShortcut(settingskeys::kPickColorShortCut, StatusMenu::Entry::PickColor);
    applyShortcut(settingskeys::kColorsAndFormatsShortCut, StatusMenu::Entry::ColorsAndFormats);
    updateRecentMenuItems();

    if (m_appearance && m_appearance->darkMode() != m_appearance->themeIsDark())
        m_appearance->themeChanged();
}

void AppDelegate::applyShortcut(const SettingsKey& key, StatusMenu::Entry entry)
{
    if (!m_statusMenu)
        return;
    if (const auto archived = m_settings.data(key))
        m_statusMenu->setShortcut(entry, *archived);
}

void AppDelegate::setInMenubar(bool shown)
{
    if (shown == m_inMenubar)
        return;
    m_inMenubar = shown;
    if (m_statusMenu)
        m_statusMenu->refreshStatusImage();
}

void AppDelegate::loadSettings()
{
    if (m_commandLineMode)
        return;
    m_settingsLoading = true;
    setInMenubar(m_settings.flag(settingskeys::kShowMenubarIcon));

    const auto history = m_settings.array(settingskeys::kHistoryColors);
    m_colorLists.loadHistoryColors(ColorLists::colorsFromHexStrings(history.value_or(std::vector<Value>{}),
        ColorLists::kHistoryLimit, settingskeys::kHistoryColors.name));
    const auto favorites = m_settings.array(settingskeys::kFavoriteColors);
    m_colorLists.setFavoriteColors(ColorLists::colorsFromHexStrings(favorites.value_or(std::vector<Value>{}),
        ColorLists::kFavoritesLimit, settingskeys::kFavoriteColors.name));

    if (m_loupe) {
        m_loupe->setCaptureValue(m_loupe->constraintedCapture(m_settings.real(settingskeys::kCaptureValue).value_or(0)));
        const double zoom = m_loupe->constraintedZoomFactor(m_settings.real(settingskeys::kMagnificationValue).value_or(0));
        m_loupe->setZoomFactor(std::max(kMinimumLoadedZoomFactor, zoom));
        if (const auto colorInfo = m_settings.integer(settingskeys::kColorInfo))
            m_loupe->setColorInfo(*colorInfo);
        m_loupeLoaded = true;
    }
    updateRecentMenuItems();

    m_stealFocusFromActiveApps = m_settings.strings(settingskeys::kStealFocusFromActiveApps).value_or(std::vector<std::string>{});
    if (const auto custom = m_settings.strings(settingskeys::kStealFocusFromActiveAppsCustom))
        m_stealFocusFromActiveApps.insert(m_stealFocusFromActiveApps.end(), custom->begin(), custom->end());

    std::vector<std::string> noColorManagement = m_settings.strings(settingskeys::kNoColorManagementApps).value_or(std::vector<std::string>{});
    if (const auto custom = m_settings.strings(settingskeys::kNoColorManagementAppsCustom))
        noColorManagement.insert(noColorManagement.end(), custom->begin(), custom->end());
    m_noColorManagementApps = ColorManagementExceptions(noColorManagement);

    m_settingsLoaded = true;
    m_settingsLoading = false;
}

void AppDelegate::saveSettings()
{
    writeSettings(nullptr);
}

void AppDelegate::saveSettingsAtExit()
{
    const std::size_t picks = m_colorLists.unsavedPickCount();
    const std::size_t edits = m_unsavedListEdits;
    Error error;
    // With nothing picked or edited, the line of the failure to read or save says enough.
    if (!writeSettings(&error) && (picks > 0 || edits > 0))
        logging::log(strings::format(kUnsavedAtExitLog, {Value(error.message),
            Value(counted(picks, kPickedColour, kPickedColours)),
            Value(counted(edits, kListEdit, kListEdits))}));
}

bool AppDelegate::writeSettings(Error* error)
{
    if (m_commandLineMode || !m_settingsLoaded)
        return true;
    const std::size_t listEdits = std::exchange(m_unsavedListEdits, 0);
    Dictionary values{
        {settingskeys::kHistoryColors.name, ColorLists::hexStrings(m_colorLists.historyColors())},
        {settingskeys::kFavoriteColors.name, ColorLists::hexStrings(m_colorLists.favoriteColors())},
    };
    // Without a loaded loupe there are no loupe values to keep: the stored ones stay.
    if (m_loupe && m_loupeLoaded) {
        values.set(settingskeys::kCaptureValue.name, Value::real(m_loupe->captureValue()));
        values.set(settingskeys::kMagnificationValue.name, Value::real(m_loupe->zoomFactor()));
        values.set(settingskeys::kColorInfo.name, Value::integer(m_loupe->colorInfo()));
    }
    values.set(settingskeys::kShowMenubarIcon.name, Value::boolean(m_inMenubar));
    m_saveDefaults = true;
    const bool saved = m_settings.setAll(values, error);
    m_saveDefaults = false;
    // Until the file holds them, the lists in memory are what an outside change must not drop.
    if (saved)
        m_colorLists.historySaved();
    else
        m_unsavedListEdits += listEdits;
    return saved;
}

void AppDelegate::validateSettings()
{
    m_formats.validateSettings();
}

void AppDelegate::updateRecentMenuItems()
{
    const long long count = std::clamp(m_settings.integer(settingskeys::kRecentMenuItems).value_or(0),
                                       -kRecentMenuItemsLimit, kRecentMenuItemsLimit);
    m_maximumHistoryMenuItems = std::llabs(count);
    m_maximumFavoriteMenuItems = m_maximumHistoryMenuItems;
    m_showHistoryMenuItems = count >= 0;
}

void AppDelegate::updateCurrentColorInfo(long long mode)
{
    m_settings.set(settingskeys::kColorInfo, Value::integer(mode));
}

void AppDelegate::setHistoryColors(std::vector<Color> colors)
{
    m_colorLists.setHistoryColors(std::move(colors));
    ++m_unsavedListEdits;
}

void AppDelegate::setFavoriteColors(std::vector<Color> colors)
{
    m_colorLists.setFavoriteColors(std::move(colors));
    ++m_unsavedListEdits;
}

void AppDelegate::addColor(const Color& color)
{
    // The lists are saved right after: an outside edit the watcher has not read in yet
    // must be the history the colour joins, not be overwritten by it.
    m_defaults.readOutsideChanges();
    if (!m_colorLists.addColor(color))
        return;
    if (OverlayWindow* overlay = m_windows.overlayWindow())
        overlay->setHistoryColors(m_colorLists.historyColors());
}

void AppDelegate::chooseNextFormat()
{
    if (willOpenOverlayAfterPick())
        m_formats.chooseNextDisplayFormat();
    else
        m_formats.chooseNextExportFormat();
}

void AppDelegate::choosePrevFormat()
{
    if (willOpenOverlayAfterPick())
        m_formats.choosePrevDisplayFormat();
    else
        m_formats.choosePrevExportFormat();
}

bool AppDelegate::isApplicationInstalled(const std::string& bundleIdentifier)
{
    return m_scriptRunner->isAvailable() && m_scriptRunner->isApplicationInstalled(bundleIdentifier);
}

void AppDelegate::exportColor(const std::optional<Color>& color, const QVFormatDefinition& format)
{
    if (!color)
        return;
    m_formats.updateCurrentExportFormat(format);
    const std::optional<std::string> text =
        m_exporter.exportColor(m_formatProcessor.get(), *m_scriptRunner, *color, format, m_commandLineMode);
    if (!text || m_commandLineMode)
        return;
    ExportBanner* banner = m_windows.banner();
    showNotification(*text, ColorExporter::bannerImage(*color, banner ? banner->imageSize() : QSize()));
}

void AppDelegate::copyStringToClipboard(const std::string& text, const std::optional<Color>& color)
{
    ColorExporter::copyStringToClipboard(text, color);
}

bool AppDelegate::executeOSAScript(const std::string& source) const
{
    return ColorExporter::executeOSAScript(*m_scriptRunner, source);
}

bool AppDelegate::willOpenOverlayAfterPick(unsigned long modifierFlags) const
{
    if (m_commandLineMode)
        return false;
    return m_openFormatsAfterPick != ((modifierFlags & modifierflags::kOption) != 0);
}

unsigned long AppDelegate::currentModifierFlags() const
{
    const NJApplication* app = NJApplication::sharedApplication();
    return app ? app->currentModifierFlags(QGuiApplication::queryKeyboardModifiers()) : 0;
}

bool AppDelegate::willOpenOverlayAfterPick() const
{
    return willOpenOverlayAfterPick(currentModifierFlags());
}
