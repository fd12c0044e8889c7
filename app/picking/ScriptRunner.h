#pragma once

#include <string>

// Runs the scripts of "applescript" formats and finds the applications they address.
class ScriptRunner {
public:
    virtual ~ScriptRunner() = default;
    // The runner's name, as the log names it when it is missing.
    virtual std::string name() const = 0;
    virtual bool isAvailable() const = 0;
    virtual bool isApplicationInstalled(const std::string& bundleIdentifier) = 0;
    // true when the script ran and gave a result.
    virtual bool execute(const std::string& source) = 0;
};
