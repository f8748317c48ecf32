// A SQLite file system that behaves like the default one, except that the
// process is killed at the n-th write to a file whose name holds a given
// text: the end of a tutor switched off in the middle of a copy. Installed
// as the default file system for the lifetime of the object; meant for a
// child process.
#pragma once

#include "WriteHookVfs.h"

#include <csignal>
#include <string>

class KillingVfs {
public:
    KillingVfs(std::string marker, int killAtWrite)
        : m_vfs("zentavo-killing", std::move(marker), &killAtCount) {
        s_left = killAtWrite;
    }

private:
    static int killAtCount() {
        if (--s_left <= 0)
            std::raise(SIGKILL);
        return SQLITE_OK;
    }

    static inline int s_left = 0;
    WriteHookVfs m_vfs;
};
