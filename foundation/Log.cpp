#include "Log.h"

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <mutex>

namespace logging {
namespace {

std::mutex& sinkMutex()
{
    static std::mutex mutex;
    return mutex;
}

Sink& currentSink()
{
    static Sink sink;
    return sink;
}

void writeToStandardError(const std::string& line)
{
    std::cerr << line << '\n' << std::flush;
}

constexpr const char* kDebugVariable = "VENDREL_DEBUG";

bool debugRequested()
{
    const char* value = std::getenv(kDebugVariable);
    return value && *value && std::strcmp(value, "0") != 0;
}

void write(const std::string& line, bool toStandardError)
{
    Sink sink;
    {
        std::lock_guard lock(sinkMutex());
        sink = currentSink();
    }
    // Called outside the lock so that a sink may log in turn.
    if (sink)
        sink(line);
    else if (toStandardError)
        writeToStandardError(line);
}

} // namespace

void log(const std::string& line)
{
    write(line, true);
}

void debug(const std::string& line)
{
    write(line, debugRequested());
}

Sink setSink(Sink sink)
{
    std::lock_guard lock(sinkMutex());
    Sink previous = std::move(currentSink());
    currentSink() = std::move(sink);
    return previous;
}

LimitedRun::~LimitedRun()
{
    if (m_count > kShownLines)
        logging::log(std::to_string(m_count - kShownLines) + " more lines like the last one were not logged.");
}

void LimitedRun::log(const std::string& line)
{
    if (++m_count <= kShownLines)
        logging::log(line);
}

Capture::Capture()
{
    m_previous = setSink([this](const std::string& line) { m_lines.push_back(line); });
}

Capture::~Capture()
{
    setSink(std::move(m_previous));
}

bool Capture::contains(const std::string& text) const
{
    for (const std::string& line : m_lines)
        if (line.find(text) != std::string::npos)
            return true;
    return false;
}

} // namespace logging
