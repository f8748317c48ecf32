// Language files: Lang/<language>.lng beside the programs, section "Strings",
// one text per four-digit ID plus the translator's "InfoAuthor" and
// "MailAuthor". Also the first-start choice of a language.
//
// Program folders end in "/" and are the system's bytes; a language name is
// Windows-1252 text, as the settings file keeps it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

inline constexpr std::string_view kLanguageFolder = "Lang/";
inline constexpr std::string_view kLanguageExtension = ".lng";
inline constexpr std::string_view kLanguageSection = "Strings";
inline constexpr std::string_view kDefaultLanguageEntry = "Italian [Default]";

std::string LanguageFilePath(const std::string& programFolder, const std::string& language);
// True when the language's file can be opened for reading.
bool LanguageFileExists(const std::string& programFolder, const std::string& language);

// The raw read: INI rules, at most 511 characters, cut at the first NUL;
// "" when the file, section or key is missing.
std::string ReadIniString(const std::string& file, const std::string& section,
                          const std::string& key);
// The text of an ID in the given language, trimmed; "" when missing. It never
// falls back to the built-in Italian.
std::string GetLangString(const std::string& programFolder, const std::string& language,
                          const std::string& id);

// "de..." -> "1031", "en..." -> "1033", "es..." -> "1034", "fr..." -> "1036",
// "it..." -> "1040", anything else "" (locale names like "fr_CA.UTF-8").
std::string InstallerLanguageFromLocale(std::string_view locale);
// The language of a first start from the installer's choice; "Italian" for
// "" and every value not known.
std::string FirstLanguage(std::string_view installerValue);

// Names of the files Lang/*.lng, less ".lng", in byte order.
std::vector<std::string> ListLanguages(const std::string& programFolder);

struct LanguageAuthor {
    std::string name; // "InfoAuthor"
    std::string mail; // "MailAuthor"
};
LanguageAuthor ReadLanguageAuthor(const std::string& programFolder, const std::string& language);
