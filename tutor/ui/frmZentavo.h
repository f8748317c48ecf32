#pragma once
// frmZentavo, the tutor's main window. It owns the program's run: it loads
// settings and texts, builds the exercise (ExerciseRun) with the keyboard
// state it drives (KeyboardModel), forwards every key, click and timer tick
// to the run and renders what it reports. It computes no rule of its own.
//
// Data flows one way: events -> ExerciseRun -> one ScreenChanged per
// operation, carrying the changed parts of TutorScreen and the changed
// areas of the keyboard -> widgets. Dialogs, sounds, the clock and the
// platform come in through TutorEnvironment.
//
// Keys take one way: every key press of the window ends in the input box
// txtInput, whose keys go to ExerciseRun::KeyPressed, which alone decides
// whether Enter starts a sentence and whether keys are swallowed meanwhile.
// Escape, F1 and Caps Lock are answered on release by the window's own key
// handling. The start screen runs as a TimedSequence of named steps.

#include "common/core/Settings.h"
#include "common/core/UiTexts.h"
#include "common/ui/KeyboardLayout.h"
#include "common/ui/QtTextMeasure.h"
#include "tutor/core/ExerciseCatalogue.h"
#include "tutor/core/ExerciseRun.h"
#include "tutor/core/KeyboardModel.h"
#include "tutor/core/PersonalExercise.h"
#include "tutor/core/PracticeRecorder.h"
#include "tutor/ui/PupilMenu.h"
#include "tutor/ui/TimedSequence.h"
#include "tutor/ui/TutorPlatform.h"

#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <array>
#include <memory>
#include <optional>
#include <set>
#include <utility>

class GradientPanel;
class HoverFrame;
class InputBox;
class KeyboardView;
class LevelLamp;
class MenuFrame;
class MenuSymbol;
class PaperPanel;
class QComboBox;
class QPushButton;
class QRadioButton;
class SentenceDisplay;
class SpeedGauge;
class TitleLetter;
class WidgetScaler;

class frmZentavo : public QWidget, private TutorObserver {
    Q_OBJECT
public:
    // The menu along the window's edge, by the index of its entries: the
    // nine of the classic menu, then who is typing and the progress.
    enum MenuEntry : int {
        kMenuClose,
        kMenuRestart,
        kMenuAbout,
        kMenuSounds,
        kMenuKeyMap,
        kMenuHighlight,
        kMenuTheme,
        kMenuTypeForMe,
        kMenuLanguage,
        kMenuPupils,
        kMenuProgress,
        kMenuCount
    };
    static constexpr int kDesignWidth = 800;
    static constexpr int kDesignHeight = 600;

    explicit frmZentavo(TutorEnvironment environment, QWidget* parent = nullptr);
    ~frmZentavo() override;

    // The part of the window load that needs the window on screen: the
    // pictures, the sounds, the keyboard layout, then the title letters and
    // the start screen as timed steps. Runs by itself once the window is
    // first painted.
    void Start();

    // -- for tests and tools
    ExerciseRun& Run() { return *m_run; }
    // Null without a word list.
    const PersonalExerciseKeeper* PersonalExercise() const { return m_personal.get(); }
    // Makes the personal exercise anew from the current pupil's figures:
    // at start, whenever the start screen returns after an exercise, and
    // after a switch of pupil.
    void RenewPersonalExercise();
    const KeyboardModel& Keyboard() const { return m_keyboard; }
    ExerciseCatalogue& Catalogue() { return *m_catalogue; }
    const UiTexts& Texts() const { return m_texts; }
    int BackgroundTheme() const { return m_theme; }
    bool WelcomeRunning() const { return m_sequence->Running(); }
    // The title letters and the start screen, step by step.
    TimedSequence& StartSequence() { return *m_sequence; }
    const KeyboardLayoutSwitcher& Layouts() const { return m_layouts; }
    PupilMenu& Pupils() { return m_pupils; }
    // Opens the progress window of the current pupil.
    void ShowProgress();

    // -- event handlers named as the controls' events
    void lblMenu_Click(int index);
    void optLevel_Click(int index);
    void ShowHelp(int topic);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // TutorObserver
    void ScreenChanged(const TutorScreen& screen, const ScreenChange& change) override;
    void PlaySound(int number) override;
    void FlashInputBox() override;
    void CloseKeyMap() override;
    void ShowWelcome() override;
    void CloseProgram() override;

