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

// The 800 x 600 design, in pixels; the enlarged window scales it.
constexpr QSize kNotebookSize(644, 452);
constexpr int kBezel = 5;
constexpr QRect kDisplay(8, 10, 628, 178);
constexpr QRect kSentence(4, 8, 620, 64);
constexpr QRect kInput(4, 78, 620, 40);
constexpr QRect kLevelPanel(4, 128, 290, 44);
constexpr QRect kList(302, 136, 196, 28);
constexpr QRect kSentenceNumber(6, 132, 48, 36);
constexpr QRect kBottomBar(8, 194, 628, 41);
constexpr QRect kKeyboard(26, 238, KeyboardView::kDesignWidth, KeyboardView::kDesignHeight);
constexpr int kGaugeLeft = 297;
constexpr int kGaugeTop = 11;
constexpr int kGaugeHeight = 19;
constexpr int kGaugePictureSize = 24;
constexpr int kMessageHeight = 40;
constexpr int kMenuSize = 40;
constexpr int kMenuGap = 6;
constexpr QSize kTitleLetterSize(26, 22);
constexpr int kStripGap = 5;
constexpr QSize kStripSize(622, 47);

constexpr int kSoundKeystroke = 107;
constexpr int kSoundSplit = 109;
constexpr int kSoundWelcome = 110;

const char* const kMenuToolTips[frmZentavo::kMenuCount] = {"0035", "0036", "0037", "0038", "0039",
                                                           "0040", "0041", "",     "0115"};
const QColor kIndicatorOn(128, 255, 255);
const QColor kTypeForMeSquare(255, 255, 0);
const QColor kTitleCaps[] = {QColor(185, 207, 224), QColor(214, 222, 181), QColor(239, 204, 197),
                             QColor(162, 204, 184), QColor(239, 204, 197), QColor(214, 222, 181),
                             QColor(185, 207, 224)};

