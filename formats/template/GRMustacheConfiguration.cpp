#include "GRMustacheConfiguration.h"

#include "GRMustache.h"
#include "GRMustacheDescription.h"
#include "GRMustacheError.h"

#include "foundation/Exception.h"

namespace {

constexpr const char* kInvalidStartDelimiter = "Invalid tagStartDelimiter:";
constexpr const char* kInvalidEndDelimiter = "Invalid tagEndDelimiter:";

} // namespace

GRMustacheConfiguration::GRMustacheConfiguration()
    : m_baseContext(GRMustacheContext::contextWithObject(GRMustache::standardLibrary()))
{
}

GRMustacheConfiguration::GRMustacheConfiguration(const GRMustacheConfiguration& other)
    : m_contentType(other.m_contentType)
    , m_tagStartDelimiter(other.m_tagStartDelimiter)
    , m_tagEndDelimiter(other.m_tagEndDelimiter)
    , m_baseContext(other.m_baseContext)
{
}

GRMustacheConfiguration& GRMustacheConfiguration::operator=(const GRMustacheConfiguration& other)
{
    m_contentType = other.m_contentType;
    m_tagStartDelimiter = other.m_tagStartDelimiter;
    m_tagEndDelimiter = other.m_tagEndDelimiter;
    m_baseContext = other.m_baseContext;
    m_locked = false;
    return *this;
}

GRMustacheConfiguration& GRMustacheConfiguration::defaultConfiguration()
{
    static GRMustacheConfiguration shared;
    return shared;
}

std::unique_ptr<GRMustacheConfiguration> GRMustacheConfiguration::configuration()
{
    return std::make_unique<GRMustacheConfiguration>();
}

void GRMustacheConfiguration::assertNotLocked() const
{
    if (m_locked)
        throw mutatedAfterCompilation(description());
}

void GRMustacheConfiguration::setContentType(GRMustacheContentType contentType)
{
    assertNotLocked();
    m_contentType = contentType;
}

void GRMustacheConfiguration::setTagStartDelimiter(const std::string& delimiter)
{
    assertNotLocked();
    if (delimiter.empty())
        throw Exception(kInvalidArgumentException, kInvalidStartDelimiter + delimiter);
    m_tagStartDelimiter = delimiter;
}

void GRMustacheConfiguration::setTagEndDelimiter(const std::string& delimiter)
{
    assertNotLocked();
    if (delimiter.empty())
        throw Exception(kInvalidArgumentException, kInvalidEndDelimiter + delimiter);
    m_tagEndDelimiter = delimiter;
}

void GRMustacheConfiguration::setBaseContext(GRMustacheContextPtr context)
{
    assertNotLocked();
    if (!context)
        throw invalidBaseContext();
    m_baseContext = std::move(context);
}

void GRMustacheConfiguration::extendBaseContextWithObject(const Value& object)
{
    setBaseContext(m_baseContext->contextByAddingObject(object));
}

void GRMustacheConfiguration::extendBaseContextWithProtectedObject(const Value& object)
{
    setBaseContext(m_baseContext->contextByAddingProtectedObject(object));
}

void GRMustacheConfiguration::extendBaseContextWithTagDelegate(const Value& tagDelegate)
{
    setBaseContext(m_baseContext->contextByAddingTagDelegate(tagDelegate));
}

std::string GRMustacheConfiguration::description() const
{
    return addressDescription("GRMustacheConfiguration", this);
}
