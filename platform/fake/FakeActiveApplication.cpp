#include "platform/fake/FakeActiveApplication.h"

void FakeActiveApplication::switchTo(std::optional<std::string> identifier)
{
    m_identifier = std::move(identifier);
    if (m_handler)
        m_handler();
}
