#include "NullObject.h"

bool NullObject::isEqual(const Object& other) const
{
    return dynamic_cast<const NullObject*>(&other) != nullptr;
}
