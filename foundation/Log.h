#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// The system log. The default sink writes a line to standard error; tests install
// their own sink to read what was logged.
namespace logging {

using Sink = std::function<void(const std::string& line)>;

void log(const std::string& line);
// A line for those who ask for it: the default sink writes it only while the
// environment variable VENDREL_DEBUG is set to anything but "" or "0"; an installed
// sink always receives it.
void debug(const std::string& line);
// Installs a sink and returns the previous one; an empty sink restores the default.
Sink setSink(Sink sink);

// Logs the first lines of a run of similar ones (one per bad entry of a list, say)
// and, when it ends, how many more there were, so a huge damaged list cannot flood
// the log.
class LimitedRun {
public:
    static constexpr std::size_t kShownLines = 10;

    LimitedRun() = default;
    ~LimitedRun();
    LimitedRun(const LimitedRun&) = delete;
    LimitedRun& operator=(const LimitedRun&) = delete;

    void log(const std::string& line);
// A line for those who ask for it: the default sink writes it only while the
// environment variable VENDREL_DEBUG is set to anything but "" or "0"; an installed
// sink always receives it.
void debug(const std::string& line);

private:
    std::size_t m_count = 0;
};

// Captures every line logged while it lives.
class Capture {
public:
    Capture();
    ~Capture();
    Capture(const Capture&) = delete;
    Capture& operator=(const Capture&) = delete;

    const std::vector<std::string>& lines() const { return m_lines; }
    bool contains(const std::string& text) const;

private:
    std::vector<std::string> m_lines;
    Sink m_previous;
};

} // namespace logging
