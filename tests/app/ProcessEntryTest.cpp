#include "app/launch/ProcessEntry.h"

#include "app/launch/QtOptions.h"
#include "foundation/CommandLineState.h"
#include "foundation/Log.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

constexpr int kApplicationStatus = 7;

QVFormatDefinition format(const std::string& name, const std::string& target = "clipboard")
{
    return QVFormatDefinition(Dictionary{{"name", Value(name)}, {"group", Value("g")}, {"target", Value(target)}});
}

const QVFormatList kFormats{format("HEX"), format("CSS RGB"), format("Illustrator", "applescript"), format("Swift UIColor")};

struct Outcome {
    int status = -1;
    std::string output;
    bool applicationStarted = false;
};

// Runs the entry as the process would, with "vendrel" as the program path.
Outcome run(std::vector<std::string> arguments, const QVFormatList& formats = kFormats)
{
    arguments.insert(arguments.begin(), "vendrel");
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    Outcome result;
    std::ostringstream output;
    ProcessEntry entry([&formats] { return formats; }, [&result](int, char**) {
        result.applicationStarted = true;
        return kApplicationStatus;
    }, output);
    result.status = entry.run(static_cast<int>(arguments.size()), argv.data());
    result.output = output.str();
    return result;
}

std::string usage(const std::string& message, const std::string& formats = "HEX, CSS RGB, Swift UIColor",
                  const std::string& example = "CSS RGB")
{
    return "\nVendrel2\n" + message +
           "\nUsage:\tVendrel [cli [-f <format>] [-m <magnification>] [-d <loupe diameter>]] \n"
           "\n"
           "cli\tStart in command-line output mode\n"
           "\n"
           "-m\tSpecify amount of loupe magnification (--magnification)\n"
           "-d\tSpecify loupe diameter (--diameter)\n"
           "-f\tSpecify format of selected color output (--format) \n"
           "\n"
           "\tThe following formats are available:\n"
           "\t" + formats + "\n"
           "\n"
           "\n"
           "Example:\n"
           "\tVendrel cli --format \"" + example + "\" -m 5\n"
           "\n";
}

class ProcessEntryTest : public testing::Test {
protected:
    void TearDown() override
    {
        commandline::setCLIMode(false);
        commandline::setSettings(Dictionary());
    }
};

TEST_F(ProcessEntryTest, WithoutCliTheOptionsAreNotReadAndTheApplicationStarts)
{
    commandline::setCLIMode(true);
    commandline::setSettings(Dictionary{{"captureValue", Value::integer(30)}});
    const Outcome result = run({"-m", "16", "--bogus"});
    EXPECT_TRUE(result.applicationStarted);
    EXPECT_EQ(result.status, kApplicationStatus);
    EXPECT_EQ(result.output, "");
    EXPECT_FALSE(commandline::isCLIMode());
    EXPECT_TRUE(commandline::settings().empty());
}

TEST_F(ProcessEntryTest, CliAloneStartsCommandLineModeWithNoSettings)
{
    const Outcome result = run({"cli"});
    EXPECT_TRUE(result.applicationStarted);
    EXPECT_EQ(result.output, "");
    EXPECT_TRUE(commandline::isCLIMode());
    EXPECT_TRUE(commandline::settings().empty());
}

TEST_F(ProcessEntryTest, TheFormatListIsReadOnlyWhenOptionsAreGiven)
{
    int reads = 0;
    std::ostringstream output;
    ProcessEntry entry([&reads] { ++reads; return kFormats; }, [](int, char**) { return 0; }, output);
    std::string program = "vendrel", cli = "cli", dash = "-", format = "-fHEX";
    char* plain[] = {program.data(), nullptr};
    char* cliAlone[] = {program.data(), cli.data(), dash.data(), nullptr};
    char* withOption[] = {program.data(), cli.data(), format.data(), nullptr};
    entry.run(1, plain);
    entry.run(3, cliAlone);
    EXPECT_EQ(reads, 0);
    EXPECT_TRUE(commandline::isCLIMode());
    entry.run(3, withOption);
    EXPECT_EQ(reads, 1);
    EXPECT_EQ(commandline::settings().get("exportFormat"), Value(std::string_view("HEX")));
}

