#include "loupe/QVHoverMode.h"

#include "loupe/NJZoomView.h"
#include "loupe/QVLensLayerStack.h"
#include "loupe/QVLensWindow.h"
#include "loupe/QVLoupeController.h"
#include "loupe/QVMouseFollower.h"

#include "uikit/animation/NJAnimationGroup.h"

#include <QPointer>

namespace {

// The bits of the states that count as on: on and fading in.
constexpr int kOnMask = 3;

} // namespace

QVHoverMode::QVHoverMode(QVLoupeController& loupe)
    : m_loupe(loupe)
{
}

void QVHoverMode::toggleHoverMode()
{
    if ((m_hoverMode & kOnMask) == 0)
        activateHoverMode();
    else
        deactivateHoverMode();
}

long long QVHoverMode::colorInfo() const
{
    if ((m_hoverMode & kOnMask) != 0)
        return m_hoverColorInfo;
    const QVLensLayerStack* stack = m_loupe.layerStack();
    return stack ? stack->colorInfo() : 0;
}

void QVHoverMode::setColorInfo(long long mode)
{
    if ((m_hoverMode & kOnMask) != 0)
        m_hoverColorInfo = mode;
    else if (QVLensLayerStack* stack = m_loupe.layerStack())
        stack->setColorInfo(mode);
}

void QVHoverMode::activateHoverMode()
{
    if ((m_hoverMode & kOnMask) != 0)
        return;
    if (QVLensLayerStack* stack = m_loupe.layerStack()) {
        stack->setShowPixelGrid(false);
        stack->setShowFocusRect(false);
        m_hoverColorInfo = stack->colorInfo();
        stack->setColorInfo(0);
    }
    m_hoverMode = Off;
    m_loupe.refreshLoupe();
    m_hoverMode = FadingIn;
    fade(kHoverAlpha, On);
}

void QVHoverMode::deactivateHoverMode()
{
    if ((m_hoverMode & kOnMask) == 0)
        return;
    if (QVLensLayerStack* stack = m_loupe.layerStack()) {
        stack->setShowPixelGrid(true);
        stack->setShowFocusRect(true);
        stack->setColorInfo(m_hoverColorInfo);
    }
    m_hoverMode = Off;
    m_loupe.refreshLoupe();
    m_hoverMode = FadingOut;
    fade(1.0, Off);
}

void QVHoverMode::fade(double alpha, State end)
{
    const int id = ++m_hoverModeID;
    QPointer<QVLensWindow> window(&m_loupe.window());
    NJAnimationGroup(kFadeDuration)
        .opacity(window, alpha)
        .completion([this, window, id, end] {
            if (!window)
                return;
            if (id == m_hoverModeID) {
                m_hoverMode = end;
                const bool hovering = end == On;
                window->setIgnoresMouseEvents(hovering);
                m_loupe.mouse().setSamplingPointer(hovering);
                m_loupe.zoomView().setIgnoreAllInput(hovering);
            }
            m_loupe.refreshLoupe();
        })
        .start();
}
