#include "platform/linux/XdgAutostartLoginItems.h"

#include <cstdlib>
#include <fstream>
#include <system_error>

namespace {

constexpr const char* kApplicationName = "Vendrel";
constexpr const char* kEntrySuffix = ".desktop";
constexpr const char* kHiddenLine = "Hidden=true";
constexpr const char* kSwitchedOffLine = "X-GNOME-Autostart-enabled=false";

// Quotes a path for the Exec key. A reserved character takes a backslash, and every
// backslash is doubled again by the string escaping that is undone first. A percent sign
// is doubled, or launchers read it as a field code.
std::string quotedCommand(const std::string& command)
{
    std::string quoted = "\"";
    for (const char c : command) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += "\\\\";
        if (c == '\\' || c == '%')
            quoted += c;
        quoted += c;
    }
    return quoted + "\"";
}

std::string trimmed(const std::string& line)
{
    const auto first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    return line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
}

} // namespace

XdgAutostartLoginItems::XdgAutostartLoginItems(std::filesystem::path directory, std::string command)
    : m_directory(std::move(directory))
    , m_command(std::move(command))
{
}

std::filesystem::path XdgAutostartLoginItems::defaultDirectory()
{
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
        return std::filesystem::path(config) / "autostart";
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home ? home : ".") / ".config" / "autostart";
}

std::filesystem::path XdgAutostartLoginItems::entryPath(const std::string& identifier) const
{
    return m_directory / (identifier + kEntrySuffix);
}

bool XdgAutostartLoginItems::setEnabled(const std::string& identifier, bool enabled)
{
    std::error_code error;
    const auto path = entryPath(identifier);
    if (!enabled) {
        std::filesystem::remove(path, error);
        return !error;
    }
    std::filesystem::create_directories(m_directory, error);
    if (error)
        return false;
    auto temporary = path;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::trunc);
        out << "[Desktop Entry]\n"
            << "Type=Application\n"
            << "Name=" << kApplicationName << "\n"
            << "Exec=" << quotedCommand(m_command) << "\n"
            << "X-GNOME-Autostart-enabled=true\n";
        out.flush();
        if (!out) {
            std::filesystem::remove(temporary, error);
            return false;
        }
    }
    std::filesystem::rename(temporary, path, error);
    return !error;
}

bool XdgAutostartLoginItems::isEnabled(const std::string& identifier) const
{
    std::ifstream in(entryPath(identifier));
    if (!in)
        return false;
    std::string line;
    while (std::getline(in, line)) {
        const std::string entry = trimmed(line);
        if (entry == kHiddenLine || entry == kSwitchedOffLine)
            return false;
    }
    return true;
}
