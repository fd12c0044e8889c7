#include "platform/x11/X11Platform.h"

#include <QCoreApplication>

X11Platform::X11Platform(std::unique_ptr<X11Connection> connection)
    : m_connection(std::move(connection))
    , m_screens(*m_connection)
    , m_compositor(*m_connection)
    , m_cursor(*m_connection, m_screens)
    , m_displayProfile(*m_connection)
    , m_keyboardHold(*m_connection)
    , m_windowInput(*m_connection, m_keyboardHold)
    , m_windowList(*m_connection, m_screens)
    , m_windowStacking(*m_connection)
    , m_panelHints(*m_connection)
    , m_activeApplication(*m_connection)
    , m_eventTaps(*m_connection)
    , m_keyboardLayout(*m_connection)
    , m_hotKeys(*m_connection, m_keyboardLayout, m_keyboardHold)
    , m_themePreference(*m_connection)
    , m_loginItems(XdgAutostartLoginItems::defaultDirectory(), QCoreApplication::applicationFilePath().toStdString())
    , m_inputSynthesizer(*m_connection)
    , m_screenCapture(*m_connection)
    , m_workspace(*m_connection)
{
}
