#pragma once

#include "formats/QVDisplayFormatDefinition.h"
#include "formats/QVFormatDefinition.h"

#include <optional>
#include <string>

class QVFormatRepository;
class ScriptRunner;
class SettingsStore;

// The current export and display formats. Outside command-line mode a format becomes
// current by storing its name: the settings observer calls applyStoredFormats.
class FormatChooser final {
public:
    FormatChooser(QVFormatRepository& repository, SettingsStore& settings, bool commandLineMode);

    const std::optional<QVFormatDefinition>& exportFormat() const { return m_exportFormat; }
    const std::optional<QVDisplayFormatDefinition>& displayFormat() const { return m_displayFormat; }
    void setExportFormat(std::optional<QVFormatDefinition> format) { m_exportFormat = std::move(format); }
    void setDisplayFormat(std::optional<QVDisplayFormatDefinition> format) { m_displayFormat = std::move(format); }

    bool formatLocked() const { return m_formatLocked; }
    // For the rest of the run the formats cannot be cycled.
    void lockFormats() { m_formatLocked = true; }

    // Step through the repository's lists with wrap-around. Nothing happens while the
    // formats are locked or when the current format is not in the list.
    void chooseNextExportFormat() { stepExportFormat(true); }
    void choosePrevExportFormat() { stepExportFormat(false); }
    void chooseNextDisplayFormat() { stepDisplayFormat(true); }
    void choosePrevDisplayFormat() { stepDisplayFormat(false); }

    // Stores the format's name unless it is current already. In command-line mode the
    // settings are not written: the format becomes current directly.
    void updateCurrentExportFormat(const QVFormatDefinition& format);
    void updateCurrentDisplayFormat(const QVDisplayFormatDefinition& format);

    // The formats the stored names give; an unknown or absent name gives the first.
    void applyStoredFormats();

    // Start-up filters of the repository's export formats.
    void removeNonClipboardFormats();
    void removeMissingApplicationExports(ScriptRunner& runner);

    // Drops current formats the repository no longer has and fills the gaps with
    // the first formats of its lists.
    void validateSettings();

    // The current export format's name, or "undefined".
    std::string currentDisplayFormatName() const;

private:
    void stepExportFormat(bool forward);
    void stepDisplayFormat(bool forward);

    QVFormatRepository& m_repository;
    SettingsStore& m_settings;
    const bool m_commandLineMode;
    bool m_formatLocked = false;
    std::optional<QVFormatDefinition> m_exportFormat;
    std::optional<QVDisplayFormatDefinition> m_displayFormat;
};
