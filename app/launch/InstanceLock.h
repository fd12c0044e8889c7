#pragma once

#include "foundation/NotificationCenter.h"

#include <filesystem>

// One program per settings folder: a second one would overwrite the first one's history
// and favourites with its own when it saves. The lock is an flock on a file in the
// folder, so it dies with its process. A lock file removed with its folder is made
// again at the next change of the settings, whose save makes the folder again.
class InstanceLock final {
public:
    // Makes the folder when it is missing and locks it.
    explicit InstanceLock(std::filesystem::path folder);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Only a running program that holds the lock counts. A folder where no lock can be
    // made (read-only, full, impossible to create) is no sign of one; saves fail there
    // too, so the settings stay in memory.
    bool isHeldElsewhere() const { return m_heldElsewhere; }

private:
    // Locks the file now at the path when it is not the one held.
    void relock();

    std::filesystem::path m_file;
    int m_fd = -1;
    bool m_heldElsewhere = false;
    NotificationCenter::Token m_observer = 0;
};
