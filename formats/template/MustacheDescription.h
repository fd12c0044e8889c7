#pragma once

#include <cstdio>
#include <string>

// "<ClassName: 0x...>", how objects without a better description print.
inline std::string addressDescription(const char* className, const void* object)
{
    char address[32];
    std::snprintf(address, sizeof address, "%p", object);
    return std::string("<") + className + ": " + address + ">";
}
