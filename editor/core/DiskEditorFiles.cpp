#include "editor/core/DiskEditorFiles.h"

#include "common/core/AtomicFile.h"
#include "common/core/ExerciseFile.h"
#include "common/core/ProgramPaths.h"
#include "common/core/RegularFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

bool DiskEditorFiles::Exists(const std::string& path) {
    return !path.empty() && CanReadRegularFile(path);
}

std::optional<bool> DiskEditorFiles::ReadOnlyAttribute(const std::string& path) {
    std::error_code code;
    const fs::file_status status = fs::status(NativePath(path), code);
    if (code || !fs::exists(status))
        return std::nullopt;
    // The owner's bit is not enough: an exercise shipped in an installed
    // program folder belongs to root, and a pupil who opened it could
    // never save into it.
    return (status.permissions() & fs::perms::owner_write) == fs::perms::none ||
           IsReadOnlyFile(path);
}

bool DiskEditorFiles::ClearReadOnly(const std::string& path) {
    std::error_code code;
    fs::permissions(NativePath(path), fs::perms::owner_write, fs::perm_options::add, code);
    return !code;
}

std::optional<FileError> DiskEditorFiles::Create(const std::string& path,
                                                 const std::string& version) {
    const fs::path native = NativePath(path);
    std::error_code code;
    const fs::path folder = native.parent_path();
    if (!folder.empty() && !fs::is_directory(folder, code))
        return FileError{ENOENT, std::strerror(ENOENT)};
    errno = 0;
    if (CreateExerciseFile(path, version))
        return std::nullopt;
    // The writer reports only success or failure; the reason most often
    // behind a failure with an existing folder is missing permission.
    const int number = errno != 0 ? errno : EACCES;
    return FileError{number, std::strerror(number)};
}

bool DiskEditorFiles::WriteSentence(const std::string& path, int level, int position,
                                    const std::string& value) {
    return ::WriteSentence(path, level, position, value) != 0;
}

EditorFiles::ReadResult DiskEditorFiles::ReadSentence(const std::string& path, int level,
                                                      int position) {
    // A missing file holds no sentences; a file that is there but cannot be
    // read is a failure the user must hear about.
    std::error_code code;
    if (fs::exists(NativePath(path), code)) {
        const RegularFile file(path);
        if (!file.IsOpen())
            return ReadResult{{}, FileError{file.Error(), std::strerror(file.Error())}};
    }
    return ReadResult{::ReadSentence(path, level, position), std::nullopt};
}

std::array<int, 3> DiskEditorFiles::CountSentences(const std::string& path, int positions) {
    return ::CountSentences(path, positions);
}
