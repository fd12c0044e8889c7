#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The status item and its menu.
class StatusMenu {
public:
    enum class Entry { PickColor, ColorsAndFormats };

    virtual ~StatusMenu() = default;
    // The status image follows the menu-bar icon setting.
    virtual void refreshStatusImage() = 0;
    // The entry's key equivalent from an archived shortcut; none when it does not
    // unarchive.
    virtual void setShortcut(Entry entry, const std::vector<std::uint8_t>& archivedShortcut) = 0;
    // Builds the colour entries of the menu; once.
    virtual void initMenulet() = 0;
    // Creates the status item; once.
    virtual void createMenuletItem() = 0;
    // A click on the status item opens the welcome tour, or the menu.
    virtual void attachWelcome() = 0;
    virtual void attachMenu() = 0;
    // Fills the colour entries; Option swaps history and favourites.
    virtual void updateMenulet(bool optionHeld) = 0;
    virtual bool isOpen() const = 0;
    // The pick entry's title as the menu shows it.
    virtual std::string pickColorMenuItemTitle() const = 0;
};
