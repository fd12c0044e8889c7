#include "InstanceLock.h"

#include <QString>

#include <system_error>

namespace {

constexpr const char* kLockFileName = "instance.lock";

QString lockFilePath(const std::filesystem::path& folder)
{
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return QString::fromStdString((folder / kLockFileName).string());
}

} // namespace

InstanceLock::InstanceLock(const std::filesystem::path& folder)
    : m_lock(lockFilePath(folder))
{
    // A lock left by an ended process is stale at once, whatever its age.
    m_lock.setStaleLockTime(0);
    m_heldElsewhere = !m_lock.tryLock(0) && m_lock.error() == QLockFile::LockFailedError;
}
