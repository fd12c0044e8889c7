#include "MustacheFilter.h"

#include "MustacheBlockFilter.h"
#include "MustacheBlockVariadicFilter.h"

#include "foundation/Exception.h"

namespace {

constexpr const char* kNilBlock = "Can't build a filter with a nil block.";

} // namespace

Value MustacheFilter::filterWithBlock(Block block)
{
    if (!block)
        throw Exception(kInvalidArgumentException, kNilBlock);
    return Value(std::make_shared<MustacheBlockFilter>(std::move(block)));
}

Value MustacheFilter::variadicFilterWithBlock(VariadicBlock block)
{
    if (!block)
        throw Exception(kInvalidArgumentException, kNilBlock);
    return Value(std::make_shared<MustacheBlockVariadicFilter>(std::make_shared<const VariadicBlock>(std::move(block)),
                                                                 std::vector<Value>{}));
}

Value MustacheFilter::filterByCurryingArgument(const Value&) const
{
    return {};
}
