#include "AtomicFile.h"

#include "FileDescriptor.h"

#include <cerrno>
#include <charconv>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// ".<name>.saving-<pid>-XXXXXX": the process id tells whether its writer still runs.
constexpr const char* kTemporaryInfix = ".saving-";
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

// This process saves one file at a time, so its own temporaries are stale too.
bool isRunning(pid_t pid)
{
    if (pid == ::getpid())
        return false;
    return ::kill(pid, 0) == 0 || errno != ESRCH;
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
    std::string prefix(1, '.');
    prefix += target().filename().string();
    prefix += kTemporaryInfix;
    return prefix;
}

std::optional<std::string> AtomicFile::write(const std::string& text) const
{
    const std::filesystem::path file = target();
    struct stat existing {};
    const bool exists = ::stat(file.c_str(), &existing) == 0;
    // Links that never end would be replaced by the file; a directory, pipe or device
    // would be renamed over or written into.
    if (!exists && errno != ENOENT)
        return systemMessage(errno);
    if (exists && !S_ISREG(existing.st_mode))
        return kNotARegularFile;
    if (exists && existing.st_nlink > 1)
        return writeInPlace(file, text);

    const std::filesystem::path folder = folderOf(file);
    std::string temporary = (folder / (temporaryPrefix() + std::to_string(::getpid()) + "-" + kUniqueSuffix)).string();
    FileDescriptor fd(::mkstemp(temporary.data()));
    if (fd.get() < 0)
        return systemMessage(errno);
    // mkstemp makes the file private; a file the user opened up stays open.
    if (exists)
        ::fchmod(fd.get(), existing.st_mode & kPermissionBits);
    const bool written = writeAll(fd.get(), text) && ::fsync(fd.get()) == 0;
    const int writeErrno = errno;
    if (!fd.close() || !written) {
        const int code = written ? errno : writeErrno;
        ::unlink(temporary.c_str());
        return systemMessage(code);
    }
    if (::rename(temporary.c_str(), file.c_str()) != 0) {
        const int code = errno;
        ::unlink(temporary.c_str());
        return systemMessage(code);
    }
    syncFolder(folder);
    return std::nullopt;
}

void AtomicFile::removeStaleTemporaries() const
{
    const std::filesystem::path file = target();
    const std::string prefix = temporaryPrefix();
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folderOf(file), ec)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(prefix) || name.size() < prefix.size() + kUniqueLength + 2)
            continue;
        const char* first = name.data() + prefix.size();
        const char* last = name.data() + name.size() - kUniqueLength - 1;
        pid_t pid = 0;
        const auto parsed = std::from_chars(first, last, pid);
        std::error_code statusError;
        if (parsed.ec != std::errc() || parsed.ptr != last || *last != '-' || pid <= 0 || isRunning(pid)
            || entry.is_symlink(statusError) || !entry.is_regular_file(statusError))
            continue;
        std::filesystem::remove(entry.path(), statusError);
    }
}
