#pragma once

#include "RunningApplications.h"

#include <filesystem>

// Running processes read from /proc, in process-id order: the file name of each
// process's program. Kernel threads, which have no command line, are left out.
class ProcRunningApplications final : public RunningApplications {
public:
    explicit ProcRunningApplications(std::filesystem::path procRoot = "/proc") : m_procRoot(std::move(procRoot)) {}

    std::vector<std::string> names() const override;

private:
    std::filesystem::path m_procRoot;
};
