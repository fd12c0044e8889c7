#include "platform/x11/X11ThemePreference.h"

#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Reply.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

constexpr const char* kSelectionPrefix = "_XSETTINGS_S";
constexpr const char* kSettingsAtom = "_XSETTINGS_SETTINGS";
constexpr const char* kManagerAtom = "MANAGER";
constexpr const char* kThemeNameSetting = "Net/ThemeName";
constexpr const char* kDarkWord = "dark";

enum SettingType : std::uint8_t { IntegerSetting = 0, StringSetting = 1, ColorSetting = 2 };

constexpr std::size_t padded(std::size_t length)
{
    return (length + 3) & ~std::size_t(3);
}

// Reads the blob in the byte order its first byte names.
class BlobReader final {
public:
    explicit BlobReader(const std::vector<std::uint8_t>& blob)
        : m_blob(blob)
        , m_bigEndian(!blob.empty() && blob[0] == 1)
    {
    }

    bool skip(std::size_t count)
    {
        if (m_blob.size() - m_offset < count)
            return false;
        m_offset += count;
        return true;
    }
    std::optional<std::uint32_t> read(std::size_t width)
    {
        if (m_blob.size() - m_offset < width)
            return std::nullopt;
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < width; ++i) {
            const std::uint32_t byte = m_blob[m_offset + (m_bigEndian ? i : width - 1 - i)];
            value = (value << 8) | byte;
        }
        m_offset += width;
        return value;
    }
    std::optional<std::string> readString(std::size_t length)
    {
        if (m_blob.size() - m_offset < length)
            return std::nullopt;
        std::string text(m_blob.begin() + static_cast<std::ptrdiff_t>(m_offset),
                         m_blob.begin() + static_cast<std::ptrdiff_t>(m_offset + length));
        if (!skip(padded(length)))
            return std::nullopt;
        return text;
    }

private:
    const std::vector<std::uint8_t>& m_blob;
    bool m_bigEndian;
    std::size_t m_offset = 0;
};

} // namespace

X11ThemePreference::X11ThemePreference(X11Connection& connection)
    : m_connection(connection)
    , m_selection(connection.atom(kSelectionPrefix + std::to_string(0)))
    , m_settingsAtom(connection.atom(kSettingsAtom))
    , m_managerAtom(connection.atom(kManagerAtom))
{
    watchOwner();
    m_connection.addEventHandler([this](const xcb_generic_event_t* event) {
        bool changed = false;
        switch (event->response_type & 0x7f) {
        case XCB_CLIENT_MESSAGE: {
            // A new manager announces itself on the root window.
            const auto* message = reinterpret_cast<const xcb_client_message_event_t*>(event);
            changed = message->type == m_managerAtom && message->format == 32 && message->data.data32[1] == m_selection;
            break;
        }
        case XCB_DESTROY_NOTIFY:
            changed = reinterpret_cast<const xcb_destroy_notify_event_t*>(event)->window == m_owner;
            break;
        case XCB_PROPERTY_NOTIFY: {
            const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event);
            changed = notify->window == m_owner && notify->atom == m_settingsAtom;
            break;
        }
        default:
            break;
        }
        if (!changed)
            return;
        watchOwner();
        if (m_handler)
            m_handler();
    });
}

void X11ThemePreference::watchOwner()
{
    xcb_connection_t* c = m_connection.connection();
    const auto owner = adoptReply(xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, m_selection), nullptr));
    m_owner = owner ? owner->owner : xcb_window_t(XCB_WINDOW_NONE);
    if (m_owner == XCB_WINDOW_NONE)
        return;
    const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, m_owner, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);
}

bool X11ThemePreference::isDark() const
{
    if (m_owner == XCB_WINDOW_NONE)
        return false;
    const auto blob = m_connection.property(m_owner, m_settingsAtom, m_settingsAtom);
    if (!blob)
        return false;
    std::string theme = stringSetting(*blob, kThemeNameSetting).value_or(std::string());
    std::transform(theme.begin(), theme.end(), theme.begin(), [](unsigned char ch) { return std::tolower(ch); });
    return theme.find(kDarkWord) != std::string::npos;
}

std::optional<std::string> X11ThemePreference::stringSetting(const std::vector<std::uint8_t>& blob,
                                                            const std::string& name)
{
    BlobReader reader(blob);
    // Byte order, padding, serial.
    if (!reader.skip(8))
        return std::nullopt;
    const auto count = reader.read(4);
    if (!count)
        return std::nullopt;
    for (std::uint32_t i = 0; i < *count; ++i) {
        const auto type = reader.read(1);
        const auto nameLength = reader.skip(1) ? reader.read(2) : std::nullopt;
        if (!type || !nameLength)
            return std::nullopt;
        const auto settingName = reader.readString(*nameLength);
        if (!settingName || !reader.skip(4))
            return std::nullopt;
        switch (*type) {
        case IntegerSetting:
            if (!reader.skip(4))
                return std::nullopt;
            break;
        case StringSetting: {
            const auto length = reader.read(4);
            const auto value = length ? reader.readString(*length) : std::nullopt;
            if (!value)
                return std::nullopt;
            if (*settingName == name)
                return value;
            break;
        }
        case ColorSetting:
            if (!reader.skip(8))
                return std::nullopt;
            break;
        default:
            return std::nullopt;
        }
    }
    return std::nullopt;
}
