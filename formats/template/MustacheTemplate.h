#pragma once

#include "MustacheContext.h"
#include "MustacheRendering.h"
#include "MustacheTemplateAST.h"

#include "foundation/Object.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class Bundle;
class MustacheTemplateRepository;

// A compiled template that renders values to text. As a value itself, it renders in
// the context of the tag that shows it.
class MustacheTemplate final : public Object, public MustacheRendering {
public:
    MustacheTemplate(std::shared_ptr<MustacheTemplateRepository> templateRepository,
                       MustacheTemplateASTPtr templateAST, MustacheContextPtr baseContext);

    // Compiled by the repository rendering on this thread, else by a new one on the
    // main bundle, with the current content type.
    static std::shared_ptr<MustacheTemplate> templateFromString(const std::string& templateString,
                                                                  Error* error = nullptr);
    static std::shared_ptr<MustacheTemplate> templateFromResource(const std::string& name, const Bundle* bundle,
                                                                    Error* error = nullptr);
    static std::shared_ptr<MustacheTemplate> templateFromContentsOfFile(const std::filesystem::path& path,
                                                                          Error* error = nullptr);
    // A "file:" URL; other URLs cannot be read here.
    static std::shared_ptr<MustacheTemplate> templateFromContentsOfURL(const std::string& url,
                                                                         Error* error = nullptr);
    static std::optional<std::string> renderObjectFromString(const Value& object, const std::string& templateString,
                                                             Error* error = nullptr);
    static std::optional<std::string> renderObjectFromResource(const Value& object, const std::string& name,
                                                               const Bundle* bundle, Error* error = nullptr);

    const std::shared_ptr<MustacheTemplateRepository>& templateRepository() const { return m_templateRepository; }
    const MustacheTemplateASTPtr& templateAST() const { return m_templateAST; }
    const MustacheContextPtr& baseContext() const { return m_baseContext; }
    // Raises on a null context.
    void setBaseContext(MustacheContextPtr context);
    void extendBaseContextWithObject(const Value& object);
    void extendBaseContextWithProtectedObject(const Value& object);
    void extendBaseContextWithTagDelegate(const Value& tagDelegate);

    // The text, or nullopt with the error.
    std::optional<std::string> renderObject(const Value& object, Error* error = nullptr) const;
    // The last object is looked up first.
    std::optional<std::string> renderObjectsFromArray(const std::vector<Value>& objects, Error* error = nullptr) const;
    std::optional<std::string> renderContentWithContext(const MustacheContextPtr& context, bool& HTMLSafe,
                                                        Error* error) const;

    std::string className() const override { return "MustacheTemplate"; }
    std::optional<std::string> renderForMustacheTag(const MustacheTag& tag, const MustacheContextPtr& context,
                                                    bool& HTMLSafe, Error& error) const override;

private:
    std::shared_ptr<MustacheTemplateRepository> m_templateRepository;
    MustacheTemplateASTPtr m_templateAST;
    MustacheContextPtr m_baseContext;
};
