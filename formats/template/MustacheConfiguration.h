#pragma once

#include "MustacheContentType.h"
#include "MustacheContext.h"

#include <memory>
#include <string>

// Engine settings: content type, tag delimiters and the base context. A configuration
// is locked once a repository compiles with it; changing it afterwards is misuse.
class MustacheConfiguration final {
public:
    MustacheConfiguration();
    // Copies take the settings, never the lock.
    MustacheConfiguration(const MustacheConfiguration& other);
    MustacheConfiguration& operator=(const MustacheConfiguration& other);

    // The process-wide instance the application adjusts; never locked by compilation.
    static MustacheConfiguration& defaultConfiguration();
    static std::unique_ptr<MustacheConfiguration> configuration();

    MustacheContentType contentType() const { return m_contentType; }
    void setContentType(MustacheContentType contentType);
    const std::string& tagStartDelimiter() const { return m_tagStartDelimiter; }
    void setTagStartDelimiter(const std::string& delimiter);
    const std::string& tagEndDelimiter() const { return m_tagEndDelimiter; }
    void setTagEndDelimiter(const std::string& delimiter);

    // Holds the standard library by default.
    const MustacheContextPtr& baseContext() const { return m_baseContext; }
    // Raises on a null context.
    void setBaseContext(MustacheContextPtr context);
    void extendBaseContextWithObject(const Value& object);
    void extendBaseContextWithProtectedObject(const Value& object);
    void extendBaseContextWithTagDelegate(const Value& tagDelegate);

    bool isLocked() const { return m_locked; }
    void lock() { m_locked = true; }

    std::string description() const;

private:
    void assertNotLocked() const;

    MustacheContentType m_contentType = MustacheContentTypeHTML;
    std::string m_tagStartDelimiter = "{{";
    std::string m_tagEndDelimiter = "}}";
    MustacheContextPtr m_baseContext;
    bool m_locked = false;
};