TEST_F(ProcessEntryTest, CliIsFoundAnywhereEvenAsTheProgramPath)
{
    std::string program = "cli";
    std::string option = "-m5";
    char* argv[] = {program.data(), option.data(), nullptr};
    std::ostringstream output;
    ProcessEntry entry([] { return kFormats; }, [](int, char**) { return 0; }, output);
    EXPECT_EQ(entry.run(2, argv), 0);
    EXPECT_TRUE(commandline::isCLIMode());
    EXPECT_EQ(commandline::settings().get("magnificationValue"), Value::integer(5));
}

TEST_F(ProcessEntryTest, ValidOptionsFillTheSettings)
{
    const Outcome result = run({"-f", "Swift UIColor", "cli", "--magnification=15", "--diameter", "21"});
    EXPECT_TRUE(result.applicationStarted);
    EXPECT_EQ(result.output, "");
    EXPECT_EQ(commandline::settings(), (Dictionary{{"exportFormat", Value("Swift UIColor")},
                                                   {"magnificationValue", Value::integer(15)},
                                                   {"captureValue", Value::integer(21)}}));
}

TEST_F(ProcessEntryTest, NumbersAreReadLikeAtoi)
{
    run({"cli", "-m", " +5x", "-d", "\t100.9"});
    EXPECT_EQ(commandline::settings().get("magnificationValue"), Value::integer(5));
    EXPECT_EQ(commandline::settings().get("captureValue"), Value::integer(100));
}

struct OptionError {
    const char* title;
    std::vector<std::string> arguments;
    std::string message;
    int status;
};

class ProcessEntryOptionError : public ProcessEntryTest, public testing::WithParamInterface<OptionError> {};

TEST_P(ProcessEntryOptionError, PrintsTheUsageTextAndEnds)
{
    const Outcome result = run(GetParam().arguments);
    EXPECT_FALSE(result.applicationStarted);
    EXPECT_EQ(result.status, GetParam().status);
    EXPECT_EQ(result.output, usage(GetParam().message));
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, ProcessEntryOptionError,
    testing::Values(
        OptionError{"MagnificationTooHigh", {"cli", "-m", "16"}, "\nError:\tMagnification (16) must be between 2 and 15\n", 2},
        OptionError{"MagnificationTooLow", {"cli", "--magnification", "1"}, "\nError:\tMagnification (1) must be between 2 and 15\n", 2},
        OptionError{"DiameterTooSmall", {"cli", "-d", "20"}, "\nError:\tDiameter (20) must be between 21 and 100\n", 2},
        OptionError{"DiameterTooLarge", {"cli", "-d101"}, "\nError:\tDiameter (101) must be between 21 and 100\n", 2},
        OptionError{"NotANumber", {"cli", "-m", "x"}, "\nError:\tMagnification (0) must be between 2 and 15\n", 2},
        OptionError{"HugeNumberIsClamped", {"cli", "-m", "99999999999999999999"},
                    "\nError:\tMagnification (2147483647) must be between 2 and 15\n", 2},
        OptionError{"HugeNegativeNumberIsClamped", {"cli", "-d", "-4294967296"},
                    "\nError:\tDiameter (-2147483648) must be between 21 and 100\n", 2},
        OptionError{"UnknownFormat", {"cli", "-f", "hex"}, "\nError:\tFormat \"hex\" not recognised!\n", 2},
        OptionError{"AppleScriptFormat", {"cli", "--format", "Illustrator"}, "\nError:\tFormat \"Illustrator\" not recognised!\n", 2},
        OptionError{"FormatWithPercentSigns", {"cli", "-f", "%s%d%n"}, "\nError:\tFormat \"%s%d%n\" not recognised!\n", 2},
        OptionError{"OnlyTheLastMessageIsKept", {"cli", "-m", "16", "-d", "5"}, "\nError:\tDiameter (5) must be between 21 and 100\n", 2},
        OptionError{"LaterValidOptionKeepsTheError", {"cli", "-m", "16", "-m", "5"},
                    "\nError:\tMagnification (16) must be between 2 and 15\n", 2},
        OptionError{"LongHelp", {"cli", "--help"}, "", 0},
        OptionError{"ShortHelp", {"cli", "-?"}, "", 0},
        OptionError{"HelpInsideACluster", {"-?c", "cli"}, "", 2},
        OptionError{"HelpTwiceInACluster", {"cli", "-??"}, "", 0},
        OptionError{"OptionC", {"cli", "-c"}, "", 2},
        OptionError{"UnknownShortOption", {"cli", "-x"}, "", 2},
        OptionError{"UnknownLongOption", {"cli", "--colour"}, "", 2},
        OptionError{"HelpWithAnArgument", {"cli", "--help=yes"}, "", 2},
        OptionError{"MissingArgument", {"cli", "-m"}, "", 2},
        OptionError{"HelpAfterABadValue", {"cli", "-m", "16", "--help"},
                    "\nError:\tMagnification (16) must be between 2 and 15\n", 2},
        OptionError{"HelpBeforeAValidValue", {"cli", "-?", "-m", "5"}, "", 0}),
    [](const testing::TestParamInfo<OptionError>& info) { return std::string(info.param.title); });

