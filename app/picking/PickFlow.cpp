#include "PickFlow.h"

#include "app/AppDelegate.h"
#include "app/statusmenu/AppIcons.h"
#include "app/banner/ExportBanner.h"
#include "app/picking/LoupeView.h"
#include "foundation/Log.h"
#include "foundation/Scheduler.h"
#include "foundation/UserDefaults.h"
#include "platform/Cursor.h"
#include "platform/ScreenCapture.h"
#include "platform/Workspace.h"
#include "uikit/application/NJApplication.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

#include <algorithm>

namespace {

constexpr double kSnapShotValue = 1.2;
constexpr double kSnapShotDuration = 0.19;
constexpr const char* kSnapShotEasing = "linear";
constexpr double kCheckHiDPIModeDelay = 0.125;
constexpr double kSecondCursorShowDelay = 0.2;
constexpr const char* kPointerOnAnotherScreenLog =
    "The pointer is on another X screen of the display, whose pixels cannot be picked: no loupe there";

NJApplication* application()
{
    NJApplication* app = NJApplication::sharedApplication();
    return app && app->hasPlatform() ? app : nullptr;
}

// The loupe shows and picks the pixels of our own X screen only.
bool pointerOnAnotherScreen()
{
    NJApplication* app = application();
    if (!app || app->platform().cursor().isOnOurScreen())
        return false;
    logging::log(kPointerOnAnotherScreenLog);
    return true;
}

} // namespace

PickFlow::PickFlow(AppDelegate& delegate)
    : m_delegate(delegate)
{
}

void PickFlow::showPicker(const void* sender)
{
    m_delegate.focus().setIgnoreFlagSwitchUntilRelease(sender == nullptr);
    m_delegate.windows().hideOverlayAndRestoreFocus(false);
    LoupeView* loupe = m_delegate.loupe();
    if (loupe)
        loupe->resetHiDPIZoom();
    if (m_inPicking || !loupe)
        return;
    if (pointerOnAnotherScreen()) {
        // As a pick ended without a colour.
        if (m_delegate.isCommandLineMode())
            m_delegate.terminate(ColorExporter::kNothingPrintedStatus);
        return;
    }
    m_delegate.windows().cancelNotification();
    m_delegate.cancelShortcutRecording();
    loupe->unDockWindow();

    NJApplication* app = application();
    loupe->registerMouseListener();
    AppDelegate* delegate = &m_delegate;
    if (app) {
        app->platform().workspace().setDesktopSwitchHandler([delegate] { delegate->focus().spaceSwitch(); });
        app->enableGestureListening();
        app->enableFlagSwitchListening();
    }
    m_inPicking = true;
    loupe->moveLoupeToCurrentMousePosition();
    loupe->assignLayers();
    loupe->refreshLoupe();

    loupe->setPeekModeActive(!m_delegate.isCommandLineMode() && m_delegate.openFormatsAfterPick());
    loupe->redrawAll();
    loupe->startRubberPull();

    loupe->showWindow();
    m_delegate.focus().stealFocusFromActiveApp();
    if (app)
        app->hideGCursor();

    Scheduler::current().post([] {
        if (NJApplication* app = application())
            app->forceCursorHide();
    });
    loupe->refreshLoupe();
    Scheduler::current().schedule(kCheckHiDPIModeDelay, [delegate] {
        if (LoupeView* loupe = delegate->loupe(); loupe && delegate->inPicking())
            loupe->checkHiDPIMode();
    });
}

void PickFlow::preparePicker()
{
    LoupeView* loupe = m_delegate.loupe();
    if (m_inPicking || !loupe)
        return;
    loupe->moveLoupeToCurrentMousePosition();
    // With the formats in place, the drawing lays out the texts the picker will show.
    loupe->refreshLoupe();
    loupe->redrawAll();
    if (NJApplication* app = application())
        app->platform().screenCapture().prepare();
}

void PickFlow::hidePicker()
{
    hidePickerAndRestoreFocus(!m_delegate.willOpenOverlayAfterPick());
}

