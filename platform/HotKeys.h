#pragma once

#include <functional>
#include <optional>

// System-wide hot keys: a key combination that reaches us whichever application is
// active. Key codes and modifier flags are in the settings' numbering.
class HotKeys {
public:
    using Handler = std::function<void()>;
    using Id = unsigned long;

    virtual ~HotKeys() = default;
    // nullopt when the combination cannot be had: another program holds it, or the
    // key does not exist on this keyboard. A held key calls the handler once.
    virtual std::optional<Id> registerHotKey(int keyCode, unsigned long modifierFlags, Handler handler) = 0;
    virtual void unregisterHotKey(Id id) = 0;
    // Another program holds the combination as its own system-wide shortcut. Our own
    // hot keys are not reserved.
    virtual bool isReserved(int keyCode, unsigned long modifierFlags) = 0;
};
