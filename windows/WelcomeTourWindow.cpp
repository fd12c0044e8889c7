#include "windows/WelcomeTourWindow.h"

#include "windows/FocusRing.h"

#include "uikit/application/ThemeColors.h"
#include "uikit/views/ViewAdditions.h"
#include "uikit/views/WNJBackgroundView.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>

WelcomeTourWindow::WelcomeTourWindow(QWidget* parent)
    : WNJVisualEffectWindow(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    // Owned by the window as its child.
    new FocusRing(this);
}

void WelcomeTourWindow::setContentView(QWidget* view)
{
    if (!view || useVisualEffectView()) {
        WNJVisualEffectWindow::setContentView(view);
        return;
    }
    const QRect frame(QPoint(0, 0), view->size());
    auto* clipping = new QWidget;
    clipping->resize(frame.size());
    m_ground = new WNJBackgroundView(frame, clipping);
    holdTheme();
    viewadditions::embedView(m_ground, view);
    viewadditions::embedView(clipping, m_ground);
    viewadditions::addRoundedClippingMask(clipping, kCornerRadius);
    WNJVisualEffectWindow::setContentView(clipping);
}

void WelcomeTourWindow::applicationAppearanceDidChange()
{
    if (!isVisible())
        WNJVisualEffectWindow::applicationAppearanceDidChange();
}

void WelcomeTourWindow::fillWindowBackground(QPainter& painter, const QRectF& rect)
{
    if (!m_ground) {
        WNJVisualEffectWindow::fillWindowBackground(painter, rect);
        return;
    }
    // Only where the content shows: the soft edge of the rounded background beside the
    // content's clipped corners would show bare, its title band as dark specks.
    painter.save();
    painter.setClipRegion(viewadditions::roundedClippingRegion(rect.toRect(), kCornerRadius), Qt::IntersectClip);
    WNJVisualEffectWindow::fillWindowBackground(painter, rect);
    painter.restore();
}

void WelcomeTourWindow::showEvent(QShowEvent* event)
{
    // A theme change missed while the tour last showed is taken now.
    WNJVisualEffectWindow::applicationAppearanceDidChange();
    holdTheme();
    // Every colour role held as it is now: a theme change while the tour shows would
    // otherwise reach the caption and the buttons through the application's palette.
    QPalette held = QApplication::palette(this);
    held.setResolveMask(~QPalette::ResolveMask(0));
    setPalette(held);
    WNJVisualEffectWindow::showEvent(event);
}

void WelcomeTourWindow::holdTheme()
{
    m_dark = themecolors::darkMode();
    // A light ground under the dark theme's light caption would leave it unreadable.
    const double grey = m_dark ? kDarkGroundGrey : kGroundGrey;
    if (m_ground)
        m_ground->setBackgroundColor(QColor::fromRgbF(grey, grey, grey, kGroundAlpha));
}

void WelcomeTourWindow::hideEvent(QHideEvent* event)
{
    setPalette(QPalette());
    WNJVisualEffectWindow::hideEvent(event);
}

void WelcomeTourWindow::cancelOperation()
{
    close();
}

void WelcomeTourWindow::closeEvent(QCloseEvent* event)
{
    // The handler may end the window's owner, so it runs last.
    if (auto willClose = std::exchange(m_onWillClose, {}))
        willClose();
    event->accept();
}

void WelcomeTourWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cancelOperation();
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && m_defaultButton) {
        if (m_defaultButton->isVisible() && m_defaultButton->isEnabled())
            m_defaultButton->click();
        return;
    }
    WNJVisualEffectWindow::keyPressEvent(event);
}
