#include "editor/ui/frmAbout.h"

#include "common/core/ProgramPaths.h"
#include "common/core/UiTexts.h"
#include "common/ui/Messages.h"
#include "common/ui/QtCp1252.h"
#include "editor/core/EditorTexts.h"
#include "editor/ui/EditorPictures.h"

namespace {
QString qs(const std::string& cp1252) {
    return ToQString(cp1252);
}
} // namespace

frmAbout::frmAbout(const UiTexts& texts, HelpPort& help, MessagePort& messages, QWidget* parent)
    : AboutBoxBase(help, parent), m_messages(messages) {
    Texts shown;
    shown.caption = qs(texts.Text("2125"));
    shown.programName = QStringLiteral("Editor Zentavo");
    shown.version = qs(EditorVersionLabel());
    shown.description = qs(texts.Text("2021") + " Zentavo");
    shown.freeware = qs(texts.Text("2130"));
    shown.helpIntro = qs(texts.Text("2128") + " > ");
    shown.helpCaption = qs(texts.Text("2126"));
    shown.helpToolTip = qs(texts.ToolTip("2126"));
    shown.closeCaption = qs(texts.Text("2105"));
    shown.closeToolTip = qs(texts.ToolTip("2127"));
    shown.mailAddress = QString::fromLatin1(MailAddress);
    shown.mailSubject = qs(EditorMailSubject());
    SetTexts(shown);
    SetPicture(EditorPictures::AboutPicture());
    m_missingTitle = qs(texts.Text("2002"));
    m_missingText = qs(texts.Text("2003") + " " + HelpPageName(HelpContext));
    setMinimumWidth(460);
}

void frmAbout::HelpMissing() {
    m_messages.Show(QMessageBox::Information, m_missingTitle, m_missingText);
}
