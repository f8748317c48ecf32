#include "tutor/ui/TutorPlatform.h"

#include "common/ui/Pictures.h"
#include "common/ui/QtCp1252.h"
#include "common/ui/frmLanguage.h"
#include "tutor/ui/frmAbout.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QEventLoop>
#include <QMessageBox>
#include <QTimer>

#include <chrono>

std::int64_t SystemClock::Now() const {
    return QDateTime::currentSecsSinceEpoch();
}

void ClockSeededRandom::Reseed() {
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    m_state = static_cast<std::uint64_t>(ticks) ^ 0x9E3779B97F4A7C15ull;
}

double ClockSeededRandom::Next() {
    // splitmix64: small, fast and evenly spread; 53 bits make the fraction.
    m_state += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = m_state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) / 9007199254740992.0;
}

BookmarkAnswer QtBookmarkQuestion::Ask(const std::string& text) {
    if (m_unattended)
        return BookmarkAnswer::Cancel;
    const auto answer = QMessageBox::question(
        m_parent, QStringLiteral("Zentavo"), MessageDisplayText(ToQString(text)),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Yes)
        return BookmarkAnswer::Yes;
    if (answer == QMessageBox::No)
        return BookmarkAnswer::No;
    return BookmarkAnswer::Cancel;
}

std::string FrmLanguageWindow::ChooseLanguage(const std::string& programFolder,
                                              const std::string& current, const UiTexts& texts,
                                              QWidget* parent) {
    frmLanguage window(programFolder, current, texts, m_messages, parent);
    window.exec();
    return window.Chooser().Current();
}

void FrmAboutWindow::ShowAbout(const UiTexts& texts, const Requests& requests, QWidget* parent) {
    frmAbout::Host host;
    host.help = &m_help;
    host.messages = &m_messages;
    host.playSound = requests.playSound;
    host.printKeyboard = requests.printKeyboard;
    frmAbout::ShowModal(texts, host, parent);
}

ScreenFit CheckScreen(int widthPixels, int heightPixels) {
    if (widthPixels < 800 || heightPixels < 600)
        return ScreenFit::TooSmall;
    return widthPixels > 1000 || heightPixels >= 751 ? ScreenFit::Large : ScreenFit::Normal;
}

QString ResolutionMessage() {
    return QStringLiteral("La risoluzione minima per l'utilizzo di questo programma \u00e8:\r\n"
                          "800 x 600 pixel.\r\n"
                          "Modificare la risoluzione video e, quindi, riprovare.\r\n"
                          "\r\n"
                          "Best visual results if used with 800x600 pixel monitor.\r\n"
                          "Modify your video settings and try again.");
}

void WaitLettingEventsRun(int milliseconds) {
    if (milliseconds <= 0) {
        QCoreApplication::processEvents();
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

RealTutorEnvironment::RealTutorEnvironment(std::string programFolder, std::string commandLine,
                                           bool largeScreen)
    : m_sounds(std::make_unique<SoundPlayer>()),
      m_help(std::make_unique<HelpViewerPort>(PathToQString(programFolder))) {
    m_sounds->setSource(
        [](int number) {
            const QByteArray bytes = Pictures::soundBytes(number);
            return std::vector<uint8_t>(bytes.begin(), bytes.end());
        },
        {101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111});
    m_language = std::make_unique<FrmLanguageWindow>(m_messages);
    m_about = std::make_unique<FrmAboutWindow>(*m_help, m_messages);

    TutorEnvironment& e = m_environment;
    e.programFolder = std::move(programFolder);
    e.commandLine = std::move(commandLine);
    e.largeScreen = largeScreen;
    e.clock = &m_clock;
    e.random = &m_random;
    e.capsLock = &m_capsLock;
    e.layouts = &m_layouts;
    e.sounds = m_sounds.get();
    e.messages = &m_messages;
    e.bookmark = &m_bookmark;
    e.help = m_help.get();
    e.language = m_language.get();
    e.about = m_about.get();
    e.wait = WaitLettingEventsRun;
}

RealTutorEnvironment::~RealTutorEnvironment() = default;

void RealTutorEnvironment::SetDialogParent(QWidget* parent) {
    m_messages.SetParent(parent);
    m_bookmark.SetParent(parent);
}
