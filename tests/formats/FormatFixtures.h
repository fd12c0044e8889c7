#pragma once

#include "formats/QVFormatDefinition.h"
#include "foundation/Dictionary.h"
#include "foundation/UserDefaults.h"
#include "tests/foundation/TemporaryFolder.h"

#include <filesystem>
#include <string>
#include <vector>

inline std::filesystem::path fixturePath(const std::string& name)
{
    return std::filesystem::path(VENDREL_FORMATS_FIXTURES) / name;
}

inline QVFormatDefinition definition(const std::string& name, const std::string& group,
                                     const std::string& target = "clipboard")
{
    return QVFormatDefinition(Dictionary{{QVFormatDefinition::kName, Value(name)},
                                         {QVFormatDefinition::kGroup, Value(group)},
                                         {QVFormatDefinition::kTarget, Value(target)}});
}

inline std::vector<std::string> namesOf(const QVFormatList& list)
{
    std::vector<std::string> names;
    for (const auto& format : list)
        names.push_back(format.name());
    return names;
}

// A settings domain of its own in a temporary folder.
struct ScratchDefaults {
    TemporaryFolder folder;
    UserDefaults defaults{folder / "settings.plist"};
};
