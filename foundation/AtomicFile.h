#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include <sys/types.h>

// Saves a file so that a reader sees the old contents or the new, never a torn file:
// the text goes to a temporary file in the same folder, renamed over the target.
class AtomicFile final {
public:
    struct Failure {
        std::string reason;
        // The check before the replacement found the file changed; it is left as it was.
        bool changedMeanwhile = false;
    };
    // Asked right before the file is replaced: false leaves it as it is.
    using Check = std::function<bool()>;

    explicit AtomicFile(std::filesystem::path file);

    // A symbolic link is saved through, so it stays a link (a link to a file not made
    // yet makes it); the target keeps its permission bits. A target with several hard
    // links is rewritten in place instead, so that the links stay one file: a complete
    // copy of the text is kept beside it until that write is done, and a reader that
    // finds the copy (see unfinishedSave) reads it instead of what a kill may have
    // torn. Anything but a regular file, and links that never end, are refused and
    // left as they are.
    std::optional<Failure> write(const std::string& text, const Check& unchanged = {}) const;

    // The complete copy of an in-place save of this file that was cut off before it
    // was done, when there is one.
    std::optional<std::filesystem::path> unfinishedSave() const;

    // Removes the temporary files and copies of unfinished saves that no longer
    // belong to this file: those of processes that ended while saving, and copies
    // of a file since replaced. Nothing of another naming is touched.
    void removeStaleTemporaries() const;

    // The file a save writes: the file itself, or the one its links name.
    std::filesystem::path target() const;

private:
    std::string temporaryPrefix() const;
    std::string copyPrefix() const;
    std::filesystem::path copyOf(const std::filesystem::path& file, ino_t inode) const;

    std::filesystem::path m_file;
};
