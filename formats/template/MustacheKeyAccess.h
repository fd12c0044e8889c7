#pragma once

#include "foundation/Dictionary.h"
#include "foundation/Value.h"

#include <string>

// The value of one key in one object: dictionary-like objects are subscripted, others
// answer only the keys that are safe for their kind, unless unsafe access is on.
class MustacheKeyAccess final {
public:
    static Value valueForMustacheKey(const std::string& key, const Value& object, bool unsafeKeyAccess);
    // The same without a copy: the value in the object when it holds one, else the value
    // computed into `storage`; null for nil.
    static const Value* lookUpMustacheKey(const std::string& key, const Value& object, bool unsafeKeyAccess,
                                          Value& storage)
    {
        if (const Dictionary* dictionary = object.dictionary()) {
            const Value* value = dictionary->find(key);
            return value && *value ? value : nullptr;
        }
        return lookUpInObject(key, object, unsafeKeyAccess, storage);
    }
    static bool isSafeMustacheKey(const std::string& key, const Value& object);
    // Kept for callers of the original interface: undefined keys never raise here,
    // so there is nothing more to prevent.
    static void preventNSUndefinedKeyExceptionAttack();
    static bool isPreventingNSUndefinedKeyExceptionAttack();

private:
    // lookUpMustacheKey for objects that are not dictionaries.
    static const Value* lookUpInObject(const std::string& key, const Value& object, bool unsafeKeyAccess,
                                       Value& storage);
};
