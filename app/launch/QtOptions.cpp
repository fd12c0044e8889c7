#include "app/launch/QtOptions.h"

#include <algorithm>
#include <array>

namespace {

// As QGuiApplication, QApplication and the X11 platform document them.
constexpr std::array<std::string_view, 12> kWithValue = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowicon",
    "qwindowtitle", "session", "display", "geometry", "style", "stylesheet",
};
constexpr std::array<std::string_view, 2> kWithoutValue = {"reverse", "widgetcount"};
// Taken only with its value attached: "-qmljsdebugger=port:1234".
constexpr std::array<std::string_view, 3> kWithAttachedValue = {"qmljsdebugger", "style", "stylesheet"};

template <std::size_t N>
bool contains(const std::array<std::string_view, N>& names, std::string_view name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

QtOptions::QtOptions(int argc, char** argv)
{
    if (argc > 0)
        m_programArguments.push_back(argv[0]);
    for (int i = 1; i < argc; ++i) {
        std::string_view argument(argv[i]);
        if (argument.size() < 2 || argument[0] != '-') {
            m_programArguments.push_back(argv[i]);
            continue;
        }
        argument.remove_prefix(argument[1] == '-' ? 2 : 1);
        const std::size_t equals = argument.find('=');
        if (equals != std::string_view::npos && contains(kWithAttachedValue, argument.substr(0, equals))) {
            m_options.push_back({std::string(argument.substr(0, equals)), std::string(argument.substr(equals + 1))});
        } else if (contains(kWithValue, argument)) {
            // Qt takes an option that lacks its value at the end as nothing at all.
            if (i + 1 < argc)
                m_options.push_back({std::string(argument), std::string(argv[++i])});
        } else if (contains(kWithoutValue, argument)) {
            m_options.push_back({std::string(argument), std::nullopt});
        } else {
            m_programArguments.push_back(argv[i]);
        }
    }
    m_programArguments.push_back(nullptr);
}

std::optional<std::string> QtOptions::value(std::string_view name) const
{
    const auto found = std::find_if(m_options.rbegin(), m_options.rend(),
                                    [name](const Option& option) { return option.name == name && option.value; });
    return found == m_options.rend() ? std::nullopt : found->value;
}
