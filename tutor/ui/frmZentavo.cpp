#include "tutor/ui/frmZentavo.h"

#include "common/core/LanguageFiles.h"
#include "common/core/ProgramPaths.h"
#include "common/ui/Pictures.h"
#include "common/ui/QtCp1252.h"
#include "tutor/core/ClsResize.h"
#include "tutor/ui/KeyboardView.h"
#include "tutor/ui/StampaTastiera.h"
#include "tutor/ui/WidgetScaler.h"
#include "tutor/ui/ZentavoLook.h"
#include "tutor/ui/ZentavoWidgets.h"
#include "tutor/ui/frmTransparency.h"
#include "tutor/ui/frmZentavoLayout.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>

namespace {

// Stand-ins for ports a caller leaves out: they do nothing and answer
// "no", so the window works without them.
class NoCapsLock : public CapsLockPort {
public:
    bool IsCapsLockOn() override { return false; }
    void SwitchCapsLockOff() override {}
};
class NoLayouts : public KeyboardLayoutPort {
public:
    std::string ActiveLayoutName() override { return {}; }
    bool LoadLayout(const std::string&) override { return false; }
};
class NoSounds : public SoundOutput {
public:
    void Play(int) override {}
};
class NoMessages : public MessagePort {
public:
    void Show(QMessageBox::Icon, const QString&, const QString&) override {}
    bool AskYesNo(const QString&, const QString&) override { return false; }
};
class NoBookmark : public BookmarkQuestion {
public:
    BookmarkAnswer Ask(const std::string&) override { return BookmarkAnswer::Cancel; }
};
class NoHelp : public HelpPort {
public:
    bool ShowHelpTopic(int) override { return false; }
};
// Until the results window is connected, a finished level simply goes on.
class ContinueAfterResults : public ResultsPresenter {
public:
    std::int16_t ShowResults(const ResultsTable&) override { return 0; }
};
class NoLanguageWindow : public LanguageWindowPort {
public:
    std::string ChooseLanguage(const std::string&, const std::string& current, const UiTexts&,
                               QWidget*) override {
        return current;
    }
};
class NoAboutWindow : public AboutWindowPort {
public:
    void ShowAbout(const UiTexts&, const Requests&, QWidget*) override {}
};

TutorEnvironment withDefaults(TutorEnvironment e) {
    static SystemClock clock;
    static ClockSeededRandom random;
    static NoCapsLock caps;
    static NoLayouts layouts;
    static NoSounds sounds;
    static NoMessages messages;
    static NoBookmark bookmark;
    static NoHelp help;
    static ContinueAfterResults results;
    static NoLanguageWindow language;
    static NoAboutWindow about;
    if (e.clock == nullptr)
        e.clock = &clock;
    if (e.random == nullptr)
        e.random = &random;
    if (e.capsLock == nullptr)
        e.capsLock = &caps;
    if (e.layouts == nullptr)
        e.layouts = &layouts;
    if (e.sounds == nullptr)
        e.sounds = &sounds;
    if (e.messages == nullptr)
        e.messages = &messages;
    if (e.bookmark == nullptr)
        e.bookmark = &bookmark;
    if (e.help == nullptr)
        e.help = &help;
    if (e.results == nullptr)
        e.results = &results;
    if (e.language == nullptr)
        e.language = &language;
    if (e.about == nullptr)
        e.about = &about;
    if (!e.wait)
        e.wait = WaitLettingEventsRun;
    e.programFolder = WithTrailingSlash(e.programFolder);
    if (e.settingsFile.empty())
        e.settingsFile = SettingsFilePath(e.programFolder);
    if (e.exercisePlaces.empty())
        e.exercisePlaces = {e.programFolder};
    return e;
}

} // namespace

using namespace zentavo_layout;

