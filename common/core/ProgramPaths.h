// Where the programs find their files, and how a path held as
// Windows-1252 text reaches the operating system (whose names are UTF-8).
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

// The help pages live in this folder beside the programs: topic N is the page
// N.html, topic 0 the contents page index.html.
inline constexpr std::string_view kHelpFolderName = "help";
inline constexpr int kHelpContentsTopic = 0;
// The page of a topic as the programs name it to the user, "help/1000.html".
std::string HelpPageName(int topic);

std::filesystem::path NativePath(std::string_view cp1252Path);
// A native name as Windows-1252; characters the code page lacks become '?'.
std::string FromNativePath(const std::filesystem::path& path);
