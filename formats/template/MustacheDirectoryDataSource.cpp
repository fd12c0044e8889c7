#include "MustacheDirectoryDataSource.h"

#include <fstream>
#include <sstream>

MustacheDirectoryDataSource::MustacheDirectoryDataSource(std::filesystem::path root, std::string templateExtension,
                                                             bool mustExist)
    : m_root(std::move(root)), m_templateExtension(std::move(templateExtension)), m_mustExist(mustExist)
{
}

Value MustacheDirectoryDataSource::templateIDForName(MustacheTemplateRepository&, const std::string& name,
                                                       const Value& baseTemplateID)
{
    if (name.empty())
        return {};
    std::filesystem::path path;
    if (name.front() == '/') {
        path = m_root / name.substr(1);
    } else if (const std::string* base = baseTemplateID.string()) {
        path = std::filesystem::path(*base).parent_path() / name;
    } else {
        path = m_root / name;
    }
    if (!m_templateExtension.empty())
        path += "." + m_templateExtension;
    path = path.lexically_normal();
    std::error_code error;
    if (m_mustExist && !std::filesystem::is_regular_file(path, error))
        return {};
    return Value(path.string());
}

std::optional<std::string> MustacheDirectoryDataSource::templateStringForTemplateID(MustacheTemplateRepository&,
                                                                                      const Value& templateID, Error*)
{
    const std::string* path = templateID.string();
    std::error_code error;
    if (!path || !std::filesystem::is_regular_file(*path, error))
        return std::nullopt;
    std::ifstream file(*path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::ostringstream contents;
    contents << file.rdbuf();
    if (file.bad())
        return std::nullopt;
    return contents.str();
}
