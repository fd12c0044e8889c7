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

#include <algorithm>
#include <array>
#include <utility>

namespace {

// A dead key types nothing itself; it is named by the spacing character of its accent,
// or by the combining mark where the accent has no spacing form.
constexpr auto kDeadKeyCharacters = std::to_array<std::pair<xkb_keysym_t, char32_t>>({
    {XKB_KEY_dead_grave, U'`'},
    {XKB_KEY_dead_acute, U'\u00B4'},
    {XKB_KEY_dead_circumflex, U'^'},
    {XKB_KEY_dead_tilde, U'~'},
    {XKB_KEY_dead_macron, U'\u00AF'},
    {XKB_KEY_dead_breve, U'\u02D8'},
    {XKB_KEY_dead_abovedot, U'\u02D9'},
    {XKB_KEY_dead_diaeresis, U'\u00A8'},
    {XKB_KEY_dead_abovering, U'\u02DA'},
    {XKB_KEY_dead_doubleacute, U'\u02DD'},
    {XKB_KEY_dead_caron, U'\u02C7'},
    {XKB_KEY_dead_cedilla, U'\u00B8'},
    {XKB_KEY_dead_ogonek, U'\u02DB'},
    {XKB_KEY_dead_iota, U'\u037A'},
    {XKB_KEY_dead_voiced_sound, U'\u309B'},
    {XKB_KEY_dead_semivoiced_sound, U'\u309C'},
    {XKB_KEY_dead_belowdot, U'\u0323'},
    {XKB_KEY_dead_hook, U'\u0309'},
    {XKB_KEY_dead_horn, U'\u031B'},
    {XKB_KEY_dead_stroke, U'\u0338'},
    {XKB_KEY_dead_abovecomma, U'\u0313'},
    {XKB_KEY_dead_abovereversedcomma, U'\u0314'},
    {XKB_KEY_dead_doublegrave, U'\u030F'},
    {XKB_KEY_dead_belowring, U'\u0325'},
    {XKB_KEY_dead_belowmacron, U'\u0331'},
    {XKB_KEY_dead_belowcircumflex, U'\u032D'},
    {XKB_KEY_dead_belowtilde, U'\u0330'},
    {XKB_KEY_dead_belowbreve, U'\u032E'},
    {XKB_KEY_dead_belowdiaeresis, U'\u0324'},
    {XKB_KEY_dead_invertedbreve, U'\u0311'},
    {XKB_KEY_dead_belowcomma, U'\u0326'},
    {XKB_KEY_dead_currency, U'\u00A4'},
    {XKB_KEY_dead_lowline, U'_'},
    {XKB_KEY_dead_aboveverticalline, U'\u030D'},
    {XKB_KEY_dead_belowverticalline, U'\u0329'},
    {XKB_KEY_dead_longsolidusoverlay, U'\u0338'},
});

std::string utf8(char32_t character)
{
    std::array<char, 8> text {};
    const int length = xkb_keysym_to_utf8(xkb_utf32_to_keysym(character), text.data(), text.size());
    return length > 1 ? std::string(text.data(), static_cast<std::size_t>(length - 1)) : std::string();
}

} // namespace

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
    const xkb_keysym_t symbol = xkb_state_key_get_one_sym(translation.get(), *key);
    if (const auto* dead = std::find_if(kDeadKeyCharacters.begin(), kDeadKeyCharacters.end(),
                                        [symbol](const auto& entry) { return entry.first == symbol; });
        dead != kDeadKeyCharacters.end())
        return utf8(dead->second);
    std::array<char, 256> text {};
    const int length = xkb_state_key_get_utf8(translation.get(), *key, text.data(), text.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= text.size())
        return {};
    return std::string(text.data(), static_cast<std::size_t>(length));
}
