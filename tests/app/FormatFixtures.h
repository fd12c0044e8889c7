#pragma once

#include "formats/QVFormatRepository.h"
#include "foundation/PropertyList.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

// Small format lists written beside a test's settings file.
namespace formatfixtures {

inline Value exportFormat(const std::string& name, const std::string& target = "clipboard",
                          const std::string& group = "Web", const std::string& text = "{{color.hex}}")
{
    return Value(Dictionary{{"name", Value(name)}, {"group", Value(group)}, {"colorProfile", Value("srgb")},
                            {"exportFormat", Value(text)}, {"target", Value(target)}, {"script", Value(text)}});
}

inline Value displayFormat(const std::string& name)
{
    return Value(Dictionary{{"name", Value(name)}, {"displayFormat", Value(name)}});
}

inline std::filesystem::path writeList(const std::filesystem::path& path, std::vector<Value> entries)
{
    std::ofstream(path, std::ios::binary) << propertylist::writeXml(Value(std::move(entries)));
    return path;
}

// A repository over `defaults` with the given export and display lists.
inline std::unique_ptr<QVFormatRepository> makeRepository(const UserDefaults& defaults,
                                                          const std::filesystem::path& folder,
                                                          std::vector<Value> exportFormats,
                                                          std::vector<Value> displayFormats)
{
    auto repository = std::make_unique<QVFormatRepository>(defaults);
    repository->loadExportFormats(writeList(folder / "ExportFormats.plist", std::move(exportFormats)));
    repository->loadDisplayFormats(writeList(folder / "DisplayFormats.plist", std::move(displayFormats)));
    return repository;
}

inline std::vector<Value> fourExportFormats()
{
    return {exportFormat("HEX"), exportFormat("CSS RGB"), exportFormat("Swift"), exportFormat("Java")};
}

inline std::vector<Value> threeDisplayFormats()
{
    return {displayFormat("HEX"), displayFormat("RGB"), displayFormat("HSL")};
}

} // namespace formatfixtures
