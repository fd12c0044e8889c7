#pragma once

#include "platform/LoginItems.h"

#include <filesystem>

// Login items as XDG autostart entries: "<identifier>.desktop" in the autostart folder.
class XdgAutostartLoginItems final : public LoginItems {
public:
    // `command` is the program the entry starts.
    XdgAutostartLoginItems(std::filesystem::path directory, std::string command);
    // $XDG_CONFIG_HOME/autostart, or ~/.config/autostart.
    static std::filesystem::path defaultDirectory();

    bool setEnabled(const std::string& identifier, bool enabled) override;
    // An entry counts while it exists and is neither hidden nor switched off.
    bool isEnabled(const std::string& identifier) const override;

private:
    std::filesystem::path entryPath(const std::string& identifier) const;

    std::filesystem::path m_directory;
    std::string m_command;
};
