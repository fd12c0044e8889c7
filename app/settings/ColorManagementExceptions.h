#pragma once

#include <QRegularExpression>

#include <string>
#include <vector>

// The applications whose pixels are read without colour conversion: plain names,
// and "/expression/" entries, which are compiled once here. Expressions run on
// PCRE2, whose matcher keeps its state off the stack and gives up after a bounded
// amount of work: a window's class name can be megabytes long, and a pattern can
// backtrack badly.
class ColorManagementExceptions final {
public:
    ColorManagementExceptions() = default;
    // Splits the entries into names and expressions; an expression that does not
    // compile is dropped with a log line.
    explicit ColorManagementExceptions(const std::vector<std::string>& entries);

    const std::vector<std::string>& appNames() const { return m_names; }
    // The sources of the compiled expressions, without their slashes.
    const std::vector<std::string>& appNamePatterns() const { return m_patternSources; }

    // The name is listed exactly, or an expression matches somewhere in it. An
    // expression that gives up counts as not matching.
    bool contains(const std::string& appName) const;

private:
    std::vector<std::string> m_names;
    std::vector<std::string> m_patternSources;
    std::vector<QRegularExpression> m_patterns;
};
