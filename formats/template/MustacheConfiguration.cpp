#include "MustacheConfiguration.h"

#include "Mustache.h"
#include "MustacheDescription.h"
#include "MustacheError.h"

#include "foundation/Exception.h"

namespace {

constexpr const char* kInvalidStartDelimiter = "Invalid tagStartDelimiter:";
constexpr const char* kInvalidEndDelimiter = "Invalid tagEndDelimiter:";

} // namespace

MustacheConfiguration::MustacheConfiguration()
    : m_baseContext(MustacheContext::contextWithObject(Mustache::standardLibrary()))
{
}

MustacheConfiguration::MustacheConfiguration(const MustacheConfiguration& other)
    : m_contentType(other.m_contentType)
    , m_tagStartDelimiter(other.m_tagStartDelimiter)
    , m_tagEndDelimiter(other.m_tagEndDelimiter)
    , m_baseContext(other.m_baseContext)
{
}

MustacheConfiguration& MustacheConfiguration::operator=(const MustacheConfiguration& other)
{
    m_contentType = other.m_contentType;
    m_tagStartDelimiter = other.m_tagStartDelimiter;
    m_tagEndDelimiter = other.m_tagEndDelimiter;
    m_baseContext = other.m_baseContext;
    m_locked = false;
    return *this;
}

MustacheConfiguration& MustacheConfiguration::defaultConfiguration()
{
    static MustacheConfiguration shared;
    return shared;
}

std::unique_ptr<MustacheConfiguration> MustacheConfiguration::configuration()
{
    return std::make_unique<MustacheConfiguration>();
}

void MustacheConfiguration::assertNotLocked() const
{
    if (m_locked)
        throw mutatedAfterCompilation(description());
}

void MustacheConfiguration::setContentType(MustacheContentType contentType)
{
    assertNotLocked();
    m_contentType = contentType;
}

void MustacheConfiguration::setTagStartDelimiter(const std::string& delimiter)
{
    assertNotLocked();
    if (delimiter.empty())
        throw Exception(kInvalidArgumentException, kInvalidStartDelimiter + delimiter);
    m_tagStartDelimiter = delimiter;
}

void MustacheConfiguration::setTagEndDelimiter(const std::string& delimiter)
{
    assertNotLocked();
    if (delimiter.empty())
        throw Exception(kInvalidArgumentException, kInvalidEndDelimiter + delimiter);
    m_tagEndDelimiter = delimiter;
}

void MustacheConfiguration::setBaseContext(MustacheContextPtr context)
{
    assertNotLocked();
    if (!context)
        throw invalidBaseContext();
    m_baseContext = std::move(context);
}

void MustacheConfiguration::extendBaseContextWithObject(const Value& object)
{
    setBaseContext(m_baseContext->contextByAddingObject(object));
}

void MustacheConfiguration::extendBaseContextWithProtectedObject(const Value& object)
{
    setBaseContext(m_baseContext->contextByAddingProtectedObject(object));
}

void MustacheConfiguration::extendBaseContextWithTagDelegate(const Value& tagDelegate)
{
    setBaseContext(m_baseContext->contextByAddingTagDelegate(tagDelegate));
}

std::string MustacheConfiguration::description() const
{
    return addressDescription("MustacheConfiguration", this);
}
