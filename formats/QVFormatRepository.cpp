#include "QVFormatRepository.h"

#include "formats/QVCustomFormatReader.h"
#include "formats/QVFormatListMerger.h"
#include "formats/QVFormatTarget.h"
#include "formats/QVGroupWhitelist.h"
#include "foundation/Bundle.h"
#include "foundation/CommandLineState.h"
#include "foundation/Error.h"
#include "foundation/Log.h"
#include "foundation/PropertyList.h"
#include "foundation/StringUtils.h"
#include "foundation/UserDefaults.h"

#include <algorithm>

namespace {

constexpr const char* kUnreadableList = "Format list %@ could not be read: %@";
constexpr const char* kNotAnArray = "Format list %@ is not an array";
constexpr const char* kEntryNotADictionary = "Format list %@: entry \"%@\" is not a dictionary and is ignored";
constexpr const char* kCustomFormatsNotAnArray = "Error in custom format definitions: %@ is not an array!";

// The dictionaries of the array stored at the path; anything else is logged and left out.
template <class Definition>
std::vector<Definition> readDefinitions(const std::filesystem::path& path)
{
    const Value file(path.string());
    Error error;
    const Value root = propertylist::readFile(path, &error);
    if (root.isNil()) {
        logging::log(strings::format(kUnreadableList, {file, Value(error.message)}));
        return {};
    }
    const std::vector<Value>* entries = root.array();
    if (!entries) {
        logging::log(strings::format(kNotAnArray, {file}));
        return {};
    }
    std::vector<Definition> definitions;
    for (const Value& entry : *entries) {
        if (const Dictionary* values = entry.dictionary())
            definitions.emplace_back(*values);
        else
            logging::log(strings::format(kEntryNotADictionary, {file, entry}));
    }
    return definitions;
}

// A missing resource is named by the path it would have, so the read failure says where.
std::filesystem::path resourcePath(const std::string& name)
{
    const Bundle& bundle = Bundle::main();
    return bundle.pathForResource(name, Bundle::kPropertyListType)
        .value_or(bundle.resourceDirectory() / (name + "." + Bundle::kPropertyListType));
}

template <class List>
std::optional<std::size_t> indexByName(const List& list, const std::string& name)
{
    const auto found = std::find_if(list.begin(), list.end(), [&name](const auto& format) { return format.name() == name; });
    if (found == list.end())
        return std::nullopt;
    return static_cast<std::size_t>(found - list.begin());
}

template <class List>
std::optional<typename List::value_type> formatByName(const List& list, const std::string& name)
{
    const auto index = indexByName(list, name);
    if (!index)
        return std::nullopt;
    return list[*index];
}

template <class List>
std::string nameByIndex(const List& list, long long index)
{
    if (index < 0 || static_cast<unsigned long long>(index) >= list.size())
        return QVFormatRepository::kUndefinedName;
    return list[static_cast<std::size_t>(index)].name();
}

} // namespace

QVFormatRepository& QVFormatRepository::sharedRepository()
{
    static QVFormatRepository& repository = []() -> QVFormatRepository& {
        static QVFormatRepository made(UserDefaults::standard());
        made.loadExportFormats(resourcePath(kExportFormatsResource));
        made.loadDisplayFormats(resourcePath(kDisplayFormatsResource));
        return made;
    }();
    return repository;
}

QVFormatList QVFormatRepository::allExportFormats(const UserDefaults& defaults)
{
    return addCustomFormats(readDefinitions<QVFormatDefinition>(resourcePath(kExportFormatsResource)), defaults);
}

const std::vector<std::string>& QVFormatRepository::supportedTargets()
{
    return QVFormatTarget::supportedTargets();
}

QVFormatList QVFormatRepository::addCustomFormats(const QVFormatList& list, const UserDefaults& defaults)
{
    const Value setting = defaults.objectForKey(kCustomFormatsKey);
    if (setting.isNil())
        return list;
    const std::vector<Value>* entries = setting.array();
    if (!entries) {
        logging::log(strings::format(kCustomFormatsNotAnArray, {setting}));
        return list;
    }
    QVFormatList customs;
    for (const Value& entry : *entries) {
        if (auto custom = QVCustomFormatReader::read(entry))
            customs.push_back(std::move(*custom));
    }
    if (customs.empty())
        return list;
    return QVFormatListMerger::merge(list, customs);
}

QVFormatRepository::QVFormatRepository(const UserDefaults& defaults)
    : m_defaults(defaults)
    , m_exportFormats(std::make_shared<const QVFormatList>())
    , m_displayFormats(std::make_shared<const QVDisplayFormatList>())
{
}

void QVFormatRepository::loadExportFormats(const std::filesystem::path& path)
{
    QVFormatList list = readDefinitions<QVFormatDefinition>(path);
    // The command line offers every clipboard format, whatever the user narrowed.
    if (!commandline::isCLIMode()) {
        if (const auto whitelist = QVGroupWhitelist::fromSetting(m_defaults.objectForKey(QVGroupWhitelist::kSettingsKey)))
            list = whitelist->apply(list);
    }
    setExportFormatList(addCustomFormats(list, m_defaults));
}

void QVFormatRepository::loadDisplayFormats(const std::filesystem::path& path)
{
    auto list = std::make_shared<const QVDisplayFormatList>(readDefinitions<QVDisplayFormatDefinition>(path));
    const std::lock_guard lock(m_mutex);
    m_displayFormats = std::move(list);
}

std::shared_ptr<const QVFormatList> QVFormatRepository::exportFormatList() const
{
    const std::lock_guard lock(m_mutex);
    return m_exportFormats;
}

std::shared_ptr<const QVDisplayFormatList> QVFormatRepository::displayFormatList() const
{
    const std::lock_guard lock(m_mutex);
    return m_displayFormats;
}

std::optional<QVFormatDefinition> QVFormatRepository::getExportFormatByName(const std::string& name) const
{
    return formatByName(*exportFormatList(), name);
}

std::optional<std::size_t> QVFormatRepository::getExportFormatIndexByName(const std::string& name) const
{
    return indexByName(*exportFormatList(), name);
}

std::string QVFormatRepository::getExportFormatNameByIndex(long long index) const
{
    return nameByIndex(*exportFormatList(), index);
}

std::optional<std::size_t> QVFormatRepository::getExportFormatIndex(const QVFormatDefinition& format) const
{
    return getExportFormatIndexByName(format.name());
}

std::optional<QVDisplayFormatDefinition> QVFormatRepository::getDisplayFormatByName(const std::string& name) const
{
    return formatByName(*displayFormatList(), name);
}

std::optional<std::size_t> QVFormatRepository::getDisplayFormatIndexByName(const std::string& name) const
{
    return indexByName(*displayFormatList(), name);
}

std::string QVFormatRepository::getDisplayFormatNameByIndex(long long index) const
{
    return nameByIndex(*displayFormatList(), index);
}

std::optional<std::size_t> QVFormatRepository::getDisplayFormatIndex(const QVDisplayFormatDefinition& format) const
{
    return getDisplayFormatIndexByName(format.name());
}

void QVFormatRepository::filterFormatsWith(const Predicate& predicate)
{
    QVFormatList kept;
    if (predicate) {
        const auto current = exportFormatList();
        std::copy_if(current->begin(), current->end(), std::back_inserter(kept), predicate);
    }
    setExportFormatList(std::move(kept));
}

void QVFormatRepository::setExportFormatList(QVFormatList list)
{
    auto shared = std::make_shared<const QVFormatList>(std::move(list));
    const std::lock_guard lock(m_mutex);
    m_exportFormats = std::move(shared);
}
