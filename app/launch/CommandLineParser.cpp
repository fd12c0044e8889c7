#include "CommandLineParser.h"

#include "app/settings/SettingsKey.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <getopt.h>

namespace {

constexpr const char* kShortOptions = "cf:m:d:?";
constexpr int kHelpIndex = 3;
const option kLongOptions[] = {
    {"format", required_argument, nullptr, 'f'},
    {"magnification", required_argument, nullptr, 'm'},
    {"diameter", required_argument, nullptr, 'd'},
    {"help", no_argument, nullptr, '?'},
    {nullptr, 0, nullptr, 0},
};

constexpr const char* kFormatError = "\nError:\tFormat \"%s\" not recognised!\n";
constexpr const char* kMagnificationError = "\nError:\tMagnification (%d) must be between 2 and 15\n";
constexpr const char* kDiameterError = "\nError:\tDiameter (%d) must be between 21 and 100\n";
constexpr int kLowestMagnification = 2;
constexpr int kHighestMagnification = 15;
constexpr int kLowestDiameter = 21;
constexpr int kHighestDiameter = 100;

template <class... Arguments>
std::string printed(const char* pattern, Arguments... arguments)
{
    const int size = std::snprintf(nullptr, 0, pattern, arguments...);
    std::string text(static_cast<std::size_t>(std::max(size, 0)), '\0');
    std::snprintf(text.data(), text.size() + 1, pattern, arguments...);
    return text;
}

// As atoi reads: leading white space, a sign, the digits up to the first other
// character; 0 without digits. Values beyond int are clamped instead of overflowing.
int readInteger(const char* text)
{
    while (std::isspace(static_cast<unsigned char>(*text)))
        ++text;
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+')
        ++text;
    constexpr long long limit = static_cast<long long>(INT_MAX) + 1;
    long long magnitude = 0;
    for (; std::isdigit(static_cast<unsigned char>(*text)); ++text)
        magnitude = std::min(magnitude * 10 + (*text - '0'), limit);
    const long long value = negative ? -magnitude : magnitude;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// getopt_long answers '?' for "-?" and for its errors alike, and says only through
// its hidden state which character of a cluster such as "-c?" it has just read. This
// follows the clusters the way glibc walks them to tell the two apart.
class ShortOptionCursor {
public:
    // The short option character getopt_long has just read, or 0 for a long option.
    char advance(int argc, char** argv, int optionIndexBefore)
    {
        if (!m_element) {
            // A new argument: the first option at or after where getopt stood; the
            // non-options it skipped stay in place until its next call.
            int index = std::max(optionIndexBefore, 1);
            while (index < argc && !isOption(argv[index]))
                ++index;
            if (index >= argc || argv[index][1] == '-')
                return 0;
            m_element = argv[index];
            m_next = 1;
        }
        const char read = m_element[m_next++];
        if (takesArgument(read) || m_element[m_next] == '\0')
            m_element = nullptr;
        return read;
    }

private:
    static bool isOption(const char* argument) { return argument[0] == '-' && argument[1] != '\0'; }
    static bool takesArgument(char option) { return option == 'f' || option == 'm' || option == 'd'; }

    const char* m_element = nullptr;
    std::size_t m_next = 0;
};

} // namespace

CommandLineParser::CommandLineParser(std::vector<std::string> clipboardFormatNames)
    : m_clipboardFormatNames(std::move(clipboardFormatNames))
{
}

void CommandLineParser::parse(int argc, char** argv)
{
    m_settings.clear();
    m_errorMessage.clear();
    m_hasError = false;
    m_hasOptionError = false;

    optind = 0; // makes glibc start a fresh scan
    ShortOptionCursor cursor;
    for (;;) {
        const int optionIndexBefore = optind;
        int longIndex = -1;
        const int option = getopt_long(argc, argv, kShortOptions, kLongOptions, &longIndex);
        if (option == -1)
            break;
        const char shortOption = longIndex == -1 ? cursor.advance(argc, argv, optionIndexBefore) : 0;
        switch (option) {
        case 'f':
            readFormat(optarg);
            break;
        case 'm':
            readRange(optarg, kLowestMagnification, kHighestMagnification, settingskeys::kMagnificationValue.name,
                      kMagnificationError);
            break;
        case 'd':
            readRange(optarg, kLowestDiameter, kHighestDiameter, settingskeys::kCaptureValue.name, kDiameterError);
            break;
        case '?':
            markError(longIndex == kHelpIndex || shortOption == '?');
            break;
        default:
            markError(false);
            break;
        }
    }
}

void CommandLineParser::readFormat(const char* argument)
{
    const std::string name = argument;
    if (std::find(m_clipboardFormatNames.begin(), m_clipboardFormatNames.end(), name) != m_clipboardFormatNames.end()) {
        m_settings.set(settingskeys::kExportFormat.name, Value(name));
        return;
    }
    m_errorMessage = printed(kFormatError, argument);
    markError(false);
}

void CommandLineParser::readRange(const char* argument, int lowest, int highest, const char* key, const char* message)
{
    const int value = readInteger(argument);
    if (value >= lowest && value <= highest) {
        m_settings.set(key, Value::integer(value));
        return;
    }
    m_errorMessage = printed(message, value);
    markError(false);
}

void CommandLineParser::markError(bool isHelp)
{
    m_hasError = true;
    if (!isHelp)
        m_hasOptionError = true;
}
