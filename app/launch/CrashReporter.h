#pragma once

#include <string>

// The crash reporter's configuration. No reporter runs on this system and nothing is
// ever sent: the record keeps what the start-up decided.
class CrashReporter final {
public:
    static constexpr const char* kIdentifier = "5e07b3c1d94a28f6e0c7a1b83d5f92e4";

    void configure(std::string identifier) { m_identifier = std::move(identifier); }
    void setAutoSubmitCrashReport(bool on) { m_autoSubmit = on; }
    void startManager() { m_started = true; }

    const std::string& identifier() const { return m_identifier; }
    bool autoSubmitCrashReport() const { return m_autoSubmit; }
    bool isStarted() const { return m_started; }

private:
    std::string m_identifier;
    bool m_autoSubmit = false;
    bool m_started = false;
};
