#include "tutor/ui/frmZentavo.h"

#include "common/core/LanguageFiles.h"
#include "common/core/ProgramPaths.h"
#include "common/ui/Pictures.h"
#include "common/ui/QtCp1252.h"
#include "common/ui/QtTranslations.h"
#include "tutor/core/ClsResize.h"
#include "tutor/core/ProgressStoreMessage.h"
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
#include <QToolTip>

#include <cmath>
#include <stdexcept>
#include <utility>

namespace {

// Every port is the caller's: the program passes the real ones, the tests
// their fakes. A port left out is a mistake found at once, not a window that
// quietly plays no sound or asks no question.
TutorEnvironment completed(TutorEnvironment e) {
    const std::pair<const void*, const char*> ports[] = {
        {e.clock, "clock"},       {e.random, "random"}, {e.capsLock, "capsLock"},
        {e.layouts, "layouts"},   {e.sounds, "sounds"}, {e.messages, "messages"},
        {e.bookmark, "bookmark"}, {e.help, "help"},     {e.results, "results"},
        {e.language, "language"}, {e.about, "about"},
    };
    for (const auto& [port, name] : ports)
        if (port == nullptr)
            throw std::invalid_argument(std::string("frmZentavo: no ") + name + " port");
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
    : QWidget(parent), m_env(completed(std::move(environment))),
      m_texts(UiTexts::BuiltIn(UiProgram::Tutor)), m_keyboard(m_env.largeScreen),
      m_layouts(*m_env.layouts), m_pupils(m_env.history, *m_env.messages) {
    setObjectName(QStringLiteral("frmZentavo"));
    // Load, in the order the program has always followed.
    setWindowTitle(QStringLiteral("Zentavo"));
    m_commandLine = m_env.commandLine;
    m_sequence = new TimedSequence(this, m_env.sequencePace);
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
        m_keyboard, observer, m_texts, m_env.largeScreen);
    m_run->SetSoundsOn(m_settings.SoundsOn);
    StartPracticeRecording();
    if (!m_env.wordListPath.empty()) {
        // Made from the word list once the window is on screen (Start):
        // reading and drawing from it would double the time to the window.
        m_personal = std::make_unique<PersonalExerciseKeeper>(m_env.exercisePlaces,
                                                              m_env.wordListPath, m_measure, line);
    }

    const int level = m_settings.Category == CategoryLevel::Esperto ? 1 : 0;
    optLevel[static_cast<size_t>(level)]->setChecked(true);
    m_run->SetDifficulty(static_cast<std::int16_t>(level));

    m_run->LoadKeyboardOptions(m_settings.Highlight, m_settings.KeyMap,
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
    Render(m_run->Screen(), ScreenChange::Everything());
}

frmZentavo::~frmZentavo() {
    m_sequence->Cancel();
}

void frmZentavo::LoadSettingsAndTexts() {
    m_settings = LoadTutorSettings(m_env.settingsFile, m_env.installerLanguage);
    m_theme = std::clamp(m_settings.BackColor, 0, kBackgroundThemeCount - 1);
    if (LanguageFileExists(m_env.programFolder, m_settings.CurrentLanguage))
        m_texts = UiTexts::FromFile(
            UiProgram::Tutor, LanguageFilePath(m_env.programFolder, m_settings.CurrentLanguage));
    FollowLanguageInQt(m_texts, m_settings.CurrentLanguage);
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
    if (m_practice)
        m_practice->ReportStoreStatus();
    // Choosing a pupil renews that pupil's exercise too.
    if (PupilMenu::AskAtStart(m_env.settingsFile))
        ChoosePupil();
    else
        RenewPersonalExercise();
    RenderPupilName();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_waitCursor = true;
    std::vector<TimedSequence::Step> steps = TitleSteps();
    for (TimedSequence::Step& step : WelcomeSteps(kAfterTitleMs))
        steps.push_back(std::move(step));
    m_sequence->Start(std::move(steps));
}

void frmZentavo::StartPracticeRecording() {
    if (m_env.history == nullptr)
        return;
    m_practice = std::make_unique<PracticeRecorder>(
        *m_env.history, [this](StoreStatus status, const std::string& keptAside) {
            TellProgressStoreStatus(status, keptAside);
        });
    m_practice->FollowStorePupil();
    m_run->SetPracticeObserver(m_practice.get());
}

void frmZentavo::RenewPersonalExercise() {
    if (!m_personal)
        return;
    PracticeStatistics statistics;
    if (m_env.history != nullptr && m_practice && m_practice->Pupil())
        statistics = PracticeStatisticsOf(m_env.history->PracticeProfileOf(*m_practice->Pupil()));
    // A failed write leaves the exercise of before in the list; practising
    // goes on either way, so the pupil is not troubled with it.
    const std::string before = m_personal->Path();
    m_personal->Renew(statistics, m_texts, static_cast<std::uint64_t>(m_env.clock->Milliseconds()));
    // Made for the first time in this run, or renamed by another language:
    // the list shows it, under its new name only.
    if (before != m_personal->Path()) {
        m_catalogue->FillExerciseList();
        RenderList();
    }
}

void frmZentavo::TellProgressStoreStatus(StoreStatus status, const std::string& keptAside) {
    const QString text = ToQString(ProgressStoreMessage(status, keptAside, m_texts));
    // A write fails while a key is being handled: the box waits until the
    // key's work is done.
    QTimer::singleShot(0, this, [this, text] {
        m_env.messages->Show(QMessageBox::Warning, WarningTitle(), text);
    });
}

void frmZentavo::CheckKeyboardLayout() {
    if (m_layouts.ActivateLayout(std::string(kItalianLayoutName)))
        return;
    const QString text = Slot(kSlotLayoutNotSet) + QLatin1Char(' ') + Slot(kSlotLayoutLanguage) +
                         QStringLiteral("\r\n") + Slot(kSlotMayMisbehave) + QStringLiteral("\r\n") +
                         Slot(kSlotCheckLanguageHelp);
    m_env.messages->Show(QMessageBox::Critical, WarningTitle(), text);
    m_env.help->ShowHelpTopic(kLayoutHelpTopic);
}

std::vector<TimedSequence::Step> frmZentavo::TitleSteps() {
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
    // Each letter shows, and its keystroke sounds a moment later.
    std::vector<TimedSequence::Step> steps;
    for (TitleLetter* letter : lblTitolo) {
        steps.push_back({"title-letter", 0, [letter] { letter->show(); }});
        steps.push_back(
            {"title-sound", kTitleLetterMs, [this] { PlayIfSoundsOn(kSoundKeystroke); }});
    }
    return steps;
}

void frmZentavo::ShowWelcome() {
    if (m_closing)
        return;
    // The start screen returns after an exercise: its figures are in the
    // history now, and the list shows the exercise made from them.
    RenewPersonalExercise();
    // The run asks for the start screen from inside its own steps; the
    // typing out begins at the next turn of the event loop, and a start
    // screen still being typed out starts over.
    m_sequence->Start(WelcomeSteps(0));
}

std::vector<TimedSequence::Step> frmZentavo::WelcomeSteps(int firstDelay) {
    const QString full = withLineFeeds(m_run->WelcomeText());
    const QString typedPart =
        withLineFeeds(m_texts.Slot(kSlotWelcome) + m_texts.Slot(kSlotStartHint));
    const int typedLength = full.startsWith(typedPart) ? static_cast<int>(typedPart.size())
                                                       : static_cast<int>(full.size());
    std::vector<TimedSequence::Step> steps;
    steps.push_back({"welcome-begin", firstDelay, [this] {
                         if (m_waitCursor) {
                             m_waitCursor = false;
                             QApplication::restoreOverrideCursor();
                         }
                         lblFraseCorr->SetText(QString(), true);
                         PlayIfSoundsOn(kSoundWelcome);
                     }});
    for (int i = 1; i <= typedLength; ++i)
        steps.push_back({"welcome-letter", i == 1 ? 0 : kWelcomeLetterMs,
                         [this, full, i] { lblFraseCorr->SetText(full.left(i), true); }});
    // The list and the level panel appear before the pause, so the line
    // asking to choose from the list never points at a list not yet shown.
    steps.push_back({"start-choices", kWelcomeLetterMs + kBeforeChoicesMs, [this, full] {
                         m_run->ShowStartChoices();
                         lblFraseCorr->SetText(full, true);
                     }});
    steps.push_back({"start-ready", kBeforeStartMs, [this] { StartScreenReady(); }});
    return steps;
}

void frmZentavo::StartScreenReady() {
    m_run->EnableStart();
    for (TitleLetter* letter : lblTitolo)
        letter->hide();
    // The focus is settled before the map window starts sliding in: a key
    // pressed while it slides belongs to the exercise.
    picNotebook->setFocus();
    if (m_env.mapWindow) {
        const QRect a = picKeyword->KeyRectPixels(kMapAnchorKey);
        const QPoint anchor = picNotebook->mapToGlobal(picKeyword->geometry().topLeft() +
                                                       a.topLeft() + QPoint(10, 0));
        frmTransparency::ShowMap(this, anchor, m_env.largeScreen);
    }
}

// -- events --------------------------------------------------------------------

void frmZentavo::txtInput_KeyPress(int key, const QString& text) {
    // Escape while a tool-tip shows only closes the tip.
    if (key == Qt::Key_Escape && QToolTip::isVisible()) {
        QToolTip::hideText();
        return;
    }
    if (key != 0)
        m_keysDown.insert(key);
    for (const QChar character : text) {
        if (character.isLowSurrogate())
            continue;
        const std::string bytes = FromQString(QString(character));
        char code = bytes.size() == 1 ? bytes[0] : '?';
        // A character the code page lacks must never pass for a question mark.
        if (code == '?' && character != QLatin1Char('?'))
            code = kNoKeyCharacter;
        m_run->KeyPressed(code);
    }
}

void frmZentavo::txtInput_RightButton() {
    txtInput->setEnabled(false);
    txtInput->setEnabled(true);
    txtInput->setFocus();
    m_env.messages->Show(QMessageBox::Warning, WarningTitle(), Slot(kSlotRightButtonPressed));
}

bool frmZentavo::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick && watched == imgMappaTastiEsterna)
        m_run->StripDoubleClicked();
    return false;
}

