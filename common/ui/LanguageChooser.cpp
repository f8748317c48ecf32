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
    m_entries = ListLanguages(m_programFolder);
    m_selected = -1;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (Cp1252EqualNoCase(m_entries[i], m_current)) {
            m_selected = static_cast<int>(i);
            break;
        }
    }
    m_chosen = m_current;
}

std::string LanguageChooser::ListText() const {
    if (m_selected < 0)
        return std::string(kDefaultLanguageEntry);
    return m_entries[static_cast<std::size_t>(m_selected)];
}

void LanguageChooser::Choose(int index) {
    if (index < 0 || index >= static_cast<int>(m_entries.size()))
        return;
    m_selected = index;
    m_chosen = m_entries[static_cast<std::size_t>(index)];
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
