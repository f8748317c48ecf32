#include "common/core/AtomicFile.h"

#include "common/core/ProgramPaths.h"
#include "common/core/RegularFile.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <limits>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A symbolic link stays a link: the file it names is the one replaced.
fs::path ResolveLinks(fs::path target) {
    for (int depth = 0; depth < 40; ++depth) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return target;
        std::error_code ec;
        const fs::path link = fs::read_symlink(target, ec);
        if (ec)
            return target;
        target = link.is_absolute() ? link : target.parent_path() / link;
    }
    return target;
}

bool IsReadOnly(const struct stat& st, const fs::path& target) {
    // The mode bits are checked too, because access() grants root every write.
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(target.c_str(), W_OK) != 0;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

constexpr std::string_view kTemporaryMark = ".tmp";

// ".<name>.tmp": what every temporary file of a file's saves starts with;
// the process id, a counter and a time stamp follow, joined by "-".
std::string TemporaryPrefix(const fs::path& name) {
    return "." + name.native() + std::string(kTemporaryMark);
}

int OpenTemporary(const fs::path& folder, const fs::path& name, fs::path& tmp) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        std::string hidden = TemporaryPrefix(name);
        hidden.append(std::to_string(::getpid()));
        hidden.append("-").append(std::to_string(counter++));
        hidden.append("-").append(std::to_string(stamp % 1000000));
        tmp = folder / hidden;
        const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            // Held until the file is renamed and closed: a later save tells a
            // live writer's file from a killed one's by this lock.
            ::flock(fd, LOCK_EX | LOCK_NB);
            return fd;
        }
        if (errno != EEXIST)
            return fd;
    }
    return -1;
}

// The process id of a temporary file name of this file, or nothing when the
// name is not one.
std::optional<pid_t> TemporaryOwner(std::string_view entry, std::string_view prefix) {
    if (!entry.starts_with(prefix))
        return std::nullopt;
    entry.remove_prefix(prefix.size());
    long long pid = 0;
    int parts = 0;
    std::size_t digits = 0;
    for (const char c : entry) {
        if (c >= '0' && c <= '9') {
            if (parts == 0 && pid < std::numeric_limits<pid_t>::max())
                pid = pid * 10 + (c - '0');
            ++digits;
        } else if (c == '-' && digits > 0 && parts < 2) {
            ++parts;
            digits = 0;
        } else {
            return std::nullopt;
        }
    }
    if (parts != 2 || digits == 0 || pid <= 0 || pid > std::numeric_limits<pid_t>::max())
        return std::nullopt;
    return static_cast<pid_t>(pid);
}

// A save killed between writing its temporary file and the rename leaves the
// file behind; each such file is as large as the file saved. The next save
// removes those whose process has ended and that nobody holds, never the
// file of a save still running elsewhere.
void RemoveStaleTemporaries(const fs::path& folder, const fs::path& name) {
    const std::string prefix = TemporaryPrefix(name);
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string entry = it->path().filename().native();
        const auto owner = TemporaryOwner(entry, prefix);
        if (!owner || *owner == ::getpid())
            continue;
        if (::kill(*owner, 0) == 0 || errno != ESRCH)
            continue;
        const int fd =
            ::open(it->path().c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(it->path().c_str());
        ::close(fd);
    }
}

void SyncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return; // the rename has happened; a folder that cannot be opened only delays durability
    ::fsync(fd);
    ::close(fd);
}

} // namespace

std::optional<std::string> ReadWholeFile(const std::string& path) {
    return RegularFile(path).ReadAll();
}

bool IsReadOnlyFile(const std::string& path) {
    const fs::path target = ResolveLinks(NativePath(path));
    struct stat st {};
    return ::stat(target.c_str(), &st) == 0 && IsReadOnly(st, target);
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
    if (path.empty())
        return false;
    const fs::path target = ResolveLinks(NativePath(path));
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists && (!S_ISREG(st.st_mode) || IsReadOnly(st, target)))
        return false;
    fs::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";

    RemoveStaleTemporaries(folder, target.filename());
    fs::path tmp;
    const int fd = OpenTemporary(folder, target.filename(), tmp);
    if (fd < 0)
        return false;
    bool ok = true;
    if (exists) {
        ok = ::fchmod(fd, st.st_mode & 07777) == 0;
        // Handing the file back to its owner works only with the right to do
        // so; without it the new file belongs to whoever writes it.
        [[maybe_unused]] const int owned = ::fchown(fd, st.st_uid, st.st_gid);
    }
    ok = ok && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(tmp.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(tmp.c_str());
        return false;
    }
    // A new name is flushed into its folder so that a crash cannot lose the
    // whole file. A replaced file is not: after a crash the folder names the
    // old or the new file, both complete, and leaving that flush out halves
    // the time of a write.
    if (!exists)
        SyncFolder(folder);
    return true;
}
