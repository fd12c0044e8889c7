#include "QVFormatListMerger.h"

#include "foundation/Log.h"
#include "foundation/StringUtils.h"

#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {

constexpr const char* kNameExists = "Error in custom format definition: Format with name %@ already exists!";

// The accepted customs of one group, in the order they are placed.
struct GroupCustoms {
    std::vector<const QVFormatDefinition*> formats;
    // Index in the list of the group's last format; none for a group the list lacks.
    std::optional<std::size_t> lastInList;
};

} // namespace

QVFormatList QVFormatListMerger::merge(QVFormatList list, const QVFormatList& customs)
{
    std::unordered_set<std::string> takenNames;
    std::unordered_map<std::string, std::size_t> lastOfGroup;
    for (std::size_t i = 0; i < list.size(); ++i) {
        takenNames.insert(strings::lowercase(list[i].name()));
        lastOfGroup[list[i].group()] = i;
    }

    // Customs are taken last to first, each placed after the last format of its group
    // as the earlier placements left it: so a group's customs follow its last listed
    // format in reverse order, and groups the list lacks go to the end in the order
    // their first placed custom reached it.
    std::unordered_map<std::string, GroupCustoms> byGroup;
    std::vector<const GroupCustoms*> newGroups;
    for (auto custom = customs.rbegin(); custom != customs.rend(); ++custom) {
        if (!takenNames.insert(strings::lowercase(custom->name())).second) {
            logging::log(strings::format(kNameExists, {Value(custom->name())}));
            continue;
        }
        const std::string group = custom->group();
        auto [entry, added] = byGroup.try_emplace(group);
        if (added) {
            if (const auto last = lastOfGroup.find(group); last != lastOfGroup.end())
                entry->second.lastInList = last->second;
            else
                newGroups.push_back(&entry->second);
        }
        entry->second.formats.push_back(&*custom);
    }

    std::vector<const GroupCustoms*> afterIndex(list.size(), nullptr);
    for (const auto& [group, placed] : byGroup)
        if (placed.lastInList)
            afterIndex[*placed.lastInList] = &placed;
    QVFormatList merged;
    merged.reserve(list.size() + customs.size());
    const auto append = [&merged](const GroupCustoms* placed) {
        for (const QVFormatDefinition* format : placed->formats)
            merged.push_back(*format);
    };
    for (std::size_t i = 0; i < list.size(); ++i) {
        merged.push_back(std::move(list[i]));
        if (afterIndex[i])
            append(afterIndex[i]);
    }
    for (const GroupCustoms* placed : newGroups)
        append(placed);
    return merged;
}