frmZentavo::frmZentavo(TutorEnvironment environment, QWidget* parent)
    : QWidget(parent), m_env(withDefaults(std::move(environment))),
      m_texts(UiTexts::BuiltIn(UiProgram::Tutor)), m_keyboard(m_env.largeScreen),
      m_layouts(*m_env.layouts) {
    setObjectName(QStringLiteral("frmZentavo"));
    // Load, in the order the program has always followed.
    setWindowTitle(QStringLiteral("Zentavo"));
    m_commandLine = m_env.commandLine;
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFont(arialPoints(12));
    resize(kDesignWidth, kDesignHeight);
    BuildControls();
    PlaceForScreen();
    LoadSettingsAndTexts();

    const double fontFactor = m_env.largeScreen ? ResizeFontFactor() : 1.0;
    ExerciseCatalogue::SentenceLine line{{"Arial", static_cast<float>(12.0 * fontFactor)},
                                         lblFraseCorr->width()};
    m_catalogue = std::make_unique<ExerciseCatalogue>(m_env.exercisePlaces, m_texts, m_measure,
                                                      line, m_settings.Bookmark);
    m_capsLockAdapter = std::make_unique<CapsLockAdapter>(*m_env.capsLock);
    TutorObserver& observer = *this;
    m_run = std::make_unique<ExerciseRun>(
        TutorPortSet{*m_env.clock, *m_env.random, *m_capsLockAdapter, *m_env.results}, *m_catalogue,
        observer, m_texts, m_env.largeScreen);
    m_run->SetSoundsOn(m_settings.SoundsOn);

    const int level = m_settings.Category == CategoryLevel::Esperto ? 1 : 0;
    optLevel[static_cast<size_t>(level)]->setChecked(true);
    m_run->SetDifficulty(static_cast<std::int16_t>(level));

    m_keyboard.LoadOptions(m_settings.Highlight, m_settings.KeyMap,
                           m_settings.Ergonomic ? KeySplit::Ergonomic : KeySplit::Classic);
    UpdateToolTipOfKeyB();
    RenderMenuStates();

    if (m_env.capsLock->IsCapsLockOn())
        m_env.capsLock->SwitchCapsLockOff();

    if (!m_commandLine.empty()) {
        m_catalogue->SelectFromCommandLine(m_commandLine);
        if (!m_catalogue->HasCommandLine())
            m_commandLine.clear();
    }
    m_catalogue->FillExerciseList();
    Render(m_run->Screen(), true);
    qApp->installEventFilter(this);
}

frmZentavo::~frmZentavo() {
    qApp->removeEventFilter(this);
    m_keyboard.SetObserver(nullptr);
}

void frmZentavo::LoadSettingsAndTexts() {
    m_settings = LoadTutorSettings(m_env.settingsFile, m_env.installerLanguage);
    m_theme = std::clamp(m_settings.BackColor, 0, kBackgroundThemeCount - 1);
    if (LanguageFileExists(m_env.programFolder, m_settings.CurrentLanguage))
        m_texts = UiTexts::FromFile(
            UiProgram::Tutor, LanguageFilePath(m_env.programFolder, m_settings.CurrentLanguage));
    ApplyTexts();
}

// -- start ---------------------------------------------------------------------

void frmZentavo::Start() {
    if (m_started)
        return;
    m_started = true;
    m_startQueued = true;
    // Slow services wait until the window is on screen.
    LoadPictures();
    m_env.sounds->Start();
    CheckKeyboardLayout();
    if (m_closing)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ShowTitleLetters();
    QApplication::restoreOverrideCursor();
    if (!m_closing)
        RunWelcome();
}

void frmZentavo::CheckKeyboardLayout() {
    if (m_layouts.ActivateLayout(std::string(kItalianLayoutName)))
        return;
    const QString text = Slot(14) + QLatin1Char(' ') + Slot(16) + QStringLiteral("\r\n") +
                         Slot(15) + QStringLiteral("\r\n") + Slot(32);
    m_env.messages->Show(QMessageBox::Critical, WarningTitle(), text);
    m_env.help->ShowHelpTopic(1001);
}

