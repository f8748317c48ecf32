#include "editor/ui/QtEditorDialogs.h"

#include "common/ui/frmLanguage.h"
#include "editor/core/EditorTexts.h"
#include "editor/ui/frmAbout.h"

std::optional<std::string>
QtEditorDialogs::ChooseLanguage(QWidget* owner, const std::string& current, bool startedWithFile) {
    const UiTexts texts = DialogTexts(m_programFolder, current, startedWithFile);
    frmLanguage chooser(m_programFolder, current, texts, m_messages, owner);
    chooser.exec();
    if (!chooser.Chooser().Changed())
        return std::nullopt;
    return chooser.Chooser().Current();
}

void QtEditorDialogs::ShowAbout(QWidget* owner, const std::string& current, bool startedWithFile) {
    const UiTexts texts = DialogTexts(m_programFolder, current, startedWithFile);
    frmAbout about(texts, m_help, m_messages, owner);
    about.exec();
}
