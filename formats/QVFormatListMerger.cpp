#include "QVFormatListMerger.h"

#include "foundation/Log.h"
#include "foundation/StringUtils.h"

#include <algorithm>

namespace {

constexpr const char* kNameExists = "Error in custom format definition: Format with name %@ already exists!";

bool hasFormatNamed(const QVFormatList& list, const std::string& name)
{
    const std::string folded = strings::lowercase(name);
    return std::any_of(list.begin(), list.end(), [&folded](const QVFormatDefinition& format) {
        return strings::lowercase(format.name()) == folded;
    });
}

QVFormatList::iterator placeFor(QVFormatList& list, const std::string& group)
{
    const auto lastOfGroup = std::find_if(list.rbegin(), list.rend(), [&group](const QVFormatDefinition& format) {
        return format.group() == group;
    });
    return lastOfGroup == list.rend() ? list.end() : lastOfGroup.base();
}

} // namespace

QVFormatList QVFormatListMerger::merge(QVFormatList list, const QVFormatList& customs)
{
    // Last to first, so customs of a group that has no format yet end up in reverse
    // order at the end; each one sees the list as the earlier merges left it.
    for (auto custom = customs.rbegin(); custom != customs.rend(); ++custom) {
        if (hasFormatNamed(list, custom->name())) {
            logging::log(strings::format(kNameExists, {Value(custom->name())}));
            continue;
        }
        list.insert(placeFor(list, custom->group()), *custom);
    }
    return list;
}
