#include "platform/x11/X11Connection.h"

#include "platform/x11/X11Reply.h"

#include <QAbstractEventDispatcher>
#include <QSocketNotifier>
#include <xcb/damage.h>
#include <xcb/randr.h>
#include <xcb/xfixes.h>
#include <xcb/xinput.h>
#include <xcb/xtest.h>

#include <algorithm>


X11Connection::X11Connection()
{
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem; ++i)
        xcb_screen_next(&screens);
    if (!screens.rem) {
        xcb_disconnect(connection);
        return;
    }
    m_connection = connection;
    m_screen = screens.data;
    // Asked for together: each would otherwise cost a round trip where first used.
    for (xcb_extension_t* extension : {&xcb_damage_id, &xcb_xfixes_id, &xcb_randr_id, &xcb_input_id, &xcb_test_id})
        xcb_prefetch_extension_data(m_connection, extension);

    const std::uint32_t rootMask = XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(m_connection, root(), XCB_CW_EVENT_MASK, &rootMask);
    xcb_flush(m_connection);

    m_notifier = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(m_connection), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &X11Connection::processEvents);
    // Replies can pull events off the socket without waking the notifier.
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &X11Connection::processEvents);
}

X11Connection::~X11Connection()
{
    m_notifier.reset();
    if (m_connection)
        xcb_disconnect(m_connection);
}

xcb_window_t X11Connection::root() const
{
    return m_screen ? m_screen->root : xcb_window_t(XCB_WINDOW_NONE);
}

xcb_atom_t X11Connection::atom(const std::string& name) const
{
    if (const auto found = m_atoms.find(name); found != m_atoms.end())
        return found->second;
    const auto cookie = xcb_intern_atom(m_connection, 0, static_cast<std::uint16_t>(name.size()), name.c_str());
    const auto reply = adoptReply(xcb_intern_atom_reply(m_connection, cookie, nullptr));
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    m_atoms.emplace(name, atom);
    return atom;
}

X11Connection::HandlerId X11Connection::addEventHandler(EventHandler handler)
{
    const HandlerId id = m_nextHandler++;
    m_handlers.emplace(id, std::move(handler));
    return id;
}

void X11Connection::removeEventHandler(HandlerId id)
{
    m_handlers.erase(id);
}

void X11Connection::sync()
{
    adoptReply(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    processEvents();
}

void X11Connection::processEvents()
{
    if (!m_connection)
        return;
    while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
        const auto owned = adoptReply(event);
        // Handlers may add or remove handlers; walk a copy, skipping the ones removed
        // meanwhile, whose owners may be gone.
        const auto handlers = m_handlers;
        for (const auto& [id, handler] : handlers) {
            if (m_handlers.contains(id))
                handler(event);
        }
    }
}

void X11Connection::sendToWindowManager(xcb_window_t window, xcb_atom_t type,
                                        const std::array<std::uint32_t, 5>& data) const
{
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = type;
    std::copy(data.begin(), data.end(), message.data.data32);
    xcb_send_event(m_connection, 0, root(), XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
}

bool X11Connection::check(xcb_void_cookie_t cookie) const
{
    const auto error = adoptReply(xcb_request_check(m_connection, cookie));
    return !error;
}

std::optional<std::vector<std::uint8_t>> X11Connection::property(xcb_window_t window, xcb_atom_t property,
                                                                  xcb_atom_t type) const
{
    constexpr std::uint32_t kMaxLongs = 1 << 20;
    const auto cookie = xcb_get_property(m_connection, 0, window, property, type, 0, kMaxLongs);
    const auto reply = adoptReply(xcb_get_property_reply(m_connection, cookie, nullptr));
    if (!reply || reply->type == XCB_ATOM_NONE || (type != XCB_ATOM_ANY && reply->type != type))
        return std::nullopt;
    const auto* bytes = static_cast<const std::uint8_t*>(xcb_get_property_value(reply.get()));
    return std::vector<std::uint8_t>(bytes, bytes + xcb_get_property_value_length(reply.get()));
}

std::optional<std::uint32_t> X11Connection::cardinalProperty(xcb_window_t window, xcb_atom_t property,
                                                             xcb_atom_t type) const
{
    const auto cookie = xcb_get_property(m_connection, 0, window, property, type, 0, 1);
    const auto reply = adoptReply(xcb_get_property_reply(m_connection, cookie, nullptr));
    if (!reply || reply->type != type || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4)
        return std::nullopt;
    return *static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
}

std::optional<std::uint8_t> X11Connection::firstEvent(xcb_extension_t* extension) const
{
    const xcb_query_extension_reply_t* data = xcb_get_extension_data(m_connection, extension);
    if (!data || !data->present)
        return std::nullopt;
    return data->first_event;
}

std::optional<std::uint8_t> X11Connection::majorOpcode(xcb_extension_t* extension) const
{
    const xcb_query_extension_reply_t* data = xcb_get_extension_data(m_connection, extension);
    if (!data || !data->present)
        return std::nullopt;
    return data->major_opcode;
}
