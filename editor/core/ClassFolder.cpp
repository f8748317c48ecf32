#include "editor/core/ClassFolder.h"

#include "common/core/ProgramLocations.h"
#include "common/core/Settings.h"

#include <sys/stat.h>

bool CanWriteInFolder(const std::string& folder) {
    struct stat st {};
    if (folder.empty() || ::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return false;
    return IsFolderWritable(folder);
}

ClassFolderChoice SaveChosenClassFolder(const std::string& settingsFile,
                                        const std::string& folder) {
    if (!folder.empty() && !CanWriteInFolder(folder))
        return ClassFolderChoice::NotWritable;
    if (!SaveClassFolder(settingsFile, folder))
        return ClassFolderChoice::NotSaved;
    return folder.empty() ? ClassFolderChoice::Cleared : ClassFolderChoice::Saved;
}
