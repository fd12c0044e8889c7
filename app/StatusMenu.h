#pragma once

#include <cstdint>
#include <vector>

// The status item and its menu, as the settings drive them.
class StatusMenu {
public:
    enum class Entry { PickColor, ColorsAndFormats };

    virtual ~StatusMenu() = default;
    // The status image follows the menu-bar icon setting.
    virtual void refreshStatusImage() = 0;
    // The entry's key equivalent from an archived shortcut; none when it does not
    // unarchive.
    virtual void setShortcut(Entry entry, const std::vector<std::uint8_t>& archivedShortcut) = 0;
};
