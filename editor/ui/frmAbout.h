#pragma once

#include "common/ui/AboutBoxBase.h"

class MessagePort;
class UiTexts;

// The editor's about box: its version, description and freeware notice, the
// help button and a mail link whose subject names the editor's version.
class frmAbout : public AboutBoxBase {
    Q_OBJECT
public:
    static constexpr const char* MailAddress = "zentavo@example.org";

    frmAbout(const UiTexts& texts, HelpPort& help, MessagePort& messages,
             QWidget* parent = nullptr);

protected:
    void HelpMissing() override;

private:
    MessagePort& m_messages;
    QString m_missingTitle;
    QString m_missingText;
};
