// EditorZentavo: the exercise editor. One copy per user; it finds Lang/ and
// the help pages beside it or in its installation's data folder, and
// Zentavo.ini beside it unless it is installed or out of the user's reach.
// An exercise file named on the command line (a file manager's "open with")
// is opened at once.
#include "common/core/LanguageFiles.h"
#include "common/core/ProgramLocations.h"
#include "common/core/ProgramPaths.h"
#include "common/ui/DefaultPrinterQuery.h"
#include "common/ui/HelpViewer.h"
#include "common/ui/Messages.h"
#include "common/ui/QtCp1252.h"
#include "common/ui/QtTextMeasure.h"
#include "common/ui/QtTranslations.h"
#include "common/ui/SingleInstance.h"
#include "common/ui/TerminationSignals.h"
#include "editor/core/DiskEditorFiles.h"
#include "editor/ui/QtEditorDialogs.h"
#include "editor/ui/QtFileDialogPort.h"
#include "editor/ui/frmCreaFrasi.h"

#include <QApplication>
#include <QLocale>

#include <filesystem>

int main(int argc, char** argv) {
    // A copy started by the program itself, only to ask the print system.
    if (const auto answer = AnswerDefaultPrinterQuery(argc, argv))
        return *answer;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("EditorZentavo"));
    InstallQtTranslations(app);

    SingleInstance instance(QStringLiteral("EditorZentavo"));
    if (!StartSingleInstance(instance, "EditorZentavo"))
        return 0; // another copy is running: end without a word

    const std::string programFolder =
        ProgramFolderOf(PathFromQString(QCoreApplication::applicationFilePath()));
    const ProgramLocations locations = FindProgramLocations(programFolder);
    // A folder that cannot be made shows up as a failed save, told then.
    CreateUserFolders(locations);
    SeedUserSettings(locations);

    DiskEditorFiles files;
    QtTextMeasure measure;
    QtMessagePort messages;
    QtFileDialogPort fileDialogs;
    HelpViewerPort help(PathToQString(locations.programFolder));
    QtEditorDialogs dialogs(locations.programFolder, messages, help);
    frmCreaFrasi window(locations,
                        InstallerLanguageFromLocale(QLocale::system().name().toStdString()),
                        {files, measure, messages, fileDialogs, help, dialogs});
    messages.SetParent(&window);
    // A logout, a closed terminal or Ctrl+C close the window as its close
    // button does; every dialog still open ends with the program.
    const TerminationSignals signalClose([&window](int) {
        window.close();
        QCoreApplication::exit(0);
    });
    window.show();
    // The file's name keeps its bytes, whatever their encoding; QApplication
    // has taken its own options out of argv.
    if (argc > 1) {
        std::error_code error;
        const std::filesystem::path path = std::filesystem::absolute(argv[1], error);
        window.OpenExerciseFile(error ? std::string(argv[1]) : path.native());
    }
    const int result = QApplication::exec();
    HelpViewer::CloseShared();
    return result;
}
