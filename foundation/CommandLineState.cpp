#include "CommandLineState.h"

namespace commandline {
namespace {

bool g_cliMode = false;

Dictionary& storedSettings()
{
    static Dictionary settings;
    return settings;
}

} // namespace

bool isCLIMode()
{
    return g_cliMode;
}

void setCLIMode(bool on)
{
    g_cliMode = on;
}

const Dictionary& settings()
{
    return storedSettings();
}

void setSettings(Dictionary settings)
{
    storedSettings() = std::move(settings);
}

} // namespace commandline
