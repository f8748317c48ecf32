#include "common/core/Settings.h"

#include "common/core/AtomicFile.h"
#include "common/core/IniFormat.h"
#include "common/core/IniManager.h"
#include "common/core/LanguageFiles.h"
#include "common/core/ProgramPaths.h"
#include "common/core/UiTexts.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <optional>

namespace {

constexpr const char* kOptions = "Options";
constexpr const char* kLanguage = "Language";
constexpr const char* kEditorLanguage = "EditorLanguage";
constexpr const char* kCurrentLanguage = "CurrentLanguage";

// A whole or decimal number with optional sign, exponent and surrounding
// blanks, rounded half to even; nothing for any other text.
std::optional<double> ParseNumber(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::nullopt;
    const std::size_t last = text.find_last_not_of(" \t");
    const std::string number = text.substr(first, last - first + 1);
    std::size_t i = 0;
    if (number[i] == '+' || number[i] == '-')
        ++i;
    std::size_t digits = 0;
    while (i < number.size() && std::isdigit(static_cast<unsigned char>(number[i]))) {
        ++i;
        ++digits;
    }
    if (i < number.size() && number[i] == '.') {
        ++i;
        while (i < number.size() && std::isdigit(static_cast<unsigned char>(number[i]))) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < number.size() && (number[i] == 'e' || number[i] == 'E')) {
        ++i;
        if (i < number.size() && (number[i] == '+' || number[i] == '-'))
            ++i;
        const std::size_t expStart = i;
        while (i < number.size() && std::isdigit(static_cast<unsigned char>(number[i])))
            ++i;
        if (i == expStart)
            return std::nullopt;
    }
    if (i != number.size())
        return std::nullopt;
    return std::nearbyint(std::strtod(number.c_str(), nullptr));
}

// The main window paints one of kBackgroundThemes themes; an index outside
// them, which a hand-edited file may hold, falls back to the first.
int ParseBackColor(const std::string& text) {
    const auto value = ParseNumber(text);
    if (!value || *value < 0 || *value >= kBackgroundThemes)
        return 0;
    return static_cast<int>(*value);
}

std::string ReadLanguage(IniManager& ini, const char* section, std::string_view installerLanguage) {
    ini.sezione = section;
    std::string language = ini.Leggi(kCurrentLanguage, "");
    if (language.empty())
        language = FirstLanguage(installerLanguage);
    return language;
}

// Applies writes one after another to the text of the file, as a sequence of
// Scrivi would, and replaces the file once at the end.
class IniWriteBatch {
public:
    explicit IniWriteBatch(const std::string& path) : m_path(path) {
        if (auto bytes = ReadWholeFile(path)) {
            m_text = std::move(*bytes);
        } else {
            std::error_code ec;
            m_ok = !std::filesystem::exists(NativePath(path), ec) && !ec;
        }
    }

    void Write(const char* section, const char* key, const std::string& value) {
        if (!IsWritableIniValue(value)) {
            m_ok = false;
            return;
        }
        m_text = IniText(m_text).WithValue(section, key, value);
    }

    bool Commit() { return m_ok && WriteFileAtomically(m_path, m_text); }

private:
    std::string m_path;
    std::string m_text;
    bool m_ok = true;
};

std::string Flag(bool on) {
    return on ? "1" : "0";
}

} // namespace

TutorSettings LoadTutorSettings(const std::string& iniPath, std::string_view installerLanguage) {
    TutorSettings settings;
    IniManager ini;
    ini.nome = iniPath;
    settings.CurrentLanguage = ReadLanguage(ini, kLanguage, installerLanguage);

    ini.sezione = kOptions;
    const auto read = [&ini](const char* key, const char* defaultValue) {
        std::string value = ini.Leggi(key, defaultValue);
        return value.empty() ? std::string(defaultValue) : value;
    };
    settings.Ergonomic = read("Ergonomic", "0") != "0";
    settings.SoundsOn = read("Song", "1") != "0";
    settings.KeyMap = read("KeyMap", "0") != "0";
    settings.Highlight = read("Highlight", "0") != "0";
    settings.BackColor = ParseBackColor(read("BackColor", "0"));
    settings.Category =
        read("Category", "0") == "1" ? CategoryLevel::Esperto : CategoryLevel::Principiante;
    settings.Bookmark = ini.Leggi("Bookmark", "");
    return settings;
}

bool SaveTutorSettings(const std::string& iniPath, const TutorSettings& settings,
                       bool courseListActive, const std::string& currentExerciseFile,
                       BookmarkQuestion& question, const UiTexts& texts) {
    // The question may stay open for minutes, in which the editor may save
    // its language into the same file: the file is read only once the
    // answer is known, and only the tutor's own keys are written into it.
    std::optional<std::string> bookmark;
    if (courseListActive) {
        switch (question.Ask(BookmarkQuestionText(texts))) {
        case BookmarkAnswer::Yes:
            // The settings hold text of the code page; the path is bytes.
            bookmark = BookmarkBaseName(FileNameToCp1252(currentExerciseFile));
            break;
        case BookmarkAnswer::No:
            bookmark = "";
            break;
        case BookmarkAnswer::Cancel:
            break;
        }
    }
    IniWriteBatch batch(iniPath);
    batch.Write(kOptions, "Ergonomic", Flag(settings.Ergonomic));
    batch.Write(kOptions, "Song", Flag(settings.SoundsOn));
    batch.Write(kOptions, "KeyMap", Flag(settings.KeyMap));
    batch.Write(kOptions, "Highlight", Flag(settings.Highlight));
    batch.Write(kOptions, "BackColor", std::to_string(settings.BackColor));
    batch.Write(kOptions, "Category", std::to_string(static_cast<int>(settings.Category)));
    if (bookmark)
        batch.Write(kOptions, "Bookmark", *bookmark);
    batch.Write(kLanguage, kCurrentLanguage, settings.CurrentLanguage);
    return batch.Commit();
}

std::string BookmarkQuestionText(const UiTexts& texts) {
    // Every text takes its line, an empty one too (a language file that
    // lacks it), so the lines keep their places in the question.
    std::string text;
    bool first = true;
    for (const char* id : {"0021", "0022", "0023", "0024", "0025", "0026"}) {
        if (!first)
            text += "\r\n";
        first = false;
        text += texts.Text(id);
    }
    return text;
}

std::string BookmarkBaseName(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    if (slash != std::string_view::npos)
        path.remove_prefix(slash + 1);
    return std::string(path.substr(0, path.find('.')));
}

std::string LoadEditorLanguage(const std::string& iniPath, std::string_view installerLanguage) {
    IniManager ini;
    ini.nome = iniPath;
    return ReadLanguage(ini, kEditorLanguage, installerLanguage);
}

bool SaveEditorLanguage(const std::string& iniPath, const std::string& name) {
    IniManager ini;
    ini.nome = iniPath;
    ini.sezione = kEditorLanguage;
    return ini.Scrivi(kCurrentLanguage, name) != 0;
}

std::string LoadClassFolder(const std::string& iniPath) {
    IniManager ini;
    ini.nome = iniPath;
    ini.sezione = kClassSection;
    return ini.Leggi(kClassFolderKey, "");
}

bool SaveClassFolder(const std::string& iniPath, const std::string& folder) {
    IniManager ini;
    ini.nome = iniPath;
    ini.sezione = kClassSection;
    return ini.Scrivi(kClassFolderKey, folder) != 0;
}
