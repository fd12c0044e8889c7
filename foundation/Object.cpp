#include "Object.h"

#include "Exception.h"
#include "Value.h"

#include <cstdio>
#include <functional>

std::string Object::description() const
{
    char address[32];
    std::snprintf(address, sizeof address, "%p", static_cast<const void*>(this));
    // Appended piece by piece: "<" + std::string&& trips a false -Wrestrict in GCC 12 at -O3.
    std::string text(1, '<');
    text += className();
    text += ": ";
    text += address;
    text += '>';
    return text;
}

std::size_t Object::hash() const
{
    return std::hash<const void*>()(this);
}

Value Object::objectForKeyedSubscript(const std::string&) const
{
    return {};
}

Value Object::valueForKey(const std::string& key) const
{
    // An object that no Value holds has no shared self to hand out.
    if (key == "self")
        return Value(std::shared_ptr<const Object>(weak_from_this().lock()));
    if (key == "description")
        return Value(description());
    return {};
}

bool Object::isSafeKey(const std::string&) const
{
    return false;
}

bool Object::boolValue() const
{
    unrecognizedSelector("boolValue");
}

long long Object::integerValue() const
{
    unrecognizedSelector("integerValue");
}

double Object::doubleValue() const
{
    unrecognizedSelector("doubleValue");
}

void Object::unrecognizedSelector(const char* selector) const
{
    char address[32];
    std::snprintf(address, sizeof address, "%p", static_cast<const void*>(this));
    throw Exception(kInvalidArgumentException,
                    "-[" + className() + " " + selector + "]: unrecognized selector sent to instance " + address);
}
