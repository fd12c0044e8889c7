#include "MustacheTemplate.h"

#include "MustacheError.h"
#include "MustacheRenderingEngine.h"
#include "MustacheTemplateRepository.h"
#include "MustacheURLDataSource.h"

namespace {

// Makes a repository the current one of this thread for as long as it lives.
class RepositoryScope {
public:
    explicit RepositoryScope(MustacheTemplateRepository* repository)
    {
        MustacheRendering::pushCurrentTemplateRepository(repository);
    }
    ~RepositoryScope() { MustacheRendering::popCurrentTemplateRepository(); }
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

MustacheTemplate::MustacheTemplate(std::shared_ptr<MustacheTemplateRepository> templateRepository,
                                       MustacheTemplateASTPtr templateAST, MustacheContextPtr baseContext)
    : m_templateRepository(std::move(templateRepository))
    , m_templateAST(std::move(templateAST))
    , m_baseContext(std::move(baseContext))
{
}

std::shared_ptr<MustacheTemplate> MustacheTemplate::templateFromString(const std::string& templateString,
                                                                           Error* error)
{
    MustacheTemplateRepository* current = MustacheRendering::currentTemplateRepository();
    std::shared_ptr<MustacheTemplateRepository> repository = current
        ? current->shared_from_this()
        : MustacheTemplateRepository::templateRepositoryWithBundle();
    return repository->templateFromString(templateString, MustacheRendering::currentContentType(), error);
}

std::shared_ptr<MustacheTemplate> MustacheTemplate::templateFromResource(const std::string& name,
                                                                             const Bundle* bundle, Error* error)
{
    return MustacheTemplateRepository::templateRepositoryWithBundle(bundle)->templateNamed(name, error);
}

std::shared_ptr<MustacheTemplate> MustacheTemplate::templateFromContentsOfFile(const std::filesystem::path& path,
                                                                                   Error* error)
{
    return MustacheTemplateRepository::templateRepositoryWithDirectory(path.parent_path(), extensionOf(path))
        ->templateNamed(path.stem().string(), error);
}

std::shared_ptr<MustacheTemplate> MustacheTemplate::templateFromContentsOfURL(const std::string& url, Error* error)
{
    const std::optional<std::filesystem::path> path = MustacheURLDataSource::pathOfFileURL(url);
    if (!path) {
        setMustacheError(error, MustacheTemplateRepository::templateNotFoundError(url));
        return nullptr;
    }
    const std::string baseURL = MustacheURLDataSource::fileURLWithPath(path->parent_path());
    return MustacheTemplateRepository::templateRepositoryWithBaseURL(baseURL, extensionOf(*path))
        ->templateNamed(path->stem().string(), error);
}

std::optional<std::string> MustacheTemplate::renderObjectFromString(const Value& object,
                                                                      const std::string& templateString, Error* error)
{
    const std::shared_ptr<MustacheTemplate> compiled = templateFromString(templateString, error);
    return compiled ? compiled->renderObject(object, error) : std::nullopt;
}

std::optional<std::string> MustacheTemplate::renderObjectFromResource(const Value& object, const std::string& name,
                                                                        const Bundle* bundle, Error* error)
{
    const std::shared_ptr<MustacheTemplate> compiled = templateFromResource(name, bundle, error);
    return compiled ? compiled->renderObject(object, error) : std::nullopt;
}

void MustacheTemplate::setBaseContext(MustacheContextPtr context)
{
    if (!context)
        throw invalidBaseContext();
    m_baseContext = std::move(context);
}

void MustacheTemplate::extendBaseContextWithObject(const Value& object)
{
    setBaseContext(m_baseContext->contextByAddingObject(object));
}

void MustacheTemplate::extendBaseContextWithProtectedObject(const Value& object)
{
    setBaseContext(m_baseContext->contextByAddingProtectedObject(object));
}

void MustacheTemplate::extendBaseContextWithTagDelegate(const Value& tagDelegate)
{
    setBaseContext(m_baseContext->contextByAddingTagDelegate(tagDelegate));
}

std::optional<std::string> MustacheTemplate::renderObject(const Value& object, Error* error) const
{
    bool HTMLSafe = false;
    return renderContentWithContext(m_baseContext->contextByAddingObject(object), HTMLSafe, error);
}

std::optional<std::string> MustacheTemplate::renderObjectsFromArray(const std::vector<Value>& objects,
                                                                      Error* error) const
{
    MustacheContextPtr context = m_baseContext;
    for (const Value& object : objects)
        context = context->contextByAddingObject(object);
    bool HTMLSafe = false;
    return renderContentWithContext(context, HTMLSafe, error);
}

std::optional<std::string> MustacheTemplate::renderContentWithContext(const MustacheContextPtr& context,
                                                                        bool& HTMLSafe, Error* error) const
{
    const RepositoryScope scope(m_templateRepository.get());
    MustacheRenderingEngine engine(m_templateAST->contentType(), context);
    return engine.renderTemplateAST(*m_templateAST, HTMLSafe, error);
}

std::optional<std::string> MustacheTemplate::renderForMustacheTag(const MustacheTag&,
                                                                    const MustacheContextPtr& context,
                                                                    bool& HTMLSafe, Error& error) const
{
    return renderContentWithContext(context, HTMLSafe, &error);
}
