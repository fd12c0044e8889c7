#include "QVColorNameTable.h"

#include "foundation/Bundle.h"
#include "foundation/Dictionary.h"
#include "foundation/Log.h"
#include "foundation/PropertyList.h"
#include "foundation/StringUtils.h"

namespace {

constexpr const char* kUnreadableLog = "Colour name list %@ could not be read: %@";

} // namespace

const QVColorNameTable& QVColorNameTable::shared()
{
    static const QVColorNameTable table;
    return table;
}

QVColorNameTable::QVColorNameTable()
{
    addResource(kExtendedResource);
    addResource(kBasicResource);
}

void QVColorNameTable::addResource(const char* name)
{
    const auto path = Bundle::main().pathForResource(name, Bundle::kPropertyListType);
    if (!path) {
        logging::log(strings::format(kUnreadableLog, {Value(name), Value("missing")}));
        return;
    }
    Error error;
    const Value list = propertylist::readFile(*path, &error);
    const Dictionary* entries = list.dictionary();
    if (!entries) {
        logging::log(strings::format(kUnreadableLog, {Value(name), Value(error.message)}));
        return;
    }
    for (const auto& [key, value] : *entries)
        if (const std::string* colorName = value.string())
            m_names[key] = *colorName;
}

std::optional<std::string> QVColorNameTable::nameForKey(const std::string& key) const
{
    const auto found = m_names.find(key);
    if (found == m_names.end())
        return std::nullopt;
    return found->second;
}
