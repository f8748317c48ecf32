#include "common/core/ProgramPaths.h"

#include "common/core/Cp1252.h"

std::string HelpPageName(int topic) {
    const std::string page = topic == kHelpContentsTopic ? "index" : std::to_string(topic);
    return std::string(kHelpFolderName) + "/" + page + ".html";
}

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

std::filesystem::path NativePath(std::string_view cp1252Path) {
    return std::filesystem::path(Cp1252ToUtf8(cp1252Path));
}

std::string FromNativePath(const std::filesystem::path& path) {
    return Utf8ToCp1252(path.native());
}
