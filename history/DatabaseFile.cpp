#include "history/DatabaseFile.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Magic numbers of statfs(2) for file systems served over the network.
constexpr long kNfsMagic = 0x6969;
constexpr long kSmbMagic = 0x517B;
constexpr long kCifsMagic = 0xFF534D42;
constexpr long kSmb2Magic = 0xFE534D42;
constexpr long kAfsMagic = 0x5346414F;
constexpr long kCephMagic = 0x00C36400;
constexpr long kCodaMagic = 0x73757245;
constexpr long kNcpMagic = 0x564C;
constexpr long kFuseMagic = 0x65735546; // sshfs and its kind

constexpr int kMaxSameNameTries = 100;

bool HasWriteBits(const struct stat& st) {
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
}

std::string DateStamp(std::int64_t now) {
    const std::time_t t = static_cast<std::time_t>(now);
    std::tm local{};
    char text[32] = "unknown-date";
    if (localtime_r(&t, &local) != nullptr)
        std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

bool Exists(const fs::path& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// rename without replacing: fails when `to` exists.
bool RenameNoReplace(const fs::path& from, const fs::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // Network file systems may lack the flag; a look before the rename then
    // keeps what another computer could only slip in between the two.
    if (Exists(to)) {
        errno = EEXIST;
        return false;
    }
    return ::rename(from.c_str(), to.c_str()) == 0;
}

} // namespace

bool MayWriteFile(const fs::path& file) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    // The mode bits are checked too, because access() grants root every write.
    return HasWriteBits(st) && ::access(file.c_str(), W_OK) == 0;
}

bool MayWriteFolder(const fs::path& folder) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return false;
    return HasWriteBits(st) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

bool IsOnLocalDisk(const fs::path& folder) {
    struct statfs fs {};
    if (::statfs(folder.c_str(), &fs) != 0)
        return true;
    switch (static_cast<long>(fs.f_type)) {
    case kNfsMagic:
    case kSmbMagic:
    case kCifsMagic:
    case kSmb2Magic:
    case kAfsMagic:
    case kCephMagic:
    case kCodaMagic:
    case kNcpMagic:
    case kFuseMagic:
        return false;
    default:
        return true;
    }
}

std::optional<fs::path> KeepAside(const fs::path& file, std::int64_t now,
                                  const std::optional<std::string>& newExtension) {
    const fs::path folder = file.parent_path();
    const std::string stem = file.stem().native();
    const std::string extension = newExtension.value_or(file.extension().native());
    const std::string stamp = DateStamp(now);
    for (int attempt = 1; attempt <= kMaxSameNameTries; ++attempt) {
        std::string name = stem + ".damaged-" + stamp;
        if (attempt > 1)
            name += "-" + std::to_string(attempt);
        const fs::path target = folder / (name + extension);
        const fs::path targetWal = folder / (name + extension + "-wal");
        const fs::path targetJournal = folder / (name + extension + "-journal");
        const fs::path targetShm = folder / (name + extension + "-shm");
        if (Exists(targetWal) || Exists(targetJournal) || Exists(targetShm))
            continue;
        if (!RenameNoReplace(file, target)) {
            if (errno == EEXIST)
                continue;
            return std::nullopt;
        }
        // The journals belong to the damaged file: started afresh beside
        // them, the new file would take them for its own. When one stays
        // behind, no new file may be started.
        for (const char* suffix : {"-wal", "-journal", "-shm"}) {
            const fs::path journal = fs::path(file.native() + suffix);
            if (Exists(journal) && !RenameNoReplace(journal, folder / (name + extension + suffix)))
                return std::nullopt;
        }
        return target;
    }
    return std::nullopt;
}
