// Where the programs find their files, and how paths meet the texts.
//
// A path is the system's bytes, from the file dialog or the environment to
// the disk, whatever characters it holds; the code page is for the contents
// of the files only. File names are UTF-8 on the systems the programs run on,
// so a name becomes text through UTF-8 only where a text must carry it.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

inline constexpr std::string_view kSettingsFileName = "Zentavo.ini";

// The folder with a "/" at its end (backslashes are not folder separators
// here, but a folder already ending in one is left alone).
std::string WithTrailingSlash(std::string folder);
// The folder of an executable path, ending in "/".
std::string ProgramFolderOf(const std::string& executablePath);
std::string SettingsFilePath(const std::string& programFolder);

std::filesystem::path NativePath(std::string_view path);
std::string FromNativePath(const std::filesystem::path& path);

// A file name as Windows-1252 text, for a caption or report that the code
// page must carry: characters it lacks become '?'.
std::string FileNameToCp1252(std::string_view name);
// A name kept as Windows-1252 text (a language in the settings) as the
// name of its file.
std::string Cp1252ToFileName(std::string_view text);