TEST_F(ProcessEntryTest, ParsesAgainAfterAnError)
{
    EXPECT_EQ(run({"cli", "-c", "-m", "16"}).status, 2);
    const Outcome second = run({"cli", "-m", "3"});
    EXPECT_TRUE(second.applicationStarted);
    EXPECT_EQ(commandline::settings(), (Dictionary{{"magnificationValue", Value::integer(3)}}));
}

TEST_F(ProcessEntryTest, UsageExampleFallsBackWhenFewerThanTwoClipboardFormats)
{
    EXPECT_EQ(run({"cli", "-?"}, {format("Only"), format("Script", "applescript")}).output, usage("", "Only", "Only"));
    EXPECT_EQ(run({"cli", "-?"}, {}).output, usage("", "", "HEX"));
}

// Qt's options and their values belong to Qt: they are neither "cli" nor our options.
TEST_F(ProcessEntryTest, QtsOwnOptionsArePassedOnUntouched)
{
    const Outcome plain = run({"-platform", "offscreen", "--display", ":1", "-reverse"});
    EXPECT_TRUE(plain.applicationStarted);
    EXPECT_FALSE(commandline::isCLIMode());

    const Outcome title = run({"-qwindowtitle", "cli"});
    EXPECT_TRUE(title.applicationStarted);
    EXPECT_FALSE(commandline::isCLIMode());

    const Outcome pick = run({"cli", "-display", ":1", "-m", "5", "--style=Fusion", "-platform", "xcb"});
    EXPECT_TRUE(pick.applicationStarted);
    EXPECT_EQ(pick.output, "");
    EXPECT_EQ(commandline::settings(), (Dictionary{{"magnificationValue", Value::integer(5)}}));
}

TEST(QtOptions, TheLastValueCountsWithOneOrTwoDashesAndAMissingValueIsDropped)
{
    std::vector<std::string> arguments{"vendrel", "-display", ":1", "cli", "--display", ":2", "-m", "5", "-platform"};
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    const QtOptions options(static_cast<int>(argv.size()), argv.data());
    EXPECT_EQ(options.value("display"), ":2");
    EXPECT_EQ(options.value("platform"), std::nullopt);
    std::vector<std::string> own;
    for (char* argument : options.programArguments()) {
        if (argument)
            own.emplace_back(argument);
    }
    EXPECT_EQ(own, (std::vector<std::string>{"vendrel", "cli", "-m", "5"}));
}

// As a pick to a full or closed output: it says it could not print and fails.
TEST_F(ProcessEntryTest, UsageTextThatCannotBeWrittenIsReportedAndFails)
{
    std::ostream closed(nullptr);
    ProcessEntry entry([] { return kFormats; }, [](int, char**) { return 0; }, closed);
    std::string program = "vendrel", cli = "cli", help = "--help", bad = "-m99";
    char* helpArguments[] = {program.data(), cli.data(), help.data(), nullptr};
    char* badArguments[] = {program.data(), cli.data(), bad.data(), nullptr};
    logging::Capture log;
    EXPECT_EQ(entry.run(3, helpArguments), 1);
    EXPECT_TRUE(log.contains("Could not write the usage text to the standard output"));
    EXPECT_EQ(entry.run(3, badArguments), 2);
}

TEST(ProcessEntry, ClipboardFormatNamesKeepListOrder)
{
    EXPECT_EQ(ProcessEntry::clipboardFormatNames(kFormats), (std::vector<std::string>{"HEX", "CSS RGB", "Swift UIColor"}));
}

} // namespace
