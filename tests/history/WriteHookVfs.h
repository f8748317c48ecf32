// A SQLite file system that behaves like the default one, except that each
// write to a file whose name holds a marker ("" for every file) first asks a
// hook: SQLITE_OK lets the write through, anything else is what the write
// returns. Installed as the default file system for the lifetime of the
// object; the full-disk and killed-tutor tests build on it.
#pragma once

#include <sqlite3.h>

#include <array>
#include <cstddef>
#include <cstring>
#include <string>

class WriteHookVfs {
public:
    using Hook = int (*)();

    WriteHookVfs(const char* name, std::string marker, Hook hook) {
        s_marker = std::move(marker);
        s_hook = hook;
        s_real = sqlite3_vfs_find(nullptr);
        s_vfs = *s_real;
        s_vfs.zName = name;
        s_vfs.xOpen = &Open;
        sqlite3_vfs_register(&s_vfs, 1);
    }
    ~WriteHookVfs() { sqlite3_vfs_unregister(&s_vfs); }
    WriteHookVfs(const WriteHookVfs&) = delete;
    WriteHookVfs& operator=(const WriteHookVfs&) = delete;

private:
    // The default file system gives files of different kinds different
    // method tables; each gets a copy whose write asks the hook.
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
        if (!s_marker.empty() &&
            (name == nullptr || std::strstr(name, s_marker.c_str()) == nullptr))
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
        if (const int refused = s_hook(); refused != SQLITE_OK)
            return refused;
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
    static inline Hook s_hook = nullptr;
};
