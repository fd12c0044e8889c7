#pragma once

#include "foundation/Dictionary.h"

#include <string>
#include <vector>

// Reads the options of command-line mode ("cf:m:d:?" and their long names) into the
// command-line settings. Parsing goes on after an error; the last error's message is
// kept. Safe to run more than once in a process.
class CommandLineParser final {
public:
    explicit CommandLineParser(std::vector<std::string> clipboardFormatNames);

    // Reorders argv as getopt_long does.
    void parse(int argc, char** argv);

    const Dictionary& settings() const { return m_settings; }
    bool hasError() const { return m_hasError; }
    // True when every error was a request for help.
    bool onlyHelpRequested() const { return m_hasError && !m_hasOptionError; }
    // "" when no error brought a message of its own.
    const std::string& errorMessage() const { return m_errorMessage; }

private:
    void readFormat(const char* argument);
    void readRange(const char* argument, int lowest, int highest, const char* key, const char* message);
    void markError(bool isHelp);

    std::vector<std::string> m_clipboardFormatNames;
    Dictionary m_settings;
    std::string m_errorMessage;
    bool m_hasError = false;
    bool m_hasOptionError = false;
};
