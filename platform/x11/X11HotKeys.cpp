#include "platform/x11/X11HotKeys.h"

#include "foundation/Log.h"
#include "platform/ModifierFlags.h"
#include "platform/x11/X11HotKeyHelper.h"
#include "platform/x11/X11KeyboardHold.h"
#include "platform/x11/X11KeyboardLayout.h"
#include "platform/x11/hotkeys/RootKeyGrabs.h"

// xkb.h names a field "explicit", which C++ reserves.
#define explicit xcb_explicit
#include <xcb/xkb.h>
#undef explicit

#include <algorithm>
#include <cstdio>

namespace {

std::uint16_t modifierMask(unsigned long flags)
{
    std::uint16_t mask = 0;
    if (flags & modifierflags::kShift)
        mask |= XCB_MOD_MASK_SHIFT;
    if (flags & modifierflags::kControl)
        mask |= XCB_MOD_MASK_CONTROL;
    if (flags & modifierflags::kOption)
        mask |= XCB_MOD_MASK_1;
    if (flags & modifierflags::kCommand)
        mask |= XCB_MOD_MASK_4;
    return mask;
}

} // namespace

X11HotKeys::X11HotKeys(X11Connection& connection, X11KeyboardLayout& layout, X11KeyboardHold& hold,
                       std::string helper)
    : m_connection(connection)
    , m_layout(layout)
    , m_hold(hold)
    , m_helperProgram(std::move(helper))
{
    // A held key then repeats as presses without releases, which tells repeats apart.
    xcb_xkb_per_client_flags(connection.connection(), XCB_XKB_ID_USE_CORE_KBD,
                             XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT,
                             XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT, 0, 0, 0);
    xcb_flush(connection.connection());
    m_layout.setChangeHandler([this] { regrab(); });
    m_hold.setRelease([this] {
        if (m_helper && m_helper->running())
            m_helper->release();
    });
}

X11HotKeys::~X11HotKeys()
{
    m_layout.setChangeHandler(nullptr);
    m_hold.setRelease(nullptr);
    for (const auto& [id, hotKey] : m_hotKeys) {
        if (hotKey.keycode)
            ungrab(*hotKey.keycode, lockVariants(hotKey.modifiers));
    }
    if (m_handlerId)
        m_connection.removeEventHandler(m_handlerId);
}

X11HotKeyHelper* X11HotKeys::helper()
{
    if (!m_helperTried && !m_helperProgram.empty()) {
        m_helperTried = true;
        m_helper = std::make_unique<X11HotKeyHelper>(
            m_helperProgram,
            [this](const HotKeyMessages::Tell& report) {
                // A press the helper reports as queued came while we could not answer:
                // acting on it would open or close yet another window.
                if (report.reply == HotKeyMessages::Reply::Press
                    || report.reply == HotKeyMessages::Reply::KeyRelease)
                    received(report.reply == HotKeyMessages::Reply::Press, report.keycode, report.state);
            },
            [this] { helperEnded(); });
        if (!m_helper->running())
            helperEnded();
    }
    return m_helper && m_helper->running() ? m_helper.get() : nullptr;
}

void X11HotKeys::helperEnded()
{
    logging::log("The hot-key helper " + m_helperProgram
                 + " is not running: keys typed right after a hot key may reach the window focused before");
    regrab();
}

std::vector<std::uint16_t> X11HotKeys::lockVariants(std::uint16_t modifiers) const
{
    std::vector<std::uint16_t> variants {modifiers, static_cast<std::uint16_t>(modifiers | XCB_MOD_MASK_LOCK)};
    if (const std::uint16_t numLock = m_layout.numLockMask()) {
        variants.push_back(static_cast<std::uint16_t>(modifiers | numLock));
        variants.push_back(static_cast<std::uint16_t>(modifiers | numLock | XCB_MOD_MASK_LOCK));
    }
    return variants;
}

bool X11HotKeys::grab(xcb_keycode_t keycode, std::uint16_t modifiers)
{
    const std::vector<std::uint16_t> masks = lockVariants(modifiers);
    if (X11HotKeyHelper* helper = this->helper()) {
        if (const auto granted = helper->grab(keycode, masks))
            return *granted;
    }
    return grabHere(keycode, masks);
}

bool X11HotKeys::grabHere(xcb_keycode_t keycode, const std::vector<std::uint16_t>& masks)
{
    // Without the helper nothing may freeze the keyboard: no one would be sure to thaw it.
    return rootkeygrabs::grab(m_connection.connection(), m_connection.root(), keycode, masks, XCB_GRAB_MODE_ASYNC);
}

void X11HotKeys::ungrab(xcb_keycode_t keycode, const std::vector<std::uint16_t>& masks)
{
    if (m_helper && m_helper->running())
        m_helper->ungrab(keycode, masks);
    else
        ungrabHere(keycode, masks);
}

void X11HotKeys::ungrabHere(xcb_keycode_t keycode, const std::vector<std::uint16_t>& masks)
{
    // Done before the helper, on a connection of its own, may grab the same keys.
    rootkeygrabs::ungrab(m_connection.connection(), m_connection.root(), keycode, masks);
}

