#pragma once

#include <QLockFile>

#include <filesystem>

// One program per settings folder: a second one would overwrite the first one's history
// and favourites with its own when it saves. The lock dies with its process.
class InstanceLock final {
public:
    // Makes the folder when it is missing and locks it.
    explicit InstanceLock(const std::filesystem::path& folder);

    // Only a running program that holds the lock counts. A folder where no lock can be
    // made (read-only, full, impossible to create) is no sign of one; saves fail there
    // too, so the settings stay in memory.
    bool isHeldElsewhere() const { return m_heldElsewhere; }

private:
    QLockFile m_lock;
    bool m_heldElsewhere = false;
};
