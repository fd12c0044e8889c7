#pragma once

#include "MustacheConfiguration.h"
#include "MustacheTemplateAST.h"
#include "MustacheTemplateRepositoryDataSource.h"

#include "foundation/Dictionary.h"
#include "foundation/Value.h"

#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

class Bundle;
class MustacheTemplate;

// Compiles template strings and named templates, caching the named ones. Each
// repository works on its own copy of the default configuration, locked once it
// has compiled.
class MustacheTemplateRepository final : public std::enable_shared_from_this<MustacheTemplateRepository> {
public:
    MustacheTemplateRepository();

    // No data source: set one with setDataSource.
    static std::shared_ptr<MustacheTemplateRepository> templateRepository();
    // Resources of a bundle (the main one when null), "name.mustache" by default.
    static std::shared_ptr<MustacheTemplateRepository> templateRepositoryWithBundle(
        const Bundle* bundle = nullptr, const std::string& templateExtension = kDefaultTemplateExtension);
    static std::shared_ptr<MustacheTemplateRepository> templateRepositoryWithDirectory(
        const std::filesystem::path& directory, const std::string& templateExtension = kDefaultTemplateExtension);
    // Template files under a "file:" URL.
    static std::shared_ptr<MustacheTemplateRepository> templateRepositoryWithBaseURL(
        const std::string& baseURL, const std::string& templateExtension = kDefaultTemplateExtension);
    // Template strings by name.
    static std::shared_ptr<MustacheTemplateRepository> templateRepositoryWithDictionary(Dictionary templates);

    static constexpr const char* kDefaultTemplateExtension = "mustache";

    // Not owned; it must outlive the repository's use.
    MustacheTemplateRepositoryDataSource* dataSource() const { return m_dataSource; }
    void setDataSource(MustacheTemplateRepositoryDataSource* dataSource) { m_dataSource = dataSource; }

    MustacheConfiguration& configuration() { return m_configuration; }
    const MustacheConfiguration& configuration() const { return m_configuration; }
    // Raises when the current configuration is locked.
    void setConfiguration(const MustacheConfiguration& configuration);

    // Templates rendering with this repository's base context; null with the error on failure.
    std::shared_ptr<MustacheTemplate> templateFromString(const std::string& templateString, Error* error = nullptr);
    std::shared_ptr<MustacheTemplate> templateFromString(const std::string& templateString,
                                                           MustacheContentType contentType, Error* error = nullptr);
    std::shared_ptr<MustacheTemplate> templateNamed(const std::string& name, Error* error = nullptr);

    // The AST of a named template, loaded through the data source and cached.
    MustacheTemplateASTPtr templateASTNamed(const std::string& name, const Value& relativeToTemplateID,
                                              Error* error);
    MustacheTemplateASTPtr templateASTFromString(const std::string& templateString,
                                                   MustacheContentType contentType, const Value& templateID,
                                                   Error* error);
    void reloadTemplates();

    std::string description() const;

    // Code 1 "No such template: `name`".
    static Error templateNotFoundError(const std::string& name);

private:
    MustacheConfiguration m_configuration;
    MustacheTemplateRepositoryDataSource* m_dataSource = nullptr;
    std::unique_ptr<MustacheTemplateRepositoryDataSource> m_ownedDataSource;
    std::unordered_map<Value, MustacheTemplateASTPtr, ValueHash> m_templateASTCache;
    // Every named AST compiled here. Templates that include themselves hold their own
    // AST weakly, so it has to live as long as the repository, even after a reload.
    std::vector<MustacheTemplateASTPtr> m_compiledASTs;
    std::recursive_mutex m_lock;
};
