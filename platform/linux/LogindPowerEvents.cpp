#include "platform/linux/LogindPowerEvents.h"

#include <QDBusConnection>

namespace {

constexpr const char* kService = "org.freedesktop.login1";
constexpr const char* kPath = "/org/freedesktop/login1";
constexpr const char* kInterface = "org.freedesktop.login1.Manager";
constexpr const char* kSignal = "PrepareForSleep";

} // namespace

void LogindPowerEvents::setSleepHandler(std::function<void()> handler)
{
    m_handler = std::move(handler);
    if (!m_handler || m_connected)
        return;
    QDBusConnection bus = QDBusConnection::systemBus();
    // QtDBus names the receiving slot by its signature only.
    m_connected = bus.isConnected() && bus.connect(kService, kPath, kInterface, kSignal, this, SLOT(prepareForSleep(bool)));
}

void LogindPowerEvents::prepareForSleep(bool sleeping)
{
    if (sleeping && m_handler)
        m_handler();
}
