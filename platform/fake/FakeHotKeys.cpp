#include "platform/fake/FakeHotKeys.h"

std::optional<HotKeys::Id> FakeHotKeys::registerHotKey(int keyCode, unsigned long modifierFlags, Handler handler)
{
    if (isReserved(keyCode, modifierFlags))
        return std::nullopt;
    const Id id = m_next++;
    m_hotKeys.emplace(id, HotKey {{keyCode, modifierFlags}, std::move(handler)});
    return id;
}

void FakeHotKeys::unregisterHotKey(Id id)
{
    m_hotKeys.erase(id);
}

bool FakeHotKeys::isReserved(int keyCode, unsigned long modifierFlags)
{
    return m_heldElsewhere.contains({keyCode, modifierFlags});
}

void FakeHotKeys::setHeldElsewhere(int keyCode, unsigned long modifierFlags, bool held)
{
    if (held)
        m_heldElsewhere.insert({keyCode, modifierFlags});
    else
        m_heldElsewhere.erase({keyCode, modifierFlags});
}

bool FakeHotKeys::isRegistered(int keyCode, unsigned long modifierFlags) const
{
    for (const auto& [id, hotKey] : m_hotKeys) {
        if (hotKey.combination == Combination {keyCode, modifierFlags})
            return true;
    }
    return false;
}

bool FakeHotKeys::press(int keyCode, unsigned long modifierFlags)
{
    for (const auto& [id, hotKey] : m_hotKeys) {
        if (hotKey.combination == Combination {keyCode, modifierFlags}) {
            // The handler may unregister hot keys.
            const Handler handler = hotKey.handler;
            handler();
            return true;
        }
    }
    return false;
}
