#include "MustacheURLDataSource.h"

#include <charconv>
#include <cstdio>
#include <string_view>

namespace {

constexpr std::string_view kFileScheme = "file://";

// The byte of a "%XX" escape at the start of `text`, if it is one.
std::optional<char> escapedByte(std::string_view text)
{
    unsigned value = 0;
    if (text.size() < 3 || text[0] != '%')
        return std::nullopt;
    const auto [end, error] = std::from_chars(text.data() + 1, text.data() + 3, value, 16);
    if (error != std::errc() || end != text.data() + 3)
        return std::nullopt;
    return static_cast<char>(value);
}

// Characters a path keeps as they are in a URL.
bool isPlainPathCharacter(unsigned char c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        return true;
    return std::string_view("-._~/!$&'()*+,;=:@").find(static_cast<char>(c)) != std::string_view::npos;
}

} // namespace

MustacheURLDataSource::MustacheURLDataSource(const std::string& baseURL, std::string templateExtension)
{
    if (const std::optional<std::filesystem::path> root = pathOfFileURL(baseURL))
        m_directory.emplace(*root, std::move(templateExtension), false);
}

std::optional<std::filesystem::path> MustacheURLDataSource::pathOfFileURL(const std::string& url)
{
    if (url.compare(0, kFileScheme.size(), kFileScheme) != 0)
        return std::nullopt;
    // "file:///path", or "file://localhost/path".
    std::string_view rest = std::string_view(url).substr(kFileScheme.size());
    const std::size_t pathStart = rest.find('/');
    if (pathStart == std::string_view::npos)
        return std::nullopt;
    const std::string_view host = rest.substr(0, pathStart);
    if (!host.empty() && host != "localhost")
        return std::nullopt;
    rest = rest.substr(pathStart);
    rest = rest.substr(0, rest.find_first_of("?#"));
    std::string path;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (const std::optional<char> byte = escapedByte(rest.substr(i))) {
            path += *byte;
            i += 2;
        } else {
            path += rest[i];
        }
    }
    return std::filesystem::path(path);
}

std::string MustacheURLDataSource::fileURLWithPath(const std::filesystem::path& path)
{
    std::string url(kFileScheme);
    for (const char c : path.string()) {
        if (isPlainPathCharacter(static_cast<unsigned char>(c))) {
            url += c;
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", static_cast<unsigned char>(c));
            url += escaped;
        }
    }
    return url;
}

Value MustacheURLDataSource::templateIDForName(MustacheTemplateRepository& repository, const std::string& name,
                                                 const Value& baseTemplateID)
{
    if (!m_directory)
        return {};
    Value basePath;
    if (const std::string* baseURL = baseTemplateID.string()) {
        if (const std::optional<std::filesystem::path> path = pathOfFileURL(*baseURL))
            basePath = Value(path->string());
    }
    const Value path = m_directory->templateIDForName(repository, name, basePath);
    if (const std::string* resolved = path.string())
        return Value(fileURLWithPath(*resolved));
    return {};
}

std::optional<std::string> MustacheURLDataSource::templateStringForTemplateID(
    MustacheTemplateRepository& repository, const Value& templateID, Error* error)
{
    const std::string* url = templateID.string();
    const std::optional<std::filesystem::path> path = url ? pathOfFileURL(*url) : std::nullopt;
    if (!m_directory || !path)
        return std::nullopt;
    return m_directory->templateStringForTemplateID(repository, Value(path->string()), error);
}
