#include "editor/ui/frmCreaFrasi.h"

#include "common/ui/HelpViewer.h"
#include "common/ui/Messages.h"
#include "common/ui/QtColour.h"
#include "common/ui/QtCp1252.h"
#include "common/ui/QtTextMeasure.h"
#include "common/ui/QtTranslations.h"
#include "editor/core/ClassTexts.h"
#include "editor/core/OpenSave.h"
#include "editor/ui/EditorDialogs.h"
#include "editor/ui/EditorPictures.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

namespace {
QString qs(const std::string& cp1252) {
    return ToQString(cp1252);
}
std::string cp(const QString& text) {
    return FromQString(text);
}

QString indexed(const char* name, int index) {
    return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(index);
}

// The level colours are kept as stored colours.
QColor colourOf(int stored) {
    return ToQColor(Colour::FromStored(static_cast<std::uint32_t>(stored)));
}

QMessageBox::Icon iconOf(EditorMessageIcon icon) {
    switch (icon) {
    case EditorMessageIcon::Warning:
        return QMessageBox::Warning;
    case EditorMessageIcon::Critical:
        return QMessageBox::Critical;
    case EditorMessageIcon::Information:
        break;
    }
    return QMessageBox::Information;
}

constexpr int kPositionChoices[] = {15, 10, 5};
} // namespace

frmCreaFrasi::frmCreaFrasi(std::string programFolder, const std::string& installerLanguage,
                           Ports ports, QWidget* parent)
    : frmCreaFrasi(DecideProgramLocations({std::move(programFolder), true, {}, {}, {}}),
                   installerLanguage, ports, parent) {}

frmCreaFrasi::frmCreaFrasi(ProgramLocations locations, const std::string& installerLanguage,
                           Ports ports, QWidget* parent)
    : QWidget(parent), m_locations(std::move(locations)), m_ports(ports),
      m_language(
          LoadEditorTexts(m_locations.settingsFile, m_locations.programFolder, installerLanguage)) {
    setObjectName(QStringLiteral("frmCreaFrasi"));
    setWindowIcon(EditorPictures::WindowIcon());
    FollowLanguageInQt(m_language.texts, m_language.language);
    buildWidgets();
    m_editor = std::make_unique<SentenceEditor>(m_ports.files, m_ports.measure,
                                                static_cast<SentenceEditorObserver&>(*this),
                                                EditorMessageTexts(m_language.texts));
    applyTexts();
    connectWidgets();
    render();
    fitWindowToTexts();
    qApp->installEventFilter(this);
}

frmCreaFrasi::~frmCreaFrasi() {
    qApp->removeEventFilter(this);
}

void frmCreaFrasi::buildWidgets() {
    QFont windowFont(QStringLiteral("Arial"));
    windowFont.setPixelSize(13);
    setFont(windowFont);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 12, 14, 12);
    layout->setSpacing(10);
    layout->addWidget(buildFilePanel());
    auto* middle = new QHBoxLayout;
    middle->setSpacing(10);
    // Each frame takes the width its texts need, so that no caption of a
    // longer language is squeezed below it.
    middle->addWidget(buildReaderFrame());
    middle->addWidget(buildWriterFrame());
    middle->addWidget(buildCountFrame());
    layout->addLayout(middle);
    layout->addWidget(buildLinesPanel());
    layout->addWidget(buildButtonRow());

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(300);

    // Enter presses the button that has the focus, as Space does.
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setAutoDefault(true);
    for (QWidget* clickable : findChildren<QWidget*>()) {
        if (qobject_cast<QPushButton*>(clickable) || qobject_cast<QCheckBox*>(clickable) ||
            qobject_cast<QRadioButton*>(clickable) || qobject_cast<QComboBox*>(clickable))
            clickable->setCursor(Qt::PointingHandCursor);
    }
    setWindowTitle(QStringLiteral("Editor Zentavo[*]"));
}

void frmCreaFrasi::fitWindowToTexts() {
    // New texts in a shown window leave the frames' size hints as they were
    // until their posted layout requests run, and the window would be fitted
    // to the old texts (cut labels, buttons against their frames). Every
    // hint is worked out afresh, so a change of language fits as a start does.
    for (QWidget* child : findChildren<QWidget*>())
        child->updateGeometry();
    for (QLayout* each : findChildren<QLayout*>())
        each->invalidate();
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setFixedSize(sizeHint());
}

