#include "MustacheKeyAccess.h"

#include "foundation/Exception.h"

#include <atomic>

namespace {

constexpr const char* kUndefinedKeyException = "NSUndefinedKeyException";

std::atomic<bool> preventingUndefinedKeyAttack{false};

} // namespace

Value MustacheKeyAccess::valueForMustacheKey(const std::string& key, const Value& object, bool unsafeKeyAccess)
{
    Value storage;
    const Value* value = lookUpMustacheKey(key, object, unsafeKeyAccess, storage);
    return value ? *value : Value();
}

const Value* MustacheKeyAccess::lookUpInObject(const std::string& key, const Value& object, bool unsafeKeyAccess,
                                                 Value& storage)
{
    const Object* target = object.object();
    if (!target)
        return nullptr;
    if (target->hasKeyedSubscript()) {
        storage = target->objectForKeyedSubscript(key);
    } else {
        if (!unsafeKeyAccess && !target->isSafeKey(key))
            return nullptr;
        try {
            storage = target->valueForKey(key);
        } catch (const Exception& exception) {
            if (exception.name() == kUndefinedKeyException)
                return nullptr;
            throw;
        }
    }
    return storage ? &storage : nullptr;
}

bool MustacheKeyAccess::isSafeMustacheKey(const std::string& key, const Value& object)
{
    return object && object.object()->isSafeKey(key);
}

void MustacheKeyAccess::preventNSUndefinedKeyExceptionAttack()
{
    preventingUndefinedKeyAttack = true;
}

bool MustacheKeyAccess::isPreventingNSUndefinedKeyExceptionAttack()
{
    return preventingUndefinedKeyAttack;
}
