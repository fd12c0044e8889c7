#include "platform/x11/X11KeyboardLayout.h"

#include "platform/VirtualKeys.h"
#include "platform/x11/X11Reply.h"

#include <xkbcommon/xkbcommon-keysyms.h>
#include <xkbcommon/xkbcommon-x11.h>
#include <xkbcommon/xkbcommon.h>

// xkb.h names a field "explicit", which C++ reserves.
#define explicit xcb_explicit
#include <xcb/xkb.h>
#undef explicit

#include <array>

X11KeyboardLayout::X11KeyboardLayout(X11Connection& connection)
    : m_connection(connection)
    , m_context(xkb_context_new(XKB_CONTEXT_NO_FLAGS), &xkb_context_unref)
    , m_keymap(nullptr, &xkb_keymap_unref)
{
    xcb_connection_t* c = connection.connection();
    if (!m_context
        || !xkb_x11_setup_xkb_extension(c, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
                                        XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, nullptr, nullptr))
        return;
    m_device = xkb_x11_get_core_keyboard_device_id(c);
    if (m_device < 0)
        return;
    // The server reports a change only for the parts and details asked for by name.
    constexpr std::uint16_t kEvents = XCB_XKB_EVENT_TYPE_NEW_KEYBOARD_NOTIFY | XCB_XKB_EVENT_TYPE_MAP_NOTIFY;
    constexpr std::uint16_t kMapParts = XCB_XKB_MAP_PART_KEY_TYPES | XCB_XKB_MAP_PART_KEY_SYMS
        | XCB_XKB_MAP_PART_MODIFIER_MAP | XCB_XKB_MAP_PART_EXPLICIT_COMPONENTS | XCB_XKB_MAP_PART_KEY_ACTIONS
        | XCB_XKB_MAP_PART_VIRTUAL_MODS | XCB_XKB_MAP_PART_VIRTUAL_MOD_MAP;
    xcb_xkb_select_events_details_t details {};
    details.affectNewKeyboard = XCB_XKB_NKN_DETAIL_KEYCODES;
    details.newKeyboardDetails = XCB_XKB_NKN_DETAIL_KEYCODES;
    xcb_xkb_select_events_aux(c, static_cast<xcb_xkb_device_spec_t>(m_device), kEvents, 0, 0, kMapParts, kMapParts,
                              &details);

    const auto xkbEvent = connection.firstEvent(&xcb_xkb_id);
    m_handlerId = connection.addEventHandler([this, xkbEvent](const xcb_generic_event_t* event) {
        const std::uint8_t type = event->response_type & 0x7f;
        const bool coreMapping = type == XCB_MAPPING_NOTIFY;
        const bool xkbChange = xkbEvent && type == *xkbEvent
            && (event->pad0 == XCB_XKB_NEW_KEYBOARD_NOTIFY || event->pad0 == XCB_XKB_MAP_NOTIFY);
        if (!coreMapping && !xkbChange)
            return;
        m_keymapCurrent = false;
        if (m_changeHandler)
            m_changeHandler();
    });
}

X11KeyboardLayout::~X11KeyboardLayout()
{
    if (m_handlerId)
        m_connection.removeEventHandler(m_handlerId);
}

xkb_keymap* X11KeyboardLayout::keymap() const
{
    if (m_keymapCurrent || m_device < 0)
        return m_keymap.get();
    m_keymapCurrent = true;
    xkb_keymap* keymap = xkb_x11_keymap_new_from_device(m_context.get(), m_connection.connection(), m_device,
                                                        XKB_KEYMAP_COMPILE_NO_FLAGS);
    // A keymap that cannot be read leaves the previous one in force.
    if (keymap) {
        m_keymap.reset(keymap);
        m_numLockMask = readNumLockMask(keymap);
    }
    return m_keymap.get();
}

std::uint16_t X11KeyboardLayout::numLockMask() const
{
    keymap();
    return m_numLockMask;
}

std::uint16_t X11KeyboardLayout::readNumLockMask(xkb_keymap* keymap) const
{
    xcb_connection_t* c = m_connection.connection();
    const auto mapping = adoptReply(xcb_get_modifier_mapping_reply(c, xcb_get_modifier_mapping(c), nullptr));
    if (!mapping)
        return 0;
    const xcb_keycode_t* keycodes = xcb_get_modifier_mapping_keycodes(mapping.get());
    const int perModifier = mapping->keycodes_per_modifier;
    std::uint16_t mask = 0;
    for (int modifier = 0; modifier < 8; ++modifier) {
        for (int i = 0; i < perModifier; ++i) {
            const xcb_keycode_t keycode = keycodes[modifier * perModifier + i];
            const xkb_keysym_t* syms = nullptr;
            const int count = keycode ? xkb_keymap_key_get_syms_by_level(keymap, keycode, 0, 0, &syms) : 0;
            for (int s = 0; s < count; ++s) {
                if (syms[s] == XKB_KEY_Num_Lock)
                    mask |= static_cast<std::uint16_t>(1u << modifier);
            }
        }
    }
    return mask;
}

std::optional<xcb_keycode_t> X11KeyboardLayout::keycode(int virtualKeyCode) const
{
    const VirtualKey* key = virtualkeys::byCode(virtualKeyCode);
    xkb_keymap* map = keymap();
    if (!map || !key)
        return std::nullopt;
    const xkb_keycode_t keycode = xkb_keymap_key_by_name(map, key->xkbName);
    if (keycode == XKB_KEYCODE_INVALID || keycode > 255)
        return std::nullopt;
    return static_cast<xcb_keycode_t>(keycode);
}

std::optional<int> X11KeyboardLayout::virtualKeyCode(std::uint32_t nativeScanCode) const
{
    xkb_keymap* map = keymap();
    if (!map)
        return std::nullopt;
    const char* name = xkb_keymap_key_get_name(map, nativeScanCode);
    const VirtualKey* key = name ? virtualkeys::byXkbName(name) : nullptr;
    if (!key)
        return std::nullopt;
    return key->code;
}

std::string X11KeyboardLayout::characters(int virtualKeyCode) const
{
    const auto key = keycode(virtualKeyCode);
    if (!key)
        return {};
    // The key on the layout group in force, with no modifier held.
    xcb_connection_t* c = m_connection.connection();
    const auto state = adoptReply(
        xcb_xkb_get_state_reply(c, xcb_xkb_get_state(c, static_cast<xcb_xkb_device_spec_t>(m_device)), nullptr));
    const std::unique_ptr<xkb_state, void (*)(xkb_state*)> translation(xkb_state_new(keymap()),
                                                                         &xkb_state_unref);
    if (!translation)
        return {};
    xkb_state_update_mask(translation.get(), 0, 0, 0, 0, 0, state ? state->group : 0);
    std::array<char, 256> text {};
    const int length = xkb_state_key_get_utf8(translation.get(), *key, text.data(), text.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= text.size())
        return {};
    return std::string(text.data(), static_cast<std::size_t>(length));
}