QWidget* frmCreaFrasi::buildFilePanel() {
    auto* panel = new QWidget(this);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    m_image1 = new QLabel(panel);
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_image1->setPixmap(EditorPictures::PathMark());
    m_txtFileCorrente = new QLineEdit(panel);
    m_txtFileCorrente->setObjectName(QStringLiteral("txtFileCorrente"));
    m_txtFileCorrente->setReadOnly(true);
    m_txtFileCorrente->setFocusPolicy(Qt::NoFocus);
    m_cmdNew = new QPushButton(EditorPictures::NewFile(), QString(), panel);
    m_cmdNew->setObjectName(QStringLiteral("cmdNew"));
    m_cmdOpen = new QPushButton(EditorPictures::OpenFile(), QString(), panel);
    m_cmdOpen->setObjectName(QStringLiteral("cmdOpen"));
    row->addWidget(m_image1);
    row->addWidget(m_txtFileCorrente, 1);
    row->addSpacing(6);
    row->addWidget(m_cmdNew);
    row->addWidget(m_cmdOpen);
    return panel;
}

QWidget* frmCreaFrasi::buildReaderFrame() {
    m_frame2 = new QGroupBox(this);
    m_frame2->setObjectName(QStringLiteral("Frame2"));
    auto* grid = new QGridLayout(m_frame2);
    grid->setVerticalSpacing(8);
    m_readerGroup = new QButtonGroup(this);
    auto* levels = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        m_optlevelReader[i] = new QRadioButton(m_frame2);
        m_optlevelReader[i]->setObjectName(indexed("optlevelReader", i));
        m_readerGroup->addButton(m_optlevelReader[i], i);
        levels->addWidget(m_optlevelReader[i]);
    }
    levels->addStretch();
    m_label5[0] = new QLabel(m_frame2);
    m_label5[0]->setObjectName(QStringLiteral("Label5_0"));
    m_cboNumFrasiReader = new QComboBox(m_frame2);
    m_cboNumFrasiReader->setObjectName(QStringLiteral("cboNumFrasiReader"));
    m_cboNumFrasiReader->setMinimumWidth(60);
    m_cmdLeggi = new QPushButton(m_frame2);
    m_cmdLeggi->setObjectName(QStringLiteral("cmdLeggi"));
    m_cmdLeggi->setMinimumWidth(96);
    m_chkUpdateSalva = new QCheckBox(m_frame2);
    m_chkUpdateSalva->setObjectName(QStringLiteral("chkUpdateSalva"));
    grid->addLayout(levels, 0, 0, 1, 4);
    grid->addWidget(m_label5[0], 1, 0);
    grid->addWidget(m_cboNumFrasiReader, 1, 1);
    grid->setColumnStretch(2, 1);
    grid->addWidget(m_cmdLeggi, 1, 3);
    grid->addWidget(m_chkUpdateSalva, 2, 0, 1, 4);
    return m_frame2;
}

QWidget* frmCreaFrasi::buildWriterFrame() {
    m_frame1 = new QGroupBox(this);
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    auto* grid = new QGridLayout(m_frame1);
    grid->setVerticalSpacing(8);
    m_writerGroup = new QButtonGroup(this);
    auto* levels = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        m_optLevel[i] = new QRadioButton(m_frame1);
        m_optLevel[i]->setObjectName(indexed("optLevel", i));
        m_writerGroup->addButton(m_optLevel[i], i);
        levels->addWidget(m_optLevel[i]);
    }
    levels->addStretch();
    m_label5[1] = new QLabel(m_frame1);
    m_label5[1]->setObjectName(QStringLiteral("Label5_1"));
    m_cboNumFrase = new QComboBox(m_frame1);
    m_cboNumFrase->setObjectName(QStringLiteral("cboNumFrase"));
    m_cboNumFrase->setMinimumWidth(60);
    m_cmdSalva = new QPushButton(m_frame1);
    m_cmdSalva->setObjectName(QStringLiteral("cmdSalva"));
    m_cmdSalva->setMinimumWidth(96);
    m_chkAutoStep = new QCheckBox(m_frame1);
    m_chkAutoStep->setObjectName(QStringLiteral("chkAutoStep"));
    grid->addLayout(levels, 0, 0, 1, 4);
    grid->addWidget(m_label5[1], 1, 0);
    grid->addWidget(m_cboNumFrase, 1, 1);
    grid->setColumnStretch(2, 1);
    grid->addWidget(m_cmdSalva, 1, 3);
    grid->addWidget(m_chkAutoStep, 2, 0, 1, 4);
    return m_frame1;
}

