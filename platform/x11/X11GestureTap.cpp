#include "platform/x11/X11GestureTap.h"

#include "platform/x11/X11Connection.h"
#include "platform/x11/X11ModifierTap.h"
#include "platform/x11/X11Reply.h"

#include <xcb/xinput.h>

namespace {

double fromFixed(xcb_input_fp1616_t value)
{
    return value / 65536.0;
}

} // namespace

X11GestureTap::X11GestureTap(X11Connection& connection, EventTaps::GestureHandler handler)
    : m_connection(connection)
    , m_handler(std::move(handler))
{
    xcb_connection_t* c = connection.connection();
    const auto opcode = connection.majorOpcode(&xcb_input_id);
    if (!opcode)
        return;
    const auto version = adoptReply(xcb_input_xi_query_version_reply(
        c, xcb_input_xi_query_version(c, XCB_INPUT_MAJOR_VERSION, XCB_INPUT_MINOR_VERSION), nullptr));
    if (!version || version->major_version < 2 || (version->major_version == 2 && version->minor_version < 4))
        return;
    struct {
        xcb_input_event_mask_t head;
        std::uint32_t bits;
    } mask {{XCB_INPUT_DEVICE_ALL_MASTER, 1},
            (1u << XCB_INPUT_GESTURE_PINCH_BEGIN) | (1u << XCB_INPUT_GESTURE_PINCH_UPDATE)
                | (1u << XCB_INPUT_GESTURE_PINCH_END)};
    if (!connection.check(xcb_input_xi_select_events_checked(c, connection.root(), 1, &mask.head)))
        return;
    m_valid = true;

    const std::uint8_t extension = *opcode;
    m_handlerId = connection.addEventHandler([this, extension](const xcb_generic_event_t* event) {
        if ((event->response_type & 0x7f) != XCB_GE_GENERIC)
            return;
        const auto* pinch = reinterpret_cast<const xcb_input_gesture_pinch_begin_event_t*>(event);
        if (pinch->extension == extension)
            handle(pinch->event_type, fromFixed(pinch->scale), fromFixed(pinch->delta_angle),
                   X11ModifierTap::modifierFlags(static_cast<std::uint8_t>(pinch->mods.effective)));
    });
}

X11GestureTap::~X11GestureTap()
{
    if (m_handlerId)
        m_connection.removeEventHandler(m_handlerId);
}

void X11GestureTap::handle(std::uint16_t eventType, double scale, double deltaAngle, unsigned long modifierFlags)
{
    if (!m_enabled)
        return;
    switch (eventType) {
    case XCB_INPUT_GESTURE_PINCH_BEGIN:
        m_lastScale = 1.0;
        m_handler({GestureEvent::BeginGesture, 0, 0, modifierFlags});
        break;
    case XCB_INPUT_GESTURE_PINCH_UPDATE:
        // XInput reports the scale since the gesture began; magnify events carry the
        // change since the previous one.
        if (m_lastScale > 0)
            m_handler({GestureEvent::Magnify, scale / m_lastScale - 1.0, 0, modifierFlags});
        m_lastScale = scale;
        // XInput turns clockwise; rotation events turn anticlockwise.
        if (deltaAngle != 0)
            m_handler({GestureEvent::Rotate, 0, -deltaAngle, modifierFlags});
        break;
    case XCB_INPUT_GESTURE_PINCH_END:
        m_handler({GestureEvent::EndGesture, 0, 0, modifierFlags});
        break;
    default:
        break;
    }
}
