#include "MustacheLocalizer.h"

#include "MustacheError.h"
#include "MustacheEscaping.h"
#include "MustacheTag.h"
#include "MustacheTagDelegate.h"
#include "MustacheValueRendering.h"
#include "MustacheVariableTag.h"

#include "foundation/Bundle.h"
#include "foundation/PropertyList.h"
#include "foundation/StringUtils.h"

#include <algorithm>
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

// The localize sections rendering on this thread, innermost last. A section only handles
// the tags of its own content: the tags of a nested localize belong to that one. A null
// entry stands for a format argument being rendered, whose tags belong to no section.
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

// One rendering of a section's content gives both the format key and its arguments:
// every variable tag of the section renders its value as a format argument and writes
// the placeholder in its place. One pass per rendering, so nested sections never share
// arguments.
class LocalizePass final : public Object, public MustacheTagDelegate {
public:
    Value mustacheTagWillRenderObject(const MustacheTag& tag, const Value& object) const override;

    void addArgument(std::string rendering) const { m_arguments.push_back(Value(std::move(rendering))); }
    const std::vector<Value>& arguments() const { return m_arguments; }

private:
    // Filled while the section renders; the pass lives for that one rendering.
    mutable std::vector<Value> m_arguments;
};

// The value of one variable tag of a section: renders as the placeholder and hands the
// value's own rendering to the pass.
class ArgumentRendering final : public Object, public MustacheRendering {
public:
    ArgumentRendering(std::shared_ptr<const LocalizePass> pass, Value object)
        : m_pass(std::move(pass)), m_object(std::move(object)) {}

    std::optional<std::string> renderForMustacheTag(const MustacheTag& tag, const MustacheContextPtr& context,
                                                    bool& HTMLSafe, Error& error) const override
    {
        Value object = m_object;
        // The delegates outside the section see the value, as they would without it.
        const std::vector<Value> delegates = context->tagDelegateStack();
        auto pass = std::find_if(delegates.begin(), delegates.end(),
                                 [this](const Value& delegate) { return delegate.object() == m_pass.get(); });
        while (pass != delegates.begin()) {
            --pass;
            if (const auto* delegate = dynamic_cast<const MustacheTagDelegate*>(pass->object()))
                object = delegate->mustacheTagWillRenderObject(tag, object);
        }

        const PassScope argument(nullptr);
        bool argumentSafe = false;
        std::optional<std::string> rendering = MustacheValueRendering::render(
            MustacheRendering::renderingObjectForObject(object), tag, false, context, argumentSafe, error);
        if (!rendering)
            return std::nullopt;
        const auto* variable = dynamic_cast<const MustacheVariableTag*>(&tag);
        if (variable && variable->escapesHTML() && !argumentSafe
            && MustacheRendering::currentContentType() == MustacheContentTypeHTML)
            *rendering = MustacheEscaping::escapeHTML(*rendering);
        m_pass->addArgument(std::move(*rendering));
        HTMLSafe = false;
        return std::string(MustacheLocalizer::kPlaceholder);
    }

private:
    std::shared_ptr<const LocalizePass> m_pass;
    Value m_object;
};

Value LocalizePass::mustacheTagWillRenderObject(const MustacheTag& tag, const Value& object) const
{
    if (tag.type() != MustacheTagTypeVariable || !isInnermostPass(this))
        return object;
    return Value(std::make_shared<ArgumentRendering>(
        std::static_pointer_cast<const LocalizePass>(shared_from_this()), object));
}

} // namespace

MustacheLocalizer::MustacheLocalizer(const Bundle* bundle, std::string tableName)
    : m_tableName(tableName.empty() ? kDefaultTable : std::move(tableName))
{
    const Bundle& source = bundle ? *bundle : Bundle::main();
    if (const auto path = source.pathForResource(m_tableName, kStringsExtension)) {
        const Value contents = propertylist::readFile(*path);
        if (const Dictionary* table = contents.dictionary())
            m_table = *table;
    }
}

std::string MustacheLocalizer::localizedStringForKey(const std::string& key) const
{
    if (const std::string* localized = m_table.get(key).string())
        return *localized;
    return key;
}

Value MustacheLocalizer::transformedValue(const Value& object) const
{
    if (!object)
        return {};
    if (object.isNull())
        return Value("");
    return Value(localizedStringForKey(object.description()));
}

std::optional<std::string> MustacheLocalizer::renderForMustacheTag(const MustacheTag& tag,
                                                                     const MustacheContextPtr& context,
                                                                     bool& HTMLSafe, Error& error) const
{
    const auto pass = std::make_shared<LocalizePass>();
    std::optional<std::string> key;
    {
        const PassScope scope(pass.get());
        key = tag.renderContentWithContext(context->contextByAddingTagDelegate(Value(pass)), HTMLSafe, error);
    }
    if (!key)
        return std::nullopt;
    const std::vector<Value>& arguments = pass->arguments();

    if (arguments.empty())
        return localizedStringForKey(*key);
    if (arguments.size() > kMaximumArguments)
        throw Exception(MustacheGenericException,
                        "Not implemented: format with " + std::to_string(arguments.size()) + " parameters");
    const std::string format = replaceAll(replaceAll(*key, "%", "%%"), kPlaceholder, "%@");
    return strings::format(localizedStringForKey(format), arguments);
}
