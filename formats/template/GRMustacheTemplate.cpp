#include "GRMustacheTemplate.h"

#include "GRMustacheError.h"
#include "GRMustacheRenderingEngine.h"
#include "GRMustacheTemplateRepository.h"
#include "GRMustacheURLDataSource.h"

namespace {

// Makes a repository the current one of this thread for as long as it lives.
class RepositoryScope {
public:
    explicit RepositoryScope(GRMustacheTemplateRepository* repository)
    {
        GRMustacheRendering::pushCurrentTemplateRepository(repository);
    }
    ~RepositoryScope() { GRMustacheRendering::popCurrentTemplateRepository(); }
    RepositoryScope(const RepositoryScope&) = delete;
    RepositoryScope& operator=(const RepositoryScope&) = delete;
};

// The file's extension without its dot: the template extension of its repository.
std::string extensionOf(const std::filesystem::path& path)
{
    std::string extension = path.extension().string();
    if (!extension.empty())
        extension.erase(0, 1);
    return extension;
}

} // namespace

GRMustacheTemplate::GRMustacheTemplate(std::shared_ptr<GRMustacheTemplateRepository> templateRepository,
                                       GRMustacheTemplateASTPtr templateAST, GRMustacheContextPtr baseContext)
    : m_templateRepository(std::move(templateRepository))
    , m_templateAST(std::move(templateAST))
    , m_baseContext(std::move(baseContext))
{
}

std::shared_ptr<GRMustacheTemplate> GRMustacheTemplate::templateFromString(const std::string& templateString,
                                                                           Error* error)
{
    GRMustacheTemplateRepository* current = GRMustacheRendering::currentTemplateRepository();
    std::shared_ptr<GRMustacheTemplateRepository> repository = current
        ? current->shared_from_this()
        : GRMustacheTemplateRepository::templateRepositoryWithBundle();
    return repository->templateFromString(templateString, GRMustacheRendering::currentContentType(), error);
}

std::shared_ptr<GRMustacheTemplate> GRMustacheTemplate::templateFromResource(const std::string& name,
                                                                             const Bundle* bundle, Error* error)
{
    return GRMustacheTemplateRepository::templateRepositoryWithBundle(bundle)->templateNamed(name, error);
}

std::shared_ptr<GRMustacheTemplate> GRMustacheTemplate::templateFromContentsOfFile(const std::filesystem::path& path,
                                                                                   Error* error)
{
    return GRMustacheTemplateRepository::templateRepositoryWithDirectory(path.parent_path(), extensionOf(path))
        ->templateNamed(path.stem().string(), error);
}

std::shared_ptr<GRMustacheTemplate> GRMustacheTemplate::templateFromContentsOfURL(const std::string& url, Error* error)
{
    const std::optional<std::filesystem::path> path = GRMustacheURLDataSource::pathOfFileURL(url);
    if (!path) {
        setMustacheError(error, GRMustacheTemplateRepository::templateNotFoundError(url));
        return nullptr;
    }
    const std::string baseURL = GRMustacheURLDataSource::fileURLWithPath(path->parent_path());
    return GRMustacheTemplateRepository::templateRepositoryWithBaseURL(baseURL, extensionOf(*path))
        ->templateNamed(path->stem().string(), error);
}

std::optional<std::string> GRMustacheTemplate::renderObjectFromString(const Value& object,
                                                                      const std::string& templateString, Error* error)
{
    const std::shared_ptr<GRMustacheTemplate> compiled = templateFromString(templateString, error);
    return compiled ? compiled->renderObject(object, error) : std::nullopt;
}

std::optional<std::string> GRMustacheTemplate::renderObjectFromResource(const Value& object, const std::string& name,
                                                                        const Bundle* bundle, Error* error)
{
    const std::shared_ptr<GRMustacheTemplate> compiled = templateFromResource(name, bundle, error);
    return compiled ? compiled->renderObject(object, error) : std::nullopt;
}

void GRMustacheTemplate::setBaseContext(GRMustacheContextPtr context)
{
    if (!context)
        throw invalidBaseContext();
    m_baseContext = std::move(context);
}

void GRMustacheTemplate::extendBaseContextWithObject(const Value& object)
{
    setBaseContext(m_baseContext->contextByAddingObject(object));
}

void GRMustacheTemplate::extendBaseContextWithProtectedObject(const Value& object)
{
    setBaseContext(m_baseContext->contextByAddingProtectedObject(object));
}

void GRMustacheTemplate::extendBaseContextWithTagDelegate(const Value& tagDelegate)
{
    setBaseContext(m_baseContext->contextByAddingTagDelegate(tagDelegate));
}

std::optional<std::string> GRMustacheTemplate::renderObject(const Value& object, Error* error) const
{
    bool HTMLSafe = false;
    return renderContentWithContext(m_baseContext->contextByAddingObject(object), HTMLSafe, error);
}

std::optional<std::string> GRMustacheTemplate::renderObjectsFromArray(const std::vector<Value>& objects,
                                                                      Error* error) const
{
    GRMustacheContextPtr context = m_baseContext;
    for (const Value& object : objects)
        context = context->contextByAddingObject(object);
    bool HTMLSafe = false;
    return renderContentWithContext(context, HTMLSafe, error);
}

std::optional<std::string> GRMustacheTemplate::renderContentWithContext(const GRMustacheContextPtr& context,
                                                                        bool& HTMLSafe, Error* error) const
{
    const RepositoryScope scope(m_templateRepository.get());
    GRMustacheRenderingEngine engine(m_templateAST->contentType(), context);
    return engine.renderTemplateAST(*m_templateAST, HTMLSafe, error);
}

std::optional<std::string> GRMustacheTemplate::renderForMustacheTag(const GRMustacheTag&,
                                                                    const GRMustacheContextPtr& context,
                                                                    bool& HTMLSafe, Error& error) const
{
    return renderContentWithContext(context, HTMLSafe, &error);
}
