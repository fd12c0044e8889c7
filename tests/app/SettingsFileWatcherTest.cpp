#include "app/settings/SettingsFileWatcher.h"
#include "foundation/UserDefaults.h"
#include "tests/foundation/TemporaryFolder.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr uid_t kNobody = 65534;

QStringList s_messages;

void record(QtMsgType, const QMessageLogContext&, const QString& message)
{
    s_messages << message;
}

TEST(SettingsFileWatcherTest, AFileTheUserMayNotReadIsWatchedWithoutQtsWarning)
{
    const TemporaryFolder folder;
    const std::filesystem::path file = folder / "settings.plist";
    std::ofstream(file) << "<plist/>";
    std::filesystem::permissions(file, std::filesystem::perms::none);
    std::filesystem::permissions(folder.path(), std::filesystem::perms::all);
    // Root reads every file: the watcher runs as an unprivileged user, in a child.
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            ::_exit(2);
        int argc = 1;
        char name[] = "test";
        char* argv[] = {name, nullptr};
        const QCoreApplication app(argc, argv);
        qInstallMessageHandler(record);
        UserDefaults defaults(file);
        const SettingsFileWatcher watcher(defaults);
        for (const QString& message : s_messages)
            std::fprintf(stderr, "%s\n", qPrintable(message));
        ::_exit(s_messages.isEmpty() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

} // namespace
