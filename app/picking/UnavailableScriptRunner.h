#pragma once

#include "app/picking/ScriptRunner.h"

// This system has no AppleScript: nothing is ever run or probed.
class UnavailableScriptRunner final : public ScriptRunner {
public:
    static constexpr const char* kName = "osascript";

    std::string name() const override { return kName; }
    bool isAvailable() const override { return false; }
    bool isApplicationInstalled(const std::string&) override { return false; }
    bool execute(const std::string&) override { return false; }
};
