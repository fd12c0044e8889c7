#include "MustacheTemplateRepository.h"

#include "MustacheCompiler.h"
#include "MustacheDictionaryDataSource.h"
#include "MustacheDirectoryDataSource.h"
#include "MustacheDescription.h"
#include "MustacheError.h"
#include "MustacheTemplate.h"
#include "MustacheTemplateParser.h"
#include "MustacheURLDataSource.h"

#include "foundation/Bundle.h"
#include "foundation/Exception.h"

MustacheTemplateRepository::MustacheTemplateRepository()
    : m_configuration(MustacheConfiguration::defaultConfiguration())
{
}

std::shared_ptr<MustacheTemplateRepository> MustacheTemplateRepository::templateRepository()
{
    return std::make_shared<MustacheTemplateRepository>();
}

std::shared_ptr<MustacheTemplateRepository> MustacheTemplateRepository::templateRepositoryWithBundle(
    const Bundle* bundle, const std::string& templateExtension)
{
    const Bundle& source = bundle ? *bundle : Bundle::main();
    auto repository = templateRepository();
    repository->m_ownedDataSource = std::make_unique<MustacheDirectoryDataSource>(source.resourceDirectory(),
                                                                                    templateExtension, true);
    repository->m_dataSource = repository->m_ownedDataSource.get();
    return repository;
}

std::shared_ptr<MustacheTemplateRepository> MustacheTemplateRepository::templateRepositoryWithDirectory(
    const std::filesystem::path& directory, const std::string& templateExtension)
{
    auto repository = templateRepository();
    repository->m_ownedDataSource = std::make_unique<MustacheDirectoryDataSource>(directory, templateExtension,
                                                                                    false);
    repository->m_dataSource = repository->m_ownedDataSource.get();
    return repository;
}

std::shared_ptr<MustacheTemplateRepository> MustacheTemplateRepository::templateRepositoryWithBaseURL(
    const std::string& baseURL, const std::string& templateExtension)
{
    auto repository = templateRepository();
    repository->m_ownedDataSource = std::make_unique<MustacheURLDataSource>(baseURL, templateExtension);
    repository->m_dataSource = repository->m_ownedDataSource.get();
    return repository;
}

std::shared_ptr<MustacheTemplateRepository> MustacheTemplateRepository::templateRepositoryWithDictionary(
    Dictionary templates)
{
    auto repository = templateRepository();
    repository->m_ownedDataSource = std::make_unique<MustacheDictionaryDataSource>(std::move(templates));
    repository->m_dataSource = repository->m_ownedDataSource.get();
    return repository;
}

void MustacheTemplateRepository::setConfiguration(const MustacheConfiguration& configuration)
{
    if (m_configuration.isLocked())
        throw mutatedAfterCompilation(description());
    m_configuration = configuration;
}

std::shared_ptr<MustacheTemplate> MustacheTemplateRepository::templateFromString(const std::string& templateString,
                                                                                     Error* error)
{
    return templateFromString(templateString, m_configuration.contentType(), error);
}

std::shared_ptr<MustacheTemplate> MustacheTemplateRepository::templateFromString(const std::string& templateString,
                                                                                     MustacheContentType contentType,
                                                                                     Error* error)
{
    MustacheTemplateASTPtr ast = templateASTFromString(templateString, contentType, {}, error);
    if (!ast)
        return nullptr;
    return std::make_shared<MustacheTemplate>(shared_from_this(), std::move(ast), m_configuration.baseContext());
}

std::shared_ptr<MustacheTemplate> MustacheTemplateRepository::templateNamed(const std::string& name, Error* error)
{
    MustacheTemplateASTPtr ast = templateASTNamed(name, {}, error);
    if (!ast)
        return nullptr;
    return std::make_shared<MustacheTemplate>(shared_from_this(), std::move(ast), m_configuration.baseContext());
}

Error MustacheTemplateRepository::templateNotFoundError(const std::string& name)
{
    return makeMustacheError(MustacheErrorCodeTemplateNotFound, "No such template: `" + name + "`");
}

MustacheTemplateASTPtr MustacheTemplateRepository::templateASTNamed(const std::string& name,
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
    MustacheTemplateASTPtr placeholder = MustacheTemplateAST::placeholderAST();
    m_templateASTCache[templateID] = placeholder;
    MustacheTemplateASTPtr compiled = templateASTFromString(*text, m_configuration.contentType(), templateID,
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

MustacheTemplateASTPtr MustacheTemplateRepository::templateASTFromString(const std::string& templateString,
                                                                             MustacheContentType contentType,
                                                                             const Value& templateID, Error* error)
{
    m_configuration.lock();
    MustacheCompiler compiler(contentType);
    compiler.setTemplateRepository(this);
    compiler.setBaseTemplateID(templateID);
    MustacheTemplateParser parser(m_configuration);
    parser.setDelegate(&compiler);
    parser.parseTemplateString(std::make_shared<const std::string>(templateString), templateID);
    return compiler.templateASTReturningError(error);
}

void MustacheTemplateRepository::reloadTemplates()
{
    std::lock_guard guard(m_lock);
    m_templateASTCache.clear();
}

std::string MustacheTemplateRepository::description() const
{
    return addressDescription("MustacheTemplateRepository", this);
}
