#include "app/launch/ProgramExec.h"

#include <cerrno>
#include <cstring>
#include <iostream>
#include <system_error>
#include <unistd.h>

int ProgramExec::run(char** argv)
{
    const std::filesystem::path program = programPath();
    execv(program.c_str(), argv);
    std::cerr << "vendrel: cannot start " << program.string() << ": " << std::strerror(errno) << "\n";
    return kMissingProgramStatus;
}

std::filesystem::path ProgramExec::programPath()
{
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return (ec ? std::filesystem::path() : self.parent_path()) / kProgramName;
}
