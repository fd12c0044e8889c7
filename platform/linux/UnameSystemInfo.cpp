#include "platform/linux/UnameSystemInfo.h"

#include <charconv>
#include <string>

#include <sys/utsname.h>

OperatingSystemVersion UnameSystemInfo::operatingSystemVersion() const
{
    utsname names {};
    if (uname(&names) != 0)
        return {};
    return parseRelease(names.release);
}

OperatingSystemVersion UnameSystemInfo::parseRelease(const std::string& release)
{
    long parts[3] = {0, 0, 0};
    const char* cursor = release.data();
    const char* end = release.data() + release.size();
    for (long& part : parts) {
        const auto [next, error] = std::from_chars(cursor, end, part);
        if (error != std::errc() || next == end || *next != '.')
            break;
        cursor = next + 1;
    }
    return {parts[0], parts[1], parts[2]};
}
