#include "InstanceLock.h"

#include "foundation/UserDefaults.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {

constexpr const char* kLockFileName = "instance.lock";
constexpr mode_t kLockFileMode = 0600;

// The descriptor of the file at `file`, locked; -1 with errno set when it cannot be
// opened or another process holds it. The file is never removed: a reader that opened
// it just before would lock a file nobody else can find.
int lockedFile(const std::filesystem::path& file)
{
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, kLockFileMode);
    if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) == 0)
        return fd;
    const int code = errno;
    ::close(fd);
    errno = code;
    return -1;
}

bool sameFile(int fd, const std::filesystem::path& file)
{
    struct stat held {};
    struct stat named {};
    return ::fstat(fd, &held) == 0 && ::stat(file.c_str(), &named) == 0 && held.st_dev == named.st_dev
        && held.st_ino == named.st_ino;
}

} // namespace

InstanceLock::InstanceLock(std::filesystem::path folder)
    : m_file(folder / kLockFileName)
{
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    m_fd = lockedFile(m_file);
    if (m_fd < 0 && errno == EWOULDBLOCK) {
        m_heldElsewhere = true;
        return;
    }
    m_observer = NotificationCenter::defaultCenter().addObserver(
        UserDefaults::kDidChangeNotification, [this](const NotificationCenter::Notification&) { relock(); });
}

InstanceLock::~InstanceLock()
{
    if (m_observer)
        NotificationCenter::defaultCenter().removeObserver(m_observer);
    if (m_fd >= 0)
        ::close(m_fd);
}

void InstanceLock::relock()
{
    if (m_fd >= 0 && sameFile(m_fd, m_file))
        return;
    // Made only where the folder is: making it is the save's business.
    const int fd = lockedFile(m_file);
    if (fd < 0)
        return;
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = fd;
}
