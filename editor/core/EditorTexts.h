#pragma once

#include "common/core/UiTexts.h"
#include "editor/core/SentenceEditor.h"

// The editor window's message slots 0 to 19, taken from its loaded texts.
SentenceEditor::MessageTexts EditorMessageTexts(const UiTexts& texts);

// "Versione 3.0.0": the version label of the about box.
std::string EditorVersionLabel();
// The subject of a mail to the author: "Editor Zentavo - Versione 3.0.0".
std::string EditorMailSubject();

// The editor's language and texts at start: the language from the settings
// file (or, at a first start, from the installer's choice), the texts from
// its language file when that exists, else the built-in Italian ones.
struct EditorLanguageTexts {
    std::string language;
    bool fromFile = false; // the texts come from the language's file
    UiTexts texts;
};
EditorLanguageTexts LoadEditorTexts(const std::string& settingsFile,
                                    const std::string& programFolder,
                                    const std::string& installerLanguage);
// A language confirmed in the chooser: its "CurrentLanguage" is written at
// once, and the window's texts, the about box and the chooser follow it from
// now on (from its file, or the built-in Italian for the default entry).
EditorLanguageTexts ChangeEditorLanguage(const std::string& settingsFile,
                                         const std::string& programFolder,
                                         const std::string& language);
// The texts of the windows that choose their texts when they open (the
// about box and the language chooser), in the current language.
UiTexts DialogTexts(const std::string& programFolder, const std::string& language,
                    bool startedWithFile);