QWidget* frmCreaFrasi::buildCountFrame() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    m_frame3 = new QGroupBox(column);
    m_frame3->setObjectName(QStringLiteral("Frame3"));
    auto* counts = new QHBoxLayout(m_frame3);
    counts->setSpacing(6);
    for (int i = 0; i < 3; ++i) {
        m_lblFileLevel[i] = new QLabel(m_frame3);
        m_lblFileLevel[i]->setObjectName(indexed("lblFileLevel", i));
        m_lblFileLevel[i]->setAlignment(Qt::AlignCenter);
        m_lblFileLevel[i]->setFixedSize(38, 26);
        const QColor colour = colourOf(SentenceEditor::LevelColour(i + 1));
        m_lblFileLevel[i]->setStyleSheet(
            QStringLiteral("QLabel { background: %1; border: 1px solid %2; border-radius: 3px; "
                           "font-weight: bold; }")
                .arg(colour.name(), colour.darker(140).name()));
        counts->addWidget(m_lblFileLevel[i]);
    }
    auto* positions = new QGroupBox(column);
    positions->setObjectName(QStringLiteral("framePositions"));
    auto* choices = new QVBoxLayout(positions);
    m_lblNumFrasiLivello = new QLabel(positions);
    m_lblNumFrasiLivello->setObjectName(QStringLiteral("lblNumFrasiLivello"));
    choices->addWidget(m_lblNumFrasiLivello);
    auto* row = new QHBoxLayout;
    m_countGroup = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        m_optNumeroFrasi[i] = new QRadioButton(QString::number(kPositionChoices[i]), positions);
        m_optNumeroFrasi[i]->setObjectName(indexed("optNumeroFrasi", i));
        m_countGroup->addButton(m_optNumeroFrasi[i], i);
        row->addWidget(m_optNumeroFrasi[i]);
    }
    choices->addLayout(row);
    layout->addWidget(m_frame3);
    layout->addWidget(positions);
    return column;
}

QWidget* frmCreaFrasi::buildLinesPanel() {
    m_shpSfondo = new QFrame(this);
    m_shpSfondo->setObjectName(QStringLiteral("shpSfondo"));
    m_shpSfondo->setAutoFillBackground(true);
    m_shpSfondo->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(m_shpSfondo);
    grid->setContentsMargins(12, 12, 12, 12);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(10);
    const QFont lineFont = QtTextMeasure::FontOf(SentenceEditor::WindowFont());
    for (int i = 0; i < 2; ++i) {
        m_label4[i] = new QLabel(m_shpSfondo);
        m_label4[i]->setObjectName(indexed("Label4", i));
        m_txtInput[i] = new QLineEdit(m_shpSfondo);
        m_txtInput[i]->setObjectName(indexed("txtInput", i));
        m_txtInput[i]->setFont(lineFont);
        m_txtInput[i]->setFixedWidth(SentenceEditor::BoxWidth);
        m_txtInput[i]->setFixedHeight(30);
        grid->addWidget(m_label4[i], i, 0);
        grid->addWidget(m_txtInput[i], i, 1);
    }
    m_imgAnimate = new QLabel(m_shpSfondo);
    m_imgAnimate->setObjectName(QStringLiteral("imgAnimate"));
    m_imgAnimate->setFixedSize(36, 36);
    m_imgAnimate->setAlignment(Qt::AlignCenter);
    grid->addWidget(m_imgAnimate, 0, 2, 2, 1, Qt::AlignCenter);
    grid->setColumnStretch(3, 1);
    return m_shpSfondo;
}

QWidget* frmCreaFrasi::buildButtonRow() {
    auto* panel = new QWidget(this);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    m_cmdInfo = new QPushButton(EditorPictures::Info(), QString(), panel);
    m_cmdInfo->setObjectName(QStringLiteral("cmdInfo"));
    m_cmdLanguage = new QPushButton(EditorPictures::Language(), QString(), panel);
    m_cmdLanguage->setObjectName(QStringLiteral("cmdLanguage"));
    m_cmdChiudi = new QPushButton(EditorPictures::Close(), QString(), panel);
    m_cmdChiudi->setObjectName(QStringLiteral("cmdChiudi"));
    m_cmdChiudi->setMinimumWidth(110);
    // The class window's button stands apart from the program's own buttons.
    m_cmdClasse = new QPushButton(panel);
    m_cmdClasse->setObjectName(QStringLiteral("cmdClasse"));
    // As tall as its neighbour, whose picture makes it taller than text alone.
    m_cmdClasse->setMinimumHeight(m_cmdChiudi->sizeHint().height());
    row->addWidget(m_cmdInfo);
    row->addWidget(m_cmdLanguage);
    row->addStretch();
    row->addWidget(m_cmdClasse);
    row->addWidget(m_cmdChiudi);
    // Chiudi stays the last stop of the focus chain, as it was before the
    // class button came.
    QWidget::setTabOrder(m_cmdClasse, m_cmdChiudi);
    return panel;
}

