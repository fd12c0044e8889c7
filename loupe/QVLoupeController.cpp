#include "loupe/QVLoupeController.h"

#include "loupe/NJZoomView.h"
#include "loupe/QVHoverMode.h"
#include "loupe/LensLayer.h"
#include "loupe/QVLensBase.h"
#include "loupe/QVLensLayerStack.h"
#include "loupe/QVLensUIInfoRenderer.h"
#include "loupe/QVLensWindow.h"
#include "loupe/QVLoupeDocking.h"
#include "loupe/QVLoupeHost.h"
#include "loupe/QVLoupeKeys.h"
#include "loupe/QVMouseFollower.h"

#include "foundation/Scheduler.h"
#include "formats/color/BgraImage.h"
#include "platform/Cursor.h"
#include "platform/ModifierFlags.h"
#include "platform/Platform.h"
#include "platform/ScreenCapture.h"
#include "uikit/windows/CustomWindow.h"
#include "uikit/application/NJApplication.h"

#include <QPainterPath>
#include <QPointer>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kMinZoomFactor = 2.0;
constexpr double kMaxZoomFactor = 15.0;
constexpr double kMinCaptureValue = 21.0;
// The lens and its rim never reach the window's edge.
constexpr int kViewDiameterMargin = 25;
constexpr double kMinRubberPixels = 10.0;
constexpr double kMaxRubberPixels = 24.0;
constexpr double kStartCaptureValue = 24.0;
constexpr double kStartZoomFactor = 8.0;
constexpr double kStartDiameterValue = 184.0;
// colorAt reads a pixel from a square this wide around the point.
constexpr double kColorAtCapture = 3.0;

// Rounds half away from zero in single precision.
double roundSingle(double value)
{
    return std::round(static_cast<float>(value));
}

// The side, in points, of the square captured for `capture` device pixels: even, and
// a little larger than the capture.
double captureSide(double capture, double scale)
{
    return std::trunc(std::ceil(capture / scale) * 0.5) * 2 + 2;
}

QRect captureRect(const QPointF& topLeftPoint, double side, double scale)
{
    const double x = std::trunc(topLeftPoint.x() - side / 2);
    const double y = std::trunc(topLeftPoint.y() - side / 2);
    const int pixels = static_cast<int>(side * scale);
    return {static_cast<int>(x * scale), static_cast<int>(y * scale), pixels, pixels};
}

} // namespace

QVLoupeController::QVLoupeController(QVLoupeHost& host, Platform& platform)
    : m_host(host)
    , m_platform(platform)
    , m_window(std::make_unique<QVLensWindow>())
    , m_lastCapturePoint(-std::numeric_limits<double>::infinity(), 0)
{
    m_mouse = std::make_unique<QVMouseFollower>(*this);
    m_hover = std::make_unique<QVHoverMode>(*this);
    m_docking = std::make_unique<QVLoupeDocking>(*this);
    m_keys = std::make_unique<QVLoupeKeys>(*this);
    m_window->setKeyHandler([this](int virtualKeyCode, int qtKey, unsigned long flags, const QString& text) {
        m_keys->keyDown(virtualKeyCode, qtKey, flags, text);
    });
    m_window->setMouseHandler(
        [this](QVLensWindow::MouseEventType type, unsigned long flags) { m_mouse->windowMouseEvent(type, flags); });
    // A picker no key reaches, not even Escape, is closed as Escape would.
    QObject::connect(m_window.get(), &QVLensWindow::keyboardUnreachable, m_window.get(),
                     [this] { m_host.hidePicker(); });
    m_attributesObserver = NotificationCenter::defaultCenter().addObserver(
        QVLensBase::kAttributesChangedNotification, [this](const NotificationCenter::Notification&) {
            // Zoom steps, the wheel and gestures change the lens size too: the shape follows.
            updateWindowShape();
            loupeChanged(true);
        });
    QObject::connect(m_window.get(), &QVLensWindow::pointerGrabRefused, m_window.get(),
                     [this] { m_mouse->setAwaitingPointer(true); });
    QObject::connect(m_window.get(), &QVLensWindow::pointerGrabTaken, m_window.get(), [this] {
        m_mouse->setAwaitingPointer(false);
        m_mouse->catchUpWithPointer();
    });
    QObject::connect(m_window.get(), &CustomWindow::compositingChanged, m_window.get(), [this] {
        if (!m_zoomView)
            return;
        updateWindowShape();
        m_zoomView->setNeedsDisplay(true);
    });
}

