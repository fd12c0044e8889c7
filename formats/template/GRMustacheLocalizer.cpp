#include "GRMustacheLocalizer.h"

#include "GRMustacheError.h"
#include "GRMustacheTag.h"
#include "GRMustacheTagDelegate.h"

#include "foundation/Bundle.h"
#include "foundation/PropertyList.h"
#include "foundation/StringUtils.h"

#include <memory>
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

// First pass: every variable tag renders a placeholder, which gives the format key.
class PlaceholderDelegate final : public Object, public GRMustacheTagDelegate {
public:
    Value mustacheTagWillRenderObject(const GRMustacheTag& tag, const Value& object) const override
    {
        return tag.type() == GRMustacheTagTypeVariable ? Value(GRMustacheLocalizer::kPlaceholder) : object;
    }
};

// Second pass: every variable tag's text becomes a format argument. One collector per
// rendering, so nested sections never share arguments.
class ArgumentCollector final : public Object, public GRMustacheTagDelegate {
public:
    explicit ArgumentCollector(std::shared_ptr<std::vector<Value>> arguments) : m_arguments(std::move(arguments)) {}

    void mustacheTagDidRenderObject(const GRMustacheTag& tag, const Value&, const std::string& rendering) const override
    {
        if (tag.type() == GRMustacheTagTypeVariable)
            m_arguments->push_back(Value(rendering));
    }

private:
    std::shared_ptr<std::vector<Value>> m_arguments;
};

} // namespace

GRMustacheLocalizer::GRMustacheLocalizer(const Bundle* bundle, std::string tableName)
    : m_tableName(tableName.empty() ? kDefaultTable : std::move(tableName))
{
    const Bundle& source = bundle ? *bundle : Bundle::main();
    if (const auto path = source.pathForResource(m_tableName, kStringsExtension)) {
        if (const Dictionary* table = propertylist::readFile(*path).dictionary())
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
    std::optional<std::string> key = tag.renderContentWithContext(context->contextByAddingTagDelegate(placeholders),
                                                                  HTMLSafe, error);
    if (!key)
        return std::nullopt;

    auto arguments = std::make_shared<std::vector<Value>>();
    const Value collector(std::make_shared<ArgumentCollector>(arguments));
    if (!tag.renderContentWithContext(context->contextByAddingTagDelegate(collector), HTMLSafe, error))
        return std::nullopt;

    if (arguments->empty())
        return localizedStringForKey(*key);
    if (arguments->size() > kMaximumArguments)
        throw Exception(GRMustacheGenericException,
                        "Not implemented: format with " + std::to_string(arguments->size()) + " parameters");
    const std::string format = replaceAll(replaceAll(*key, "%", "%%"), kPlaceholder, "%@");
    return strings::format(localizedStringForKey(format), *arguments);
}
