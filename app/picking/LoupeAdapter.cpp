#include "LoupeAdapter.h"

#include "loupe/NJZoomView.h"
#include "loupe/QVHoverMode.h"
#include "loupe/QVLensBase.h"
#include "loupe/QVLensLayerStack.h"
#include "loupe/QVLensWindow.h"
#include "loupe/QVLoupeController.h"
#include "loupe/QVLoupeDocking.h"
#include "loupe/QVLoupeHost.h"
#include "loupe/QVMouseFollower.h"
#include "uikit/animation/NJAnimationGroup.h"

#include <QImage>

namespace {

// Scripts and tests find the loupe by its title.
constexpr const char* kWindowTitle = "Vendrel loupe";

} // namespace

LoupeAdapter::LoupeAdapter(QVLoupeHost& host, Platform& platform, QVFormatProcessor* exportFormatProcessor)
    : m_loupe(std::make_unique<QVLoupeController>(host, platform))
{
    m_loupe->initZoomView(exportFormatProcessor);
    m_loupe->window().setWindowTitle(kWindowTitle);
}

LoupeAdapter::~LoupeAdapter() = default;

double LoupeAdapter::constraintedCapture(double capture) const
{
    return m_loupe->zoomView().constraintedCapture(capture);
}

double LoupeAdapter::constraintedZoomFactor(double zoomFactor) const
{
    return m_loupe->zoomView().constraintedZoomFactor(zoomFactor);
}

double LoupeAdapter::captureValue() const
{
    return m_loupe->zoomView().captureValue();
}

void LoupeAdapter::setCaptureValue(double capture)
{
    m_loupe->zoomView().setCaptureValue(capture);
}

double LoupeAdapter::zoomFactor() const
{
    return m_loupe->zoomView().zoomFactor();
}

void LoupeAdapter::setZoomFactor(double zoomFactor)
{
    m_loupe->zoomView().setZoomFactor(zoomFactor);
}

void LoupeAdapter::setSwitchedControls(bool switched)
{
    m_loupe->zoomView().setSwitchedControls(switched);
}

long long LoupeAdapter::colorInfo() const
{
    return m_loupe->hover().colorInfo();
}

void LoupeAdapter::setColorInfo(long long mode)
{
    m_loupe->hover().setColorInfo(mode);
}

void LoupeAdapter::setExportFormatProcessor(QVFormatProcessor* processor)
{
    if (QVLensBase* renderer = m_loupe->renderer())
        renderer->setExportFormatProcessor(processor);
}

bool LoupeAdapter::isDockedInPreferences() const
{
    return m_loupe->docking().isWindowDocked();
}

void LoupeAdapter::setPeekModeActive(bool peek)
{
    if (QVLensBase* renderer = m_loupe->renderer())
        renderer->setPeekModeActive(peek);
}

void LoupeAdapter::setExportFormat(const std::optional<QVFormatDefinition>& format)
{
    if (QVLensBase* renderer = m_loupe->renderer())
        renderer->setExportFormat(format);
}

void LoupeAdapter::setDisplayFormat(const std::optional<QVDisplayFormatDefinition>& format)
{
    if (QVLensBase* renderer = m_loupe->renderer())
        renderer->setDisplayFormat(format);
}

void LoupeAdapter::refreshWhilePicking()
{
    if (!m_loupe->host().inPicking())
        return;
    m_loupe->zoomView().assignLayers();
    redrawAll();
}

void LoupeAdapter::showWindow()
{
    m_loupe->showWindow(true);
}

void LoupeAdapter::orderOut()
{
    m_loupe->orderOut();
}

void LoupeAdapter::makeWindowKey()
{
    m_loupe->window().takeKeyboard();
}

bool LoupeAdapter::isWindowKey() const
{
    return m_loupe->window().isActiveWindow();
}

QPointF LoupeAdapter::setLoupeCenter(const QPointF& globalPoint)
{
    return m_loupe->setLoupeCenter(globalPoint);
}

QPointF LoupeAdapter::lastCenter() const
{
    return m_loupe->lastCenter();
}

