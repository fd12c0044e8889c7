#pragma once

#include <functional>
#include <string>
#include <vector>

// The system log. The default sink writes a line to standard error; tests install
// their own sink to read what was logged.
namespace logging {

using Sink = std::function<void(const std::string& line)>;

void log(const std::string& line);
// Installs a sink and returns the previous one; an empty sink restores the default.
Sink setSink(Sink sink);

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
