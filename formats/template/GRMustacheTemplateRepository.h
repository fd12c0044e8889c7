#pragma once

#include "GRMustacheConfiguration.h"
#include "GRMustacheTemplateAST.h"
#include "GRMustacheTemplateRepositoryDataSource.h"

#include "foundation/Dictionary.h"
#include "foundation/Value.h"

#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

class Bundle;
class GRMustacheTemplate;

// Compiles template strings and named templates, caching the named ones. Each
// repository works on its own copy of the default configuration, locked once it
// has compiled.
class GRMustacheTemplateRepository final : public std::enable_shared_from_this<GRMustacheTemplateRepository> {
public:
    GRMustacheTemplateRepository();

    // No data source: set one with setDataSource.
    static std::shared_ptr<GRMustacheTemplateRepository> templateRepository();
    // Resources of a bundle (the main one when null), "name.mustache" by default.
    static std::shared_ptr<GRMustacheTemplateRepository> templateRepositoryWithBundle(
        const Bundle* bundle = nullptr, const std::string& templateExtension = kDefaultTemplateExtension);
    static std::shared_ptr<GRMustacheTemplateRepository> templateRepositoryWithDirectory(
        const std::filesystem::path& directory, const std::string& templateExtension = kDefaultTemplateExtension);
    // Template files under a "file:" URL.
    static std::shared_ptr<GRMustacheTemplateRepository> templateRepositoryWithBaseURL(
        const std::string& baseURL, const std::string& templateExtension = kDefaultTemplateExtension);
    // Template strings by name.
    static std::shared_ptr<GRMustacheTemplateRepository> templateRepositoryWithDictionary(Dictionary templates);

    static constexpr const char* kDefaultTemplateExtension = "mustache";

    // Not owned; it must outlive the repository's use.
    GRMustacheTemplateRepositoryDataSource* dataSource() const { return m_dataSource; }
    void setDataSource(GRMustacheTemplateRepositoryDataSource* dataSource) { m_dataSource = dataSource; }

    GRMustacheConfiguration& configuration() { return m_configuration; }
    const GRMustacheConfiguration& configuration() const { return m_configuration; }
    // Raises when the current configuration is locked.
    void setConfiguration(const GRMustacheConfiguration& configuration);

    // Templates rendering with this repository's base context; null with the error on failure.
    std::shared_ptr<GRMustacheTemplate> templateFromString(const std::string& templateString, Error* error = nullptr);
    std::shared_ptr<GRMustacheTemplate> templateFromString(const std::string& templateString,
                                                           GRMustacheContentType contentType, Error* error = nullptr);
    std::shared_ptr<GRMustacheTemplate> templateNamed(const std::string& name, Error* error = nullptr);

    // The AST of a named template, loaded through the data source and cached.
    GRMustacheTemplateASTPtr templateASTNamed(const std::string& name, const Value& relativeToTemplateID,
                                              Error* error);
    GRMustacheTemplateASTPtr templateASTFromString(const std::string& templateString,
                                                   GRMustacheContentType contentType, const Value& templateID,
                                                   Error* error);
    void reloadTemplates();

    std::string description() const;

    // Code 1 "No such template: `name`".
    static Error templateNotFoundError(const std::string& name);

private:
    GRMustacheConfiguration m_configuration;
    GRMustacheTemplateRepositoryDataSource* m_dataSource = nullptr;
    std::unique_ptr<GRMustacheTemplateRepositoryDataSource> m_ownedDataSource;
    std::unordered_map<Value, GRMustacheTemplateASTPtr, ValueHash> m_templateASTCache;
    // Every named AST compiled here. Templates that include themselves hold their own
    // AST weakly, so it has to live as long as the repository, even after a reload.
    std::vector<GRMustacheTemplateASTPtr> m_compiledASTs;
    std::recursive_mutex m_lock;
};
