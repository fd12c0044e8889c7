#include "AppPreferencesHost.h"

#include "app/AppDelegate.h"
#include "app/picking/LoupeAdapter.h"
#include "loupe/NJZoomView.h"
#include "loupe/QVLoupeController.h"
#include "loupe/QVLoupeDocking.h"
#include "uikit/animation/NJAnimationGroup.h"
#include "uikit/application/NJApplication.h"

AppPreferencesHost::AppPreferencesHost(AppDelegate& delegate)
    : m_delegate(delegate)
{
}

QVLoupeController* AppPreferencesHost::loupe() const
{
    auto* adapter = dynamic_cast<LoupeAdapter*>(m_delegate.loupe());
    return adapter ? &adapter->controller() : nullptr;
}

void AppPreferencesHost::setInPreferences(bool inPreferences)
{
    m_delegate.setInPreferences(inPreferences);
}

bool AppPreferencesHost::inPicking() const
{
    return m_delegate.inPicking();
}

void AppPreferencesHost::endPicking()
{
    m_delegate.hidePickerAndRestoreFocus(false);
}

double AppPreferencesHost::zoomFactor() const
{
    return m_delegate.loupe() ? m_delegate.loupe()->zoomFactor() : 1.0;
}

void AppPreferencesHost::setZoomFactor(double zoomFactor)
{
    if (LoupeView* view = m_delegate.loupe())
        view->setZoomFactor(zoomFactor);
}

double AppPreferencesHost::captureValue() const
{
    return m_delegate.loupe() ? m_delegate.loupe()->captureValue() : 0.0;
}

void AppPreferencesHost::setCaptureValue(double capture)
{
    if (LoupeView* view = m_delegate.loupe())
        view->setCaptureValue(capture);
}

double AppPreferencesHost::maxDiameterValue() const
{
    return loupe() ? loupe()->zoomView().maxDiameterValue() : 0.0;
}

double AppPreferencesHost::loupeAlpha() const
{
    return loupe() ? NJAnimationGroup::widgetOpacity(&loupe()->zoomView()) : 1.0;
}

void AppPreferencesHost::setLoupeAlpha(double alpha)
{
    if (QVLoupeController* controller = loupe())
        NJAnimationGroup::setWidgetOpacity(&controller->zoomView(), alpha);
}

void AppPreferencesHost::animateLoupeAlpha(double alpha, double seconds, std::function<void()> completion)
{
    QVLoupeController* controller = loupe();
    if (!controller)
        return;
    NJAnimationGroup group(seconds, "easeInOut");
    group.opacity(&controller->zoomView(), alpha);
    if (completion)
        group.completion(std::move(completion));
    group.start();
}

void AppPreferencesHost::setColorInfo(long long mode)
{
    if (LoupeView* view = m_delegate.loupe())
        view->setColorInfo(mode);
}

void AppPreferencesHost::setPeekModeActive(bool peek)
{
    if (LoupeView* view = m_delegate.loupe())
        view->setPeekModeActive(peek);
}

void AppPreferencesHost::initializeAppearance()
{
    if (QVLoupeController* controller = loupe())
        controller->zoomView().initializeAppearance();
}

QWidget* AppPreferencesHost::loupeParentWindow() const
{
    return loupe() ? loupe()->docking().parentWindow() : nullptr;
}

void AppPreferencesHost::dockToWindow(QWidget* window)
{
    if (LoupeView* view = m_delegate.loupe())
        view->dockToWindow(window);
}

void AppPreferencesHost::unDockWindow()
{
    if (LoupeView* view = m_delegate.loupe())
        view->unDockWindow();
}

bool AppPreferencesHost::isAppLoginItem() const
{
    const NJApplication* app = NJApplication::sharedApplication();
    return app && app->isAppLoginItem();
}

void AppPreferencesHost::addAppAsLoginItem()
{
    if (NJApplication* app = NJApplication::sharedApplication())
        app->addAppAsLoginItem();
}

void AppPreferencesHost::deleteAppFromLoginItem()
{
    if (NJApplication* app = NJApplication::sharedApplication())
        app->deleteAppFromLoginItem();
}
