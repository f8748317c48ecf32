// A SQLite file system that behaves like the default one, except that the
// process is killed at the n-th write to a file whose name holds a given
// text: the end of a tutor switched off in the middle of a copy. Installed
// as the default file system for the lifetime of the object; meant for a
// child process.
#pragma once

#include <sqlite3.h>

#include <array>
#include <csignal>
#include <cstddef>
#include <cstring>
#include <string>

class KillingVfs {
public:
    KillingVfs(std::string marker, int killAtWrite) {
        s_marker = std::move(marker);
        s_left = killAtWrite;
        s_real = sqlite3_vfs_find(nullptr);
        s_vfs = *s_real;
        s_vfs.zName = "zentavo-killing";
        s_vfs.xOpen = &Open;
        sqlite3_vfs_register(&s_vfs, 1);
    }
    ~KillingVfs() { sqlite3_vfs_unregister(&s_vfs); }
    KillingVfs(const KillingVfs&) = delete;
    KillingVfs& operator=(const KillingVfs&) = delete;

private:
    struct Wrapped {
        const sqlite3_io_methods* original;
        sqlite3_io_methods copy;
    };
    static constexpr std::size_t kKinds = 8;

    static int Open(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags,
                    int* outFlags) {
        const int rc = s_real->xOpen(s_real, name, file, flags, outFlags);
        if (rc != SQLITE_OK || file->pMethods == nullptr || name == nullptr ||
            std::strstr(name, s_marker.c_str()) == nullptr)
            return rc;
        for (Wrapped& w : s_wrapped) {
            if (w.original == nullptr) {
                w.original = file->pMethods;
                w.copy = *file->pMethods;
                w.copy.xWrite = &Write;
            }
            if (w.original == file->pMethods) {
                file->pMethods = &w.copy;
                break;
            }
        }
        return rc;
    }
    static int Write(sqlite3_file* file, const void* data, int amount, sqlite3_int64 offset) {
        if (--s_left <= 0)
            std::raise(SIGKILL);
        for (const Wrapped& w : s_wrapped) {
            if (&w.copy == file->pMethods)
                return w.original->xWrite(file, data, amount, offset);
        }
        return SQLITE_IOERR_WRITE;
    }

    static inline sqlite3_vfs* s_real = nullptr;
    static inline sqlite3_vfs s_vfs{};
    static inline std::array<Wrapped, kKinds> s_wrapped;
    static inline std::string s_marker;
    static inline int s_left = 0;
};
