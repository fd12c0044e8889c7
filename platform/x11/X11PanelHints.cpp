#include "platform/x11/X11PanelHints.h"

#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Reply.h"

#include <algorithm>
#include <vector>

namespace {

constexpr const char* kStateAtom = "_NET_WM_STATE";
constexpr const char* kSkipStates[] = {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"};
constexpr const char* kShadowAtom = "_COMPTON_SHADOW";
constexpr std::uint32_t kStateAdd = 1;
constexpr std::uint32_t kSourceApplication = 1;

} // namespace

X11PanelHints::X11PanelHints(X11Connection& connection)
    : m_connection(connection)
{
}

void X11PanelHints::markAsPanel(std::uint64_t id)
{
    xcb_connection_t* c = m_connection.connection();
    const auto window = static_cast<xcb_window_t>(id);
    const xcb_atom_t stateAtom = m_connection.atom(kStateAtom);

    const std::uint32_t noShadow = 0;
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, m_connection.atom(kShadowAtom), XCB_ATOM_CARDINAL, 32, 1,
                        &noShadow);

    // An unmapped window carries its states as a property, which Qt keeps when it maps
    // the window; a mapped one asks the window manager.
    std::vector<xcb_atom_t> states;
    if (const auto bytes = m_connection.property(window, stateAtom, XCB_ATOM_ATOM)) {
        states.resize(bytes->size() / sizeof(xcb_atom_t));
        std::copy_n(bytes->data(), states.size() * sizeof(xcb_atom_t), reinterpret_cast<std::uint8_t*>(states.data()));
    }
    for (const char* name : kSkipStates) {
        const xcb_atom_t state = m_connection.atom(name);
        if (std::find(states.begin(), states.end(), state) == states.end())
            states.push_back(state);
    }
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, stateAtom, XCB_ATOM_ATOM, 32,
                        static_cast<std::uint32_t>(states.size()), states.data());

    const auto attributes = adoptReply(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr));
    if (attributes && attributes->map_state != XCB_MAP_STATE_UNMAPPED) {
        m_connection.sendToWindowManager(window, stateAtom,
                                         {kStateAdd, m_connection.atom(kSkipStates[0]),
                                          m_connection.atom(kSkipStates[1]), kSourceApplication, 0});
    }
    xcb_flush(c);
}
