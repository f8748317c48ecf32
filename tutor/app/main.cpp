// The tutor's entry point: one running copy per user, a screen of at least
// 800 x 600 pixels, then the main window.
#include "common/core/Cp1252.h"
#include "common/core/LanguageFiles.h"
#include "common/core/ProgramLocations.h"
#include "common/core/ProgramPaths.h"
#include "common/ui/QtCp1252.h"
#include "common/ui/QtTranslations.h"
#include "common/ui/SingleInstance.h"
#include "history/HistoryStore.h"
#include "tutor/core/WordList.h"
#include "tutor/ui/LevelEndFlow.h"
#include "tutor/ui/TimingProbe.h"
#include "tutor/ui/TutorPlatform.h"
#include "tutor/ui/frmZentavo.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace {

std::string commandLineOf(const QStringList& arguments) {
    return FromQString(arguments.mid(1).join(QLatin1Char(' ')));
}

// The login name of the account, which names the first pupil.
std::string accountUserName() {
    const passwd* entry = ::getpwuid(::getuid());
    const char* name = entry != nullptr ? entry->pw_name : std::getenv("USER");
    return name != nullptr ? Utf8ToCp1252(name) : std::string();
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
        QMessageBox::critical(nullptr, QStringLiteral("Zentavo"),
                              MessageDisplayText(ResolutionMessage()));
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
    // Held open for the whole run: a second tutor of the account finds it
    // locked and records nothing.
    HistoryStore history;
    const LocationInputs inputs =
        ReadLocationInputs(folder, [](const char* name) { return std::getenv(name); });
    history.Open(HistoryStore::DefaultPath(inputs.xdgDataHome, inputs.home), accountUserName());
    environment.history = &history;
    environment.wordListPath = kDebianItalianWordList;

    frmZentavo window(environment);
    real.SetDialogParent(&window);
    results.Attach(&window, [&window, &real] { return ResultsContextOf(window, &real.Sounds()); });
    TimingProbe::InstallIfRequested(&window);
    window.setGeometry(screen->availableGeometry());
    window.showMaximized();
    return app.exec();
}
