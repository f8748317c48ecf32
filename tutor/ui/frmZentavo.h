#pragma once
// frmZentavo, the tutor's main window. It owns the program's run: it loads
// settings and texts, builds the exercise (ExerciseRun) and the keyboard
// (KeyboardModel), forwards every key, click and timer tick to them and
// renders what they report. It computes no rule of its own.
//
// Data flows one way: events -> ExerciseRun / KeyboardModel -> TutorScreen
// and observer calls -> widgets. Dialogs, sounds, the clock and the platform
// come in through TutorEnvironment.

#include "common/core/Settings.h"
#include "common/core/UiTexts.h"
#include "common/ui/KeyboardLayout.h"
#include "common/ui/QtTextMeasure.h"
#include "tutor/core/ExerciseCatalogue.h"
#include "tutor/core/ExerciseRun.h"
#include "tutor/ui/KeyboardModel.h"
#include "tutor/ui/TutorPlatform.h"

#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <array>
#include <memory>
#include <optional>
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
    static constexpr int kMenuCount = 9;
    static constexpr int kDesignWidth = 800;
    static constexpr int kDesignHeight = 600;

    explicit frmZentavo(TutorEnvironment environment, QWidget* parent = nullptr);
    ~frmZentavo() override;

    // The part of the window load that needs the window on screen: the
    // pictures, the sounds, the keyboard layout, the title letters and the
    // start screen. Runs by itself once the window is first painted.
    void Start();

    // -- for tests and tools
    ExerciseRun& Run() { return *m_run; }
    KeyboardModel& Keyboard() { return m_keyboard; }
    ExerciseCatalogue& Catalogue() { return *m_catalogue; }
    const UiTexts& Texts() const { return m_texts; }
    int BackgroundTheme() const { return m_theme; }
    bool Started() const { return m_started; }
    bool WelcomeRunning() const { return m_welcomeRunning; }
    const KeyboardLayoutSwitcher& Layouts() const { return m_layouts; }

    // -- event handlers named as the controls' events
    void lblMenu_Click(int index);
    void optLevel_Click(int index);
    void ShowHelp(int topic);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // TutorObserver
    void ScreenChanged(const TutorScreen& screen) override;
    void PlaySound(int number) override;
    void FlashInputBox() override;
    void HighlightNextKey(char character, std::int16_t position) override;
    void ClearHighlightFrames() override;
    void RedrawAllKeysRaised() override;
    void CloseKeyMap() override;
    void ShowWelcome() override;
    void CloseProgram() override;

    void BuildControls();
    void LoadSettingsAndTexts();
    void ApplyTexts();
    void PlaceForScreen();
    void CentreNotebook();
    void CheckKeyboardLayout();
    void ShowTitleLetters();
    void RunWelcome();
    void Unload();
    void Wait(int milliseconds);

    void Render(const TutorScreen& screen, bool all);
    void RenderList();
    void RenderMenuStates();
    void RenderPictures();
    void LoadPictures();
    void UpdateToolTipOfKeyB();

    void txtInput_KeyPress(QChar character);
    void txtInput_RightButton();
    void Form_KeyUp(QKeyEvent* event);
    bool Form_KeyDown(QObject* receiver, QKeyEvent* event);
    void cboFileFTD_Click(int index);
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void MenuHovered(int index);
    void ChangeLanguage();
    void PrintKeyboard();
    void PlayIfSoundsOn(int number);
    std::optional<char> CurrentCharacter() const;
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
    KeyboardModel m_keyboard;
    KeyboardLayoutSwitcher m_layouts;
    std::unique_ptr<WidgetScaler> m_scaler;
    TutorScreen m_shown;
    std::vector<std::string> m_shownEntries;
    int m_shownSelection = -2;
    int m_theme = 0;
    QPixmap m_background;
    bool m_started = false;
    bool m_startQueued = false;
    bool m_closing = false;
    // The release that last brought a message: the display server may hand the
    // same release over again once the message's own loop ends.
    quint64 m_lastKeyUpTime = 0;
    int m_lastKeyUpKey = 0;
    bool m_inKeyUp = false;
    bool m_unloaded = false;
    bool m_welcomeRunning = false;
    bool m_welcomeQueued = false;
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
    KeyboardView* picKeyword = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    QTimer* Timer3 = nullptr;
    QTimer* PauseTimer = nullptr;
};
