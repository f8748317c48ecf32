#pragma once

#include "common/ui/LanguageChooser.h"

#include <QDialog>

class MessagePort;
class QComboBox;
class QLabel;
class QPushButton;

// The language chooser window, the same for both programs: a list of the
// language files, a close button that confirms a change, and a button that
// names the translator. It renders a LanguageChooser; the caller reads
// Chooser().Changed() and Chooser().Current() after it closes.
class frmLanguage : public QDialog {
    Q_OBJECT
public:
    frmLanguage(const std::string& programFolder, const std::string& currentLanguage,
                const UiTexts& texts, MessagePort& messages, QWidget* parent = nullptr);

    const LanguageChooser& Chooser() const { return m_chooser; }

private:
    void fillList();
    void cboFileLanguage_Click(int index);
    void cmdChiudi_Click();
    void cmdInfoAuthor_Click();

    LanguageChooser m_chooser;
    MessagePort& m_messages;
    QComboBox* m_list;
    QLabel* m_message;
    QPushButton* m_close;
    QPushButton* m_info;
};
