#include "platform/x11/X11KeyboardHold.h"

void X11KeyboardHold::frozen()
{
    m_frozen = true;
    m_awaitingFocus = false;
}

void X11KeyboardHold::focusSettled()
{
    m_awaitingFocus = false;
    thaw();
}

void X11KeyboardHold::thawUnlessAwaitingFocus()
{
    if (!m_awaitingFocus)
        thaw();
}

void X11KeyboardHold::thaw()
{
    if (!m_frozen)
        return;
    m_frozen = false;
    if (m_release)
        m_release();
}
