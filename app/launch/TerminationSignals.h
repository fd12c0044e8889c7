#pragma once

#include <QObject>

#include <functional>
#include <memory>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP, turned into a call on the main thread's event loop.
class TerminationSignals final : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(std::function<void()> handler);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

private:
    void received();

    std::function<void()> m_handler;
    std::unique_ptr<QSocketNotifier> m_notifier;
};
