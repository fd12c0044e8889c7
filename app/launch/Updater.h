#pragma once

#include <functional>

// The updater's configuration. There is no update service on this system and no
// network is used: the record keeps the start-up's decisions, and no update is ever
// in progress.
class Updater final {
public:
    static constexpr double kUpdateCheckInterval = 43200.0;

    // Asked before a check; a check needs its answer to be YES.
    void setMayCheck(std::function<bool()> mayCheck) { m_mayCheck = std::move(mayCheck); }
    bool mayCheckForUpdates() const { return !m_mayCheck || m_mayCheck(); }

    bool automaticallyChecksForUpdates() const { return m_automaticChecks; }
    void setAutomaticallyChecksForUpdates(bool on) { m_automaticChecks = on; }
    double updateCheckInterval() const { return m_interval; }
    void setUpdateCheckInterval(double seconds) { m_interval = seconds; }
    bool sendsSystemProfile() const { return m_sendsSystemProfile; }
    void setSendsSystemProfile(bool on) { m_sendsSystemProfile = on; }
    // A background check asked for while checks were allowed.
    void checkForUpdatesInBackground() { m_backgroundCheckRequested = mayCheckForUpdates(); }
    bool backgroundCheckRequested() const { return m_backgroundCheckRequested; }
    bool updateInProgress() const { return false; }

private:
    std::function<bool()> m_mayCheck;
    bool m_automaticChecks = false;
    double m_interval = 0;
    bool m_sendsSystemProfile = false;
    bool m_backgroundCheckRequested = false;
};
