#include "MustacheRendering.h"

#include "MustacheBlockRendering.h"
#include "MustacheConfiguration.h"
#include "MustacheNilRendering.h"
#include "MustacheTag.h"
#include "MustacheTemplateRepository.h"

#include "foundation/Exception.h"

#include <vector>

namespace {

constexpr const char* kNilRenderingBlock = "Can't build a rendering object with a nil rendering block.";

thread_local std::vector<MustacheTemplateRepository*> currentRepositories;
thread_local std::vector<MustacheContentType> currentContentTypes;

} // namespace

Value MustacheRendering::renderingObjectForObject(const Value& object)
{
    return object ? object : MustacheNilRendering::sharedInstance();
}

Value MustacheRendering::renderingObjectWithBlock(Block block)
{
    if (!block)
        throw Exception(kInvalidArgumentException, kNilRenderingBlock);
    return Value(std::make_shared<MustacheBlockRendering>(std::move(block)));
}

void MustacheRendering::pushCurrentTemplateRepository(MustacheTemplateRepository* repository)
{
    currentRepositories.push_back(repository);
}

void MustacheRendering::popCurrentTemplateRepository()
{
    if (!currentRepositories.empty())
        currentRepositories.pop_back();
}

MustacheTemplateRepository* MustacheRendering::currentTemplateRepository()
{
    return currentRepositories.empty() ? nullptr : currentRepositories.back();
}

void MustacheRendering::pushCurrentContentType(MustacheContentType contentType)
{
    currentContentTypes.push_back(contentType);
}

void MustacheRendering::popCurrentContentType()
{
    if (!currentContentTypes.empty())
        currentContentTypes.pop_back();
}

MustacheContentType MustacheRendering::currentContentType()
{
    if (!currentContentTypes.empty())
        return currentContentTypes.back();
    if (const MustacheTemplateRepository* repository = currentTemplateRepository())
        return repository->configuration().contentType();
    return MustacheConfiguration::defaultConfiguration().contentType();
}
