#include "GRMustacheKeyAccess.h"

#include "foundation/Dictionary.h"
#include "foundation/Exception.h"

#include <atomic>

namespace {

constexpr const char* kUndefinedKeyException = "NSUndefinedKeyException";

std::atomic<bool> preventingUndefinedKeyAttack{false};

} // namespace

Value GRMustacheKeyAccess::valueForMustacheKey(const std::string& key, const Value& object, bool unsafeKeyAccess)
{
    if (const Dictionary* dictionary = object.dictionary()) {
        const Value* value = dictionary->find(key);
        return value ? *value : Value();
    }
    const Object* target = object.object();
    if (!target)
        return {};
    if (target->hasKeyedSubscript())
        return target->objectForKeyedSubscript(key);
    if (!unsafeKeyAccess && !target->isSafeKey(key))
        return {};
    try {
        return target->valueForKey(key);
    } catch (const Exception& exception) {
        if (exception.name() == kUndefinedKeyException)
            return {};
        throw;
    }
}

bool GRMustacheKeyAccess::isSafeMustacheKey(const std::string& key, const Value& object)
{
    return object && object.object()->isSafeKey(key);
}

void GRMustacheKeyAccess::preventNSUndefinedKeyExceptionAttack()
{
    preventingUndefinedKeyAttack = true;
}

bool GRMustacheKeyAccess::isPreventingNSUndefinedKeyExceptionAttack()
{
    return preventingUndefinedKeyAttack;
}