void frmCreaFrasi::connectWidgets() {
    connect(m_writerGroup, &QButtonGroup::idClicked, this,
            [this](int id) { m_editor->SelectWriteLevel(id + 1); });
    connect(m_readerGroup, &QButtonGroup::idClicked, this,
            [this](int id) { m_editor->SelectReadLevel(id + 1); });
    connect(m_countGroup, &QButtonGroup::idClicked, this,
            [this](int id) { m_editor->SetPositionsPerLevel(kPositionChoices[id]); });
    connect(m_cboNumFrasiReader, &QComboBox::activated, this,
            [this](int index) { m_editor->SelectReadPosition(index + 1); });
    connect(m_cboNumFrase, &QComboBox::activated, this,
            [this](int index) { m_editor->SelectWritePosition(index + 1); });
    connect(m_chkAutoStep, &QCheckBox::toggled, this,
            [this](bool on) { m_editor->SetAutoStep(on); });
    connect(m_chkUpdateSalva, &QCheckBox::toggled, this,
            [this](bool on) { m_editor->SetUpdateSave(on); });
    for (int i = 0; i < 2; ++i) {
        connect(m_txtInput[i], &QLineEdit::textEdited, this,
                [this, i](const QString& text) { m_editor->LineEdited(i, cp(text)); });
        // Enter moves on to the next control, as Tab does, and the control
        // that takes the focus shows its focus mark as after a Tab.
        connect(m_txtInput[i], &QLineEdit::returnPressed, this, [this] {
            setAttribute(Qt::WA_KeyboardFocusChange);
            focusNextChild();
        });
        m_txtInput[i]->installEventFilter(this);
    }
    setTabOrder(m_txtInput[0], m_txtInput[1]);
    setTabOrder(m_txtInput[1], m_cmdSalva);
    connect(m_cmdSalva, &QPushButton::clicked, this, [this] { m_editor->Save(); });
    connect(m_cmdLeggi, &QPushButton::clicked, this, [this] { m_editor->Read(); });
    connect(m_timer1, &QTimer::timeout, this, [this] { m_editor->Tick(); });
    connect(m_cmdNew, &QPushButton::clicked, this, &frmCreaFrasi::cmdNew_Click);
    connect(m_cmdOpen, &QPushButton::clicked, this, &frmCreaFrasi::cmdOpen_Click);
    connect(m_cmdChiudi, &QPushButton::clicked, this, &QWidget::close);
    connect(m_cmdInfo, &QPushButton::clicked, this, &frmCreaFrasi::cmdInfo_Click);
    connect(m_cmdLanguage, &QPushButton::clicked, this, &frmCreaFrasi::cmdLanguage_Click);
    connect(m_cmdClasse, &QPushButton::clicked, this, &frmCreaFrasi::cmdClasse_Click);
}

void frmCreaFrasi::applyTexts() {
    const UiTexts& t = m_language.texts;
    m_frame3->setTitle(qs(t.Text("2100")));
    for (int i = 0; i < 3; ++i) {
        m_lblFileLevel[i]->setToolTip(qs(t.ToolTip(std::to_string(2101 + i))));
        // 2115 names level 1, 2114 level 2, 2113 level 3.
        const QString level = qs(t.Text(std::to_string(2115 - i)));
        m_optLevel[i]->setText(level);
        m_optlevelReader[i]->setText(level);
    }
    m_cmdInfo->setToolTip(qs(t.ToolTip("2104")));
    m_cmdChiudi->setText(qs(t.Text("2105")));
    m_cmdChiudi->setToolTip(qs(t.ToolTip("2106")));
    m_cmdOpen->setText(qs(t.Text("2107")));
    m_cmdOpen->setToolTip(qs(t.ToolTip("2108")));
    m_cmdNew->setText(qs(t.Text("2109")));
    m_cmdNew->setToolTip(qs(t.ToolTip("2110")));
    m_frame2->setTitle(qs(t.Text("2111")));
    m_label5[0]->setText(qs(t.Text("2116")));
    m_label5[1]->setText(qs(t.Text("2116")));
    m_chkUpdateSalva->setText(qs(t.Text("2117")));
    m_chkUpdateSalva->setToolTip(qs(t.ToolTip("2118")));
    m_frame1->setTitle(qs(t.Text("2119")));
    m_cmdSalva->setText(qs(t.Text("2120")));
    m_chkAutoStep->setText(qs(t.Text("2121")));
    m_chkAutoStep->setToolTip(qs(t.ToolTip("2122")));
    m_image1->setToolTip(qs(t.ToolTip("2123")));
    m_label4[0]->setText(qs(t.Text("2124") + "1"));
    m_label4[1]->setText(qs(t.Text("2124") + "2"));
    m_cmdLanguage->setText(qs(t.Text("2131")));
    m_cmdLanguage->setToolTip(qs(t.ToolTip("2132")));
    m_lblNumFrasiLivello->setText(qs(t.Text("2140")));
    const ClassTexts classTexts = ClassTexts::From(t);
    m_cmdClasse->setText(qs(classTexts.caption));
    m_cmdClasse->setToolTip(qs(classTexts.buttonToolTip));
}

