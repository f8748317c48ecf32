#pragma once

#include "common/core/UiTexts.h"

#include <optional>
#include <string>
#include <vector>

// The rules of the language chooser, without its window: the list of the
// built-in Italian ("Italian [Default]", first, an entry like the others)
// and the language files in Lang/, the preselection of the current language
// (letter case ignored; the default entry when no file is the current
// language's), the language chosen in the list, the confirmation question
// and the translator's message. Texts are Windows-1252. Plain C++ so that
// the window only renders it.
class LanguageChooser {
public:
    // texts: the program's texts as loaded at start; their origin (a file or
    // the built-in Italian) decides the translator's message.
    LanguageChooser(std::string programFolder, std::string currentLanguage, const UiTexts& texts);

    // The program's name, title of the chooser's messages.
    std::string Title() const;
    const LanguageChooserTexts& Texts() const { return m_texts; }

    // The default entry's index; the language files follow it.
    static constexpr int DefaultEntry = 0;

    // Reads Lang/ again and preselects the current language.
    void Fill();
    const std::vector<std::string>& Entries() const { return m_entries; }
    int SelectedIndex() const { return m_selected; }
    // What the closed list shows: the selected entry.
    std::string ListText() const;

    void Choose(int index);
    const std::string& Chosen() const { return m_chosen; }
    const std::string& Current() const { return m_current; }

    // The question to ask on closing, when the chosen language differs
    // (exactly) from the current one; nothing otherwise.
    std::optional<std::string> ClosingQuestion() const;
    // The user said Yes: the chosen language becomes the current one.
    void Confirm() { m_current = m_chosen; }
    bool Changed() const { return m_current != m_initial; }

    std::string AuthorMessage() const;

private:
    std::string m_programFolder;
    std::string m_initial;
    std::string m_current;
    std::string m_chosen;
    UiProgram m_program;
    bool m_fromFile;
    LanguageChooserTexts m_texts;
    std::vector<std::string> m_entries;
    int m_selected = DefaultEntry;
    bool m_currentIsDefault = true;
};
