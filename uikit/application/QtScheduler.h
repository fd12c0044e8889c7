#pragma once

#include "foundation/Scheduler.h"

#include <QElapsedTimer>
#include <QObject>

#include <map>

class QTimer;

// The program's scheduler: Qt's event loop and its timers.
class QtScheduler final : public QObject, public Scheduler {
    Q_OBJECT
public:
    explicit QtScheduler(QObject* parent = nullptr);
    ~QtScheduler() override;

    double now() const override;
    void post(Block block) override;
    TimerId schedule(double seconds, Block block) override;
    TimerId scheduleRepeating(double interval, Block block) override;
    void cancel(TimerId id) override;

private:
    TimerId start(double seconds, bool repeating, Block block);
    void fire(TimerId id);

    struct Timer {
        QTimer* timer;
        bool repeating;
        Block block;
    };
    QElapsedTimer m_clock;
    std::map<TimerId, Timer> m_timers;
    TimerId m_next = 1;
};