void frmCreaFrasi::fillPositionLists(int positions) {
    for (QComboBox* list : {m_cboNumFrasiReader, m_cboNumFrase}) {
        if (list->count() == positions)
            continue;
        list->clear();
        for (int p = 1; p <= positions; ++p)
            list->addItem(QString::number(p));
    }
}

void frmCreaFrasi::render() {
    m_rendering = true;
    const EditorState& s = m_editor->State();
    const bool on = s.editing;
    {
        std::vector<QSignalBlocker> blockers;
        blockers.reserve(9);
        for (QObject* object : std::initializer_list<QObject*>{
                 m_cboNumFrasiReader, m_cboNumFrase, m_chkAutoStep, m_chkUpdateSalva, m_txtInput[0],
                 m_txtInput[1], m_readerGroup, m_writerGroup, m_countGroup})
            blockers.emplace_back(object);

        fillPositionLists(s.positionsPerLevel);
        m_cboNumFrasiReader->setCurrentIndex(s.readPosition - 1);
        m_cboNumFrase->setCurrentIndex(s.writePosition - 1);
        for (int i = 0; i < 3; ++i) {
            m_optLevel[i]->setChecked(s.writeLevel == i + 1);
            m_optlevelReader[i]->setChecked(s.readLevel == i + 1);
            m_optNumeroFrasi[i]->setChecked(s.positionsPerLevel == kPositionChoices[i]);
            m_optLevel[i]->setEnabled(on);
            m_optlevelReader[i]->setEnabled(on);
            m_optNumeroFrasi[i]->setEnabled(on);
            m_lblFileLevel[i]->setText(s.counted ? QString::number(s.levelCounts[i]) : QString());
        }
        m_chkAutoStep->setChecked(s.autoStep);
        m_chkUpdateSalva->setChecked(s.updateSave);
        for (int i = 0; i < 2; ++i) {
            const QString text = qs(s.lines[i]);
            if (m_txtInput[i]->text() != text)
                m_txtInput[i]->setText(text);
            m_txtInput[i]->setEnabled(on);
        }
    }
    for (QWidget* widget :
         std::initializer_list<QWidget*>{m_cboNumFrasiReader, m_cboNumFrase, m_chkAutoStep,
                                         m_chkUpdateSalva, m_lblNumFrasiLivello})
        widget->setEnabled(on);
    m_cmdLeggi->setEnabled(s.readEnabled);
    // Until a read position is chosen the button shows its own caption
    // ("L&eggi"), whose access key leaves Alt+L to "&Lingua".
    m_cmdLeggi->setText(s.readCaption == ReadCaption::Design
                            ? qs(m_language.texts.Text("2112"))
                            : qs(m_editor->Texts()[s.readCaption == ReadCaption::Leggi ? 7 : 8]));
    m_cmdSalva->setEnabled(s.saveEnabled);

    QPalette background = m_shpSfondo->palette();
    background.setColor(QPalette::Window, colourOf(m_editor->WriteLevelColour()));
    m_shpSfondo->setPalette(background);
    m_imgAnimate->setPixmap(EditorPictures::Indicator(s.shownIcon));
    if (s.indicatorRunning && !m_timer1->isActive())
        m_timer1->start();
    else if (!s.indicatorRunning)
        m_timer1->stop();
    setWindowModified(s.indicatorRunning);
    showPath();
    m_rendering = false;
}

