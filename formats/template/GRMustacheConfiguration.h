#pragma once

#include "GRMustacheContentType.h"
#include "GRMustacheContext.h"

#include <memory>
#include <string>

// Engine settings: content type, tag delimiters and the base context. A configuration
// is locked once a repository compiles with it; changing it afterwards is misuse.
class GRMustacheConfiguration final {
public:
    GRMustacheConfiguration();
    // Copies take the settings, never the lock.
    GRMustacheConfiguration(const GRMustacheConfiguration& other);
    GRMustacheConfiguration& operator=(const GRMustacheConfiguration& other);

    // The process-wide instance the application adjusts; never locked by compilation.
    static GRMustacheConfiguration& defaultConfiguration();
    static std::unique_ptr<GRMustacheConfiguration> configuration();

    GRMustacheContentType contentType() const { return m_contentType; }
    void setContentType(GRMustacheContentType contentType);
    const std::string& tagStartDelimiter() const { return m_tagStartDelimiter; }
    void setTagStartDelimiter(const std::string& delimiter);
    const std::string& tagEndDelimiter() const { return m_tagEndDelimiter; }
    void setTagEndDelimiter(const std::string& delimiter);

    // Holds the standard library by default.
    const GRMustacheContextPtr& baseContext() const { return m_baseContext; }
    // Raises on a null context.
    void setBaseContext(GRMustacheContextPtr context);
    void extendBaseContextWithObject(const Value& object);
    void extendBaseContextWithProtectedObject(const Value& object);
    void extendBaseContextWithTagDelegate(const Value& tagDelegate);

    bool isLocked() const { return m_locked; }
    void lock() { m_locked = true; }

    std::string description() const;

private:
    void assertNotLocked() const;

    GRMustacheContentType m_contentType = GRMustacheContentTypeHTML;
    std::string m_tagStartDelimiter = "{{";
    std::string m_tagEndDelimiter = "}}";
    GRMustacheContextPtr m_baseContext;
    bool m_locked = false;
};
