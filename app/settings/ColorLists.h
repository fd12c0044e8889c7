#pragma once

#include "formats/color/Color.h"
#include "foundation/Value.h"

#include <cstddef>
#include <string>
#include <vector>

// The picked colours (newest first) and the favourites, in memory, with the limits
// they are loaded with and the form they are stored in.
class ColorLists final {
public:
    static constexpr std::size_t kHistoryLimit = 100;
    static constexpr std::size_t kFavoritesLimit = 150;

    const std::vector<Color>& historyColors() const { return m_history; }
    const std::vector<Color>& favoriteColors() const { return m_favorites; }
    void setHistoryColors(std::vector<Color> colors) { m_history = std::move(colors); }
    // The history as the settings hold it. Picks not saved yet are put back on top of
    // it, oldest first, unless it already is the history in memory.
    void loadHistoryColors(std::vector<Color> colors);
    // The settings file holds every pick so far.
    void historySaved() { m_unsavedPicks.clear(); }
    std::size_t unsavedPickCount() const { return m_unsavedPicks.size(); }
    void setFavoriteColors(std::vector<Color> colors) { m_favorites = std::move(colors); }
    bool hasHistoryColors() const { return !m_history.empty(); }

    // Puts the colour first, keeping at most kHistoryLimit. false, and nothing
    // changes, when it equals the newest entry at 8 bits per channel. The colour is
    // kept as a pick until historySaved().
    bool addColor(const Color& color);
    // Equal at 8 bits per channel, alpha included, to any favourite.
    bool isFavoriteColor(const Color& color) const;

    // The colours of stored hex strings, in order, until `limit` were read. Entries
    // that are not hex colours are skipped with a log line naming `key` (the first
    // few each, then a count).
    static std::vector<Color> colorsFromHexStrings(const std::vector<Value>& entries, std::size_t limit,
                                                   const std::string& key);
    // The stored form: "RRGGBBAA" strings in list order.
    static Value hexStrings(const std::vector<Color>& colors);

private:
    bool putFirst(const Color& color);

    std::vector<Color> m_history;
    // Oldest first, at most kHistoryLimit.
    std::vector<Color> m_unsavedPicks;
    std::vector<Color> m_favorites;
};
