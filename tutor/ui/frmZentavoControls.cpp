#include "tutor/ui/frmZentavo.h"

#include "common/ui/Pictures.h"
#include "common/ui/QtCp1252.h"
#include "tutor/core/ClsResize.h"
#include "tutor/ui/KeyboardView.h"
#include "tutor/ui/WidgetScaler.h"
#include "tutor/ui/ZentavoLook.h"
#include "tutor/ui/ZentavoWidgets.h"
#include "tutor/ui/frmZentavoLayout.h"

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>

using namespace zentavo_layout;

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
    connect(txtInput, &InputBox::keyPressed, this, &frmZentavo::txtInput_KeyPress);
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
        lamp->setGeometry(x + 4, 127, 26, 26);
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
    imgMessaggi = imageControl(QStringLiteral("imgMessaggi"), picMessaggio);
    lblMessaggio = new QLabel(picMessaggio);
    lblMessaggio->setObjectName(QStringLiteral("lblMessaggio"));
    lblMessaggio->setFont(arialPoints(9.75, true));
    lblMessaggio->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    imgIconaPunteggio = imageControl(QStringLiteral("imgIconaPunteggio"), picMessaggio);
    picMessaggio->hide();

    picBottomBar = new GradientPanel(GradientPanel::Kind::BottomBar, QStringLiteral("picBottomBar"),
                                     picNotebook);
    picBottomBar->setGeometry(kBottomBar);
    for (int i = 0; i < 2; ++i) {
        auto* counter = new CounterLabel(picBottomBar);
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
    picProgress->setGeometry(kGaugeLeft, kGaugeTop, kGaugeWidth, kGaugeHeight);
    for (int i = 0; i < 2; ++i) {
        imgMedia[static_cast<size_t>(i)] = imageControl(arrayName("imgMedia", i), picBottomBar);
        imgMedia[static_cast<size_t>(i)]->resize(kGaugePictureSize, kGaugePictureSize);
    }

    picKeyword = new KeyboardView(m_keyboard, picNotebook);
    picKeyword->setGeometry(kKeyboard);
    connect(picKeyword, &KeyboardView::keyDoubleClicked, this,
            [this](int key) { m_run->KeyDoubleClicked(key); });
    connect(picKeyword, &KeyboardView::fingerImageDoubleClicked, this,
            [this] { m_run->FingerImageDoubleClicked(); });

    imgX = imageControl(QStringLiteral("imgX"), picNotebook);
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
    lblMenu[kMenuTypeForMe]->hide();
    shpMenu[kMenuTypeForMe]->hide();
    shpMenu[kMenuTypeForMe]->SetFilled(true, kTypeForMeSquare);

    lblAlunno = new QLabel(this);
    lblAlunno->setObjectName(QStringLiteral("lblAlunno"));
    lblAlunno->setFont(arialPoints(11, true));
    lblAlunno->setContentsMargins(kPupilNamePadding, 2, kPupilNamePadding, 2);
    lblAlunno->setStyleSheet(QStringLiteral("QLabel { background: rgba(255, 255, 255, 210); "
                                            "color: #1c2a48; border-radius: 4px; }"));
    lblAlunno->hide();

    imgMappaTastiEsterna = imageControl(QStringLiteral("imgMappaTastiEsterna"), this);
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
    Timer1 = timer("Timer1", kClockTickMs);
    Timer2 = timer("Timer2", kPromptBlinkMs);
    Timer3 = timer("Timer3", kRecordAnimationTickMs);
    PauseTimer = timer("PauseTimer", kPauseTickMs);
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
    const int gaugeWidth = m_env.largeScreen ? kLargeGaugeWidth : kGaugeWidth;
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
    // The classic entries stay centred beside the panel where they always
    // were; the entries added after them hang below.
    const int columnHeight = kMenuPupils * size + (kMenuPupils - 1) * gap;
    const int left = width() - size - std::max(6, (width() - notebook.right() - kBezel - size) / 2);
    int top = notebook.top() + (notebook.height() - columnHeight) / 2;
    for (int i = 0; i < kMenuCount; ++i) {
        const QRect r(left, top, size, size);
        shpMenu[static_cast<size_t>(i)]->setGeometry(r);
        lblMenu[static_cast<size_t>(i)]->setGeometry(r);
        top += size + gap;
    }

    // The pupil's name stands over the panel's right corner, clear of the
    // title letters in the middle.
    if (lblAlunno != nullptr)
        lblAlunno->move(notebook.right() - lblAlunno->width(),
                        notebook.top() - kBezel - lblAlunno->height() - kPupilNameGap);

    if (!lblTitolo.empty()) {
        const int step = lblTitolo.front()->width() + 8;
        const int rowWidth = step * static_cast<int>(lblTitolo.size()) - 8;
        int x = notebook.left() + (notebook.width() - rowWidth) / 2;
        for (TitleLetter* letter : lblTitolo) {
            letter->move(x, notebook.top() - 30);
            x += step;
        }
    }
    m_background = QPixmap();
    update();
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
    lblMenu[kMenuTypeForMe]->setToolTip(m_texts.FromLanguageFile() ? QStringLiteral("NUOVO")
                                                                   : QString());
    lblNumBatt[0]->setToolTip(ToolTipText("0042"));
    lblNumBatt[1]->setToolTip(ToolTipText("0043"));
    lblSmile->setToolTip(ToolTipText("0208"));
    lblNumFrase->setToolTip(ToolTipText("0044"));
    const char* averages[] = {"0045", "0046", "0047"};
    for (int i = 0; i < 3; ++i)
        lblMediaLevel[static_cast<size_t>(i)]->setToolTip(ToolTipText(averages[i]));
    imgMappaTastiEsterna->setToolTip(ToolTipText("0032"));
    UpdateToolTipOfKeyB();
    RenderPupilName();
}

void frmZentavo::UpdateToolTipOfKeyB() {
    picKeyword->SetToolTips(m_keyboard.KeyMap() ? Slot(kSlotSplitToolTip) : QString(),
                            ToolTipText("0031"));
}