QVLoupeController::~QVLoupeController()
{
    if (m_attributesObserver)
        NotificationCenter::defaultCenter().removeObserver(*m_attributesObserver);
    if (m_platform.screenCapture().sessionActive())
        m_platform.screenCapture().endSession();
}

QVLensBase* QVLoupeController::renderer() const
{
    return m_zoomView ? m_zoomView->renderer() : nullptr;
}

QVLensLayerStack* QVLoupeController::layerStack() const
{
    return dynamic_cast<QVLensLayerStack*>(renderer());
}

void QVLoupeController::initZoomView(QVFormatProcessor* exportFormatProcessor)
{
    const QRect bounds = m_window->rect();
    m_zoomView = new NJZoomView(bounds, m_window.get());
    m_zoomView->setDelegate(this);
    m_zoomView->setIgnoreLocalGestures(true);
    m_window->setZoomView(m_zoomView);

    m_zoomView->setMinZoomFactor(kMinZoomFactor);
    m_zoomView->setMaxZoomFactor(kMaxZoomFactor);
    m_zoomView->setMinCaptureValue(kMinCaptureValue);
    m_zoomView->setMaxViewDiameter(bounds.width() - kViewDiameterMargin);
    m_zoomView->setMinRubberPixels(kMinRubberPixels);
    m_zoomView->setMaxRubberPixels(kMaxRubberPixels);

    m_zoomView->setCaptureValue(kStartCaptureValue);
    m_zoomView->setZoomFactor(kStartZoomFactor);
    m_zoomView->setDiameterValue(kStartDiameterValue);
    m_zoomView->setDebugging(false);

    auto stack = std::make_unique<QVLensLayerStack>(m_zoomView);
    stack->setOpaqueBackground(!CustomWindow::isCompositing());
    m_zoomView->setRenderer(std::move(stack));
    renderer()->setExportFormatProcessor(exportFormatProcessor);
}

double QVLoupeController::backingScaleFactor() const
{
    return m_window->backingScaleFactor();
}

void QVLoupeController::showWindow(bool takePointer)
{
    // The snapshot is taken before the window maps, so the loupe is never in it.
    ScreenCapture& capture = m_platform.screenCapture();
    if (!capture.sessionActive())
        capture.beginSession();
    updateWindowShape();
    // The preview beside the preferences leaves them the keyboard.
    if (takePointer)
        m_window->takeInput(true);
    else
        m_window->showAsPreview();
}

void QVLoupeController::orderOut()
{
    m_window->releaseInput();
    m_window->hide();
    if (m_platform.screenCapture().sessionActive())
        m_platform.screenCapture().endSession();
    clearBackdrop();
}

