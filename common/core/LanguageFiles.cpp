#include "common/core/LanguageFiles.h"

#include "common/core/AtomicFile.h"
#include "common/core/Cp1252.h"
#include "common/core/ExerciseFile.h"
#include "common/core/IniFormat.h"
#include "common/core/ProgramPaths.h"
#include "common/core/RegularFile.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <utility>

namespace fs = std::filesystem;

std::string LanguageFilePath(const std::string& programFolder, const std::string& language) {
    return WithTrailingSlash(programFolder) + std::string(kLanguageFolder) +
           Cp1252ToFileName(language) + std::string(kLanguageExtension);
}

bool LanguageFileExists(const std::string& programFolder, const std::string& language) {
    // A language is a file of Lang/ itself: a name from a hand-edited settings
    // file must not reach into other folders.
    if (language.find_first_of(std::string_view("/\\\0", 3)) != std::string::npos)
        return false;
    return CanReadRegularFile(LanguageFilePath(programFolder, language));
}

std::string ReadIniString(const std::string& file, const std::string& section,
                          const std::string& key) {
    const auto bytes = ReadWholeFile(file);
    if (!bytes)
        return {};
    const auto raw = IniText(*bytes).RawValue(section, key);
    return raw ? CleanIniValue(*raw, kLanguageValueLimit) : std::string();
}

std::string GetLangString(const std::string& programFolder, const std::string& language,
                          const std::string& id) {
    return TrimBlanks(ReadIniString(LanguageFilePath(programFolder, language),
                                    std::string(kLanguageSection), id));
}

std::string InstallerLanguageFromLocale(std::string_view locale) {
    const std::size_t end = locale.find_first_of("_-.@");
    const std::string_view code = locale.substr(0, end);
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 5> kCodes = {{
        {"de", "1031"},
        {"en", "1033"},
        {"es", "1034"},
        {"fr", "1036"},
        {"it", "1040"},
    }};
    for (const auto& [language, value] : kCodes) {
        if (Cp1252EqualNoCase(code, language))
            return std::string(value);
    }
    return {};
}

std::string FirstLanguage(std::string_view installerValue) {
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 5> kNames = {{
        {"1031", "German"},
        {"1033", "English"},
        {"1034", "Spanish"},
        {"1036", "French"},
        {"1040", "Italian"},
    }};
    for (const auto& [value, name] : kNames) {
        if (installerValue == value)
            return std::string(name);
    }
    return "Italian";
}

std::vector<std::string> ListLanguages(const std::string& programFolder) {
    std::vector<std::string> names;
    const fs::path folder =
        NativePath(WithTrailingSlash(programFolder) + std::string(kLanguageFolder));
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec)
        return names;
    for (const fs::directory_entry& entry : it) {
        std::error_code typeError;
        if (!entry.is_regular_file(typeError))
            continue;
        const std::string native = entry.path().filename().native();
        if (native.size() <= kLanguageExtension.size() || !native.ends_with(kLanguageExtension))
            continue;
        // The settings keep the language as Windows-1252 text: a name the
        // code page cannot hold could never be found again from there.
        const std::string name = FileNameToCp1252(native);
        if (Cp1252ToFileName(name) != native)
            continue;
        names.push_back(name.substr(0, name.size() - kLanguageExtension.size()));
    }
    std::sort(names.begin(), names.end());
    return names;
}

LanguageAuthor ReadLanguageAuthor(const std::string& programFolder, const std::string& language) {
    return {GetLangString(programFolder, language, "InfoAuthor"),
            GetLangString(programFolder, language, "MailAuthor")};
}