void PickFlow::hidePickerAndRestoreFocus(bool restoreFocus)
{
    if (!m_inPicking)
        return;
    m_inPicking = false;
    LoupeView* loupe = m_delegate.loupe();
    if (loupe)
        loupe->setMouseFollow(false);
    if (NJApplication* app = application()) {
        app->platform().workspace().setDesktopSwitchHandler(nullptr);
        app->disableGestureListening();
        app->disableFlagSwitchListening();
    }
    if (loupe) {
        loupe->unregisterMouseListener();
        loupe->stopRubberPull();
        loupe->releaseLayers();
        loupe->orderOut();
    }
    if (NJApplication* app = application()) {
        app->forceCursorShow();
        Scheduler::current().schedule(kSecondCursorShowDelay, [] {
            if (NJApplication* app = application())
                app->forceCursorShow();
        });
    }
    if (loupe)
        loupe->resetHiDPIZoom();
    if (m_delegate.isCommandLineMode()) {
        m_delegate.terminate(ColorExporter::kNothingPrintedStatus);
    } else {
        if (loupe)
            loupe->loupeChanged();
        m_delegate.settings().defaults().synchronize();
    }
    if (loupe)
        loupe->setCapturedImageNone();
    if (restoreFocus)
        m_delegate.focus().restoreStolenActiveFocus();
}

void PickFlow::doPick()
{
    LoupeView* loupe = m_delegate.loupe();
    if (!m_inPicking || m_pickRunning || !loupe)
        return;
    if (pointerOnAnotherScreen()) {
        hidePicker();
        return;
    }
    m_pickRunning = true;
    loupe->setMouseFollow(false);
    const bool openOverlay = m_delegate.willOpenOverlayAfterPick();
    const std::optional<Color> color = loupe->selectedColor();
    if (!m_delegate.isCommandLineMode())
        m_unrecordedColor = color;
    showSnapShotAnimation([this, color, openOverlay] {
        m_pickRunning = false;
        pickCompleted(color, openOverlay);
    });
}

void PickFlow::showSnapShotAnimation(std::function<void()> completion)
{
    LoupeView* loupe = m_delegate.loupe();
    if (!loupe) {
        completion();
        return;
    }
    loupe->setSnapShotTarget(0.0);
    // Runs once, whether the flash ends or is cut short.
    auto once = std::make_shared<std::function<void()>>(std::move(completion));
    AppDelegate* delegate = &m_delegate;
    const auto done = [once, delegate] {
        if (*once) {
            auto run = std::move(*once);
            *once = nullptr;
            run();
        }
        if (LoupeView* loupe = delegate->loupe())
            loupe->setSnapShotTarget(0.0);
    };
    loupe->snapShotTo(kSnapShotValue, kSnapShotDuration, kSnapShotEasing, AnimationCallbacks{done, done});
}

void PickFlow::pickCompleted(const std::optional<Color>& color, bool openOverlay)
{
    if (m_delegate.isCommandLineMode()) {
        if (const auto format = m_delegate.exportFormat())
            m_delegate.exportColor(color, *format);
        // Without a colour or a format nothing was printed: the run ends without one.
        if (!color || !m_delegate.exportFormat())
            m_delegate.terminate(ColorExporter::kNothingPrintedStatus);
        hidePickerAndRestoreFocus(false);
        return;
    }
    hidePicker();
    if (!color) {
        logging::log(kNoColorAvailable);
        return;
    }
    AppDelegate* delegate = &m_delegate;
    const Color picked = *color;
    Scheduler::current().post([this, delegate, picked, openOverlay] {
        if (!m_unrecordedColor)
            return;
        m_unrecordedColor.reset();
        if (openOverlay) {
            Scheduler::current().post([delegate] { delegate->windows().showOverlay(delegate); });
        } else if (const auto format = delegate->exportFormat()) {
            delegate->exportColor(picked, *format);
        }
        delegate->addColor(picked);
        delegate->saveSettings();
    });
}

void PickFlow::recordPendingPick()
{
    if (!m_unrecordedColor)
        return;
    m_delegate.addColor(*m_unrecordedColor);
    m_unrecordedColor.reset();
}

void PickFlow::copyLoupeImageToClipboard(std::function<void()> completion)
{
    LoupeView* loupe = m_delegate.loupe();
    if (loupe && QGuiApplication::instance()) {
        const QImage lens = loupe->lensImage();
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->clear();
        clipboard->setImage(lens);
    }
    if (!m_inPicking) {
        if (completion)
            completion();
        return;
    }
    AppDelegate* delegate = &m_delegate;
    showSnapShotAnimation([delegate, completion] {
        ExportBanner* banner = delegate->windows().banner();
        const QSize size = banner ? banner->imageSize() : QSize();
        delegate->windows().showNotification(kImageCopied, AppIcons::loupeImage(std::min(size.width(), size.height())));
        if (completion)
            completion();
    });
}