QPointF QVLoupeController::setLoupeCenter(const QPointF& p)
{
    renderer()->setStartedLoupeRendering(Scheduler::current().now());
    QPointF r(roundSingle(p.x()), roundSingle(p.y()));
    QPointF q = p;
    const NJApplication* app = NJApplication::sharedApplication();
    // A pointer point: the top row of a screen lies at its maxY, and its bottom edge
    // is off it, so that every row the pointer reaches is on a screen.
    if (!app->getScreenFromMousePoint(r)) {
        auto screen = app->getScreenFromMousePoint(m_lastCenter);
        if (!screen)
            screen = app->getScreenFromMousePoint(m_window->frame().center());
        if (screen) {
            const QRectF f = screen->frame;
            r.setX(std::min(std::max(r.x(), f.x()), f.x() + f.width() - 1));
            r.setY(std::min(std::max(r.y(), f.y() + 1), f.y() + f.height()));
        }
        q = r;
    }
    // Against where the window stands now and where it was last sent: a frame from
    // before the previous move would take a return to that spot for no move at all.
    const QPointF frameCenter = m_window->frame().center();
    const bool moved = r != QPointF(std::round(frameCenter.x()), std::round(frameCenter.y())) || r != m_windowCenter;
    m_loupeCenter = m_docking->isWindowDocked() ? q : r;
    m_lastCenter = q;

    const auto windowNumber = NJApplication::sharedApplication()->windowNumberAtPoint(
        p, static_cast<std::uint32_t>(m_window->winId()));
    const std::string owner =
        windowNumber ? NJApplication::sharedApplication()->getApplicationNameForWndNum(*windowNumber).value_or("") : "";

    updateCaptureImage(CustomWindow::pointToScreenPosition(m_loupeCenter));
    if (moved) {
        m_window->setCenterLocation(r);
        m_windowCenter = r;
    }
    m_zoomView->setOffset(offsetFromCenter(q));
    renderer()->setLensCenter(q);
    renderer()->setConvertColorToSRGB(appColorsNeedsRGBConvertion(owner));
    updateWindowShape();
    m_zoomView->setNeedsDisplay(true);
    return q;
}

QPointF QVLoupeController::offsetFromCenter(const QPointF& p) const
{
    const double s = backingScaleFactor();
    if (s <= 1.0)
        return {};
    return {std::round(s * (p.x() - m_loupeCenter.x())), std::round(s * (p.y() - m_loupeCenter.y()))};
}

void QVLoupeController::updateCaptureImage(const QPointF& topLeftPoint)
{
    const double capture = 2 * std::ceil(m_zoomView->captureValue() / 2) + 1;
    updateCaptureImage(topLeftPoint, capture);
}

void QVLoupeController::updateCaptureImage(const QPointF& p, double capture)
{
    if (m_hover->pausesCapture()) {
        // Remembered, so the refresh after the fade captures where the loupe is now.
        m_currentPos = p;
        return;
    }
    if (p == m_lastCapturePoint && capture == m_lastCaptureCapture)
        return;
    m_lastCapturePoint = p;
    m_lastCaptureCapture = capture;
    m_currentPos = p;
    const double scale = backingScaleFactor();
    const QRect rect = captureRect(p, captureSide(capture, scale), scale);
    m_zoomView->setCapturedImg(m_platform.screenCapture().capture(rect));
}

void QVLoupeController::updateCaptureImageWithMaxValues()
{
    updateCaptureImage(m_currentPos, m_zoomView->maxCaptureRubberValue());
}

void QVLoupeController::refreshLoupe()
{
    m_lastCapturePoint.setX(-std::numeric_limits<double>::infinity());
    renderer()->setExportFormat(m_host.exportFormat());
    renderer()->setDisplayFormat(m_host.displayFormat());
    updateCaptureImage(m_currentPos);
    updateWindowShape();
    m_zoomView->setNeedsDisplay(true);
}

void QVLoupeController::redrawAll()
{
    if (QVLensBase* lens = renderer())
        lens->redrawAll();
    updateWindowShape();
    m_zoomView->setNeedsDisplay(true);
}

std::optional<Color> QVLoupeController::colorAt(const QPointF& p) const
{
    const double scale = backingScaleFactor();
    const QImage image = m_platform.screenCapture().capture(captureRect(p, captureSide(kColorAtCapture, scale), scale));
    if (image.isNull())
        return std::nullopt;
    const BgraImage pixels {{image.constBits(), static_cast<std::size_t>(image.sizeInBytes())},
                            image.width(),
                            image.height(),
                            static_cast<std::size_t>(image.bytesPerLine())};
    // The pixel at the point itself, as the lens's centre square shows it.
    return Color::getColorFromCGImage(&pixels, static_cast<std::int32_t>(image.width() * 0.5),
                                      static_cast<std::int32_t>(image.height() * 0.5));
}

bool QVLoupeController::appColorsNeedsRGBConvertion(const std::string& appName) const
{
    return !m_host.noColorManagementApp(appName);
}

