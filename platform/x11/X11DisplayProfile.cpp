#include "platform/x11/X11DisplayProfile.h"

#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Reply.h"

#include <limits>

namespace {

constexpr const char* kProfileAtom = "_ICC_PROFILE";
constexpr std::uint8_t kByteFormat = 8;

// The X error code of a checked request, 0 when it went through.
int errorOf(xcb_connection_t* connection, xcb_void_cookie_t cookie)
{
    const auto error = adoptReply(xcb_request_check(connection, cookie));
    return error ? error->error_code : 0;
}

} // namespace

X11DisplayProfile::X11DisplayProfile(X11Connection& connection)
    : m_connection(connection)
{
}

DisplayProfile::Reading X11DisplayProfile::read() const
{
    xcb_connection_t* c = m_connection.connection();
    xcb_generic_error_t* rawError = nullptr;
    const auto reply = adoptReply(xcb_get_property_reply(
        c,
        xcb_get_property(c, 0, m_connection.root(), m_connection.atom(kProfileAtom), XCB_GET_PROPERTY_TYPE_ANY, 0,
                         std::numeric_limits<std::uint32_t>::max() / 4),
        &rawError));
    const auto error = adoptReply(rawError);
    if (error)
        return {error->error_code, std::nullopt};
    if (!reply || reply->type == XCB_ATOM_NONE)
        return {};
    // Whatever the format, the bytes are kept as they came, to be written back alike.
    const auto* data = static_cast<const std::uint8_t*>(xcb_get_property_value(reply.get()));
    return {0, Profile {Bytes(data, data + xcb_get_property_value_length(reply.get())), reply->format, reply->type}};
}

int X11DisplayProfile::write(const Profile& profile)
{
    xcb_connection_t* c = m_connection.connection();
    const std::uint8_t format = profile.itemBits == 16 || profile.itemBits == 32 ? profile.itemBits : kByteFormat;
    const std::uint32_t items = static_cast<std::uint32_t>(profile.bytes.size() / (format / 8));
    return errorOf(c, xcb_change_property_checked(c, XCB_PROP_MODE_REPLACE, m_connection.root(),
                                                  m_connection.atom(kProfileAtom),
                                                  profile.type ? profile.type : xcb_atom_t {XCB_ATOM_CARDINAL}, format, items,
                                                  profile.bytes.data()));
}

int X11DisplayProfile::remove()
{
    xcb_connection_t* c = m_connection.connection();
    return errorOf(c, xcb_delete_property_checked(c, m_connection.root(), m_connection.atom(kProfileAtom)));
}
