#include "common/ui/LanguageChooser.h"

#include "common/core/Cp1252.h"
#include "common/core/LanguageFiles.h"

#include <utility>

LanguageChooser::LanguageChooser(std::string programFolder, std::string currentLanguage,
                                 const UiTexts& texts)
    : m_programFolder(std::move(programFolder)), m_initial(currentLanguage),
      m_current(currentLanguage), m_chosen(std::move(currentLanguage)), m_program(texts.Program()),
      m_fromFile(texts.FromLanguageFile()), m_texts(texts.ChooserTexts()) {
    Fill();
}

std::string LanguageChooser::Title() const {
    return m_program == UiProgram::Editor ? "Editor Zentavo" : "Zentavo";
}

void LanguageChooser::Fill() {
    m_entries = {std::string(kDefaultLanguageEntry)};
    for (std::string& name : ListLanguages(m_programFolder))
        m_entries.push_back(std::move(name));
    // A current language without a file runs on the built-in texts.
    m_selected = DefaultEntry;
    for (std::size_t i = DefaultEntry + 1; i < m_entries.size(); ++i) {
        if (Cp1252EqualNoCase(m_entries[i], m_current)) {
            m_selected = static_cast<int>(i);
            break;
        }
    }
    m_currentIsDefault = m_selected == DefaultEntry;
    m_chosen = m_current;
}

std::string LanguageChooser::ListText() const {
    return m_entries[static_cast<std::size_t>(m_selected)];
}

void LanguageChooser::Choose(int index) {
    if (index < 0 || index >= static_cast<int>(m_entries.size()))
        return;
    m_selected = index;
    if (index != DefaultEntry)
        m_chosen = m_entries[static_cast<std::size_t>(index)];
    else
        // Back to the built-in texts; a current language that already runs
        // on them (a name without a file) stays as it is, with no question.
        m_chosen = m_currentIsDefault ? m_current : std::string(kDefaultLanguage);
}

std::optional<std::string> LanguageChooser::ClosingQuestion() const {
    if (m_chosen == m_current)
        return std::nullopt;
    return m_texts.confirmQuestion + " ( " + m_chosen + " )";
}

std::string LanguageChooser::AuthorMessage() const {
    if (!m_fromFile)
        return m_texts.currentLanguage + "\r\n\r\n" + m_texts.author;
    const LanguageAuthor author = ReadLanguageAuthor(m_programFolder, m_current);
    std::string text =
        m_texts.currentLanguage + " " + m_current + "\r\n\r\n" + m_texts.author + " ";
    if (author.name.empty())
        return text + "Unknown";
    text += author.name;
    if (!author.mail.empty())
        text += "\r\n" + author.mail;
    return text;
}
