#include "platform/fake/FakeThemePreference.h"

void FakeThemePreference::setDark(bool dark)
{
    m_dark = dark;
    announce();
}

void FakeThemePreference::announce() const
{
    if (m_handler)
        m_handler();
}
