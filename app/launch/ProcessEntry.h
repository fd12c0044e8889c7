#pragma once

#include "formats/QVFormatDefinition.h"

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

// The process entry: decides between the menu-bar application and command-line
// mode, leaves the process-wide command-line flag and settings behind, and ends
// option errors with the usage text.
class ProcessEntry final {
public:
    using ApplicationEntry = std::function<int(int argc, char** argv)>;
    // Every export format, of which the clipboard ones can be chosen; read only when
    // options are given, as most starts have none.
    using FormatSource = std::function<QVFormatList()>;

    static constexpr const char* kCLIArgument = "cli";
    static constexpr int kHelpStatus = 0;
    static constexpr int kOptionErrorStatus = 2;
    static constexpr int kOutputFailedStatus = 1;

    ProcessEntry(FormatSource formats, ApplicationEntry applicationEntry, std::ostream& output);

    int run(int argc, char** argv);

    // Whether any argument, the program path included, is "cli".
    static bool isCommandLine(int argc, char** argv);
    // Whether any argument after the program path looks like an option.
    static bool hasOptions(int argc, char** argv);

    static std::vector<std::string> clipboardFormatNames(const QVFormatList& formats);
    static std::string usageText(const std::string& errorMessage, const std::vector<std::string>& formatNames);

private:
    FormatSource m_formats;
    ApplicationEntry m_applicationEntry;
    std::ostream& m_output;
};
