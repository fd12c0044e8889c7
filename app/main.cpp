#include "app/AppDelegate.h"
#include "app/launch/ApplicationMain.h"
#include "app/launch/ProcessEntry.h"
#include "app/launch/StandardStreams.h"
#include "formats/QVFormatRepository.h"
#include "foundation/Bundle.h"
#include "foundation/UserDefaults.h"
#include "overlay/QVOverlayWindowController.h"
#include "windows/AboutWindowController.h"
#include "windows/PreferencesWindowController.h"
#include "windows/WelcomeWindowController.h"

#include <iostream>
#include <memory>

int main(int argc, char** argv)
{
    standardstreams::reserve();
    const auto addFactories = [](AppDelegate& delegate, WindowFactories& factories) {
        factories.overlay = [&delegate] {
            return std::make_shared<QVOverlayWindowController>(delegate, QVFormatRepository::sharedRepository());
        };
        factories.preferences = [&delegate] {
            return PreferencesWindowController::make(delegate, UserDefaults::standard());
        };
        factories.welcome = [&delegate] {
            return std::make_unique<WelcomeWindowController>(UserDefaults::standard(),
                                                             [&delegate] { delegate.closeWelcome(); });
        };
        factories.about = [] {
            return std::make_unique<AboutWindowController>(QString::fromStdString(Bundle::main().version()));
        };
    };
    ProcessEntry entry(
        [] { return QVFormatRepository::allExportFormats(UserDefaults::standard()); },
        [addFactories](int argc, char** argv) { return applicationMain(argc, argv, addFactories); }, std::cout);
    return entry.run(argc, argv);
}