void frmZentavo::ShowTitleLetters() {
    const QString word = QStringLiteral("ZENTAVO");
    const double sx = m_env.largeScreen ? ResizeFactorX : 1.0;
    const double sy = m_env.largeScreen ? ResizeFactorY : 1.0;
    const QSize size(static_cast<int>(std::lround(kTitleLetterSize.width() * sx)),
                     static_cast<int>(std::lround(kTitleLetterSize.height() * sy)));
    QFont font = arialPoints(12 * (m_env.largeScreen ? ResizeFontFactor() : 1.0), true);
    for (int i = 0; i < word.size(); ++i) {
        auto* letter = new TitleLetter(i, word[i], kTitleCaps[i % 7], this);
        letter->setFont(font);
        letter->resize(size);
        lblTitolo.push_back(letter);
    }
    CentreNotebook();
    for (TitleLetter* letter : lblTitolo) {
        letter->show();
        Wait(120);
        if (m_closing)
            return;
        PlayIfSoundsOn(kSoundKeystroke);
    }
    Wait(300);
}

void frmZentavo::ShowWelcome() {
    // The run asks for the start screen from inside its own steps; the
    // typing out starts once they are over.
    if (m_welcomeQueued)
        return;
    m_welcomeQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_welcomeQueued = false;
        RunWelcome();
    });
}

void frmZentavo::RunWelcome() {
    if (m_closing || m_welcomeRunning)
        return;
    m_welcomeRunning = true;
    const QString full = withLineFeeds(m_run->WelcomeText());
    const QString typedPart = withLineFeeds(m_texts.Slot(11) + m_texts.Slot(12));
    const int typedLength = full.startsWith(typedPart) ? static_cast<int>(typedPart.size())
                                                       : static_cast<int>(full.size());
    lblFraseCorr->SetText(QString(), true);
    PlayIfSoundsOn(kSoundWelcome);
    for (int i = 1; i <= typedLength; ++i) {
        lblFraseCorr->SetText(full.left(i), true);
        Wait(15);
        if (m_closing)
            return;
    }
    Wait(100);
    lblFraseCorr->SetText(full, true);
    Wait(600);
    if (m_closing)
        return;
    m_run->EnterStartScreen();

    for (TitleLetter* letter : lblTitolo)
        letter->hide();
    if (m_env.mapWindow) {
        const QRect a = picKeyword->KeyRectPixels(10);
        const QPoint anchor = picNotebook->mapToGlobal(picKeyword->geometry().topLeft() +
                                                       a.topLeft() + QPoint(10, 0));
        frmTransparency::ShowMap(this, anchor, m_env.largeScreen);
    }
    if (!m_keyboard.StripVisible())
        m_keyboard.ShowFingerImages(false);
    picNotebook->setFocus();
    m_welcomeRunning = false;
}

void frmZentavo::Wait(int milliseconds) {
    m_env.wait(milliseconds);
}

// -- events --------------------------------------------------------------------

void frmZentavo::txtInput_KeyPress(QChar character) {
    if (character.isLowSurrogate())
        return;
    const std::string bytes = FromQString(QString(character));
    char code = bytes.size() == 1 ? bytes[0] : '?';
    // A character the code page lacks must never pass for a question mark;
    // DEL is on no key, so it is always a wrong keystroke.
    if (code == '?' && character != QLatin1Char('?'))
        code = '\x7F';
    m_run->KeyPressed(code);
}

void frmZentavo::txtInput_RightButton() {
    txtInput->setEnabled(false);
    txtInput->setEnabled(true);
    txtInput->setFocus();
    m_env.messages->Show(QMessageBox::Warning, WarningTitle(), Slot(28));
}

