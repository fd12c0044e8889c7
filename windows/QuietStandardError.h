#pragma once

// Sends what the process writes on standard error to /dev/null while it lives.
class QuietStandardError final {
public:
    QuietStandardError();
    ~QuietStandardError();
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
    int m_saved = -1;
};
