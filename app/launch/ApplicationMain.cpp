#include "ApplicationMain.h"

#include "app/AppDelegate.h"
#include "app/windows/ApplicationAppearance.h"
#include "app/picking/LoupeAdapter.h"
#include "app/banner/NJNotification.h"
#include "app/settings/SettingsFileWatcher.h"
#include "app/statusmenu/StatusMenuController.h"
#include "app/launch/InstanceLock.h"
#include "app/launch/QtOptions.h"
#include "app/launch/StartUpWarmUp.h"
#include "app/launch/TerminationSignals.h"
#include "formats/QVFormatRepository.h"
#include "foundation/CommandLineState.h"
#include "foundation/Scheduler.h"
#include "foundation/UserDefaults.h"
#include "platform/Platform.h"
#include "uikit/application/NJApplication.h"
#include "uikit/application/QtScheduler.h"

#include <QCoreApplication>
#include <QSystemTrayIcon>
#include <QThreadPool>

#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>

namespace {

constexpr const char* kApplicationName = "vendrel";
constexpr const char* kQtPlatformVariable = "QT_QPA_PLATFORM";
constexpr const char* kXcb = "xcb";
constexpr int kNoDisplayStatus = 1;
constexpr int kAlreadyRunningStatus = 1;

// The program runs on an X11 display only; without one it says so and ends. Qt's
// -platform and -display options come before the environment, as in Qt itself.
bool checkDisplay(int argc, char** argv)
{
    const QtOptions qtOptions(argc, argv);
    const std::string requested = qtOptions.value("platform").value_or(qgetenv(kQtPlatformVariable).toStdString());
    // "xcb:option=value" names the platform before the colon.
    if (!requested.empty() && requested.substr(0, requested.find(':')) != kXcb) {
        std::cerr << "vendrel: needs an X11 display; the Qt platform \"" << requested << "\" is not one\n";
        return false;
    }
    // Every connection of the program, and its helpers, then goes to the server Qt uses.
    if (const std::optional<std::string> display = qtOptions.value("display"))
        qputenv("DISPLAY", QByteArray::fromStdString(*display));
    if (!Platform::isDisplayReachable()) {
        const QByteArray display = qgetenv("DISPLAY");
        if (display.isEmpty())
            std::cerr << "vendrel: needs an X11 display, and DISPLAY is not set\n";
        else
            std::cerr << "vendrel: cannot open the X11 display \"" << display.constData() << "\"\n";
        return false;
    }
    qputenv(kQtPlatformVariable, kXcb);
    return true;
}

} // namespace

int applicationMain(int argc, char** argv, const WindowFactoryHook& addFactories)
{
    if (!checkDisplay(argc, argv))
        return kNoDisplayStatus;
    // One X11 pixel is one point.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QCoreApplication::setApplicationName(kApplicationName);
    // Command-line mode never writes the settings, so it runs beside the program.
    std::optional<InstanceLock> instanceLock;
    if (!commandline::isCLIMode()) {
        const std::filesystem::path folder = UserDefaults::defaultFilePath().parent_path();
        if (instanceLock.emplace(folder).isHeldElsewhere()) {
            std::cerr << "vendrel: Vendrel is already running with the settings in " << folder.string() << "\n";
            return kAlreadyRunningStatus;
        }
    }

    StartUpWarmUp warmUp;
    NJApplication app(argc, argv);
    if (!app.hasPlatform()) {
        std::cerr << "vendrel: the X11 display does not answer\n";
        return kNoDisplayStatus;
    }
    // A program of the status area: closing a window never ends it.
    app.setQuitOnLastWindowClosed(false);
    // Qt's raster engine hands every fill taller than 96 rows to the global thread pool,
    // one task per 64 rows, and waits for them. For the loupe's small layers, redrawn at
    // every frame of a pick, waking eight threads costs more than the fills: one does.
    QThreadPool::globalInstance()->setMaxThreadCount(1);

    // Installed before anything can schedule; it outlives everything below, which may
    // still cancel its timers as it ends, and uninstalls itself last.
    QtScheduler scheduler;
    Scheduler::setCurrent(&scheduler);
    UserDefaults& defaults = UserDefaults::standard();
    app.setUserDefaults(&defaults);

    const bool commandLineMode = commandline::isCLIMode();
    AppDelegate delegate(defaults, QVFormatRepository::sharedRepository(), commandLineMode, std::cout,
                         [](int status) { QCoreApplication::exit(status); });
    delegate.setAppearance(std::make_shared<ApplicationAppearance>(app));
    WindowFactories factories;
    factories.loupe = [&delegate, &app] {
        return std::make_shared<LoupeAdapter>(delegate, app.platform(), delegate.formatProcessor());
    };
    // Command-line mode has no status item, no menu and no hot keys.
    std::shared_ptr<StatusMenuController> statusMenu;
    if (!commandLineMode) {
        statusMenu = std::make_shared<StatusMenuController>(delegate);
        delegate.setStatusMenu(statusMenu);
    }
    factories.banner = [&delegate, &app, statusItem = std::weak_ptr(statusMenu)] {
        return std::make_shared<NJNotification>(
            [statusItem] {
                const auto menu = statusItem.lock();
                return menu && menu->statusItem() ? menu->statusItem()->geometry() : QRect();
            },
            [&delegate] { delegate.showOverlay(nullptr); }, [&app] { return app.darkMode(); });
    };
    if (addFactories)
        addFactories(delegate, factories);
    delegate.setWindowFactories(std::move(factories));
    app.setDelegate(&delegate);
    TerminationSignals terminationSignals([&delegate] { delegate.terminateApplication(); });

    warmUp.wait();
    delegate.applicationDidFinishLaunching();
    // Outside edits of the settings reach the running program; start-up has made their folder.
    std::unique_ptr<SettingsFileWatcher> settingsWatcher;
    if (!commandLineMode)
        settingsWatcher = std::make_unique<SettingsFileWatcher>(defaults);
    // A run that ended while it was launching never enters the event loop.
    const int status = delegate.terminationStatus() ? *delegate.terminationStatus() : app.exec();
    delegate.applicationWillTerminate();
    app.setDelegate(nullptr);
    return delegate.terminationStatus().value_or(status);
}
