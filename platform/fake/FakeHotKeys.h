#pragma once

#include "platform/HotKeys.h"

#include <map>
#include <set>
#include <utility>

// Hot keys that tests press by hand; combinations can be marked as held by another
// program.
class FakeHotKeys final : public HotKeys {
public:
    std::optional<Id> registerHotKey(int keyCode, unsigned long modifierFlags, Handler handler) override;
    void unregisterHotKey(Id id) override;
    bool isReserved(int keyCode, unsigned long modifierFlags) override;

    void setHeldElsewhere(int keyCode, unsigned long modifierFlags, bool held);
    bool isRegistered(int keyCode, unsigned long modifierFlags) const;
    std::size_t registeredCount() const { return m_hotKeys.size(); }
    // Runs the handler of the combination; false when none is registered.
    bool press(int keyCode, unsigned long modifierFlags);

private:
    using Combination = std::pair<int, unsigned long>;
    struct HotKey {
        Combination combination;
        Handler handler;
    };
    std::map<Id, HotKey> m_hotKeys;
    std::set<Combination> m_heldElsewhere;
    Id m_next = 1;
};