    void BuildControls();
    void LoadSettingsAndTexts();
    void ApplyTexts();
    void PlaceForScreen();
    void CentreNotebook();
    void CheckKeyboardLayout();
    std::vector<TimedSequence::Step> TitleSteps();
    std::vector<TimedSequence::Step> WelcomeSteps(int firstDelay);
    void StartScreenReady();
    void StartPracticeRecording();
    void TellProgressStoreStatus(StoreStatus status, const std::string& keptAside);
    void Unload();

    void Render(const TutorScreen& screen, const ScreenChange& change);
    void RenderKeyboard(const KeyboardChanges& changes);
    void RenderList();
    void RenderMenuStates();
    void RenderPictures(const TutorScreen& screen);
    void LoadPictures();
    void UpdateToolTipOfKeyB();
    void RenderPupilName();
    void ChoosePupil();

    void txtInput_KeyPress(int key, const QString& text);
    void txtInput_RightButton();
    void Form_KeyUp(QKeyEvent* event);
    void cboFileFTD_Click(int index);
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void MenuHovered(int index);
    void ChangeLanguage();
    void PrintKeyboard();
    void PlayIfSoundsOn(int number);
    QString Text(const char* id) const;
    QString ToolTipText(const char* id) const;
    QString Slot(int slot) const;
    QString WarningTitle() const;

    TutorEnvironment m_env;
    std::string m_commandLine;
    TutorSettings m_settings;
    UiTexts m_texts;
    QtTextMeasure m_measure;
    std::unique_ptr<ExerciseCatalogue> m_catalogue;
    std::unique_ptr<CapsLockAdapter> m_capsLockAdapter;
    std::unique_ptr<ExerciseRun> m_run;
    std::unique_ptr<PracticeRecorder> m_practice;
    std::unique_ptr<PersonalExerciseKeeper> m_personal;
    KeyboardModel m_keyboard;
    KeyboardLayoutSwitcher m_layouts;
    PupilMenu m_pupils;
    std::unique_ptr<WidgetScaler> m_scaler;
    std::vector<std::string> m_shownEntries;
    int m_shownSelection = -2;
    int m_theme = 0;
    QPixmap m_background;
    bool m_started = false;
    bool m_startQueued = false;
    bool m_closing = false;
    // Keys whose press this window took: only their release is answered. A
    // press that closed a drop-down list or a tool-tip never gets here, and
    // a release the display server hands over again once a message's own
    // loop ends finds its key already answered.
    std::set<int> m_keysDown;
    bool m_unloaded = false;
    TimedSequence* m_sequence = nullptr;
    bool m_waitCursor = false; // the hourglass of the title letters is up
    bool m_picturesLoaded = false;
    std::pair<char, bool> m_faceShown{0, false};
    int m_fastIconShown = 0;
    int m_slowIconShown = 0;
    MessagePicture m_messagePictureShown{MessagePicture::Kind::Icon, 0};
    int m_pointsIconShown = 0;

    // Controls, by their names in the window.
    GradientPanel* picFondoNotebook = nullptr;
    GradientPanel* picNotebook = nullptr;
    PaperPanel* picDisplay = nullptr;
    GradientPanel* picBottomBar = nullptr;
    SentenceDisplay* lblFraseCorr = nullptr;
    InputBox* txtInput = nullptr;
    QPushButton* cmdstart = nullptr;
    QComboBox* cboFileFTD = nullptr;
    GradientPanel* picLevel = nullptr;
    std::array<QRadioButton*, 2> optLevel{};
    std::array<QLabel*, 2> lblNumBatt{};
    QLabel* lblSmile = nullptr;
    QLabel* lblTime = nullptr;
    QLabel* lblOrologio = nullptr;
    SpeedGauge* picProgress = nullptr;
    std::array<QLabel*, 2> imgMedia{};
    std::array<QLabel*, 3> lblMediaLevel{};
    std::array<LevelLamp*, 3> lblLamp{};
    QLabel* lblNumFrase = nullptr;
    GradientPanel* picMessaggio = nullptr;
    QLabel* lblMessaggio = nullptr;
    QLabel* imgMessaggi = nullptr;
    QLabel* imgIconaPunteggio = nullptr;
    std::array<MenuSymbol*, kMenuCount> lblMenu{};
    std::array<MenuFrame*, kMenuCount> shpMenu{};
    HoverFrame* shpEV = nullptr;
    std::vector<TitleLetter*> lblTitolo;
    QLabel* imgX = nullptr;
    QLabel* imgMappaTastiEsterna = nullptr;
    QLabel* lblAlunno = nullptr; // the current pupil, over the panel
    KeyboardView* picKeyword = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    QTimer* Timer3 = nullptr;
    QTimer* PauseTimer = nullptr;
};
