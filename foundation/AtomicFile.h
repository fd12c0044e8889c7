#pragma once

#include <filesystem>
#include <optional>
#include <string>

// Saves a file so that a reader sees the old contents or the new, never a torn file:
// the text goes to a temporary file in the same folder, renamed over the target.
class AtomicFile final {
public:
    explicit AtomicFile(std::filesystem::path file);

    // The reason on failure. A symbolic link is saved through, so it stays a link
    // (a link to a file not made yet makes it);
    // the target keeps its permission bits. A target with several hard links is
    // rewritten in place instead, so that the links stay one file; only that write
    // can be torn by a kill. Anything but a regular file, and links that never end,
    // are refused and left as they are.
    std::optional<std::string> write(const std::string& text) const;

    // Removes the temporary files of this file that processes which ended while
    // saving left behind. Nothing of another naming is touched.
    void removeStaleTemporaries() const;

    // The file a save writes: the file itself, or the one its links name.
    std::filesystem::path target() const;

private:
    std::string temporaryPrefix() const;

    std::filesystem::path m_file;
};
