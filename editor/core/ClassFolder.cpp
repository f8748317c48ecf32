#include "editor/core/ClassFolder.h"

#include "common/core/Settings.h"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr const char* kProbeName = "/.zentavo-write-test-XXXXXX";
}

bool CanWriteInFolder(const std::string& folder) {
    struct stat st {};
    if (folder.empty() || ::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return false;
    std::string probe = folder + kProbeName;
    const int fd = ::mkstemp(probe.data());
    if (fd < 0)
        return false;
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
}

ClassFolderChoice SaveChosenClassFolder(const std::string& settingsFile,
                                        const std::string& folder) {
    if (!folder.empty() && !CanWriteInFolder(folder))
        return ClassFolderChoice::NotWritable;
    if (!SaveClassFolder(settingsFile, folder))
        return ClassFolderChoice::NotSaved;
    return folder.empty() ? ClassFolderChoice::Cleared : ClassFolderChoice::Saved;
}
