#include "SettingsFileWatcher.h"

#include "foundation/UserDefaults.h"

#include <QFileInfo>

namespace {

// Editors write in several steps; reading in the middle would see a torn file.
constexpr int kSettleMilliseconds = 100;

} // namespace

SettingsFileWatcher::SettingsFileWatcher(UserDefaults& defaults)
    : m_defaults(defaults)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMilliseconds);
    connect(&m_settle, &QTimer::timeout, this, [this] {
        watch();
        m_defaults.readOutsideChanges();
    });
    const auto changed = [this] { m_settle.start(); };
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, changed);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, changed);
    watch();
}

void SettingsFileWatcher::watch()
{
    const QString file = QString::fromStdString(m_defaults.filePath().string());
    const QString folder = QFileInfo(file).absolutePath();
    for (const QString& path : {folder, file}) {
        // What the user may not read cannot be watched (the settings already say why
        // they are not read); it is tried again at the next change of the folder.
        const QFileInfo info(path);
        if (info.exists() && info.isReadable() && !m_watcher.files().contains(path)
            && !m_watcher.directories().contains(path))
            m_watcher.addPath(path);
    }
}
