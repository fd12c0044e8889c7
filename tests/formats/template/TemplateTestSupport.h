#pragma once

#include "formats/template/MustacheConfiguration.h"
#include "formats/template/MustacheTemplate.h"
#include "formats/template/MustacheTemplateRepository.h"

#include "foundation/Dictionary.h"
#include "foundation/Value.h"
#include "tests/foundation/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

// Renders `text` with `data` in a fresh repository of the given content type;
// "<error: message>" when compiling or rendering fails.
inline std::string render(const std::string& text, const Value& data = {},
                          MustacheContentType contentType = MustacheContentTypeHTML, Dictionary partials = {})
{
    auto repository = MustacheTemplateRepository::templateRepositoryWithDictionary(std::move(partials));
    repository->configuration().setContentType(contentType);
    Error error;
    auto compiled = repository->templateFromString(text, &error);
    if (!compiled)
        return "<error: " + error.message + ">";
    const std::optional<std::string> rendering = compiled->renderObject(data, &error);
    return rendering ? *rendering : "<error: " + error.message + ">";
}

inline std::string renderText(const std::string& text, const Value& data = {}, Dictionary partials = {})
{
    return render(text, data, MustacheContentTypeText, std::move(partials));
}

// A model object with one declared key, "name", and an undeclared "secret".
class Person final : public Object {
public:
    explicit Person(std::string name) : m_name(std::move(name)) {}

    std::string className() const override { return "Person"; }
    std::string description() const override { return "Person " + m_name; }
    bool isSafeKey(const std::string& key) const override { return key == "name"; }
    Value valueForKey(const std::string& key) const override
    {
        if (key == "name")
            return Value(m_name);
        if (key == "secret")
            return Value("s3cret");
        return Object::valueForKey(key);
    }

private:
    std::string m_name;
};

// Restores the default configuration's content type after a test changes it.
class DefaultContentTypeGuard {
public:
    DefaultContentTypeGuard() : m_saved(MustacheConfiguration::defaultConfiguration().contentType()) {}
    ~DefaultContentTypeGuard() { MustacheConfiguration::defaultConfiguration().setContentType(m_saved); }
    DefaultContentTypeGuard(const DefaultContentTypeGuard&) = delete;
    DefaultContentTypeGuard& operator=(const DefaultContentTypeGuard&) = delete;

private:
    MustacheContentType m_saved;
};

// A folder of template (or strings) files that disappears with the test.
class TemplateFolder {
public:
    TemplateFolder() { std::filesystem::create_directories(m_folder / "sub"); }

    void write(const std::string& name, const std::string& text) const { std::ofstream(m_folder / name) << text; }
    const std::filesystem::path& path() const { return m_folder.path(); }

private:
    TemporaryFolder m_folder;
};
