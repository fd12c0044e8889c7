#pragma once

#include "platform/PowerEvents.h"

#include <QObject>

// logind's PrepareForSleep signal on the system bus. Without a system bus there are
// no sleep events, and no error.
class LogindPowerEvents final : public QObject, public PowerEvents {
    Q_OBJECT
public:
    void setSleepHandler(std::function<void()> handler) override;

private slots:
    void prepareForSleep(bool sleeping);

private:
    std::function<void()> m_handler;
    bool m_connected = false;
};
