#include "GRMustacheLocalizer.h"

#include "GRMustacheError.h"
#include "GRMustacheTag.h"
#include "GRMustacheTagDelegate.h"

#include "foundation/Bundle.h"
#include "foundation/PropertyList.h"
#include "foundation/StringUtils.h"

#include <memory>
#include <optional>
#include <vector>

namespace {

constexpr const char* kDefaultTable = "Localizable";
constexpr const char* kStringsExtension = "strings";

std::string replaceAll(std::string text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// The localize passes running on this thread, innermost last. A pass only handles
// the tags of its own section: the tags of a nested localize belong to that one.
thread_local std::vector<const Object*> activePasses;

class PassScope {
public:
    explicit PassScope(const Object* pass) { activePasses.push_back(pass); }
    ~PassScope() { activePasses.pop_back(); }
    PassScope(const PassScope&) = delete;
    PassScope& operator=(const PassScope&) = delete;
};

bool isInnermostPass(const Object* pass)
{
    return !activePasses.empty() && activePasses.back() == pass;
}

// First pass: every variable tag renders a placeholder, which gives the format key.
class PlaceholderDelegate final : public Object, public GRMustacheTagDelegate {
public:
    Value mustacheTagWillRenderObject(const GRMustacheTag& tag, const Value& object) const override
    {
        if (tag.type() != GRMustacheTagTypeVariable || !isInnermostPass(this))
            return object;
        return Value(GRMustacheLocalizer::kPlaceholder);
    }
};

// Second pass: every variable tag's text becomes a format argument. One collector per
// rendering, so nested sections never share arguments.
class ArgumentCollector final : public Object, public GRMustacheTagDelegate {
public:
    void mustacheTagDidRenderObject(const GRMustacheTag& tag, const Value&, const std::string& rendering) const override
    {
        if (tag.type() == GRMustacheTagTypeVariable && isInnermostPass(this))
            m_arguments.push_back(Value(rendering));
    }

    const std::vector<Value>& arguments() const { return m_arguments; }

private:
    // Filled while the pass renders; the collector lives for that one rendering.
    mutable std::vector<Value> m_arguments;
};

// Renders the tag's content with `pass` as the innermost tag delegate.
std::optional<std::string> renderPass(const GRMustacheTag& tag, const GRMustacheContextPtr& context,
                                      const Value& pass, bool& HTMLSafe, Error& error)
{
    const PassScope scope(pass.object());
    return tag.renderContentWithContext(context->contextByAddingTagDelegate(pass), HTMLSafe, error);
}

} // namespace

GRMustacheLocalizer::GRMustacheLocalizer(const Bundle* bundle, std::string tableName)
    : m_tableName(tableName.empty() ? kDefaultTable : std::move(tableName))
{
    const Bundle& source = bundle ? *bundle : Bundle::main();
    if (const auto path = source.pathForResource(m_tableName, kStringsExtension)) {
        const Value contents = propertylist::readFile(*path);
        if (const Dictionary* table = contents.dictionary())
            m_table = *table;
    }
}

std::string GRMustacheLocalizer::localizedStringForKey(const std::string& key) const
{
    if (const std::string* localized = m_table.get(key).string())
        return *localized;
    return key;
}

Value GRMustacheLocalizer::transformedValue(const Value& object) const
{
    if (!object)
        return {};
    if (object.isNull())
        return Value("");
    return Value(localizedStringForKey(object.description()));
}

std::optional<std::string> GRMustacheLocalizer::renderForMustacheTag(const GRMustacheTag& tag,
                                                                     const GRMustacheContextPtr& context,
                                                                     bool& HTMLSafe, Error& error) const
{
    const Value placeholders(std::make_shared<PlaceholderDelegate>());
    std::optional<std::string> key = renderPass(tag, context, placeholders, HTMLSafe, error);
    if (!key)
        return std::nullopt;

    const auto collector = std::make_shared<ArgumentCollector>();
    if (!renderPass(tag, context, Value(collector), HTMLSafe, error))
        return std::nullopt;
    const std::vector<Value>& arguments = collector->arguments();

    if (arguments.empty())
        return localizedStringForKey(*key);
    if (arguments.size() > kMaximumArguments)
        throw Exception(GRMustacheGenericException,
                        "Not implemented: format with " + std::to_string(arguments.size()) + " parameters");
    const std::string format = replaceAll(replaceAll(*key, "%", "%%"), kPlaceholder, "%@");
    return strings::format(localizedStringForKey(format), arguments);
}
