#include "editor/core/EditorTexts.h"

#include "common/core/LanguageFiles.h"
#include "common/core/ProgramPaths.h"
#include "common/core/Settings.h"
#include "editor/core/EditorVersion.h"

SentenceEditor::MessageTexts EditorMessageTexts(const UiTexts& texts) {
    SentenceEditor::MessageTexts slots;
    for (int slot = 0; slot < SentenceEditor::MessageSlotCount; ++slot)
        slots[static_cast<std::size_t>(slot)] = texts.Slot(slot);
    return slots;
}

std::string EditorVersionLabel() {
    return "Versione " + EditorVersion::Text();
}

std::string EditorMailSubject() {
    return "Editor Zentavo - " + EditorVersionLabel();
}

EditorLanguageTexts LoadEditorTexts(const std::string& settingsFile,
                                    const std::string& programFolder,
                                    const std::string& installerLanguage) {
    const std::string language = LoadEditorLanguage(settingsFile, installerLanguage);
    const bool fromFile = LanguageFileExists(programFolder, language);
    return EditorLanguageTexts{language, fromFile, DialogTexts(programFolder, language, fromFile)};
}

EditorLanguageTexts ChangeEditorLanguage(const std::string& settingsFile,
                                         const std::string& programFolder,
                                         const std::string& language) {
    // The settings file is written through its own path: the current
    // exercise file is never touched by a change of language.
    SaveEditorLanguage(settingsFile, language);
    UiTexts texts = UiTexts::ForLanguage(UiProgram::Editor, programFolder, language);
    const bool fromFile = texts.FromLanguageFile();
    return EditorLanguageTexts{language, fromFile, std::move(texts)};
}

UiTexts DialogTexts(const std::string& programFolder, const std::string& language,
                    bool startedWithFile) {
    if (!startedWithFile)
        return UiTexts::BuiltIn(UiProgram::Editor);
    return UiTexts::FromFile(UiProgram::Editor, LanguageFilePath(programFolder, language));
}
