#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

class UserDefaults;

// Has the settings read in again when another process or an editor changes their
// file, once the writes have settled.
class SettingsFileWatcher final : public QObject {
    Q_OBJECT
public:
    explicit SettingsFileWatcher(UserDefaults& defaults);

private:
    // Watches the folder and the file; a file replaced by a rename must be watched anew.
    void watch();

    UserDefaults& m_defaults;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
};
