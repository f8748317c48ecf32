#pragma once

#include "editor/ui/EditorDialogs.h"

#include <string>

class HelpPort;
class MessagePort;

// The real modal windows of the editor: frmLanguage, frmAbout and frmClasse, with the
// texts the start's language test chose.
class QtEditorDialogs : public EditorDialogs {
public:
    QtEditorDialogs(std::string programFolder, MessagePort& messages, HelpPort& help)
        : m_programFolder(std::move(programFolder)), m_messages(messages), m_help(help) {}

    std::optional<std::string> ChooseLanguage(QWidget* owner, const std::string& current,
                                              bool startedWithFile) override;
    void ShowAbout(QWidget* owner, const std::string& current, bool startedWithFile) override;
    void ShowClass(QWidget* owner, const std::string& settingsFile, const std::string& current,
                   bool startedWithFile) override;

private:
    std::string m_programFolder;
    MessagePort& m_messages;
    HelpPort& m_help;
};
