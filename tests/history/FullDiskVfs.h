// A SQLite file system that behaves like the default one until told the
// disk is full: then every write fails with SQLITE_FULL, as the default one
// reports a write refused for want of space. Installed as the default file
// system for the lifetime of the object.
#pragma once

#include "WriteHookVfs.h"

class FullDiskVfs {
public:
    ~FullDiskVfs() { s_full = false; }
    void SetFull(bool full) { s_full = full; }

private:
    static inline bool s_full = false;
    WriteHookVfs m_vfs{"zentavo-full-disk", "", [] { return s_full ? SQLITE_FULL : SQLITE_OK; }};
};
