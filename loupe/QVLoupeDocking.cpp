#include "loupe/QVLoupeDocking.h"

#include "loupe/NJZoomView.h"
#include "loupe/QVLensBase.h"
#include "loupe/QVLensWindow.h"
#include "loupe/QVLoupeController.h"
#include "loupe/QVMouseFollower.h"

#include "foundation/Scheduler.h"
#include "platform/Platform.h"
#include "platform/Screens.h"
#include "uikit/animation/NJAnimationGroup.h"
#include "uikit/application/NJApplication.h"

#include <algorithm>

namespace {

// How far the loupe reaches over the docking window's edge, and where the lens sits.
constexpr double kRightDockOverlap = 80;
constexpr double kLeftDockOverlap = 120;
constexpr double kLensShift = 12;
constexpr double kVerticalLift = 155;

} // namespace

QVLoupeDocking::QVLoupeDocking(QVLoupeController& loupe)
    : m_loupe(loupe)
{
}

void QVLoupeDocking::dockToWindow(QWidget* host)
{
    if (!host)
        return;
    QVLensWindow& loupeWindow = m_loupe.window();
    NJZoomView& view = m_loupe.zoomView();
    NJApplication* app = NJApplication::sharedApplication();
    const QRectF w = app->platform().screens().coordinates().toGlobal(QRectF(host->frameGeometry()));
    const QRectF s = app->getScreenFromMousePoint(w.center()).value_or(ScreenInfo {}).frame;
    const double loupeWidth = loupeWindow.width();
    const double diameter = view.diameterValue();

    double loupeX = 0;
    double pickedX = 0;
    double shift = 0;
    if (w.x() - s.x() <= (s.width() - w.width()) / 2) {
        loupeX = w.x() + w.width() - kRightDockOverlap;
        pickedX = w.x() + w.width();
        shift = -(loupeWidth - diameter) / 2 + kLensShift;
    } else {
        loupeX = w.x() - view.width() + kLeftDockOverlap;
        pickedX = w.x();
        shift = (loupeWidth - diameter) / 2 - kLensShift;
    }
    const QPointF picked(pickedX, w.y() + w.height() / 2);
    const QPointF pickedTopLeft = CustomWindow::pointToScreenPosition(picked);

    if (!isWindowDocked()) {
        NJAnimationGroup::setWidgetOpacity(&loupeWindow, 0);
        NJAnimationGroup::setWidgetOpacity(&view, 0);
        m_parent = host;
        m_loupe.showWindow(false);
        view.assignLayers();
        view.setOffset(QPointF());
        m_loupe.mouse().setMouseFollow(false);
        m_loupe.renderer()->setLensCenter(picked);
        m_loupe.renderer()->redrawAll();
        m_loupe.updateCaptureImage(pickedTopLeft, view.maxCaptureRubberValue());
        m_loupe.refreshLoupe();
        m_loupe.updateCaptureImage(pickedTopLeft, view.maxCaptureRubberValue());
        loupeWindow.setOriginLocation(QPointF(loupeX, w.y() - loupeWindow.height() / 2.0 + kVerticalLift));
        // The zoom view stays clear until the docking window fades it in.
        QPointer<QVLensWindow> shown(&loupeWindow);
        Scheduler::current().post([shown] {
            if (shown)
                NJAnimationGroup::setWidgetOpacity(shown, 1.0);
        });
    }
    m_loupe.renderer()->inValidateLayerStack();
    view.setNeedsDisplay(true);
    const double clamped =
        shift >= 0 ? std::min(shift, loupeWidth / 2 - kLeftDockOverlap) : std::max(shift, kRightDockOverlap - loupeWidth / 2);
    view.move(static_cast<int>(clamped), 0);
    // Clicks on the preview go nowhere.
    view.setAttribute(Qt::WA_TransparentForMouseEvents, true);
    m_loupe.updateWindowShape();
}

void QVLoupeDocking::unDockWindow()
{
    if (isWindowDocked()) {
        m_parent = nullptr;
        NJZoomView& view = m_loupe.zoomView();
        view.move(0, 0);
        NJAnimationGroup::setWidgetOpacity(&view, 1.0);
        view.setAttribute(Qt::WA_TransparentForMouseEvents, false);
        m_loupe.orderOut();
        m_loupe.updateWindowShape();
    }
    m_loupe.mouse().setMouseFollow(true);
}
