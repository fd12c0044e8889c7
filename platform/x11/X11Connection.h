#pragma once

#include <QObject>

#include <xcb/xcb.h>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QSocketNotifier;

// Our own connection to the X server, beside Qt's. Its events are read on the main
// thread whenever the socket has data or the event loop is about to wait.
class X11Connection final : public QObject {
    Q_OBJECT
public:
    using EventHandler = std::function<void(const xcb_generic_event_t*)>;
    using HandlerId = unsigned long;

    // Opens the display named by DISPLAY.
    X11Connection();
    ~X11Connection() override;

    bool isValid() const { return m_connection != nullptr; }
    xcb_connection_t* connection() const { return m_connection; }
    xcb_screen_t* screen() const { return m_screen; }
    xcb_window_t root() const;
    xcb_atom_t atom(const std::string& name) const;

    // Every event goes to every handler; each picks out its own kinds.
    HandlerId addEventHandler(EventHandler handler);
    void removeEventHandler(HandlerId id);
    // A round trip, then the events it brought are handled.
    void sync();
    void processEvents();
    // A client message about the window to the window manager, through the root window.
    void sendToWindowManager(xcb_window_t window, xcb_atom_t type, const std::array<std::uint32_t, 5>& data) const;
    // Waits for a checked request; false when the server answered with an error.
    bool check(xcb_void_cookie_t cookie) const;

    std::optional<std::vector<std::uint8_t>> property(xcb_window_t window, xcb_atom_t property, xcb_atom_t type) const;
    std::optional<std::uint32_t> cardinalProperty(xcb_window_t window, xcb_atom_t property, xcb_atom_t type) const;
    // The first event code of an extension, when the server has it.
    std::optional<std::uint8_t> firstEvent(xcb_extension_t* extension) const;
    std::optional<std::uint8_t> majorOpcode(xcb_extension_t* extension) const;

private:
    xcb_connection_t* m_connection = nullptr;
    xcb_screen_t* m_screen = nullptr;
    std::unique_ptr<QSocketNotifier> m_notifier;
    mutable std::map<std::string, xcb_atom_t> m_atoms;
    std::map<HandlerId, EventHandler> m_handlers;
    HandlerId m_nextHandler = 1;
};
