#include "uikit/shortcuts/ModifierNames.h"

#include "platform/ModifierFlags.h"

#include <array>
#include <utility>

namespace modifiernames {

QString prefix(unsigned long modifierFlags)
{
    static constexpr std::array<std::pair<unsigned long, const char*>, 4> kOrder {{
        {modifierflags::kCommand, kCommand},
        {modifierflags::kControl, kControl},
        {modifierflags::kOption, kOption},
        {modifierflags::kShift, kShift},
    }};
    QString names;
    for (const auto& [flag, name] : kOrder) {
        if (modifierFlags & flag)
            names += QString::fromLatin1(name) + u'+';
    }
    return names;
}

} // namespace modifiernames
