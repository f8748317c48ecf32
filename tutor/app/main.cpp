// The tutor's entry point: one running copy per user, a screen of at least
// 800 x 600 pixels, then the main window.
#include "common/core/LanguageFiles.h"
#include "common/core/ProgramLocations.h"
#include "common/core/ProgramPaths.h"
#include "common/ui/Messages.h"
#include "common/ui/QtCp1252.h"
#include "common/ui/QtTranslations.h"
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
    InstallQtTranslations(app);

    SingleInstance instance(QStringLiteral("Zentavo"));
    if (!instance.TryAcquire())
        return 0;

    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size = screen != nullptr ? screen->size() : QSize();
    const ScreenFit fit = CheckScreen(size.width(), size.height());
    if (fit == ScreenFit::TooSmall) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Zentavo"),
                        MessageDisplayText(ResolutionMessage()), QMessageBox::Ok);
        FitMessageBoxToText(box);
        box.exec();
        return 0;
    }
    const bool largeScreen = fit == ScreenFit::Large;

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