void QVLoupeController::stepZoom(double step)
{
    m_zoomView->stopAllAnimations();
    const double zoom = std::max(std::min(std::round(m_zoomView->zoomFactor()) + step, m_zoomView->maxZoomFactor()),
                                 m_zoomView->minZoomFactor());
    m_zoomView->setZoomFactor(zoom);
    m_zoomView->setNeedsDisplay(true);
    m_host.saveSettings();
}

void QVLoupeController::increaseZoom()
{
    stepZoom(1);
}

void QVLoupeController::decreaseZoom()
{
    stepZoom(-1);
}

void QVLoupeController::stepDiameter(double sign)
{
    m_zoomView->stopAllAnimations();
    const double zoom = m_zoomView->zoomFactor();
    // One magnified pixel wider or narrower.
    const double diameter =
        std::max(std::min(std::round(m_zoomView->diameterValue()) + sign * zoom, m_zoomView->maxDiameterValue()),
                 zoom * m_zoomView->minCaptureValue());
    m_zoomView->setDiameterValue(diameter);
    m_zoomView->setCaptureValue(diameter / zoom);
    refreshLoupe();
    m_host.saveSettings();
}

void QVLoupeController::increaseDiameterValue()
{
    stepDiameter(1);
}

void QVLoupeController::decreaseDiameterValue()
{
    stepDiameter(-1);
}

void QVLoupeController::toggleColorInfo()
{
    const QVLensLayerStack* stack = layerStack();
    if (!stack)
        return;
    m_host.updateCurrentColorInfo(m_hover->colorInfo() == 1 ? 0 : 1);
    m_host.saveSettings();
}

