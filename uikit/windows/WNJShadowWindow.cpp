#include "uikit/windows/WNJShadowWindow.h"

#include "uikit/application/NJApplication.h"
#include "uikit/views/BezierPathAdditions.h"
#include "uikit/views/ViewAdditions.h"
#include "uikit/windows/WNJShadowView.h"

#include "platform/PanelHints.h"
#include "platform/Screens.h"
#include "platform/WindowStacking.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr long kFullSizeContentMajor = 10;
constexpr long kFullSizeContentMinorAbove = 9;

QRectF screenFrameOf(const QRectF& window)
{
    NJApplication* app = NJApplication::sharedApplication();
    if (!app)
        return {};
    // The screen that holds most of the window.
    QRectF best;
    double bestArea = 0;
    for (const ScreenInfo& screen : app->platform().screens().screens()) {
        const QRectF common = screen.frame.intersected(window);
        const double area = common.width() * common.height();
        if (area > bestArea) {
            bestArea = area;
            best = screen.frame;
        }
    }
    return best;
}

// The distance that brings [start, start + length] inside [low, low + extent]; the
// far edge wins when both ends stick out.
double shiftInto(double start, double length, double low, double extent)
{
    double delta = 0;
    if (low > start)
        delta = low - start;
    if (start + length > low + extent)
        delta = (low + extent) - (start + length);
    return static_cast<float>(delta);
}

} // namespace

WNJShadowWindow::WNJShadowWindow(QWidget* parent, Qt::WindowFlags flags)
    : CustomWindow(parent, flags)
{
}

WNJShadowWindow::~WNJShadowWindow()
{
    removeShadowWnd();
}

bool WNJShadowWindow::isFullSizeContentAvailable()
{
    NJApplication* app = application();
    if (!app)
        return false;
    const OperatingSystemVersion version = app->operatingSystemVersion();
    return version.majorVersion == kFullSizeContentMajor && version.minorVersion > kFullSizeContentMinorAbove;
}

void WNJShadowWindow::addCustomWindowShadow(QWidget* view)
{
    if (m_shadowWindow || m_shapedInstead)
        return;
    viewadditions::addRoundedClippingMask(view, kContentClipRadius);
    addShadowWnd();
}

void WNJShadowWindow::addShadowWnd()
{
    removeShadowWnd();
    if (!isCompositing()) {
        m_shapedInstead = true;
        updateOutline();
        update();
        return;
    }
    auto* panel = new QWidget(nullptr,
                              Qt::Tool | Qt::FramelessWindowHint | Qt::WindowTransparentForInput
                                  | Qt::WindowDoesNotAcceptFocus | Qt::X11BypassWindowManagerHint
                                  | Qt::NoDropShadowWindowHint);
    panel->setAttribute(Qt::WA_TranslucentBackground);
    panel->setAttribute(Qt::WA_ShowWithoutActivating);
    panel->setAttribute(Qt::WA_TransparentForMouseEvents);
    panel->setObjectName(QStringLiteral("shadowPanel"));
    viewadditions::embedView(panel, new WNJShadowView(this));
    m_shadowWindow = panel;
    positionShadow();
    if (isVisible())
        followWindow();
}

void WNJShadowWindow::removeShadowWnd()
{
    if (m_shapedInstead) {
        m_shapedInstead = false;
        clearWindowOutline();
    }
    if (!m_shadowWindow)
        return;
    hideShadowPanel();
    delete m_shadowWindow.data();
}

QRectF WNJShadowWindow::shadowWindowRct() const
{
    const QRectF f = frame();
    return {f.x() - kShadowMargin, f.y() - kShadowMargin, f.width() + 2 * kShadowMargin,
            f.height() + kShadowMargin + kShadowTopMargin};
}

QRectF WNJShadowWindow::shadowPanelFrame() const
{
    return m_shadowWindow ? toGlobal(m_shadowWindow->geometry()) : QRectF();
}

