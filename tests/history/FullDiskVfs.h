// A SQLite file system that behaves like the default one until told the
// disk is full: then every write fails with SQLITE_FULL, as the default one
// reports a write refused for want of space. Installed as the default file
// system for the lifetime of the object.
#pragma once

#include <sqlite3.h>

#include <array>
#include <cstddef>

class FullDiskVfs {
public:
    FullDiskVfs() {
        s_real = sqlite3_vfs_find(nullptr);
        s_vfs = *s_real;
        s_vfs.zName = "zentavo-full-disk";
        s_vfs.xOpen = &Open;
        sqlite3_vfs_register(&s_vfs, 1);
    }
    ~FullDiskVfs() {
        sqlite3_vfs_unregister(&s_vfs);
        s_full = false;
    }
    FullDiskVfs(const FullDiskVfs&) = delete;
    FullDiskVfs& operator=(const FullDiskVfs&) = delete;

    void SetFull(bool full) { s_full = full; }

private:
    // The default file system gives files of different kinds different
    // method tables; each gets a copy whose write can fail.
    struct Wrapped {
        const sqlite3_io_methods* original;
        sqlite3_io_methods copy;
    };
    static constexpr std::size_t kKinds = 8;

    static int Open(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags,
                    int* outFlags) {
        const int rc = s_real->xOpen(s_real, name, file, flags, outFlags);
        if (rc != SQLITE_OK || file->pMethods == nullptr)
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
        if (s_full)
            return SQLITE_FULL;
        for (const Wrapped& w : s_wrapped) {
            if (&w.copy == file->pMethods)
                return w.original->xWrite(file, data, amount, offset);
        }
        return SQLITE_IOERR_WRITE;
    }

    static inline sqlite3_vfs* s_real = nullptr;
    static inline sqlite3_vfs s_vfs{};
    static inline std::array<Wrapped, kKinds> s_wrapped;
    static inline bool s_full = false;
};
