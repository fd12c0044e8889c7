#include "AtomicFile.h"

#include "FileDescriptor.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <string_view>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// ".<name>.saving-<pid>-XXXXXX": the process id tells whether its writer still runs.
constexpr const char* kTemporaryInfix = ".saving-";
// ".<name>.complete-<inode>": the text of an in-place save, kept until it is done.
constexpr const char* kCopyInfix = ".complete-";
constexpr const char* kChangedMeanwhile = "it was changed by another program during the save";
constexpr const char* kUniqueSuffix = "XXXXXX";
constexpr std::size_t kUniqueLength = 6;
constexpr mode_t kPermissionBits = 07777;
// As many links as the system follows in one path.
constexpr int kMaximumLinks = 40;
constexpr const char* kNotARegularFile = "not a regular file";

std::string systemMessage(int code)
{
    return std::error_code(code, std::generic_category()).message();
}

bool writeAll(int fd, const std::string& text)
{
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        written += static_cast<std::size_t>(n);
    }
    return true;
}

std::filesystem::path folderOf(const std::filesystem::path& file)
{
    return file.parent_path().empty() ? "." : file.parent_path();
}

// The rename itself is durable only once the folder is synced.
void syncFolder(const std::filesystem::path& folder)
{
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
}

std::optional<std::string> writeInPlace(const std::filesystem::path& file, const std::string& text)
{
    FileDescriptor fd(::open(file.c_str(), O_WRONLY | O_CLOEXEC));
    if (fd.get() < 0)
        return systemMessage(errno);
    const bool written = writeAll(fd.get(), text) && ::ftruncate(fd.get(), static_cast<off_t>(text.size())) == 0
        && ::fsync(fd.get()) == 0;
    const int writeErrno = errno;
    if (!fd.close() || !written)
        return systemMessage(written ? errno : writeErrno);
    return std::nullopt;
}

AtomicFile::Failure failure(int code)
{
    return {systemMessage(code), false};
}

// This process saves one file at a time, so its own temporaries are stale too.
bool isRunning(pid_t pid)
{
    if (pid == ::getpid())
        return false;
    return ::kill(pid, 0) == 0 || errno != ESRCH;
}

// "<pid>-XXXXXX" of a process that no longer runs.
bool isStaleTemporary(std::string_view rest)
{
    if (rest.size() < kUniqueLength + 2)
        return false;
    const char* last = rest.data() + rest.size() - kUniqueLength - 1;
    pid_t pid = 0;
    const auto parsed = std::from_chars(rest.data(), last, pid);
    return parsed.ec == std::errc() && parsed.ptr == last && *last == '-' && pid > 0 && !isRunning(pid);
}

bool isNumber(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

AtomicFile::AtomicFile(std::filesystem::path file)
    : m_file(std::move(file))
{
}

std::filesystem::path AtomicFile::target() const
{
    // Followed link by link, as the file named last may not exist yet.
    std::filesystem::path file = m_file;
    std::error_code ec;
    for (int links = 0; links < kMaximumLinks && std::filesystem::is_symlink(file, ec); ++links) {
        const std::filesystem::path next = std::filesystem::read_symlink(file, ec);
        if (ec)
            return m_file;
        file = file.parent_path() / next;
    }
    if (file == m_file)
        return m_file;
    std::filesystem::path resolved = std::filesystem::weakly_canonical(file, ec);
    return ec ? m_file : resolved;
}

std::string AtomicFile::temporaryPrefix() const
{
    return "." + target().filename().string() + kTemporaryInfix;
}

std::string AtomicFile::copyPrefix() const
{
    return "." + target().filename().string() + kCopyInfix;
}

std::filesystem::path AtomicFile::copyOf(const std::filesystem::path& file, ino_t inode) const
{
    // Named after the file's inode: a file replaced since is not the one the copy completes.
    return folderOf(file) / (copyPrefix() + std::to_string(inode));
}

std::optional<AtomicFile::Failure> AtomicFile::write(const std::string& text, const Check& unchanged) const
{
    const std::filesystem::path file = target();
    struct stat existing {};
    const bool exists = ::stat(file.c_str(), &existing) == 0;
    // Links that never end would be replaced by the file; a directory, pipe or device
    // would be renamed over or written into.
    if (!exists && errno != ENOENT)
        return failure(errno);
    if (exists && !S_ISREG(existing.st_mode))
        return Failure{kNotARegularFile, false};
    const bool inPlace = exists && existing.st_nlink > 1;

    const std::filesystem::path folder = folderOf(file);
    std::string temporary = (folder / (temporaryPrefix() + std::to_string(::getpid()) + "-" + kUniqueSuffix)).string();
    FileDescriptor fd(::mkstemp(temporary.data()));
    if (fd.get() < 0)
        return failure(errno);
    // mkstemp makes the file private; a file the user opened up stays open.
    if (exists && !inPlace)
        ::fchmod(fd.get(), existing.st_mode & kPermissionBits);
    const bool written = writeAll(fd.get(), text) && ::fsync(fd.get()) == 0;
    const int writeErrno = errno;
    if (!fd.close() || !written) {
        const int code = written ? errno : writeErrno;
        ::unlink(temporary.c_str());
        return failure(code);
    }
    // The copy an in-place write keeps until it is done appears whole, by a rename.
    const std::filesystem::path copy = exists ? copyOf(file, existing.st_ino) : std::filesystem::path();
    const std::filesystem::path kept = inPlace ? copy : std::filesystem::path(temporary);
    if (inPlace && ::rename(temporary.c_str(), copy.c_str()) != 0) {
        const int code = errno;
        ::unlink(temporary.c_str());
        return failure(code);
    }
    if (inPlace)
        syncFolder(folder);
    if (unchanged && !unchanged()) {
        ::unlink(kept.c_str());
        return Failure{kChangedMeanwhile, true};
    }
    if (inPlace) {
        // A failed write may have torn the file: the copy stays to be read instead.
        if (std::optional<std::string> reason = writeInPlace(file, text))
            return Failure{std::move(*reason), false};
    } else if (::rename(temporary.c_str(), file.c_str()) != 0) {
        const int code = errno;
        ::unlink(temporary.c_str());
        return failure(code);
    } else {
        syncFolder(folder);
    }
    // Done: the copy this save kept, or one a cut-off save of the file it replaced left.
    if (exists)
        ::unlink(copy.c_str());
    return std::nullopt;
}

std::optional<std::filesystem::path> AtomicFile::unfinishedSave() const
{
    const std::filesystem::path file = target();
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    std::filesystem::path copy = copyOf(file, status.st_ino);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(copy, ec)))
        return std::nullopt;
    return copy;
}

void AtomicFile::removeStaleTemporaries() const
{
    const std::filesystem::path file = target();
    const std::string temporaries = temporaryPrefix();
    const std::string copies = copyPrefix();
    struct stat status {};
    const std::filesystem::path current = ::stat(file.c_str(), &status) == 0 ? copyOf(file, status.st_ino) : "";
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folderOf(file), ec)) {
        const std::string name = entry.path().filename().string();
        const bool stale = (name.starts_with(temporaries) && isStaleTemporary(std::string_view(name).substr(temporaries.size())))
            || (name.starts_with(copies) && isNumber(std::string_view(name).substr(copies.size())) && entry.path() != current);
        std::error_code statusError;
        if (stale && !entry.is_symlink(statusError) && entry.is_regular_file(statusError))
            std::filesystem::remove(entry.path(), statusError);
    }
}
