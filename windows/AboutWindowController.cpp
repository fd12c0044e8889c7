#include "windows/AboutWindowController.h"

#include "uikit/views/ViewAdditions.h"
#include "windows/AboutInfoWindow.h"

#include <QDesktopServices>

AboutWindowController::AboutWindowController(QString version, QString copyright, UrlOpener opener)
    : m_window(new AboutInfoWindow)
    , m_opener(opener ? std::move(opener) : UrlOpener([](const QUrl& url) { QDesktopServices::openUrl(url); }))
{
    m_window->setupInfo(version, copyright);
    QObject::connect(m_window, &AboutInfoWindow::homepageRequested, m_window, [this] { goToHomepage(); });
    QObject::connect(m_window, &AboutInfoWindow::twitterAccountRequested, m_window, [this] { goToTwitterAccount(); });
}

AboutWindowController::~AboutWindowController()
{
    // The window may be inside one of its own handlers.
    if (m_window)
        m_window->deleteLater();
}

void AboutWindowController::center()
{
    viewadditions::centerOnPrimaryScreen(m_window);
}

void AboutWindowController::makeKeyAndOrderFront()
{
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

bool AboutWindowController::isKeyWindow() const
{
    return m_window && m_window->isActiveWindow();
}

void AboutWindowController::close()
{
    if (m_window)
        m_window->close();
}

void AboutWindowController::goToHomepage()
{
    m_opener(QUrl(QString::fromLatin1(kHomepage)));
}

void AboutWindowController::goToTwitterAccount()
{
    m_opener(QUrl(QString::fromLatin1(kTwitterAccount)));
}
