#pragma once

#include <filesystem>

// Hands the process over to the full program, which lies beside the running one, with
// the same arguments and environment. The command-line front end answers usage and
// option errors itself, so that they never load the windowing libraries.
class ProgramExec final {
public:
    static constexpr const char* kProgramName = "vendrel-app";
    static constexpr int kMissingProgramStatus = 1;

    // Returns only when the program cannot start.
    static int run(char** argv);
    static std::filesystem::path programPath();
};
