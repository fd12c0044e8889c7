#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The command-line options Qt reads for itself (`-platform offscreen`, `-display :1`,
// `--style=Fusion` ...), told apart from the program's own arguments as Qt parses
// them: one or two leading dashes, a value in the next argument or after "=".
class QtOptions final {
public:
    QtOptions(int argc, char** argv);

    // The arguments without Qt's options and their values; the program path stays first.
    std::vector<char*> programArguments() const { return m_programArguments; }
    // The value of the last occurrence of a Qt option ("platform", "display").
    std::optional<std::string> value(std::string_view name) const;

private:
    struct Option {
        std::string name;
        std::optional<std::string> value;
    };
    std::vector<char*> m_programArguments;
    std::vector<Option> m_options;
};
