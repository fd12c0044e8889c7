#include "GRMustacheFilter.h"

#include "GRMustacheBlockFilter.h"
#include "GRMustacheBlockVariadicFilter.h"

#include "foundation/Exception.h"

namespace {

constexpr const char* kNilBlock = "Can't build a filter with a nil block.";

} // namespace

Value GRMustacheFilter::filterWithBlock(Block block)
{
    if (!block)
        throw Exception(kInvalidArgumentException, kNilBlock);
    return Value(std::make_shared<GRMustacheBlockFilter>(std::move(block)));
}

Value GRMustacheFilter::variadicFilterWithBlock(VariadicBlock block)
{
    if (!block)
        throw Exception(kInvalidArgumentException, kNilBlock);
    return Value(std::make_shared<GRMustacheBlockVariadicFilter>(std::make_shared<const VariadicBlock>(std::move(block)),
                                                                 std::vector<Value>{}));
}

Value GRMustacheFilter::filterByCurryingArgument(const Value&) const
{
    return {};
}
