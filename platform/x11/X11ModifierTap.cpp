#include "platform/x11/X11ModifierTap.h"

#include "platform/ModifierFlags.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Reply.h"

// xkb.h names a field "explicit", which C++ reserves.
#define explicit xcb_explicit
#include <xcb/xkb.h>
#undef explicit

X11ModifierTap::X11ModifierTap(X11Connection& connection, EventTaps::ModifierHandler handler)
    : m_connection(connection)
    , m_handler(std::move(handler))
{
    xcb_connection_t* c = connection.connection();
    const auto xkbEvent = connection.firstEvent(&xcb_xkb_id);
    if (!xkbEvent)
        return;
    const auto use = adoptReply(xcb_xkb_use_extension_reply(
        c, xcb_xkb_use_extension(c, XCB_XKB_MAJOR_VERSION, XCB_XKB_MINOR_VERSION), nullptr));
    if (!use || !use->supported)
        return;
    const auto selected = xcb_xkb_select_events_checked(c, XCB_XKB_ID_USE_CORE_KBD, XCB_XKB_EVENT_TYPE_STATE_NOTIFY, 0,
                                                        XCB_XKB_EVENT_TYPE_STATE_NOTIFY, 0, 0, nullptr);
    if (!connection.check(selected))
        return;
    const auto state = adoptReply(xcb_xkb_get_state_reply(c, xcb_xkb_get_state(c, XCB_XKB_ID_USE_CORE_KBD), nullptr));
    if (state)
        m_last = modifierFlags(state->mods);
    m_valid = true;

    const std::uint8_t type = *xkbEvent;
    m_handlerId = connection.addEventHandler([this, type](const xcb_generic_event_t* event) {
        const auto* notify = reinterpret_cast<const xcb_xkb_state_notify_event_t*>(event);
        if ((event->response_type & 0x7f) != type || notify->xkbType != XCB_XKB_STATE_NOTIFY)
            return;
        const unsigned long flags = modifierFlags(notify->mods);
        if (flags == m_last)
            return;
        m_last = flags;
        if (m_enabled)
            m_handler(ModifierFlagsEvent {flags});
    });
}

X11ModifierTap::~X11ModifierTap()
{
    if (m_handlerId)
        m_connection.removeEventHandler(m_handlerId);
}

unsigned long X11ModifierTap::modifierFlags(std::uint8_t xkbModifiers)
{
    unsigned long flags = 0;
    if (xkbModifiers & XCB_MOD_MASK_SHIFT)
        flags |= modifierflags::kShift;
    if (xkbModifiers & XCB_MOD_MASK_LOCK)
        flags |= modifierflags::kCapsLock;
    if (xkbModifiers & XCB_MOD_MASK_CONTROL)
        flags |= modifierflags::kControl;
    if (xkbModifiers & XCB_MOD_MASK_1)
        flags |= modifierflags::kOption;
    if (xkbModifiers & XCB_MOD_MASK_4)
        flags |= modifierflags::kCommand;
    return flags;
}
