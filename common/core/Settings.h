// The options both programs keep in Zentavo.ini: the tutor's sections
// "Options" and "Language", the editor's section "EditorLanguage", and the
// computer's class folder in section "Class".
#pragma once

#include <string>
#include <string_view>

class UiTexts;

inline constexpr int kBackgroundThemes = 11; // BackColor is a theme index 0..10

enum class CategoryLevel { Principiante = 0, Esperto = 1 };

struct TutorSettings {
    bool Ergonomic = false; // "Ergonomic": ergonomic division of the lower letter row
    bool SoundsOn = true;   // "Song"
    bool KeyMap = false;
    bool Highlight = false;
    int BackColor = 0;
    CategoryLevel Category = CategoryLevel::Principiante;
    std::string Bookmark;        // exactly as read
    std::string CurrentLanguage; // never empty after loading
};

enum class BookmarkAnswer { Yes, No, Cancel };

// Asks the pupil whether the course bookmark is to be kept (a Yes/No/Cancel
// question box titled "Zentavo" in the program; a fake in tests).
class BookmarkQuestion {
public:
    virtual ~BookmarkQuestion() = default;
    virtual BookmarkAnswer Ask(const std::string& text) = 0;
};

// installerLanguage is the installer's choice ("1033", ... or ""), used only
// when no language was chosen yet.
TutorSettings LoadTutorSettings(const std::string& iniPath,
                                std::string_view installerLanguage = "");

// Writes the options in their fixed order; asks the bookmark question only
// while the course list is the active list. False when a write failed.
bool SaveTutorSettings(const std::string& iniPath, const TutorSettings& settings,
                       bool courseListActive, const std::string& currentExerciseFile,
                       BookmarkQuestion& question, const UiTexts& texts);

// The question's text: the texts 0021 to 0026 joined by CR LF.
std::string BookmarkQuestionText(const UiTexts& texts);
// File name after the last '/' or '\', up to its first dot.
std::string BookmarkBaseName(std::string_view path);

std::string LoadEditorLanguage(const std::string& iniPath, std::string_view installerLanguage = "");
bool SaveEditorLanguage(const std::string& iniPath, const std::string& name);

// The class folder: a shared folder every computer of a room mounts, where
// each pupil's history is copied for the teacher. Set once per computer in
// the settings beside the programs; empty when none is set. The path is kept
// as the system's bytes.
inline constexpr const char* kClassSection = "Class";
inline constexpr const char* kClassFolderKey = "Folder";
std::string LoadClassFolder(const std::string& iniPath);
bool SaveClassFolder(const std::string& iniPath, const std::string& folder);
