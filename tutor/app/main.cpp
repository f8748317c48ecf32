// The tutor's entry point: one running copy per user, a screen of at least
// 800 x 600 pixels, then the main window.
#include "common/core/Cp1252.h"
#include "common/core/LanguageFiles.h"
#include "common/core/ProgramLocations.h"
#include "common/core/ProgramPaths.h"
#include "common/ui/DefaultPrinterQuery.h"
#include "common/ui/Messages.h"
#include "common/ui/QtCp1252.h"
#include "common/ui/QtTranslations.h"
#include "common/ui/SingleInstance.h"
#include "common/ui/TerminationSignals.h"
#include "history/HistoryStore.h"
#include "tutor/core/WordList.h"
#include "tutor/ui/ClassFolderCopy.h"
#include "tutor/ui/LevelEndFlow.h"
#include "tutor/ui/TimingProbe.h"
#include "tutor/ui/TutorPlatform.h"
#include "tutor/ui/frmZentavo.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace {

// The arguments keep their bytes, whatever their encoding: a file name is the
// system's, not text. QApplication has taken its own options out of argv.
std::string commandLineOf(int argc, char** argv) {
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            line += ' ';
        line += argv[i];
    }
    return line;
}

// The login name of the account, which names the first pupil.
std::string accountUserName() {
    const passwd* entry = ::getpwuid(::getuid());
    const char* name = entry != nullptr ? entry->pw_name : std::getenv("USER");
    return name != nullptr ? Utf8ToCp1252(name) : std::string();
}

} // namespace

int main(int argc, char** argv) {
    // A copy started by the program itself, only to ask the print system.
    if (const auto answer = AnswerDefaultPrinterQuery(argc, argv))
        return *answer;
    QApplication app(argc, argv);
    InstallQtTranslations(app);

    SingleInstance instance(QStringLiteral("Zentavo"));
    if (!StartSingleInstance(instance, "Zentavo"))
        return 0; // another copy is running: end without a word

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

    const std::string folder =
        ProgramFolderOf(PathFromQString(QCoreApplication::applicationFilePath()));
    const ProgramLocations locations = FindProgramLocations(folder);
    CreateUserFolders(locations);
    SeedUserSettings(locations);
    RealTutorEnvironment real(locations.programFolder, commandLineOf(argc, argv), largeScreen);
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
    // A logout, a closed terminal or Ctrl+C close the window as a click on
    // its close symbol does, so the settings are saved; no question is asked
    // then, and every dialog still open ends with the program.
    const TerminationSignals signalClose([&window, &real](int) {
        real.Bookmark().SetUnattended();
        window.close();
        QCoreApplication::exit(0);
    });
    window.showMaximized();
    // The pupils' copies in the computer's class folder, when it has one.
    ClassFolderCopy classCopy(
        history, ClassFolderSetting(locations.computerSettingsFile, locations.settingsFile),
        *environment.clock, *environment.messages,
        [&window]() -> const UiTexts& { return window.Texts(); });
    QTimer::singleShot(0, &classCopy, &ClassFolderCopy::Start);
    return app.exec();
}