void frmZentavo::keyPressEvent(QKeyEvent* event) {
    // A key no control of the window took (the panels have the focus on the
    // start screen) is typed into the input box all the same.
    if (m_unloaded) {
        event->ignore();
        return;
    }
    txtInput->TakeKey(event);
}

void frmZentavo::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat() || m_unloaded || m_keysDown.erase(event->key()) == 0)
        return;
    Form_KeyUp(event);
}

void frmZentavo::Form_KeyUp(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        if (m_env.messages->AskYesNo(QStringLiteral("Zentavo"), Slot(kSlotCloseQuestion) +
                                                                    QStringLiteral("\r\n") +
                                                                    Slot(kSlotCloseLosesData)))
            close();
        break;
    case Qt::Key_CapsLock:
        if (m_env.capsLock->IsCapsLockOn()) {
            const QRect caps = picKeyword->KeyRectPixels(KeyTable::kCapsLockKey);
            imgX->move(picKeyword->geometry().topLeft() + caps.center() - QPoint(16, 16));
            imgX->show();
            imgX->raise();
            m_env.messages->Show(QMessageBox::Warning, WarningTitle(), Slot(kSlotCapsLockPressed));
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
    m_run->PromptTick();
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
    case kMenuClose:
        close();
        break;
    case kMenuRestart:
        if (!m_run->RestartAvailable()) {
            m_env.messages->Show(QMessageBox::Information, QStringLiteral("Zentavo"),
                                 Slot(kSlotRestartUnavailable));
            break;
        }
        if (m_env.messages->AskYesNo(QStringLiteral("Zentavo"), Slot(kSlotRestartQuestion))) {
            picDisplay->setFocus();
            m_run->Restart();
        }
        break;
    case kMenuAbout: {
        AboutWindowPort::Requests requests;
        requests.playSound = [this](int number) { PlayIfSoundsOn(number); };
        requests.printKeyboard = [this] { PrintKeyboard(); };
        m_env.about->ShowAbout(m_texts, requests, this);
        shpEV->hide();
        break;
    }
    case kMenuSounds:
        m_run->ToggleSounds();
        RenderMenuStates();
        break;
    case kMenuKeyMap:
        m_run->SetKeyMap(!m_keyboard.KeyMap());
        UpdateToolTipOfKeyB();
        RenderMenuStates();
        m_run->PlayClick();
        break;
    case kMenuHighlight:
        m_run->SetHighlight(!m_keyboard.Highlight());
        RenderMenuStates();
        m_run->PlayClick();
        break;
    case kMenuTheme:
        m_theme = NextBackgroundTheme(m_theme);
        m_background = QPixmap();
        update();
        m_run->PlayClick();
        break;
    case kMenuTypeForMe:
        m_run->TypeForMe();
        break;
    case kMenuLanguage:
        ChangeLanguage();
        break;
    case kMenuPupils:
        ChoosePupil();
        break;
    case kMenuProgress:
        ShowProgress();
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
    m_texts = UiTexts::ForLanguage(UiProgram::Tutor, m_env.programFolder, after);
    FollowLanguageInQt(m_texts, after);
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
    host.markSentenceRunning = [this] { m_run->StopEnterPrompt(); };
    host.raiseEnterKeys = [this] { m_run->RaiseEnterKeys(); };
    host.flashBotton = [this] { m_run->FlashEnterPrompt(); };
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
    if (m_waitCursor) {
        m_waitCursor = false;
        QApplication::restoreOverrideCursor();
    }
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
    m_sequence->Cancel();
    // Every other window closes with this one; the program ends after it.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != this && w->isVisible())
            w->close();
    }
}

void frmZentavo::ChoosePupil() {
    m_pupils.ChoosePupil(m_texts, this);
    // Whatever happened in the list (a choice, the current pupil removed),
    // the practice goes to whom the history now names.
    if (m_practice)
        m_practice->FollowStorePupil();
    // A new pupil practises on their own weak keys.
    RenewPersonalExercise();
    RenderPupilName();
}

void frmZentavo::ShowProgress() {
    m_pupils.ShowProgress(m_texts, m_keyboard.Split(),
                          m_personal ? m_personal->AimedCharacters() : std::string(), this);
}

void frmZentavo::RenderPupilName() {
    const QString name = m_pupils.CurrentPupilName();
    lblAlunno->setText(name.isEmpty() ? QString() : Text("0442") + QLatin1Char(' ') + name);
    lblAlunno->setVisible(!name.isEmpty());
    lblAlunno->adjustSize();
    CentreNotebook();
}
