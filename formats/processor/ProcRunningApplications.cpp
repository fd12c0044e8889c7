#include "ProcRunningApplications.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <optional>
#include <system_error>

namespace {

constexpr const char* kCommandLineFile = "cmdline";

std::optional<long> processId(const std::string& name)
{
    long pid = 0;
    const auto result = std::from_chars(name.data(), name.data() + name.size(), pid);
    if (result.ec != std::errc() || result.ptr != name.data() + name.size())
        return std::nullopt;
    return pid;
}

// argv[0] without its folder; empty when the process has no command line.
std::string programName(const std::filesystem::path& processFolder)
{
    std::ifstream file(processFolder / kCommandLineFile, std::ios::binary);
    std::string program;
    std::getline(file, program, '\0');
    const auto slash = program.rfind('/');
    return slash == std::string::npos ? program : program.substr(slash + 1);
}

} // namespace

std::vector<std::string> ProcRunningApplications::names() const
{
    std::vector<std::pair<long, std::filesystem::path>> processes;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(m_procRoot, ec)) {
        if (const auto pid = processId(entry.path().filename().string()))
            processes.emplace_back(*pid, entry.path());
    }
    std::sort(processes.begin(), processes.end());

    std::vector<std::string> result;
    for (const auto& [pid, folder] : processes) {
        std::string name = programName(folder);
        if (!name.empty())
            result.push_back(std::move(name));
    }
    return result;
}