bool frmZentavo::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease &&
        type != QEvent::MouseButtonDblClick)
        return false;
    if (type == QEvent::MouseButtonDblClick) {
        if (watched == imgMappaTastiEsterna)
            m_keyboard.StripDoubleClicked();
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != this || m_unloaded)
        return false;
    // A key the receiver leaves unused travels on to its parents; the window
    // looks at it once, at the widget that had the focus.
    const QWidget* focus = QApplication::focusWidget();
    if (widget != (focus != nullptr ? focus : this))
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (type == QEvent::KeyPress)
        return Form_KeyDown(watched, key);
    if (key->isAutoRepeat() || m_inKeyUp)
        return false;
    if (key->timestamp() != 0 && key->timestamp() == m_lastKeyUpTime &&
        key->key() == m_lastKeyUpKey)
        return false;
    m_lastKeyUpTime = key->timestamp();
    m_lastKeyUpKey = key->key();
    m_inKeyUp = true;
    Form_KeyUp(key);
    m_inKeyUp = false;
    return false;
}

bool frmZentavo::Form_KeyDown(QObject* receiver, QKeyEvent* event) {
    if (m_shown.busy)
        return true;
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && m_shown.startEnabled) {
        m_run->StartRequest();
        return true;
    }
    (void)receiver;
    return false;
}

void frmZentavo::Form_KeyUp(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        if (m_env.messages->AskYesNo(QStringLiteral("Zentavo"),
                                     Slot(25) + QStringLiteral("\r\n") + Slot(26)))
            close();
        break;
    case Qt::Key_CapsLock:
        if (m_env.capsLock->IsCapsLockOn()) {
            const QRect caps = picKeyword->KeyRectPixels(55);
            imgX->move(picKeyword->geometry().topLeft() + caps.center() - QPoint(16, 16));
            imgX->show();
            imgX->raise();
            m_env.messages->Show(QMessageBox::Warning, WarningTitle(), Slot(27));
            m_env.capsLock->SwitchCapsLockOff();
            imgX->hide();
        }
        break;
    case Qt::Key_F1:
        ShowHelp(0);
        break;
    default:
        break;
    }
    if (!m_closing)
        txtInput->setFocus();
}

void frmZentavo::cboFileFTD_Click(int index) {
    if (m_catalogue->FillingList())
        return;
    m_catalogue->ChooseEntry(index);
    RenderList();
}

void frmZentavo::optLevel_Click(int index) {
    m_run->ChooseDifficulty(static_cast<std::int16_t>(index));
}

void frmZentavo::Timer1_Timer() {
    m_run->ClockTick();
}
void frmZentavo::Timer2_Timer() {
    m_keyboard.PromptTick();
}
void frmZentavo::Timer3_Timer() {
    m_run->RecordAnimationTick();
}

void frmZentavo::MenuHovered(int index) {
    if (index < 0) {
        // Moving on over the window or its panels.
        shpEV->hide();
        return;
    }
    const QRect frame = shpMenu[static_cast<size_t>(index)]->geometry();
    shpEV->setGeometry(frame.translated(1, 1));
    shpEV->SetInverted(false);
    shpEV->show();
    shpEV->raise();
    lblMenu[static_cast<size_t>(index)]->raise();
}

void frmZentavo::lblMenu_Click(int index) {
    shpEV->hide();
    switch (index) {
    case 0:
        close();
        break;
    case 1:
        if (!m_run->RestartAvailable()) {
            m_env.messages->Show(QMessageBox::Information, QStringLiteral("Zentavo"), Slot(4));
            break;
        }
        if (m_env.messages->AskYesNo(QStringLiteral("Zentavo"), Slot(5))) {
            picDisplay->setFocus();
            m_run->Restart();
        }
        break;
    case 2: {
        AboutWindowPort::Requests requests;
        requests.playSound = [this](int number) { PlayIfSoundsOn(number); };
        requests.printKeyboard = [this] { PrintKeyboard(); };
        m_env.about->ShowAbout(m_texts, requests, this);
        shpEV->hide();
        break;
    }
    case 3:
        m_run->ToggleSounds();
        RenderMenuStates();
        break;
    case 4:
        m_keyboard.SetKeyMap(!m_keyboard.KeyMap(), CurrentCharacter());
        UpdateToolTipOfKeyB();
        RenderMenuStates();
        m_run->PlayClick();
        break;
    case 5:
        m_keyboard.SetHighlight(!m_keyboard.Highlight(), CurrentCharacter());
        RenderMenuStates();
        m_run->PlayClick();
        break;
    case 6:
        m_theme = NextBackgroundTheme(m_theme);
        m_background = QPixmap();
        update();
        m_run->PlayClick();
        break;
    case 7:
        m_run->TypeForMe();
        break;
    case 8:
        ChangeLanguage();
        break;
    default:
        break;
    }
}

