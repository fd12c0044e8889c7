#include "uikit/windows/WNJVisualEffectWindow.h"

#include "uikit/views/BezierPathAdditions.h"
#include "uikit/application/NJApplication.h"
#include "uikit/application/ThemeColors.h"
#include "uikit/application/NamedImage.h"
#include "uikit/views/ViewAdditions.h"

#include <QPainter>
#include <QPainterPath>

namespace {

QString appearanceName()
{
    NJApplication* app = NJApplication::sharedApplication();
    return app ? QString::fromStdString(app->getAppAppearanceName()) : QString();
}

} // namespace

WNJVisualEffectWindow::WNJVisualEffectWindow(QWidget* parent, Qt::WindowFlags flags)
    : WNJShadowWindow(parent, flags)
{
    applyTint();
}

bool WNJVisualEffectWindow::useVisualEffectView()
{
    NJApplication* app = application();
    return app && app->isVisualEffectViewAvailable();
}

QColor WNJVisualEffectWindow::tintColorFromAppearance()
{
    return themecolors::hex(themecolors::darkMode() ? kDarkTint : kLightTint, 1.0);
}

void WNJVisualEffectWindow::applyTint()
{
    m_backgroundTintColor = tintColorFromAppearance();
    if (!useVisualEffectView())
        return;
    QPalette tinted = palette();
    tinted.setColor(QPalette::Window, m_backgroundTintColor);
    setPalette(tinted);
    setAutoFillBackground(true);
}

void WNJVisualEffectWindow::setContentView(QWidget* view)
{
    if (m_contentView && m_contentView != view)
        m_contentView->deleteLater();
    m_contentView = view;
    if (!view)
        return;
    viewadditions::embedView(this, view);
    view->setProperty(viewadditions::kAppearanceProperty, appearanceName());
}

void WNJVisualEffectWindow::applicationAppearanceDidChange()
{
    WNJShadowWindow::applicationAppearanceDidChange();
    if (m_contentView)
        m_contentView->setProperty(viewadditions::kAppearanceProperty, appearanceName());
    applyTint();
    update();
}

void WNJVisualEffectWindow::addCustomWindowShadow(QWidget* view)
{
    if (!useVisualEffectView() && !shadowWindow())
        WNJShadowWindow::addCustomWindowShadow(view);
}

bool WNJVisualEffectWindow::darkAppearance() const
{
    return themecolors::darkMode();
}

void WNJVisualEffectWindow::fillWindowBackground(QPainter& painter, const QRectF& rect)
{
    QPainterPath rounded;
    rounded.addRoundedRect(rect, kBackgroundRadius, kBackgroundRadius);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setCompositionMode(QPainter::CompositionMode_Clear);
    painter.fillPath(rounded, Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (!useVisualEffectView()) {
        const bool dark = darkAppearance();
        painter.fillPath(rounded, QBrush(namedImage(QLatin1String(dark ? kDarkPattern : kLightPattern))));
        // The band's upper corners are the rectangle's minimum-y corners on screen.
        const QPainterPath band = bezierpath::createRoundedCornerRect(
            QRectF(rect.x(), rect.y(), rect.width(), kTitleBandHeight),
            roundedcorner::kMinXMinY | roundedcorner::kMaxXMinY, kBackgroundRadius, kBackgroundRadius);
        painter.fillPath(band, dark ? Qt::black : Qt::white);
    }
    painter.restore();
}
