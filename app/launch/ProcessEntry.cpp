#include "ProcessEntry.h"

#include "app/launch/CommandLineParser.h"
#include "app/launch/QtOptions.h"
#include "formats/QVFormatTarget.h"
#include "foundation/CommandLineState.h"
#include "foundation/Log.h"
#include "foundation/StringUtils.h"

#include <algorithm>
#include <ostream>

namespace {

constexpr const char* kUsage =
    "\nVendrel2\n%@\nUsage:\tVendrel [cli [-f <format>] [-m <magnification>] [-d <loupe diameter>]] \n\n"
    "cli\tStart in command-line output mode\n\n"
    "-m\tSpecify amount of loupe magnification (--magnification)\n"
    "-d\tSpecify loupe diameter (--diameter)\n"
    "-f\tSpecify format of selected color output (--format) \n\n"
    "\tThe following formats are available:\n\t%@\n\n\n"
    "Example:\n\tVendrel cli --format \"%@\" -m 5\n";
constexpr const char* kFormatNameSeparator = ", ";
constexpr const char* kOutputFailedLog = "Could not write the usage text to the standard output";
// Named in the example when no clipboard format exists at all.
constexpr const char* kFallbackExampleFormat = "HEX";

std::string exampleFormat(const std::vector<std::string>& names)
{
    if (names.size() >= 2)
        return names[1];
    return names.empty() ? kFallbackExampleFormat : names.front();
}

} // namespace

ProcessEntry::ProcessEntry(FormatSource formats, ApplicationEntry applicationEntry, std::ostream& output)
    : m_formats(std::move(formats))
    , m_applicationEntry(std::move(applicationEntry))
    , m_output(output)
{
}

int ProcessEntry::run(int argc, char** argv)
{
    commandline::setCLIMode(false);
    commandline::setSettings(Dictionary());

    // Qt's own options and their values are Qt's; the application object reads them.
    std::vector<char*> own = QtOptions(argc, argv).programArguments();
    const int ownCount = static_cast<int>(own.size()) - 1;
    if (isCommandLine(ownCount, own.data())) {
        commandline::setCLIMode(true);
        if (!hasOptions(ownCount, own.data()))
            return m_applicationEntry(argc, argv);
        const std::vector<std::string> names = clipboardFormatNames(m_formats());
        CommandLineParser parser(names);
        parser.parse(ownCount, own.data());
        commandline::setSettings(parser.settings());
        if (parser.hasError()) {
            m_output << usageText(parser.errorMessage(), names) << '\n' << std::flush;
            if (m_output.fail()) {
                // A closed or full output is no success.
                logging::log(kOutputFailedLog);
                return parser.onlyHelpRequested() ? kOutputFailedStatus : kOptionErrorStatus;
            }
            return parser.onlyHelpRequested() ? kHelpStatus : kOptionErrorStatus;
        }
    }
    return m_applicationEntry(argc, argv);
}

bool ProcessEntry::isCommandLine(int argc, char** argv)
{
    return std::find(argv, argv + argc, std::string_view(kCLIArgument)) != argv + argc;
}

bool ProcessEntry::hasOptions(int argc, char** argv)
{
    return std::any_of(argv + std::min(argc, 1), argv + argc,
                       [](const char* argument) { return argument[0] == '-' && argument[1] != '\0'; });
}

std::vector<std::string> ProcessEntry::clipboardFormatNames(const QVFormatList& formats)
{
    std::vector<std::string> names;
    for (const QVFormatDefinition& format : formats) {
        if (format.target() == QVFormatTarget::kClipboard)
            names.push_back(format.name());
    }
    return names;
}

std::string ProcessEntry::usageText(const std::string& errorMessage, const std::vector<std::string>& formatNames)
{
    return strings::format(kUsage, {Value(errorMessage), Value(strings::join(formatNames, kFormatNameSeparator)),
                                    Value(exampleFormat(formatNames))});
}
