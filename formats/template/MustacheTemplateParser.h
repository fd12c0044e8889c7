#pragma once

#include "MustacheToken.h"

#include "foundation/Error.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

class MustacheConfiguration;
class MustacheTemplateParserDelegate;

// Cuts a template string into tokens and hands them to its delegate one by one.
class MustacheTemplateParser final {
public:
    explicit MustacheTemplateParser(const MustacheConfiguration& configuration);

    MustacheTemplateParserDelegate* delegate() const { return m_delegate; }
    void setDelegate(MustacheTemplateParserDelegate* delegate) { m_delegate = delegate; }
    const std::string& tagStartDelimiter() const { return m_tagStartDelimiter; }
    const std::string& tagEndDelimiter() const { return m_tagEndDelimiter; }

    // A null string is reported to the delegate as a missing template.
    void parseTemplateString(std::shared_ptr<const std::string> templateString, const Value& templateID);

    bool shouldContinueAfterParsingToken(const MustacheTokenPtr& token);
    void failWithParseErrorAtLine(std::size_t line, const std::string& description, const Value& templateID);

    // "Parse error at line N[ of template ID]: description", code 0.
    static Error parseError(std::size_t line, const Value& templateID, const std::string& description);

    // Name parsers for the compiler; `empty` tells a missing name from an invalid one.
    static std::optional<std::string> parseTemplateName(std::string_view content, bool* empty, Error* error);
    static std::optional<std::string> parseInheritableSectionName(std::string_view content, bool* empty,
                                                                  Error* error);
    static std::optional<std::string> parsePragma(std::string_view content);

private:
    MustacheTemplateParserDelegate* m_delegate = nullptr;
    std::string m_tagStartDelimiter;
    std::string m_tagEndDelimiter;
};
