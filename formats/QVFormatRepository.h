#pragma once

#include "formats/QVDisplayFormatDefinition.h"
#include "formats/QVFormatDefinition.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

class UserDefaults;

// The catalogue of formats: the built-in export formats narrowed by the group
// whitelist and extended by the user's custom formats, and the display formats.
// Formats are found, chosen and persisted by name.
class QVFormatRepository final {
public:
    static constexpr const char* kExportFormatsResource = "ExportFormats";
    static constexpr const char* kDisplayFormatsResource = "DisplayFormats";
    static constexpr const char* kCustomFormatsKey = "customFormats";
    // The name of an index that lies outside a list.
    static constexpr const char* kUndefinedName = "undefined";

    using Predicate = std::function<bool(const QVFormatDefinition&)>;

    // The program's repository on the standard settings and the main bundle, loaded
    // on first use.
    static QVFormatRepository& sharedRepository();
    // The built-in export formats read again, with the custom formats and without
    // the whitelist.
    static QVFormatList allExportFormats(const UserDefaults& defaults);
    static const std::vector<std::string>& supportedTargets();
    // The list with the valid custom formats of the settings merged in.
    static QVFormatList addCustomFormats(const QVFormatList& list, const UserDefaults& defaults);

    // Empty lists; the settings are read by loadExportFormats.
    explicit QVFormatRepository(const UserDefaults& defaults);

    void loadExportFormats(const std::filesystem::path& path);
    void loadDisplayFormats(const std::filesystem::path& path);

    // Snapshots: a list never changes once made, later changes swap in a new one.
    std::shared_ptr<const QVFormatList> exportFormatList() const;
    std::shared_ptr<const QVDisplayFormatList> displayFormatList() const;

    std::optional<QVFormatDefinition> getExportFormatByName(const std::string& name) const;
    std::optional<std::size_t> getExportFormatIndexByName(const std::string& name) const;
    std::string getExportFormatNameByIndex(long long index) const;
    std::optional<std::size_t> getExportFormatIndex(const QVFormatDefinition& format) const;

    std::optional<QVDisplayFormatDefinition> getDisplayFormatByName(const std::string& name) const;
    std::optional<std::size_t> getDisplayFormatIndexByName(const std::string& name) const;
    std::string getDisplayFormatNameByIndex(long long index) const;
    std::optional<std::size_t> getDisplayFormatIndex(const QVDisplayFormatDefinition& format) const;

    // Keeps the export formats the predicate accepts, in order; no predicate keeps none.
    void filterFormatsWith(const Predicate& predicate);

private:
    void setExportFormatList(QVFormatList list);

    const UserDefaults& m_defaults;
    mutable std::mutex m_mutex;
    std::shared_ptr<const QVFormatList> m_exportFormats;
    std::shared_ptr<const QVDisplayFormatList> m_displayFormats;
};
