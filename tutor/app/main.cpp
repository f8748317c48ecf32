// The tutor's entry point: one running copy per user, a screen of at least
// 800 x 600 pixels, then the main window.
#include "common/core/LanguageFiles.h"
#include "common/core/ProgramLocations.h"
#include "common/core/ProgramPaths.h"
#include "common/ui/QtCp1252.h"
#include "common/ui/SingleInstance.h"
#include "tutor/ui/LevelEndFlow.h"
#include "tutor/ui/TimingProbe.h"
#include "tutor/ui/TutorPlatform.h"
#include "tutor/ui/frmZentavo.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>

namespace {

std::string commandLineOf(const QStringList& arguments) {
    return FromQString(arguments.mid(1).join(QLatin1Char(' ')));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);

    SingleInstance instance(QStringLiteral("Zentavo"));
    if (!instance.TryAcquire())
        return 0;

    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size = screen != nullptr ? screen->size() : QSize();
    if (size.width() < 800 || size.height() < 600) {
        QMessageBox::critical(
            nullptr, QStringLiteral("Zentavo"),
            QStringLiteral("La risoluzione minima per l'utilizzo di questo programma \u00e8:\n"
                           "800 x 600 pixel.\n"
                           "Modificare la risoluzione video e, quindi, riprovare.\n"
                           "\n"
                           "Best visual results if used with 800x600 pixel monitor.\n"
                           "Modify your video settings and try again."));
        return 0;
    }
    const bool largeScreen = size.width() > 1000 || size.height() >= 751;

    const std::string folder = ProgramFolderOf(FromNativePath(
        std::filesystem::path(QCoreApplication::applicationFilePath().toStdString())));
    const ProgramLocations locations = FindProgramLocations(folder);
    CreateUserFolders(locations);
    RealTutorEnvironment real(folder, commandLineOf(app.arguments()), largeScreen);
    TutorEnvironment& environment = real.Environment();
    environment.settingsFile = locations.settingsFile;
    environment.exercisePlaces = locations.exercisePlaces;
    environment.installerLanguage =
        InstallerLanguageFromLocale(QLocale::system().name().toStdString());
    LevelEndFlow results;
    real.SetResults(&results);

    frmZentavo window(environment);
    real.SetDialogParent(&window);
    results.Attach(&window, [&window, &real] { return ResultsContextOf(window, &real.Sounds()); });
    TimingProbe::InstallIfRequested(&window);
    window.setGeometry(screen->availableGeometry());
    window.showMaximized();
    return app.exec();
}