void WNJShadowWindow::positionShadow(bool display)
{
    if (!m_shadowWindow)
        return;
    m_shadowWindow->setGeometry(toTopLeft(shadowWindowRct()));
    if (display)
        m_shadowWindow->update();
}

void WNJShadowWindow::updateShadowWindow()
{
    if (m_shadowWindow)
        m_shadowWindow->update();
    if (m_shapedInstead)
        update();
}

void WNJShadowWindow::frameDidChange(bool display)
{
    if (shadowWindowRct() != shadowPanelFrame())
        positionShadow(display);
    updateOutline();
}

void WNJShadowWindow::compositingDidChange()
{
    CustomWindow::compositingDidChange();
    // The panel and the shaped window stand in for each other.
    if (m_shadowWindow || m_shapedInstead)
        addShadowWnd();
}

void WNJShadowWindow::moveToScreenBounds()
{
    const QRectF window = frame();
    const QRectF screen = screenFrameOf(window);
    const double dx = shiftInto(window.x(), window.width(), screen.x(), screen.width());
    const double dy = shiftInto(window.y(), window.height(), screen.y(), screen.height());
    if (dx == 0 && dy == 0)
        return;
    setFrame(window.translated(dx, dy), true, true);
}

void WNJShadowWindow::fillWindowBackground(QPainter& painter, const QRectF& rect)
{
    QPainterPath path;
    path.addRoundedRect(rect, kBackgroundRadius, kBackgroundRadius);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(path, palette().color(QPalette::Window));
    painter.restore();
}

void WNJShadowWindow::followWindow()
{
    if (!m_shadowWindow)
        return;
    if (shadowWindowRct() != shadowPanelFrame())
        positionShadow();
    NJApplication* app = application();
    if (app)
        app->platform().panelHints().markAsPanel(m_shadowWindow->winId());
    m_shadowWindow->show();
    if (app)
        app->platform().windowStacking().keepBelow(m_shadowWindow->winId(), winId());
}

void WNJShadowWindow::hideShadowPanel()
{
    if (NJApplication* app = application())
        app->platform().windowStacking().release(m_shadowWindow->winId());
    m_shadowWindow->hide();
}

void WNJShadowWindow::updateOutline()
{
    if (!m_shapedInstead)
        return;
    // Drawn as content views round their corners, so that the shape keeps no pixel a
    // content clipped to the same radius leaves uncovered.
    setWindowOutline(bezierpath::createRoundedCornerRect(QRectF(rect()), roundedcorner::kAll, kBackgroundRadius,
                                                         kBackgroundRadius));
}

void WNJShadowWindow::moveEvent(QMoveEvent* event)
{
    CustomWindow::moveEvent(event);
    if (m_shadowWindow && shadowWindowRct() != shadowPanelFrame())
        positionShadow();
}

void WNJShadowWindow::resizeEvent(QResizeEvent* event)
{
    CustomWindow::resizeEvent(event);
    if (m_shadowWindow && shadowWindowRct() != shadowPanelFrame())
        positionShadow(true);
    updateOutline();
}

void WNJShadowWindow::showEvent(QShowEvent* event)
{
    CustomWindow::showEvent(event);
    followWindow();
}

void WNJShadowWindow::hideEvent(QHideEvent* event)
{
    CustomWindow::hideEvent(event);
    if (m_shadowWindow)
        hideShadowPanel();
}

void WNJShadowWindow::paintEvent(QPaintEvent*)
{
    if (!m_shapedInstead)
        return;
    QPainter painter(this);
    fillWindowBackground(painter, QRectF(rect()));
    // Nothing blends a shaped window with what lies below: a pixel the shape keeps shows
    // its colour as if over black. Every one is made opaque, the soft edge of the
    // rounded corners and a translucent ground included.
    painter.setCompositionMode(QPainter::CompositionMode_DestinationOver);
    painter.fillRect(rect(), palette().color(QPalette::Window));
}