QString arrayName(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

QString withLineFeeds(const std::string& cp1252) {
    QString text = ToQString(cp1252);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

QColor fromStored(std::uint32_t c) {
    return {static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
            static_cast<int>((c >> 16) & 0xFF)};
}

QFont arialPoints(double points, bool bold = false) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QLabel* pictureLabel(const QString& name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

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

// -- building ------------------------------------------------------------------

void frmZentavo::BuildControls() {
    picFondoNotebook = new GradientPanel(GradientPanel::Kind::FondoNotebook,
                                         QStringLiteral("picFondoNotebook"), this);
    picNotebook =
        new GradientPanel(GradientPanel::Kind::Notebook, QStringLiteral("picNotebook"), this);
    picNotebook->resize(kNotebookSize);
    picNotebook->setFocusPolicy(Qt::StrongFocus);

    picDisplay = new PaperPanel(QStringLiteral("picDisplay"), picNotebook);
    picDisplay->setGeometry(kDisplay);
    picDisplay->setFocusPolicy(Qt::StrongFocus);
    lblFraseCorr = new SentenceDisplay(picDisplay);
    lblFraseCorr->setGeometry(kSentence);
    lblFraseCorr->setFont(arialPoints(12));
    txtInput = new InputBox(picDisplay);
    txtInput->setGeometry(kInput);
    txtInput->setFont(arialPoints(12));
    connect(txtInput, &InputBox::typed, this, &frmZentavo::txtInput_KeyPress);
    connect(txtInput, &InputBox::rightButtonPressed, this, &frmZentavo::txtInput_RightButton);

    cmdstart = new QPushButton(QStringLiteral(" focus"), picDisplay);
    cmdstart->setObjectName(QStringLiteral("cmdstart"));
    cmdstart->setToolTip(QStringLiteral("nuova frase"));
    cmdstart->setEnabled(false);
    cmdstart->hide(); // started with Enter; the button only carries the state
    connect(cmdstart, &QPushButton::clicked, this, [this] { m_run->StartRequest(); });

    picLevel = new GradientPanel(GradientPanel::Kind::Band, QStringLiteral("picLevel"), picDisplay);
    picLevel->setGeometry(kLevelPanel);
    for (int i = 0; i < 2; ++i) {
        auto* option = new QRadioButton(picLevel);
        option->setObjectName(arrayName("optLevel", i));
        option->setFont(arialPoints(10, true));
        option->setGeometry(i == 0 ? QRect(12, 11, 140, 22) : QRect(160, 11, 120, 22));
        option->setCursor(Qt::PointingHandCursor);
        connect(option, &QRadioButton::clicked, this, [this, i] { optLevel_Click(i); });
        optLevel[static_cast<size_t>(i)] = option;
    }
    picLevel->hide();

    cboFileFTD = new QComboBox(picDisplay);
    cboFileFTD->setObjectName(QStringLiteral("cboFileFTD"));
    cboFileFTD->setGeometry(kList);
    cboFileFTD->setFont(arialPoints(10));
    cboFileFTD->setCursor(Qt::PointingHandCursor);
    cboFileFTD->hide();
    connect(cboFileFTD, &QComboBox::activated, this, &frmZentavo::cboFileFTD_Click);

    lblNumFrase = new QLabel(picDisplay);
    lblNumFrase->setObjectName(QStringLiteral("lblNumFrase"));
    lblNumFrase->setGeometry(kSentenceNumber);
    lblNumFrase->setFont(arialPoints(18, true));
    lblNumFrase->setAlignment(Qt::AlignCenter);
    QPalette numberPalette = lblNumFrase->palette();
    numberPalette.setColor(QPalette::WindowText, QColor(40, 80, 150));
    lblNumFrase->setPalette(numberPalette);

    for (int i = 0; i < 3; ++i) {
        const int x = 508 + i * 38;
        auto* lamp = new LevelLamp(3 + i, picDisplay);
        lamp->setGeometry(x + 8, 132, 18, 18);
        lblLamp[static_cast<size_t>(i)] = lamp;
        auto* average = new QLabel(picDisplay);
        average->setObjectName(arrayName("lblMediaLevel", i));
        average->setGeometry(x, 151, 34, 20);
        average->setAlignment(Qt::AlignCenter);
        average->setFont(arialPoints(10, true));
        lblMediaLevel[static_cast<size_t>(i)] = average;
    }

    picMessaggio =
        new GradientPanel(GradientPanel::Kind::Band, QStringLiteral("picMessaggio"), picDisplay);
    imgMessaggi = pictureLabel(QStringLiteral("imgMessaggi"), picMessaggio);
    lblMessaggio = new QLabel(picMessaggio);
    lblMessaggio->setObjectName(QStringLiteral("lblMessaggio"));
    lblMessaggio->setFont(arialPoints(9.75, true));
    lblMessaggio->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    imgIconaPunteggio = pictureLabel(QStringLiteral("imgIconaPunteggio"), picMessaggio);
    picMessaggio->hide();

    picBottomBar = new GradientPanel(GradientPanel::Kind::BottomBar, QStringLiteral("picBottomBar"),
                                     picNotebook);
    picBottomBar->setGeometry(kBottomBar);
    for (int i = 0; i < 2; ++i) {
        auto* counter = new QLabel(picBottomBar);
        counter->setObjectName(arrayName("lblNumBatt", i));
        counter->setGeometry(6 + i * 76, 9, 72, 23);
        counter->setFont(arialPoints(10, true));
        counter->setAlignment(Qt::AlignCenter);
        counter->setAutoFillBackground(true);
        QPalette pal = counter->palette();
        pal.setColor(QPalette::Window, i == 0 ? QColor(214, 245, 214) : QColor(250, 222, 218));
        pal.setColor(QPalette::WindowText, i == 0 ? QColor(20, 110, 30) : QColor(170, 30, 30));
        counter->setPalette(pal);
        counter->setFrameShape(QFrame::Panel);
        counter->setFrameShadow(QFrame::Sunken);
        lblNumBatt[static_cast<size_t>(i)] = counter;
    }
    lblSmile = pictureLabel(QStringLiteral("lblSmile"), picBottomBar);
    lblSmile->setGeometry(160, 5, 30, 30);
    lblOrologio = pictureLabel(QStringLiteral("lblOrologio"), picBottomBar);
    lblOrologio->setGeometry(196, 8, 24, 24);
    QPalette clockPalette = lblOrologio->palette();
    clockPalette.setColor(QPalette::Window, QColor(255, 236, 120));
    lblOrologio->setPalette(clockPalette);
    lblTime = new QLabel(QStringLiteral("00:00"), picBottomBar);
    lblTime->setObjectName(QStringLiteral("lblTime"));
    lblTime->setGeometry(222, 9, 46, 23);
    lblTime->setFont(arialPoints(11, true));
    lblTime->setAlignment(Qt::AlignCenter);
    picProgress = new SpeedGauge(picBottomBar);
    picProgress->setGeometry(kGaugeLeft, kGaugeTop, 300, kGaugeHeight);
    for (int i = 0; i < 2; ++i) {
        imgMedia[static_cast<size_t>(i)] = pictureLabel(arrayName("imgMedia", i), picBottomBar);
        imgMedia[static_cast<size_t>(i)]->resize(kGaugePictureSize, kGaugePictureSize);
    }

    picKeyword = new KeyboardView(m_keyboard, picNotebook);
    picKeyword->setGeometry(kKeyboard);
    connect(picKeyword, &KeyboardView::keyDoubleClicked, this, [this](int key) {
        if (m_keyboard.KeyDoubleClicked(key, CurrentCharacter()))
            PlayIfSoundsOn(kSoundSplit);
    });
    connect(picKeyword, &KeyboardView::fingerImageDoubleClicked, this,
            [this] { m_keyboard.FingerImageDoubleClicked(CurrentCharacter()); });
    connect(picKeyword, &KeyboardView::stripChanged, this, [this](bool visible) {
        if (visible && imgMappaTastiEsterna->pixmap().isNull())
            imgMappaTastiEsterna->setPixmap(
                Pictures::pixmap(Pictures::Role::FingerMapStrip, kStripSize));
        imgMappaTastiEsterna->setVisible(visible);
    });
    connect(picKeyword, &KeyboardView::promptTimerChanged, this, [this](bool running) {
        if (running)
            Timer2->start();
        else
            Timer2->stop();
    });

    imgX = pictureLabel(QStringLiteral("imgX"), picNotebook);
    imgX->hide();

    for (int i = 0; i < kMenuCount; ++i)
        shpMenu[static_cast<size_t>(i)] = new MenuFrame(i, this);
    shpEV = new HoverFrame(this);
    for (int i = 0; i < kMenuCount; ++i) {
        auto* symbol = new MenuSymbol(i, this);
        connect(symbol, &MenuSymbol::clicked, this, &frmZentavo::lblMenu_Click);
        connect(symbol, &MenuSymbol::hovered, this, &frmZentavo::MenuHovered);
        connect(symbol, &MenuSymbol::pressedChanged, this,
                [this](bool pressed) { shpEV->SetInverted(pressed); });
        lblMenu[static_cast<size_t>(i)] = symbol;
    }
    lblMenu[7]->hide();
    shpMenu[7]->hide();
    shpMenu[7]->SetFilled(true, kTypeForMeSquare);

    imgMappaTastiEsterna = pictureLabel(QStringLiteral("imgMappaTastiEsterna"), this);
    imgMappaTastiEsterna->resize(kStripSize);
    imgMappaTastiEsterna->setCursor(Qt::PointingHandCursor);
    imgMappaTastiEsterna->installEventFilter(this);
    imgMappaTastiEsterna->hide();

    const auto timer = [this](const char* name, int interval) {
        auto* t = new QTimer(this);
        t->setObjectName(QLatin1String(name));
        t->setInterval(interval);
        return t;
    };
    Timer1 = timer("Timer1", 200);
    Timer2 = timer("Timer2", 400);
    Timer3 = timer("Timer3", 150);
    PauseTimer = timer("PauseTimer", 100);
    connect(Timer1, &QTimer::timeout, this, &frmZentavo::Timer1_Timer);
    connect(Timer2, &QTimer::timeout, this, &frmZentavo::Timer2_Timer);
    connect(Timer3, &QTimer::timeout, this, &frmZentavo::Timer3_Timer);
    connect(PauseTimer, &QTimer::timeout, this, [this] { m_run->PauseTick(); });
}

void frmZentavo::PlaceForScreen() {
    // The message panel lies over the input box, as wide as the display.
    picMessaggio->setGeometry(0, txtInput->y(), picDisplay->width(), kMessageHeight);
    imgMessaggi->setGeometry(8, 4, 32, 32);
    lblMessaggio->setGeometry(46, 0, picDisplay->width() - 92, kMessageHeight - 5);
    imgIconaPunteggio->setGeometry(picDisplay->width() - 40, 4, 32, 32);

    if (m_env.largeScreen) {
        m_scaler = std::make_unique<WidgetScaler>(this);
        m_scaler->SizeFormToScreen();
        picKeyword->SetFontScale(ResizeFontFactor());
    }
    // The gauge keeps its width in pixels of the clock's scale, with its
    // end pictures 5 pixels off either end.
    const int gaugeWidth = m_env.largeScreen ? 390 : 300;
    picProgress->resize(gaugeWidth, picProgress->height());
    const int pictureTop = picProgress->y() + (picProgress->height() - kGaugePictureSize) / 2;
    imgMedia[0]->move(picProgress->x() - 5 - kGaugePictureSize, pictureTop);
    imgMedia[1]->move(picProgress->x() + gaugeWidth + 5, pictureTop);
    CentreNotebook();
}

void frmZentavo::CentreNotebook() {
    const QSize panel = picNotebook->size();
    picNotebook->move((width() - panel.width()) / 2, (height() - panel.height()) / 2 - 20);
    const QRect notebook = picNotebook->geometry();
    picFondoNotebook->setGeometry(notebook.adjusted(-kBezel, -kBezel, kBezel, kBezel));
    imgMappaTastiEsterna->move((width() - imgMappaTastiEsterna->width()) / 2,
                               notebook.bottom() + 1 + kStripGap);

    // The menu keeps its size on the enlarged window: the margin beside the
    // panel does not grow as much as the panel.
    const int size = kMenuSize;
    const int gap = m_env.largeScreen ? 2 * kMenuGap : kMenuGap;
    const int columnHeight = kMenuCount * size + (kMenuCount - 1) * gap;
    const int left = width() - size - std::max(6, (width() - notebook.right() - kBezel - size) / 2);
    int top = notebook.top() + (notebook.height() - columnHeight) / 2;
    for (int i = 0; i < kMenuCount; ++i) {
        const QRect r(left, top, size, size);
        shpMenu[static_cast<size_t>(i)]->setGeometry(r);
        lblMenu[static_cast<size_t>(i)]->setGeometry(r);
        top += size + gap;
    }

    if (!lblTitolo.empty()) {
        const int step = lblTitolo.front()->width() + 8;
        const int rowWidth = step * static_cast<int>(lblTitolo.size()) - 8;
        int x = notebook.left() + (notebook.width() - rowWidth) / 2;
        for (TitleLetter* letter : lblTitolo) {
            letter->move(x, notebook.top() - 30);
            x += step;
        }
    }
    m_background = QImage();
    update();
}

void frmZentavo::LoadSettingsAndTexts() {
    m_settings = LoadTutorSettings(m_env.settingsFile, m_env.installerLanguage);
    m_theme = std::clamp(m_settings.BackColor, 0, kBackgroundThemeCount - 1);
    if (LanguageFileExists(m_env.programFolder, m_settings.CurrentLanguage))
        m_texts = UiTexts::FromFile(
            UiProgram::Tutor, LanguageFilePath(m_env.programFolder, m_settings.CurrentLanguage));
    ApplyTexts();
}

QString frmZentavo::Text(const char* id) const {
    return ToQString(m_texts.Text(id));
}
QString frmZentavo::ToolTipText(const char* id) const {
    return ToQString(m_texts.ToolTip(id));
}
QString frmZentavo::Slot(int slot) const {
    return ToQString(m_texts.Slot(slot));
}
QString frmZentavo::WarningTitle() const {
    return Text("0062");
}

void frmZentavo::ApplyTexts() {
    optLevel[0]->setText(Text("0027"));
    optLevel[1]->setText(Text("0028"));
    optLevel[0]->setToolTip(ToolTipText("0033"));
    optLevel[1]->setToolTip(ToolTipText("0034"));
    for (int i = 0; i < kMenuCount; ++i) {
        const char* id = kMenuToolTips[i];
        lblMenu[static_cast<size_t>(i)]->setToolTip(*id != '\0' ? ToolTipText(id) : QString());
    }
    lblMenu[7]->setToolTip(m_texts.FromLanguageFile() ? QStringLiteral("NUOVO") : QString());
    lblNumBatt[0]->setToolTip(ToolTipText("0042"));
    lblNumBatt[1]->setToolTip(ToolTipText("0043"));
    lblSmile->setToolTip(ToolTipText("0208"));
    lblNumFrase->setToolTip(ToolTipText("0044"));
    const char* averages[] = {"0045", "0046", "0047"};
    for (int i = 0; i < 3; ++i)
        lblMediaLevel[static_cast<size_t>(i)]->setToolTip(ToolTipText(averages[i]));
    imgMappaTastiEsterna->setToolTip(ToolTipText("0032"));
    UpdateToolTipOfKeyB();
}

void frmZentavo::UpdateToolTipOfKeyB() {
    picKeyword->SetToolTips(m_keyboard.KeyMap() ? Slot(34) : QString(), ToolTipText("0031"));
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

// -- what the exercise reports ---------------------------------------------------

void frmZentavo::ScreenChanged(const TutorScreen& screen) {
    Render(screen, false);
}

void frmZentavo::PlaySound(int number) {
    m_env.sounds->Play(number);
}

void frmZentavo::PlayIfSoundsOn(int number) {
    if (m_run->SoundsOn())
        m_env.sounds->Play(number);
}

void frmZentavo::FlashInputBox() {
    txtInput->Flash();
}

void frmZentavo::HighlightNextKey(char character, std::int16_t position) {
    m_keyboard.HighlightNextKey(character, position);
}

void frmZentavo::ClearHighlightFrames() {
    m_keyboard.ClearHighlightFrames();
}

void frmZentavo::RedrawAllKeysRaised() {
    m_keyboard.RedrawAllKeysRaised();
}

void frmZentavo::CloseKeyMap() {
    if (frmTransparency::Current() != nullptr)
        frmTransparency::CloseMap();
    if (m_keyboard.KeyMap() && !m_keyboard.StripVisible())
        m_keyboard.ShowFingerImages(true);
}

void frmZentavo::CloseProgram() {
    QTimer::singleShot(0, this, &QWidget::close);
}

std::optional<char> frmZentavo::CurrentCharacter() const {
    const SentenceRun& s = m_run->Sentence();
    if (s.ExpectedChar.empty() || s.SentenceDone)
        return std::nullopt;
    return s.ExpectedChar[0];
}

void frmZentavo::Render(const TutorScreen& s, bool all) {
    TutorScreen& old = m_shown;
    if (all || s.caption != old.caption)
        setWindowTitle(ToQString(s.caption));
    if (all || s.sentence != old.sentence || s.sentenceLeftAligned != old.sentenceLeftAligned)
        lblFraseCorr->SetText(withLineFeeds(s.sentence), !s.sentenceLeftAligned);
    if (all || s.typedLine != old.typedLine || s.typedOnLine != old.typedOnLine ||
        s.typedColour != old.typedColour)
        lblFraseCorr->SetTypedPart(s.typedLine, ToQString(s.typedOnLine),
                                   fromStored(s.typedColour));
    if (all || s.input != old.input)
        txtInput->SetText(withLineFeeds(s.input));
    txtInput->SetLocked(s.inputLocked);
    if (all || s.correctCounter != old.correctCounter)
        lblNumBatt[0]->setText(ToQString(s.correctCounter));
    if (all || s.wrongCounter != old.wrongCounter)
        lblNumBatt[1]->setText(ToQString(s.wrongCounter));

    if (all || s.clockText != old.clockText)
        lblTime->setText(ToQString(s.clockText));
    if (all || s.clockRunning != old.clockRunning) {
        if (s.clockRunning)
            Timer1->start();
        else
            Timer1->stop();
        lblOrologio->setAutoFillBackground(s.clockRunning);
        lblOrologio->update();
        lblMenu[2]->setEnabled(!s.clockRunning);
    }
    if (all || s.gaugeVisible != old.gaugeVisible) {
        picProgress->setVisible(s.gaugeVisible);
        imgMedia[0]->setVisible(s.gaugeVisible);
        imgMedia[1]->setVisible(s.gaugeVisible);
    }
    picProgress->SetState(s.gaugeLength, s.level, s.recordMarkerWidth);

    for (int i = 0; i < 3; ++i) {
        const std::int16_t level = static_cast<std::int16_t>(i + 1);
        const Rgb c = LevelLampColour(level, s.litLamp == level);
        lblLamp[static_cast<size_t>(i)]->SetColour(QColor(c.r, c.g, c.b));
        lblMediaLevel[static_cast<size_t>(i)]->setText(
            ToQString(s.levelAverages[static_cast<size_t>(i)]));
    }
    lblNumFrase->setText(ToQString(s.sentenceNumber));

    if (all || s.message != old.message)
        lblMessaggio->setText(withLineFeeds(s.message));
    picMessaggio->setVisible(s.messageVisible);
    if (all || s.recordAnimation != old.recordAnimation) {
        if (s.recordAnimation)
            Timer3->start();
        else
            Timer3->stop();
    }

    cmdstart->setEnabled(s.startEnabled);
    if (all || s.enterPrompt != old.enterPrompt) {
        if (s.enterPrompt)
            m_keyboard.FlashBotton();
        else
            m_keyboard.MarkSentenceRunning();
    }
    if (all || s.busy != old.busy) {
        if (s.busy)
            PauseTimer->start();
        else
            PauseTimer->stop();
    }
    lblMenu[8]->setEnabled(s.languageMenuEnabled);
    lblMenu[7]->setVisible(s.typeForMeVisible);
    shpMenu[7]->setVisible(s.typeForMeVisible);
    picLevel->setVisible(s.levelPanelVisible);
    cboFileFTD->setVisible(s.listVisible);
    if (s.listVisible)
        RenderList();
    m_shown = s;
    RenderPictures();
}

void frmZentavo::RenderPictures() {
    if (!m_picturesLoaded)
        return;
    const TutorScreen& s = m_shown;
    const auto face = std::make_pair(s.face.glyph, s.face.red);
    if (face != m_faceShown) {
        lblSmile->setPixmap(
            Pictures::pixmap(Pictures::errorFace(s.face.glyph, s.face.red), lblSmile->size()));
        m_faceShown = face;
    }
    const QSize gaugePicture(kGaugePictureSize, kGaugePictureSize);
    if (s.gaugeVisible && s.fastEndIcon != m_fastIconShown) {
        imgMedia[0]->setPixmap(Pictures::pixmap(s.fastEndIcon, gaugePicture));
        m_fastIconShown = s.fastEndIcon;
    }
    if (s.gaugeVisible && s.slowEndIcon != m_slowIconShown) {
        imgMedia[1]->setPixmap(Pictures::pixmap(s.slowEndIcon, gaugePicture));
        m_slowIconShown = s.slowEndIcon;
    }
    if (!s.messageVisible)
        return;
    const QSize icon(32, 32);
    if (!(s.picture == m_messagePictureShown)) {
        imgMessaggi->setPixmap(s.picture.kind == MessagePicture::Kind::Icon
                                   ? Pictures::pixmap(s.picture.value, icon)
                                   : Pictures::pixmap(s.picture.value == 0
                                                          ? Pictures::Role::RecordFrame0
                                                          : Pictures::Role::RecordFrame1,
                                                      icon));
        m_messagePictureShown = s.picture;
    }
    if (s.pointsIcon != m_pointsIconShown) {
        imgIconaPunteggio->setPixmap(Pictures::pixmap(s.pointsIcon, icon));
        m_pointsIconShown = s.pointsIcon;
    }
}

void frmZentavo::LoadPictures() {
    // Drawing the pictures takes longer than opening the window, so they
    // come in right after it is on screen.
    m_picturesLoaded = true;
    lblOrologio->setPixmap(Pictures::pixmap(Pictures::Role::Clock, QSize(22, 22)));
    imgX->setPixmap(Pictures::pixmap(Pictures::Role::CapsLockCross, QSize(32, 32)));
    for (int i = 0; i < kMenuCount; ++i)
        lblMenu[static_cast<size_t>(i)]->SetPicture(
            Pictures::pixmap(Pictures::menuSymbol(i), QSize(28, 28)));
    std::array<QPixmap, KeyboardModel::kFingerImageCount> fingers;
    for (int i = 0; i < KeyboardModel::kFingerImageCount; ++i)
        fingers[static_cast<size_t>(i)] = Pictures::pixmap(Pictures::fingerImage(i), QSize(32, 32));
    picKeyword->SetFingerPictures(fingers);
    picKeyword->SetPromptPicture(Pictures::pixmap(Pictures::Role::PressEnter, QSize(32, 32)));
    RenderMenuStates();
    RenderPictures();
    window()->setWindowIcon(Pictures::icon(Pictures::Role::AppTutor));
}

void frmZentavo::RenderList() {
    const auto& entries = m_catalogue->Entries();
    const int selected = m_catalogue->SelectedIndex();
    if (entries == m_shownEntries && selected == m_shownSelection)
        return;
    const QSignalBlocker block(cboFileFTD);
    if (entries != m_shownEntries) {
        cboFileFTD->clear();
        for (const std::string& entry : entries)
            cboFileFTD->addItem(ToQString(entry));
    }
    cboFileFTD->setCurrentIndex(selected);
    m_shownEntries = entries;
    m_shownSelection = selected;
}

void frmZentavo::RenderMenuStates() {
    shpMenu[3]->SetFilled(m_run->SoundsOn(), kIndicatorOn);
    if (m_picturesLoaded)
        lblMenu[3]->SetPicture(
            Pictures::pixmap(Pictures::menuSymbol(3, m_run->SoundsOn()), QSize(28, 28)));
    shpMenu[4]->SetFilled(m_keyboard.KeyMap(), kIndicatorOn);
    shpMenu[5]->SetFilled(m_keyboard.Highlight(), kIndicatorOn);
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
    if (!key->isAutoRepeat())
        Form_KeyUp(key);
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
        m_background = QImage();
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
        m_background = GradientStrip(h, [theme, h](int y) { return ThemeRowColour(theme, y, h); });
    }
    QPainter p(this);
    const QRect r = event->rect();
    p.drawImage(QRect(r.left(), 0, r.width(), height()), m_background,
                QRect(0, 0, 1, m_background.height()));
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
