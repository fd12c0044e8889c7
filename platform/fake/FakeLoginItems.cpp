#include "platform/fake/FakeLoginItems.h"

bool FakeLoginItems::setEnabled(const std::string& identifier, bool enabled)
{
    if (m_fails)
        return false;
    if (enabled)
        m_enabled.insert(identifier);
    else
        m_enabled.erase(identifier);
    return true;
}