void frmCreaFrasi::showPath() {
    const QString path = PathToQString(m_editor->State().currentFile);
    const int width = m_txtFileCorrente->contentsRect().width() - 8;
    m_txtFileCorrente->setText(
        m_txtFileCorrente->fontMetrics().elidedText(path, Qt::ElideMiddle, std::max(width, 40)));
    m_txtFileCorrente->setToolTip(path);
}

void frmCreaFrasi::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_editor)
        showPath();
}

void frmCreaFrasi::EditorChanged() {
    render();
}

void frmCreaFrasi::FocusLine(int line) {
    // The line may be enabled only by the render that ends this operation.
    QLineEdit* target = m_txtInput[static_cast<std::size_t>(line)];
    target->setEnabled(m_editor ? m_editor->State().editing : true);
    target->setFocus(Qt::OtherFocusReason);
}

void frmCreaFrasi::ShowMessage(const EditorMessage& message) {
    m_ports.messages.Show(iconOf(message.icon), qs(message.title), qs(message.text));
}

void frmCreaFrasi::Beep() {
    QApplication::beep();
}

bool frmCreaFrasi::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        (watched == m_txtInput[0] || watched == m_txtInput[1])) {
        // An Alt shortcut reaches a line only when its button is disabled
        // (or when no control has that access key): it does nothing, and
        // the letter is not typed into the sentence.
        const Qt::KeyboardModifiers mods = static_cast<QKeyEvent*>(event)->modifiers();
        if ((mods & Qt::AltModifier) && !(mods & Qt::ControlModifier))
            return true;
    }
    if (event->type() == QEvent::FocusIn && watched == m_txtInput[1] && !m_rendering) {
        m_editor->LineFocused(1);
        return false;
    }
    if (event->type() == QEvent::KeyRelease && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1 && !key->isAutoRepeat()) {
            helpKey();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmCreaFrasi::helpKey() {
    if (!m_ports.help.ShowHelpTopic(HelpContext))
        ShowMessage(m_editor->HelpMissingMessage(HelpContext));
}

void frmCreaFrasi::letPendingEventsRun() {
    repaint();
    QCoreApplication::processEvents();
}

void frmCreaFrasi::cmdNew_Click() {
    OpenSave dialog(m_ports.fileDialogs);
    dialog.DialogTitle = m_editor->Texts()[2];
    dialog.Filter = ExerciseFileFilter(m_editor->Texts()[3]);
    dialog.hOwner = this;
    dialog.InitDir = m_locations.editorFolder;
    dialog.FileName = "Zentavo";
    dialog.FilterIndex = 1;
    dialog.DefaultExt = "ftd";
    dialog.ShowSave();
    if (dialog.FileName.empty())
        return;
    letPendingEventsRun();
    m_editor->CreateNewFile(dialog.FileName);
}

void frmCreaFrasi::cmdOpen_Click() {
    OpenSave dialog(m_ports.fileDialogs);
    dialog.DialogTitle = m_editor->Texts()[4];
    dialog.Filter = ExerciseFileFilter(m_editor->Texts()[3]);
    dialog.hOwner = this;
    dialog.ShowOpen();
    if (dialog.FileName.empty())
        return;
    letPendingEventsRun();
    m_editor->OpenFile(dialog.FileName);
}

void frmCreaFrasi::OpenExerciseFile(const std::string& path) {
    letPendingEventsRun();
    m_editor->OpenFile(path);
}

void frmCreaFrasi::cmdLanguage_Click() {
    const std::optional<std::string> chosen =
        m_ports.dialogs.ChooseLanguage(this, m_language.language, m_language.fromFile);
    if (!chosen)
        return;
    // Every window follows the new language at once, as in the tutor: a
    // teacher who chose English gets no Italian about box or chooser.
    m_language = ChangeEditorLanguage(m_locations.settingsFile, m_locations.programFolder, *chosen);
    FollowLanguageInQt(m_language.texts, m_language.language);
    m_editor->SetMessageTexts(EditorMessageTexts(m_language.texts));
    applyTexts();
    render();
    fitWindowToTexts();
}

void frmCreaFrasi::cmdInfo_Click() {
    m_ports.dialogs.ShowAbout(this, m_language.language, m_language.fromFile);
}

void frmCreaFrasi::cmdClasse_Click() {
    m_ports.dialogs.ShowClass(this, m_locations.settingsFile, m_language.language,
                              m_language.fromFile);
}
