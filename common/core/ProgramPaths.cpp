#include "common/core/ProgramPaths.h"

#include "common/core/Cp1252.h"

std::string WithTrailingSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/' && folder.back() != '\\')
        folder += '/';
    return folder;
}

std::string ProgramFolderOf(const std::string& executablePath) {
    const std::size_t slash = executablePath.find_last_of('/');
    if (slash == std::string::npos)
        return "./";
    return executablePath.substr(0, slash + 1);
}

std::string SettingsFilePath(const std::string& programFolder) {
    return WithTrailingSlash(programFolder) + std::string(kSettingsFileName);
}

std::filesystem::path NativePath(std::string_view path) {
    return std::filesystem::path(std::string(path));
}

std::string FromNativePath(const std::filesystem::path& path) {
    return path.native();
}

std::string FileNameToCp1252(std::string_view name) {
    return Utf8ToCp1252(name);
}

std::string Cp1252ToFileName(std::string_view text) {
    return Cp1252ToUtf8(text);
}