void frmZentavo::ChangeLanguage() {
    const std::string before = m_settings.CurrentLanguage;
    const std::string after =
        m_env.language->ChooseLanguage(m_env.programFolder, before, m_texts, this);
    if (after == before)
        return;
    m_settings.CurrentLanguage = after;
    m_texts = UiTexts::FromFile(UiProgram::Tutor, LanguageFilePath(m_env.programFolder, after));
    ApplyTexts();
    m_catalogue->SetTexts(m_texts);
    m_run->SetTexts(m_texts);
    m_shownEntries.clear();
    picDisplay->setFocus();
    m_run->Restart();
}

void frmZentavo::PrintKeyboard() {
    StampaTastiera::Host host;
    host.keyboard = picKeyword;
    host.markSentenceRunning = [this] { m_keyboard.MarkSentenceRunning(); };
    host.raiseEnterKeys = [this] {
        m_keyboard.DrawKeyBevel(KeyTable::kEnterKey, true);
        m_keyboard.DrawKeyBevel(KeyTable::kEnterUpperKey, true);
    };
    host.flashBotton = [this] { m_keyboard.FlashBotton(); };
    StampaTastiera printing(host, m_texts, *m_env.messages);
    printing.Run();
}

void frmZentavo::ShowHelp(int topic) {
    if (m_env.help->ShowHelpTopic(topic))
        return;
    const QString page =
        QStringLiteral("help/") + QFileInfo(Pictures::helpPage(QString(), topic)).fileName();
    m_env.messages->Show(QMessageBox::Information, QStringLiteral("Zentavo"),
                         Text("0065") + QLatin1Char(' ') + page);
}

// -- painting and geometry ---------------------------------------------------------

void frmZentavo::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    CentreNotebook();
}

void frmZentavo::paintEvent(QPaintEvent* event) {
    if (m_background.isNull() || m_background.height() != height()) {
        const int h = height();
        const int theme = m_theme;
        m_background = GradientTile(h, [theme, h](int y) { return ThemeRowColour(theme, y, h); });
    }
    QPainter p(this);
    PaintGradientTile(p, event->rect(), m_background);
    PaintPanelFrame(p, picFondoNotebook->geometry());
    if (!m_startQueued) {
        // The rest of the load waits until the window is on screen.
        m_startQueued = true;
        QTimer::singleShot(0, this, &frmZentavo::Start);
    }
}

// -- unload --------------------------------------------------------------------

void frmZentavo::closeEvent(QCloseEvent* event) {
    Unload();
    event->accept();
}

void frmZentavo::Unload() {
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_closing = true;
    for (QTimer* t : {Timer1, Timer2, Timer3, PauseTimer})
        t->stop();
    // Every step runs whatever the one before did, so the program always ends.
    m_settings.Ergonomic = m_keyboard.Split() == KeySplit::Ergonomic;
    m_settings.SoundsOn = m_run->SoundsOn();
    m_settings.KeyMap = m_keyboard.KeyMap();
    m_settings.Highlight = m_keyboard.Highlight();
    m_settings.BackColor = m_theme;
    m_settings.Category =
        optLevel[1]->isChecked() ? CategoryLevel::Esperto : CategoryLevel::Principiante;
    SaveTutorSettings(m_env.settingsFile, m_settings, m_catalogue->CourseMode(),
                      m_catalogue->ExerciseFile(), *m_env.bookmark, m_texts);
    m_layouts.RestorePreviousLayout();
    if (frmTransparency::Current() != nullptr)
        frmTransparency::CloseMap();
    HelpViewer::CloseShared();
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != this && w->isVisible()) {
            w->close();
            QCoreApplication::processEvents();
        }
    }
}