void LoupeAdapter::refreshLoupe()
{
    m_loupe->refreshLoupe();
}

void LoupeAdapter::redrawAll()
{
    m_loupe->redrawAll();
}

void LoupeAdapter::setCapturedImageNone()
{
    m_loupe->zoomView().setCapturedImg(QImage());
}

std::optional<Color> LoupeAdapter::colorAt(const QPointF& topLeftPoint) const
{
    return m_loupe->colorAt(topLeftPoint);
}

std::optional<Color> LoupeAdapter::selectedColor() const
{
    // The renderer holds the colour as it showed it; before it drew one, the centre
    // pixel of the capture is the pick.
    if (QVLensBase* renderer = m_loupe->renderer(); renderer && renderer->selectedColor())
        return renderer->selectedColor();
    return m_loupe->zoomView().centerColor();
}

QImage LoupeAdapter::lensImage()
{
    return m_loupe->lensImage();
}

void LoupeAdapter::assignLayers()
{
    m_loupe->zoomView().assignLayers();
}

void LoupeAdapter::releaseLayers()
{
    m_loupe->zoomView().releaseLayers();
}

void LoupeAdapter::startRubberPull()
{
    m_loupe->zoomView().startRubberPull();
}

void LoupeAdapter::stopRubberPull()
{
    m_loupe->zoomView().stopRubberPull();
}

void LoupeAdapter::setSnapShotTarget(double value)
{
    m_loupe->zoomView().setSnapShotTarget(static_cast<float>(value));
}

void LoupeAdapter::snapShotTo(double value, double duration, const EasingName& easing,
                              const AnimationCallbacks& callbacks)
{
    m_loupe->zoomView().snapShotTo(value, duration, easing, callbacks);
}

NJGestureResponder* LoupeAdapter::gestureResponder()
{
    return &m_loupe->zoomView();
}

void LoupeAdapter::registerMouseListener()
{
    m_loupe->mouse().registerMouseListener();
}

void LoupeAdapter::unregisterMouseListener()
{
    m_loupe->mouse().unregisterMouseListener();
}

void LoupeAdapter::moveLoupeToCurrentMousePosition()
{
    m_loupe->mouse().moveLoupeToCurrentMousePosition();
}

void LoupeAdapter::setMouseFollow(bool follow)
{
    m_loupe->mouse().setMouseFollow(follow);
}

void LoupeAdapter::activateHiDPIMode(int mask)
{
    m_loupe->activateHiDPIMode(mask);
}

void LoupeAdapter::deactivateHiDPIMode(int mask)
{
    m_loupe->deactivateHiDPIMode(mask);
}

void LoupeAdapter::resetHiDPIZoom()
{
    m_loupe->resetHiDPIZoom();
}

void LoupeAdapter::checkHiDPIMode()
{
    m_loupe->checkHiDPIMode();
}

void LoupeAdapter::activateHoverMode()
{
    m_loupe->hover().activateHoverMode();
}

void LoupeAdapter::deactivateHoverMode()
{
    m_loupe->hover().deactivateHoverMode();
}

void LoupeAdapter::loupeChanged()
{
    m_loupe->loupeChanged(false);
}

void LoupeAdapter::dockToWindow(QWidget* window)
{
    m_loupe->docking().dockToWindow(window);
}

void LoupeAdapter::unDockWindow()
{
    m_loupe->docking().unDockWindow();
}

double LoupeAdapter::previewOpacity() const
{
    return NJAnimationGroup::widgetOpacity(&m_loupe->zoomView());
}

void LoupeAdapter::setPreviewOpacity(double opacity)
{
    NJAnimationGroup::setWidgetOpacity(&m_loupe->zoomView(), opacity);
}

void LoupeAdapter::fadePreview(double opacity, double duration, std::function<void()> completion)
{
    NJAnimationGroup(duration).opacity(&m_loupe->zoomView(), opacity).completion(std::move(completion)).start();
}

double LoupeAdapter::maxDiameterValue() const
{
    return m_loupe->zoomView().maxDiameterValue();
}

void LoupeAdapter::initializeAppearance()
{
    m_loupe->zoomView().initializeAppearance();
}
