#include "FormatChooser.h"

#include "app/picking/ScriptRunner.h"
#include "app/settings/SettingsStore.h"
#include "formats/QVFormatRepository.h"
#include "formats/QVFormatTarget.h"
#include "foundation/Log.h"
#include "foundation/StringUtils.h"

#include <string_view>

namespace {

constexpr const char* kIgnoringFormatLog = "Ignoring format: \"%@\" (%@ not installed)";

// The shape of an application's bundle identifier, "^.+\\..+\\..+$": three or more
// dot-separated parts on one line. Checked by hand: std::regex recurses once per
// character and overflows the stack on a long group name.
bool isBundleIdentifier(std::string_view group)
{
    if (group.find_first_of("\r\n") != std::string_view::npos || group.size() < 5)
        return false;
    const std::size_t firstDot = group.find('.', 1);
    const std::size_t lastDot = group.rfind('.', group.size() - 2);
    return firstDot != std::string_view::npos && lastDot != std::string_view::npos && lastDot >= firstDot + 2;
}

template <class List>
std::optional<std::size_t> steppedIndex(const List& list, std::optional<std::size_t> index, bool forward)
{
    if (!index || list.empty())
        return std::nullopt;
    const std::size_t count = list.size();
    return (*index + (forward ? 1 : count - 1)) % count;
}

} // namespace

FormatChooser::FormatChooser(QVFormatRepository& repository, SettingsStore& settings, bool commandLineMode)
    : m_repository(repository)
    , m_settings(settings)
    , m_commandLineMode(commandLineMode)
{
}

void FormatChooser::stepExportFormat(bool forward)
{
    if (m_formatLocked || !m_exportFormat)
        return;
    const auto list = m_repository.exportFormatList();
    if (const auto index = steppedIndex(*list, m_repository.getExportFormatIndex(*m_exportFormat), forward))
        updateCurrentExportFormat((*list)[*index]);
}

void FormatChooser::stepDisplayFormat(bool forward)
{
    if (m_formatLocked || !m_displayFormat)
        return;
    const auto list = m_repository.displayFormatList();
    if (const auto index = steppedIndex(*list, m_repository.getDisplayFormatIndex(*m_displayFormat), forward))
        updateCurrentDisplayFormat((*list)[*index]);
}

void FormatChooser::updateCurrentExportFormat(const QVFormatDefinition& format)
{
    if (m_exportFormat && m_exportFormat->name() == format.name())
        return;
    if (m_commandLineMode)
        m_exportFormat = format;
    else
        m_settings.set(settingskeys::kExportFormat, Value(format.name()));
}

void FormatChooser::updateCurrentDisplayFormat(const QVDisplayFormatDefinition& format)
{
    if (m_displayFormat && m_displayFormat->name() == format.name())
        return;
    if (m_commandLineMode)
        m_displayFormat = format;
    else
        m_settings.set(settingskeys::kDisplayFormat, Value(format.name()));
}

void FormatChooser::applyStoredFormats()
{
    const std::string exportName = m_settings.string(settingskeys::kExportFormat).value_or("");
    m_exportFormat = m_repository.getExportFormatByName(exportName);
    if (!m_exportFormat) {
        const auto list = m_repository.exportFormatList();
        if (!list->empty())
            m_exportFormat = list->front();
    }
    const std::string displayName = m_settings.string(settingskeys::kDisplayFormat).value_or("");
    m_displayFormat = m_repository.getDisplayFormatByName(displayName);
    if (!m_displayFormat) {
        const auto list = m_repository.displayFormatList();
        if (!list->empty())
            m_displayFormat = list->front();
    }
}

void FormatChooser::removeNonClipboardFormats()
{
    m_repository.filterFormatsWith(
        [](const QVFormatDefinition& format) { return format.target() == QVFormatTarget::kClipboard; });
}

void FormatChooser::removeMissingApplicationExports(ScriptRunner& runner)
{
    m_repository.filterFormatsWith([&runner](const QVFormatDefinition& format) {
        if (format.target() != QVFormatTarget::kAppleScript)
            return true;
        // Without a runner no script format can work, whatever it addresses.
        if (!runner.isAvailable()) {
            logging::log(strings::format(kIgnoringFormatLog, {Value(format.name()), Value(runner.name())}));
            return false;
        }
        const std::string group = format.group();
        if (!isBundleIdentifier(group) || runner.isApplicationInstalled(group))
            return true;
        logging::log(strings::format(kIgnoringFormatLog, {Value(format.name()), Value(group)}));
        return false;
    });
}

void FormatChooser::validateSettings()
{
    if (m_commandLineMode) {
        if (!m_exportFormat)
            m_exportFormat = m_repository.getExportFormatByName(m_settings.string(settingskeys::kExportFormat).value_or(""));
        if (!m_displayFormat)
            m_displayFormat = m_repository.getDisplayFormatByName(m_settings.string(settingskeys::kDisplayFormat).value_or(""));
    } else {
        if (m_exportFormat && !m_repository.getExportFormatIndexByName(m_exportFormat->name()))
            m_exportFormat.reset();
        if (m_displayFormat && !m_repository.getDisplayFormatIndexByName(m_displayFormat->name()))
            m_displayFormat.reset();
    }
    if (!m_exportFormat) {
        const auto list = m_repository.exportFormatList();
        if (!list->empty())
            updateCurrentExportFormat(list->front());
    }
    if (!m_displayFormat) {
        const auto list = m_repository.displayFormatList();
        if (!list->empty())
            updateCurrentDisplayFormat(list->front());
    }
}

std::string FormatChooser::currentDisplayFormatName() const
{
    return m_exportFormat ? m_exportFormat->name() : QVFormatRepository::kUndefinedName;
}