QImage QVLoupeController::lensImage()
{
    QVLensLayerStack* stack = layerStack();
    if (!stack)
        return {};
    const long long colorInfo = stack->colorInfo();
    const QSize size = stack->lensSize().toSize();
    const QRect content = m_zoomView->rect();
    const QRect lens(content.x() + (content.width() - size.width()) / 2,
                     content.y() + (content.height() - size.height()) / 2, size.width(), size.height());
    stack->setColorInfo(0);
    stack->setShowFocusRect(false);
    m_zoomView->setNeedsDisplay(true);
    // Only the lens is drawn: the corners around it stay transparent, not window grey.
    const qreal ratio = m_zoomView->devicePixelRatioF();
    QImage image(lens.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    m_zoomView->render(&image, QPoint(), QRegion(lens), QWidget::DrawChildren);
    stack->setShowFocusRect(true);
    stack->setColorInfo(colorInfo);
    return image;
}

void QVLoupeController::loupeChanged(bool notified)
{
    if (notified ? !m_host.preferencesVisible() : m_host.settingsLoading())
        return;
    if (notified)
        m_host.setIgnoreDefaultsChange(true);
    m_host.writeLoupeValuesToPreferences(static_cast<float>(m_zoomView->captureValue()),
                                         static_cast<float>(m_zoomView->zoomFactor()));
    m_host.setIgnoreDefaultsChange(false);
}

unsigned long QVLoupeController::getIncreasedMovementKeyMask() const
{
    return m_host.HiDPIActivateKeyMask() == modifierflags::kShift ? modifierflags::kControl : modifierflags::kShift;
}

void QVLoupeController::activateHiDPIMode(int mask)
{
    if (m_HiDPIActivators == 0)
        activateHiDPIZoom();
    m_HiDPIActivators |= mask;
}

void QVLoupeController::deactivateHiDPIMode(int mask)
{
    if (m_HiDPIActivators == 0)
        deactiveHiDPIZoom();
    m_HiDPIActivators &= ~mask;
}

void QVLoupeController::activateHiDPIZoom()
{
    m_zoomView->stopAllAnimations();
    // After the current event: the picture freezes under a still cursor, then the
    // mouse moves the loupe by fractions of a point.
    QPointer<NJZoomView> view(m_zoomView);
    Scheduler::current().post([this, view] {
        if (!view)
            return;
        view->activeHiDPIZoom([this] {
            m_mouse->detachMouse();
            m_mouse->setLastMousePos(m_platform.cursor().location());
        });
    });
}

void QVLoupeController::deactiveHiDPIZoom()
{
    m_mouse->attachMouseAt(m_loupeCenter);
    m_zoomView->deactiveHiDPIZoom();
}

void QVLoupeController::resetHiDPIZoom()
{
    m_mouse->attachMouseAt(m_loupeCenter);
    m_zoomView->resetHiDPIZoom();
    m_HiDPIActivators = 0;
    m_host.clearLastFlags(m_host.HiDPIActivateKeyMask());
}

void QVLoupeController::checkHiDPIMode()
{
    if (m_host.ignoreFlagSwitchUntilRelease())
        return;
    const unsigned long mask = m_host.HiDPIActivateKeyMask();
    const bool held = (m_host.currentModifierFlags() & mask) == mask;
    if (held && !m_zoomView->HiDPIActive())
        activateHiDPIMode(0);
    else if (!held && m_zoomView->HiDPIActive())
        deactivateHiDPIMode(0);
}

void QVLoupeController::gestureStarted()
{
    // Pinching out shows real pixels instead of an empty margin.
    if (m_zoomView->maxCaptureValue() > m_zoomView->captureImgPixelSize().width())
        updateCaptureImageWithMaxValues();
    m_zoomView->setNeedsDisplay(true);
}

void QVLoupeController::gestureEnded()
{
    m_zoomView->setNeedsDisplay(true);
}

void QVLoupeController::updateWindowShape()
{
    // With a snapshot to lay beneath, the outline takes in the rim's soft outer edge and
    // the info box's shadow; without, the parts that would show black stay outside.
    const bool underlaid = m_platform.screenCapture().sessionActive();
    const QSizeF lens = renderer()->rimSize();
    const double softEdge = underlaid ? 2 : 0;
    const QSizeF side = lens.isEmpty() ? QSizeF(m_window->size()) : lens + QSizeF(softEdge, softEdge);
    const QRectF view = m_zoomView->geometry();
    QRectF infoFrame;
    if (const QVLensLayerStack* stack = layerStack()) {
        const LensLayer* info = stack->getUILayerByName(QVLensLayerStack::kInfoLayerName);
        if (info)
            infoFrame = info->frame();
    }
    // Built again only when what it is built from changed: every frame of a pick asks.
    const ShapeInputs inputs {QRectF(QPointF(), side), view, infoFrame, underlaid};
    if (inputs != m_shapeInputs || m_shape.isEmpty()) {
        m_shapeInputs = inputs;
        QPainterPath outline;
        outline.addEllipse(QRectF(view.center() - QPointF(side.width() / 2, side.height() / 2), side));
        if (!infoFrame.isEmpty()) {
            const QRectF frame = infoFrame.translated(view.topLeft());
            outline = outline.united(underlaid ? QVLensUIInfoRenderer::shadowOutline(frame)
                                               : QVLensUIInfoRenderer::boxOutline(frame));
        }
        const QRegion shape(outline.toFillPolygon().toPolygon());
        if (shape != m_shape) {
            m_shape = shape;
            m_window->setWindowOutline(outline);
        }
    }
    // What lies under the loupe never reaches the snapshot while the loupe covers it.
    m_platform.screenCapture().setExcludedRegion(m_shape.translated(m_window->pos()));
    updateBackdrop();
}

void QVLoupeController::updateBackdrop()
{
    ScreenCapture& capture = m_platform.screenCapture();
    const bool compositing = CustomWindow::isCompositing();
    if (QVLensLayerStack* stack = layerStack())
        stack->setOpaqueBackground(!compositing && !capture.sessionActive());
    if (compositing || !capture.sessionActive()) {
        clearBackdrop();
        return;
    }
    // Taken again only when the window moved or its shape changed: the snapshot under
    // the loupe does not change while the loupe covers it.
    const QRect area = m_shape.boundingRect().translated(m_window->pos());
    if (area == m_backdropArea)
        return;
    m_backdropArea = area;
    m_window->setBackdrop(capture.capture(area), m_shape.boundingRect().topLeft());
}

void QVLoupeController::clearBackdrop()
{
    m_backdropArea = QRect();
    m_window->setBackdrop({}, {});
}
