#include "ColorLists.h"

#include "foundation/Log.h"
#include "foundation/StringUtils.h"

#include <algorithm>

namespace {

constexpr const char* kIgnoredColorLog = "Ignoring an entry of the setting \"%@\": %@ is not a colour";

bool sameColors(const std::vector<Color>& a, const std::vector<Color>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
        [](const Color& x, const Color& y) { return x.isSame32BitColorAs(y); });
}

} // namespace

bool ColorLists::addColor(const Color& color)
{
    if (!putFirst(color))
        return false;
    if (m_unsavedPicks.size() == kHistoryLimit)
        m_unsavedPicks.erase(m_unsavedPicks.begin());
    m_unsavedPicks.push_back(color);
    return true;
}

void ColorLists::loadHistoryColors(std::vector<Color> colors)
{
    if (sameColors(colors, m_history))
        return;
    m_history = std::move(colors);
    for (const Color& pick : m_unsavedPicks)
        putFirst(pick);
}

bool ColorLists::putFirst(const Color& color)
{
    if (!m_history.empty() && color.isSame32BitColorAs(m_history.front()))
        return false;
    std::vector<Color> history;
    history.reserve(std::min(m_history.size() + 1, kHistoryLimit));
    history.push_back(color);
    const std::size_t kept = std::min(m_history.size(), kHistoryLimit - 1);
    history.insert(history.end(), m_history.begin(), m_history.begin() + static_cast<std::ptrdiff_t>(kept));
    m_history = std::move(history);
    return true;
}

bool ColorLists::isFavoriteColor(const Color& color) const
{
    return std::any_of(m_favorites.begin(), m_favorites.end(),
        [&color](const Color& favorite) { return favorite.isSame32BitColorAs(color); });
}

std::vector<Color> ColorLists::colorsFromHexStrings(const std::vector<Value>& entries, std::size_t limit,
                                                    const std::string& key)
{
    std::vector<Color> colors;
    logging::LimitedRun ignored;
    for (const Value& entry : entries) {
        if (colors.size() >= limit)
            break;
        const std::string* text = entry.string();
        std::optional<Color> color = text ? Color::parseHexRGBA(*text) : std::nullopt;
        if (color)
            colors.push_back(*color);
        else
            ignored.log(strings::format(kIgnoredColorLog, {Value(key), entry}));
    }
    return colors;
}

Value ColorLists::hexStrings(const std::vector<Color>& colors)
{
    std::vector<Value> strings;
    strings.reserve(colors.size());
    for (const Color& color : colors)
        strings.emplace_back(color.getRGBAHexString());
    return Value(std::move(strings));
}
