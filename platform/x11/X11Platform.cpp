#include "platform/x11/X11Platform.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

// The hot-key helper installed beside the program, else the one built with it.
std::string hotKeyHelper()
{
    const QString installed =
        QCoreApplication::applicationDirPath() + QLatin1Char('/') + QStringLiteral(VENDREL_HOTKEYS_HELPER_INSTALLED);
    return QFileInfo(installed).isExecutable() ? installed.toStdString() : std::string(VENDREL_HOTKEYS_HELPER_BUILT);
}

} // namespace

X11Platform::X11Platform(std::unique_ptr<X11Connection> connection)
    : m_connection(std::move(connection))
    , m_screens(*m_connection)
    , m_compositor(*m_connection)
    , m_cursor(*m_connection, m_screens)
    , m_displayProfile(*m_connection)
    , m_windowInput(*m_connection, m_keyboardHold)
    , m_windowList(*m_connection, m_screens)
    , m_windowStacking(*m_connection)
    , m_panelHints(*m_connection)
    , m_activeApplication(*m_connection)
    , m_eventTaps(*m_connection)
    , m_keyboardLayout(*m_connection)
    , m_hotKeys(*m_connection, m_keyboardLayout, m_keyboardHold, hotKeyHelper())
    , m_themePreference(*m_connection)
    , m_loginItems(XdgAutostartLoginItems::defaultDirectory(), QCoreApplication::applicationFilePath().toStdString())
    , m_inputSynthesizer(*m_connection)
    , m_screenCapture(*m_connection)
    , m_workspace(*m_connection)
{
}
