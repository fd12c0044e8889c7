#include "GRMustacheRendering.h"

#include "GRMustacheBlockRendering.h"
#include "GRMustacheConfiguration.h"
#include "GRMustacheNilRendering.h"
#include "GRMustacheTag.h"
#include "GRMustacheTemplateRepository.h"

#include "foundation/Exception.h"

#include <vector>

namespace {

constexpr const char* kNilRenderingBlock = "Can't build a rendering object with a nil rendering block.";

thread_local std::vector<GRMustacheTemplateRepository*> currentRepositories;
thread_local std::vector<GRMustacheContentType> currentContentTypes;

} // namespace

Value GRMustacheRendering::renderingObjectForObject(const Value& object)
{
    return object ? object : GRMustacheNilRendering::sharedInstance();
}

Value GRMustacheRendering::renderingObjectWithBlock(Block block)
{
    if (!block)
        throw Exception(kInvalidArgumentException, kNilRenderingBlock);
    return Value(std::make_shared<GRMustacheBlockRendering>(std::move(block)));
}

void GRMustacheRendering::pushCurrentTemplateRepository(GRMustacheTemplateRepository* repository)
{
    currentRepositories.push_back(repository);
}

void GRMustacheRendering::popCurrentTemplateRepository()
{
    if (!currentRepositories.empty())
        currentRepositories.pop_back();
}

GRMustacheTemplateRepository* GRMustacheRendering::currentTemplateRepository()
{
    return currentRepositories.empty() ? nullptr : currentRepositories.back();
}

void GRMustacheRendering::pushCurrentContentType(GRMustacheContentType contentType)
{
    currentContentTypes.push_back(contentType);
}

void GRMustacheRendering::popCurrentContentType()
{
    if (!currentContentTypes.empty())
        currentContentTypes.pop_back();
}

GRMustacheContentType GRMustacheRendering::currentContentType()
{
    if (!currentContentTypes.empty())
        return currentContentTypes.back();
    if (const GRMustacheTemplateRepository* repository = currentTemplateRepository())
        return repository->configuration().contentType();
    return GRMustacheConfiguration::defaultConfiguration().contentType();
}
