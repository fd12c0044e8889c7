#include "MustacheEachFilter.h"

#include "MustacheError.h"
#include "MustacheRendering.h"
#include "MustacheTag.h"
#include "MustacheValueRendering.h"

#include "foundation/Dictionary.h"

namespace {

constexpr const char* kKey = "@key";
constexpr const char* kIndex = "@index";
constexpr const char* kIndexPlusOne = "@indexPlusOne";
constexpr const char* kIndexIsEven = "@indexIsEven";
constexpr const char* kFirst = "@first";
constexpr const char* kLast = "@last";

// One item, rendered with its position keys below it.
class EachItemRendering final : public Object, public MustacheRendering {
public:
    EachItemRendering(Value item, Dictionary position) : m_item(std::move(item)), m_position(std::move(position)) {}

    std::string className() const override { return "MustacheEachItem"; }

    std::optional<std::string> renderForMustacheTag(const MustacheTag& tag, const MustacheContextPtr& context,
                                                    bool& HTMLSafe, Error& error) const override
    {
        return MustacheValueRendering::render(MustacheRendering::renderingObjectForObject(m_item), tag, true,
                                                context->contextByAddingObject(Value(m_position)), HTMLSafe, error);
    }

private:
    Value m_item;
    Dictionary m_position;
};

Dictionary positionOf(std::size_t index, std::size_t count)
{
    return Dictionary{
        {kIndex, Value::integer(static_cast<long long>(index))},
        {kIndexPlusOne, Value::integer(static_cast<long long>(index + 1))},
        {kIndexIsEven, Value::boolean(index % 2 == 0)},
        {kFirst, Value::boolean(index == 0)},
        {kLast, Value::boolean(index + 1 == count)},
    };
}

Value notEnumerable(const Value& object)
{
    return MustacheRendering::renderingObjectWithBlock(
        [object](const MustacheTag& tag, const MustacheContextPtr&, bool&, Error& error)
            -> std::optional<std::string> {
            error = makeMustacheError(MustacheErrorCodeRenderingError,
                                      "each filter in tag " + tag.description()
                                          + " expects its arguments to conform to the NSFastEnumeration protocol. "
                                          + object.description() + " is not.");
            return std::nullopt;
        });
}

} // namespace

Value MustacheEachFilter::transformedValue(const Value& object) const
{
    std::vector<Value> renderings;
    if (const Dictionary* dictionary = object.dictionary()) {
        std::size_t index = 0;
        for (const auto& [key, value] : *dictionary) {
            Dictionary position = positionOf(index++, dictionary->size());
            position.set(kKey, Value(key));
            renderings.push_back(Value(std::make_shared<EachItemRendering>(value, std::move(position))));
        }
        return Value(std::move(renderings));
    }
    const std::vector<Value>* items = object.array();
    if (!items)
        return notEnumerable(object);
    for (std::size_t index = 0; index < items->size(); ++index)
        renderings.push_back(Value(std::make_shared<EachItemRendering>((*items)[index],
                                                                       positionOf(index, items->size()))));
    return Value(std::move(renderings));
}
