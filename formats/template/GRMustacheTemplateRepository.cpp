#include "GRMustacheTemplateRepository.h"

#include "GRMustacheCompiler.h"
#include "GRMustacheDictionaryDataSource.h"
#include "GRMustacheDirectoryDataSource.h"
#include "GRMustacheDescription.h"
#include "GRMustacheError.h"
#include "GRMustacheTemplate.h"
#include "GRMustacheTemplateParser.h"
#include "GRMustacheURLDataSource.h"

#include "foundation/Bundle.h"
#include "foundation/Exception.h"

GRMustacheTemplateRepository::GRMustacheTemplateRepository()
    : m_configuration(GRMustacheConfiguration::defaultConfiguration())
{
}

std::shared_ptr<GRMustacheTemplateRepository> GRMustacheTemplateRepository::templateRepository()
{
    return std::make_shared<GRMustacheTemplateRepository>();
}

std::shared_ptr<GRMustacheTemplateRepository> GRMustacheTemplateRepository::templateRepositoryWithBundle(
    const Bundle* bundle, const std::string& templateExtension)
{
    const Bundle& source = bundle ? *bundle : Bundle::main();
    auto repository = templateRepository();
    repository->m_ownedDataSource = std::make_unique<GRMustacheDirectoryDataSource>(source.resourceDirectory(),
                                                                                    templateExtension, true);
    repository->m_dataSource = repository->m_ownedDataSource.get();
    return repository;
}

std::shared_ptr<GRMustacheTemplateRepository> GRMustacheTemplateRepository::templateRepositoryWithDirectory(
    const std::filesystem::path& directory, const std::string& templateExtension)
{
    auto repository = templateRepository();
    repository->m_ownedDataSource = std::make_unique<GRMustacheDirectoryDataSource>(directory, templateExtension,
                                                                                    false);
    repository->m_dataSource = repository->m_ownedDataSource.get();
    return repository;
}

std::shared_ptr<GRMustacheTemplateRepository> GRMustacheTemplateRepository::templateRepositoryWithBaseURL(
    const std::string& baseURL, const std::string& templateExtension)
{
    auto repository = templateRepository();
    repository->m_ownedDataSource = std::make_unique<GRMustacheURLDataSource>(baseURL, templateExtension);
    repository->m_dataSource = repository->m_ownedDataSource.get();
    return repository;
}

std::shared_ptr<GRMustacheTemplateRepository> GRMustacheTemplateRepository::templateRepositoryWithDictionary(
    Dictionary templates)
{
    auto repository = templateRepository();
    repository->m_ownedDataSource = std::make_unique<GRMustacheDictionaryDataSource>(std::move(templates));
    repository->m_dataSource = repository->m_ownedDataSource.get();
    return repository;
}

void GRMustacheTemplateRepository::setConfiguration(const GRMustacheConfiguration& configuration)
{
    if (m_configuration.isLocked())
        throw mutatedAfterCompilation(description());
    m_configuration = configuration;
}

std::shared_ptr<GRMustacheTemplate> GRMustacheTemplateRepository::templateFromString(const std::string& templateString,
                                                                                     Error* error)
{
    return templateFromString(templateString, m_configuration.contentType(), error);
}

std::shared_ptr<GRMustacheTemplate> GRMustacheTemplateRepository::templateFromString(const std::string& templateString,
                                                                                     GRMustacheContentType contentType,
                                                                                     Error* error)
{
    GRMustacheTemplateASTPtr ast = templateASTFromString(templateString, contentType, {}, error);
    if (!ast)
        return nullptr;
    return std::make_shared<GRMustacheTemplate>(shared_from_this(), std::move(ast), m_configuration.baseContext());
}

std::shared_ptr<GRMustacheTemplate> GRMustacheTemplateRepository::templateNamed(const std::string& name, Error* error)
{
    GRMustacheTemplateASTPtr ast = templateASTNamed(name, {}, error);
    if (!ast)
        return nullptr;
    return std::make_shared<GRMustacheTemplate>(shared_from_this(), std::move(ast), m_configuration.baseContext());
}

Error GRMustacheTemplateRepository::templateNotFoundError(const std::string& name)
{
    return makeMustacheError(GRMustacheErrorCodeTemplateNotFound, "No such template: `" + name + "`");
}

GRMustacheTemplateASTPtr GRMustacheTemplateRepository::templateASTNamed(const std::string& name,
                                                                        const Value& relativeToTemplateID,
                                                                        Error* error)
{
    std::lock_guard guard(m_lock);
    const Value templateID = m_dataSource ? m_dataSource->templateIDForName(*this, name, relativeToTemplateID)
                                          : Value();
    if (!templateID) {
        setMustacheError(error, templateNotFoundError(name));
        return nullptr;
    }
    if (const auto cached = m_templateASTCache.find(templateID); cached != m_templateASTCache.end())
        return cached->second;

    Error loadError;
    std::optional<std::string> text = m_dataSource->templateStringForTemplateID(*this, templateID, &loadError);
    if (!text) {
        setMustacheError(error, loadError.domain.empty() ? templateNotFoundError(name) : loadError);
        return nullptr;
    }

    // A placeholder in the cache ends the recursion of a template that includes itself.
    GRMustacheTemplateASTPtr placeholder = GRMustacheTemplateAST::placeholderAST();
    m_templateASTCache[templateID] = placeholder;
    GRMustacheTemplateASTPtr compiled = templateASTFromString(*text, m_configuration.contentType(), templateID,
                                                              error);
    if (!compiled) {
        m_templateASTCache.erase(templateID);
        return nullptr;
    }
    placeholder->setTemplateASTNodes(compiled->templateASTNodes());
    placeholder->setContentType(compiled->contentType());
    m_compiledASTs.push_back(placeholder);
    return placeholder;
}

GRMustacheTemplateASTPtr GRMustacheTemplateRepository::templateASTFromString(const std::string& templateString,
                                                                             GRMustacheContentType contentType,
                                                                             const Value& templateID, Error* error)
{
    m_configuration.lock();
    GRMustacheCompiler compiler(contentType);
    compiler.setTemplateRepository(this);
    compiler.setBaseTemplateID(templateID);
    GRMustacheTemplateParser parser(m_configuration);
    parser.setDelegate(&compiler);
    parser.parseTemplateString(std::make_shared<const std::string>(templateString), templateID);
    return compiler.templateASTReturningError(error);
}

void GRMustacheTemplateRepository::reloadTemplates()
{
    std::lock_guard guard(m_lock);
    m_templateASTCache.clear();
}

std::string GRMustacheTemplateRepository::description() const
{
    return addressDescription("GRMustacheTemplateRepository", this);
}
