#include "editor/ui/QtEditorDialogs.h"

#include "common/ui/frmLanguage.h"
#include "editor/core/ClassCsv.h"
#include "editor/core/EditorTexts.h"
#include "editor/ui/QtFileDialogPort.h"
#include "editor/ui/frmAbout.h"
#include "editor/ui/frmClasse.h"

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

void QtEditorDialogs::ShowClass(QWidget* owner, const std::string& settingsFile,
                                const std::string& current, bool startedWithFile) {
    const UiTexts texts = DialogTexts(m_programFolder, current, startedWithFile);
    // The key map and the progress window speak the tutor's texts of the same language.
    const UiTexts tutorTexts =
        startedWithFile ? UiTexts::ForLanguage(UiProgram::Tutor, m_programFolder, current)
                        : UiTexts::BuiltIn(UiProgram::Tutor);
    QtFileDialogPort fileDialogs;
    frmClasse window(settingsFile, texts, tutorTexts, CsvConventionsOf(current, !startedWithFile),
                     frmClasse::DesktopPorts(owner, m_messages, fileDialogs, tutorTexts), owner);
    window.exec();
}