std::optional<HotKeys::Id> X11HotKeys::registerHotKey(int keyCode, unsigned long modifierFlags, Handler handler)
{
    const auto keycode = m_layout.keycode(keyCode);
    if (!keycode)
        return std::nullopt;
    const std::uint16_t modifiers = modifierMask(modifierFlags);
    if (!grab(*keycode, modifiers)) {
        char line[128];
        std::snprintf(line, sizeof line, "Hot key (key code %d, modifiers 0x%lx) is held by another program", keyCode,
                      modifierFlags);
        logging::log(line);
        return std::nullopt;
    }
    if (m_hotKeys.empty())
        m_handlerId = m_connection.addEventHandler([this](const xcb_generic_event_t* event) { handleEvent(event); });
    const Id id = m_next++;
    m_hotKeys.emplace(id, HotKey {keyCode, modifiers, std::move(handler), keycode});
    return id;
}

void X11HotKeys::unregisterHotKey(Id id)
{
    const auto found = m_hotKeys.find(id);
    if (found == m_hotKeys.end())
        return;
    const HotKey hotKey = std::move(found->second);
    m_hotKeys.erase(found);
    if (hotKey.keycode && !isOurs(*hotKey.keycode, hotKey.modifiers))
        ungrab(*hotKey.keycode, lockVariants(hotKey.modifiers));
    if (m_hotKeys.empty() && m_handlerId) {
        m_connection.removeEventHandler(m_handlerId);
        m_handlerId = 0;
    }
    // Its release may no longer reach us.
    updateHotKeyDown();
}

void X11HotKeys::updateHotKeyDown()
{
    m_hold.setHotKeyDown(
        std::any_of(m_hotKeys.begin(), m_hotKeys.end(), [](const auto& entry) { return entry.second.down; }));
}

bool X11HotKeys::isOurs(xcb_keycode_t keycode, std::uint16_t modifiers) const
{
    for (const auto& [id, hotKey] : m_hotKeys) {
        if (hotKey.keycode == keycode && hotKey.modifiers == modifiers)
            return true;
    }
    return false;
}

bool X11HotKeys::isReserved(int keyCode, unsigned long modifierFlags)
{
    const auto keycode = m_layout.keycode(keyCode);
    const std::uint16_t modifiers = modifierMask(modifierFlags);
    // Grabbing our own combination again would succeed, and the probe's ungrab would
    // then drop our hot key.
    if (!keycode || isOurs(*keycode, modifiers))
        return false;
    // A probe of our own, let go at once, tells: the helper's grabs are another client's.
    const std::vector<std::uint16_t> masks = lockVariants(modifiers);
    if (!grabHere(*keycode, masks))
        return true;
    ungrabHere(*keycode, masks);
    return false;
}

void X11HotKeys::handleEvent(const xcb_generic_event_t* event)
{
    const std::uint8_t type = event->response_type & 0x7f;
    const auto* key = reinterpret_cast<const xcb_key_press_event_t*>(event);
    if (type == XCB_KEY_PRESS || type == XCB_KEY_RELEASE)
        received(type == XCB_KEY_PRESS, key->detail, key->state);
}

void X11HotKeys::received(bool press, xcb_keycode_t keycode, std::uint16_t state)
{
    // A handler may handle events, as a round trip to the server does: keys that come
    // meanwhile wait for it to return, so that handlers never run inside one another.
    m_waiting.push_back({press, keycode, state});
    if (m_handling)
        return;
    m_handling = true;
    while (!m_waiting.empty()) {
        const KeyEvent next = m_waiting.front();
        m_waiting.pop_front();
        if (next.press)
            pressed(next.keycode, next.state);
        else
            released(next.keycode);
    }
    m_handling = false;
}

void X11HotKeys::pressed(xcb_keycode_t keycode, std::uint16_t state)
{
    m_hold.frozen();
    if (const Handler handler = pressedHandler(keycode, state))
        handler();
    if (m_helper && m_helper->running())
        m_helper->handled();
    m_hold.thawUnlessAwaitingFocus();
}

void X11HotKeys::released(xcb_keycode_t keycode)
{
    for (auto& [id, hotKey] : m_hotKeys) {
        if (hotKey.keycode == keycode)
            hotKey.down = false;
    }
    updateHotKeyDown();
}

X11HotKeys::Handler X11HotKeys::pressedHandler(xcb_keycode_t keycode, std::uint16_t state)
{
    const std::uint16_t locks = static_cast<std::uint16_t>(XCB_MOD_MASK_LOCK | m_layout.numLockMask());
    const std::uint16_t modifiers = static_cast<std::uint16_t>(state & 0xff & ~locks);
    for (auto& [id, hotKey] : m_hotKeys) {
        if (hotKey.keycode != keycode || hotKey.modifiers != modifiers || hotKey.down)
            continue;
        hotKey.down = true;
        updateHotKeyDown();
        // A copy: the handler may unregister hot keys, this one included.
        return hotKey.handler;
    }
    return nullptr;
}

void X11HotKeys::regrab()
{
    // The Num Lock bit may have moved too: release every grab of the old keys.
    for (auto& [id, hotKey] : m_hotKeys) {
        if (hotKey.keycode)
            ungrab(*hotKey.keycode, {XCB_MOD_MASK_ANY});
        hotKey.keycode.reset();
        hotKey.down = false;
    }
    updateHotKeyDown();
    for (auto& [id, hotKey] : m_hotKeys) {
        const auto keycode = m_layout.keycode(hotKey.keyCode);
        if (keycode && grab(*keycode, hotKey.modifiers))
            hotKey.keycode = keycode;
    }
}
