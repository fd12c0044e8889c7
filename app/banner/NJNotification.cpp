#include "NJNotification.h"

#include "app/banner/NJNotificationWindow.h"
#include "uikit/animation/NJAnimationGroup.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QString>

#include <algorithm>

namespace {

constexpr int kOffset = 10;
constexpr int kEdgeMargin = 10;

QRect firstScreenGeometry()
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    return screens.isEmpty() ? QRect() : screens.first()->geometry();
}

} // namespace

NJNotification::NJNotification(std::function<QRect()> statusItemGeometry, std::function<void()> onClick,
                               std::function<bool()> darkMode)
    : m_statusItemGeometry(std::move(statusItemGeometry))
    , m_darkMode(std::move(darkMode))
    , m_window(std::make_unique<NJNotificationWindow>())
{
    m_window->setClickHandler(std::move(onClick));
}

NJNotification::~NJNotification()
{
    stopAnimation();
    if (m_dismissTimer)
        Scheduler::current().cancel(*m_dismissTimer);
}

QSize NJNotification::imageSize() const
{
    return m_window->imageView()->size();
}

void NJNotification::present(const std::string& text, const QImage& image, double seconds)
{
    m_window->textField()->setText(QString::fromStdString(text));
    m_window->imageView()->setPixmap(QPixmap::fromImage(image));
    presentNotificationDismissAfter(seconds);
}

bool NJNotification::isVisible() const
{
    return m_window->isVisible();
}

void NJNotification::orderOut()
{
    stopAnimation();
    m_window->hide();
}

void NJNotification::presentNotificationDismissAfter(double seconds)
{
    presentNotification();
    // Each presentation has its own full time on screen.
    if (m_dismissTimer)
        Scheduler::current().cancel(*m_dismissTimer);
    m_dismissTimer = Scheduler::current().schedule(seconds, [this] {
        m_dismissTimer.reset();
        timedBannerDismiss();
    });
}

void NJNotification::presentNotification()
{
    if (m_animationIsRunning)
        return;
    m_animationIsRunning = true;
    prepareNotification();
    m_window->setDark(m_darkMode && m_darkMode());
    m_window->setGeometry(m_frames.start);
    m_window->show();
    m_window->raise();
    m_animation = std::make_unique<NJAnimationGroup>(kPresentDuration, kTiming);
    m_animation->opacity(m_window.get(), 1.0).geometry(m_window.get(), m_frames.shown).completion([this] {
        m_animationIsRunning = false;
        m_window->raise();
    });
    m_animation->start();
}

void NJNotification::timedBannerDismiss()
{
    if (m_window->isVisible())
        dismissNotificiation();
}

void NJNotification::dismissNotificiation()
{
    if (m_animationIsRunning)
        return;
    m_animationIsRunning = true;
    m_animation = std::make_unique<NJAnimationGroup>(kDismissDuration, kTiming);
    m_animation->opacity(m_window.get(), 0.0).geometry(m_window.get(), m_frames.end).completion([this] {
        m_animationIsRunning = false;
        m_window->hide();
    });
    m_animation->start();
}

void NJNotification::stopAnimation()
{
    if (m_animation)
        m_animation->stop();
    m_animationIsRunning = false;
}

void NJNotification::prepareNotification()
{
    updateWindowSize();
    m_frames = calculatePositions();
}

void NJNotification::updateWindowSize()
{
    QLabel* text = m_window->textField();
    const int maximum = firstScreenGeometry().width() / 2;
    const QFontMetrics metrics(text->font());
    const QString elided = metrics.elidedText(text->text(), Qt::ElideRight, maximum);
    text->setText(elided);
    const int width = std::min(metrics.horizontalAdvance(elided), maximum) + imageSize().width() + 20;
    m_window->resize(width, m_window->height());
}

NJNotification::Frames NJNotification::calculatePositions() const
{
    const QSize size = m_window->size();
    const QRect icon = m_statusItemGeometry ? m_statusItemGeometry() : QRect();
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect();
    const QRect whole = firstScreenGeometry();
    if (icon.isEmpty()) {
        // No status item to point at: the top right corner of the desktop.
        const int x = available.right() + 1 - kEdgeMargin - size.width();
        const int top = available.top();
        return {QRect(QPoint(x, top + kOffset), size), QRect(QPoint(x, top + kOffset), size),
                QRect(QPoint(x, top + 2 * kOffset), size)};
    }
    const int thickness = icon.height();
    // Centred under the icon, but kept on the screen: a tray may sit at its very edge.
    const int x = std::clamp(icon.x() + thickness / 2 - size.width() / 2, whole.left() + kEdgeMargin,
                             std::max(whole.left() + kEdgeMargin, whole.right() + 1 - kEdgeMargin - size.width()));
    if (icon.center().y() <= whole.center().y()) {
        const int top = whole.top();
        return {QRect(QPoint(x, top + kOffset), size), QRect(QPoint(x, top + thickness + kOffset), size),
                QRect(QPoint(x, top + thickness + 2 * kOffset), size)};
    }
    // A panel at the bottom: the banner rises above it instead.
    const int bottom = whole.bottom() + 1;
    return {QRect(QPoint(x, bottom - kOffset - size.height()), size),
            QRect(QPoint(x, bottom - thickness - kOffset - size.height()), size),
            QRect(QPoint(x, bottom - thickness - 2 * kOffset - size.height()), size)};
}
