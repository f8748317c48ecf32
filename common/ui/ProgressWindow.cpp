#include "common/ui/ProgressWindow.h"

#include "common/core/Cp1252.h"
#include "common/ui/DayChart.h"
#include "common/ui/DefaultPrinterQuery.h"
#include "common/ui/KeyMapView.h"
#include "common/ui/Messages.h"
#include "common/ui/ProgressPrinting.h"
#include "common/ui/QtCp1252.h"
#include "tutor/core/ProgressPdf.h"

#include <QComboBox>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QUrl>
#include <QVBoxLayout>

#include <ctime>
#include <exception>

namespace {

constexpr int kDaysInWeek = 7;
constexpr int kDaysInMonth = 30;
constexpr int kDaysInYear = 365;
constexpr double kSecondsPerMinute = 60.0;
constexpr int kChartHeight = 210;
constexpr int kSpeedAxisStep = 20;
constexpr int kWindowWidth = 980;
constexpr int kWindowHeight = 760;
constexpr const char* kProduct = "Zentavo";
// The texts the results window prints with: sent, failed.
constexpr const char* kPrintSent = "0099";
constexpr const char* kPrintFailed = "0100";
constexpr const char* kWarningTitle = "0062";
constexpr const char* kAimedKeysLabel = "0501";
// The summary column: finger bars, confusions, then the personal exercise's keys.
constexpr int kMapRows = 5;
constexpr int kAimedKeysRow = 4;
const QColor kSpeedColour(30, 90, 200);
const QColor kAccuracyColour(40, 150, 60);
constexpr std::string_view kCannotWrite = "Impossibile scrivere il file PDF dei progressi:"_cp1252;

// Numbers in the window and the report use the system's decimal separator.
char DecimalSeparator() {
    const QString point = QLocale::system().decimalPoint();
    return point.size() == 1 && point[0].unicode() < 0x80 ? point[0].toLatin1() : '.';
}

QDate ToQDate(const LocalDate& d) {
    return {d.year, d.month, d.day};
}

QString Q(const std::string& cp1252) {
    return ToQString(cp1252);
}

// Speed or accuracy per day, on a time axis.
void FillChart(QWidget* chart, const QString& title, const std::vector<DayFigures>& days,
               const QColor& colour, double (*value)(const DayFigures&), double low, double high) {
    DayChartSpec spec{title, colour, low, high, QStringLiteral("%d"), {}};
    for (const DayFigures& day : days)
        spec.points.push_back({ToQDate(day.date), value(day)});
    FillDayChart(chart, spec);
}

double SpeedOf(const DayFigures& day) {
    return day.averageSpeed * kSecondsPerMinute;
}
double AccuracyOf(const DayFigures& day) {
    return day.accuracy * 100.0;
}

} // namespace

ProgressWindow::ProgressWindow(const HistoryStore& store, PupilId pupil, const UiTexts& texts,
                               KeySplit split, ProgressWindowPorts ports, QWidget* parent)
    : QDialog(parent), m_store(store), m_pupil(pupil), m_texts(ProgressTexts::From(texts)),
      m_uiTexts(texts), m_split(split), m_ports(std::move(ports)) {
    Build();
}

ProgressWindow::ProgressWindow(const std::string& databasePath, PupilId pupil, const UiTexts& texts,
                               KeySplit split, ProgressWindowPorts ports, QWidget* parent)
    : QDialog(parent), m_ownStore(std::make_unique<HistoryStore>()), m_store(*m_ownStore),
      m_pupil(pupil), m_texts(ProgressTexts::From(texts)), m_uiTexts(texts), m_split(split),
      m_ports(std::move(ports)) {
    m_ownStore->Open(databasePath, "");
    Build();
}

ProgressWindow::~ProgressWindow() = default;

ProgressWindowPorts ProgressWindow::DesktopPorts(QWidget* parent) {
    static QtMessagePort messages;
    messages.SetParent(parent);
    ProgressWindowPorts ports;
    ports.messages = &messages;
    ports.openFile = [](const QString& path) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    };
    ports.now = [] { return static_cast<std::int64_t>(std::time(nullptr)); };
    ports.printerAvailable = DefaultPrinterExists();
    return ports;
}

void ProgressWindow::Build() {
    setObjectName(QStringLiteral("frmProgressi"));
    setModal(true);
    resize(kWindowWidth, kWindowHeight);
    if (const auto info = m_store.Pupil(m_pupil))
        m_pupilInfo = *info;

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    lblAlunno = new QLabel(this);
    lblAlunno->setObjectName(QStringLiteral("lblAlunno"));
    QFont bold = lblAlunno->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    lblAlunno->setFont(bold);
    lblPeriodo = new QLabel(this);
    cboPeriodo = new QComboBox(this);
    cboPeriodo->setObjectName(QStringLiteral("cboPeriodo"));
    lblPeriodo->setBuddy(cboPeriodo);
    top->addWidget(lblAlunno, 1);
    top->addWidget(lblPeriodo);
    top->addWidget(cboPeriodo);
    layout->addLayout(top);

    lblTotali = new QLabel(this);
    lblTotali->setObjectName(QStringLiteral("lblTotali"));
    lblTotali->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(lblTotali);

    auto* charts = new QHBoxLayout;
    chartVelocita = NewDayChart(QStringLiteral("chartVelocita"), kChartHeight, this);
    chartPrecisione = NewDayChart(QStringLiteral("chartPrecisione"), kChartHeight, this);
    charts->addWidget(chartVelocita);
    charts->addWidget(chartPrecisione);
    layout->addLayout(charts, 1);

    auto* lower = new QGridLayout;
    tabMappe = new QTabWidget(this);
    tabMappe->setObjectName(QStringLiteral("tabMappe"));
    picMappaErrori = new KeyMapView(KeyMapMode::Errors, tabMappe);
    picMappaLentezza = new KeyMapView(KeyMapMode::Slowness, tabMappe);
    tabMappe->addTab(picMappaErrori, QString());
    tabMappe->addTab(picMappaLentezza, QString());
    lower->addWidget(tabMappe, 0, 0, kMapRows, 1);
    lblDita = new QLabel(this);
    picErroriDita = new FingerBarsView(this);
    lblConfusioni = new QLabel(this);
    txtConfusioni = new QPlainTextEdit(this);
    txtConfusioni->setObjectName(QStringLiteral("txtConfusioni"));
    txtConfusioni->setReadOnly(true);
    lblConfusioni->setBuddy(txtConfusioni);
    lower->addWidget(lblDita, 0, 1);
    lower->addWidget(picErroriDita, 1, 1);
    lower->addWidget(lblConfusioni, 2, 1);
    lower->addWidget(txtConfusioni, 3, 1);
    lblAllenamento = new QLabel(this);
    lblAllenamento->setObjectName(QStringLiteral("lblAllenamento"));
    lblAllenamento->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblAllenamento->hide();
    lower->addWidget(lblAllenamento, kAimedKeysRow, 1);
    lower->setColumnStretch(0, 3);
    lower->setColumnStretch(1, 2);
    layout->addLayout(lower, 1);

    auto* buttons = new QHBoxLayout;
    cmdStampa = new QPushButton(this);
    cmdStampa->setObjectName(QStringLiteral("cmdStampa"));
    cmdStampa->setEnabled(m_ports.printerAvailable);
    cmdPdf = new QPushButton(this);
    cmdPdf->setObjectName(QStringLiteral("cmdPdf"));
    cmdChiudi = new QPushButton(this);
    cmdChiudi->setObjectName(QStringLiteral("cmdChiudi"));
    buttons->addStretch(1);
    buttons->addWidget(cmdStampa);
    buttons->addWidget(cmdPdf);
    buttons->addWidget(cmdChiudi);
    layout->addLayout(buttons);

    ApplyTexts();
    cboPeriodo->setCurrentIndex(static_cast<int>(m_period));
    connect(cboPeriodo, &QComboBox::currentIndexChanged, this,
            [this](int index) { SetPeriod(static_cast<Period>(index)); });
    connect(cmdStampa, &QPushButton::clicked, this, [this] { Print(); });
    connect(cmdPdf, &QPushButton::clicked, this, [this] { ExportPdf(); });
    connect(cmdChiudi, &QPushButton::clicked, this, &QDialog::accept);
    Refresh();
    // The summary takes the keyboard first: its text can be selected and copied.
    txtConfusioni->setFocus();
}

void ProgressWindow::ApplyTexts() {
    QString caption = Q(m_texts.caption) + QStringLiteral(" - ") + QLatin1String(kProduct);
    if (ReadOnlyFile())
        caption += QLatin1Char(' ') + Q(m_texts.readOnly);
    setWindowTitle(caption);
    QString who = Q(m_pupilInfo.name);
    if (!m_pupilInfo.className.empty())
        who += QStringLiteral(" (") + Q(m_pupilInfo.className) + QLatin1Char(')');
    lblAlunno->setText(who);
    lblPeriodo->setText(Q(m_texts.periodLabel));
    const QSignalBlocker quiet(cboPeriodo);
    cboPeriodo->clear();
    for (const std::string& name : m_texts.periodNames)
        cboPeriodo->addItem(Q(name));
    tabMappe->setTabText(0, Q(m_texts.errorMap));
    tabMappe->setTabText(1, Q(m_texts.slownessMap));
    lblDita->setText(Q(m_texts.fingerErrors));
    lblConfusioni->setText(Q(m_texts.confusions));
    cmdStampa->setText(Q(m_texts.print));
    cmdPdf->setText(Q(m_texts.exportPdf));
    cmdChiudi->setText(Q(m_texts.close));
}

void ProgressWindow::SetPeriod(Period period) {
    m_period = period;
    if (cboPeriodo->currentIndex() != static_cast<int>(period)) {
        const QSignalBlocker quiet(cboPeriodo);
        cboPeriodo->setCurrentIndex(static_cast<int>(period));
    }
    Refresh();
}

void ProgressWindow::SetAimedKeys(const std::string& cp1252Characters) {
    std::string keys;
    for (const char c : cp1252Characters) {
        if (!keys.empty())
            keys += ' ';
        keys += c;
    }
    lblAllenamento->setText(keys.empty() ? QString()
                                         : Q(Labelled(m_uiTexts.Text(kAimedKeysLabel), keys)));
    lblAllenamento->setVisible(!keys.empty());
}

void ProgressWindow::Refresh() {
    m_figures = m_store.Figures(m_pupil, m_period, m_ports.now ? m_ports.now() : 0);
    FillCharts();
    picMappaErrori->SetShades(ShadeKeys(m_figures.keys, KeyMapMode::Errors), m_texts);
    picMappaLentezza->SetShades(ShadeKeys(m_figures.keys, KeyMapMode::Slowness), m_texts);
    picErroriDita->SetFingers(FingerErrorRates(picMappaErrori->Shades(), m_split), m_texts);
    FillSummary();
}

void ProgressWindow::FillCharts() {
    double fastest = 0;
    double lowest = 1;
    for (const DayFigures& day : m_figures.days) {
        fastest = std::max(fastest, SpeedOf(day));
        lowest = std::min(lowest, day.accuracy);
    }
    const double speedTop =
        std::max<double>(kSpeedAxisStep, std::ceil(fastest / kSpeedAxisStep) * kSpeedAxisStep);
    FillChart(chartVelocita, Q(m_texts.speedChart), m_figures.days, kSpeedColour, SpeedOf, 0,
              speedTop);
    const double accuracyBottom = std::min(90.0, std::floor(lowest * 10.0) * 10.0);
    FillChart(chartPrecisione, Q(m_texts.accuracyChart), m_figures.days, kAccuracyColour,
              AccuracyOf, accuracyBottom, 100.0);
}

void ProgressWindow::FillSummary() {
    const std::int64_t keystrokes = m_figures.correct + m_figures.wrong;
    const double errorShare =
        keystrokes > 0 ? static_cast<double>(m_figures.wrong) / static_cast<double>(keystrokes)
                       : 0.0;
    QStringList totals;
    totals << Q(Labelled(m_texts.bestSpeed, SpeedPerMinuteText(m_figures.bestSpeed)))
           << Q(Labelled(m_texts.sentences, std::to_string(m_figures.sentences)))
           << Q(Labelled(m_texts.keystrokes, std::to_string(keystrokes)))
           << Q(Labelled(m_texts.errors, std::to_string(m_figures.wrong) + " (" +
                                             PercentText(errorShare, DecimalSeparator()) + ")"))
           << Q(Labelled(m_texts.minutes,
                         std::to_string(std::lround(static_cast<double>(m_figures.seconds) /
                                                    kSecondsPerMinute))));
    QString line = totals.join(QStringLiteral("     "));
    if (m_figures.sentences == 0)
        line += QStringLiteral("     ") + Q(m_texts.noPractice);
    lblTotali->setText(line);

    QStringList lines;
    lines << Q(Labelled(m_texts.weakestKeys, FromQString(picMappaErrori->WorstKeysText())));
    lines << QString();
    for (const ConfusionFigures& c : m_figures.topConfusions)
        lines << Q(ConfusionText(m_texts, c));
    if (m_figures.topConfusions.empty())
        lines << Q(m_texts.none);
    txtConfusioni->setPlainText(lines.join(QLatin1Char('\n')));
}

QString ProgressWindow::DateRange() const {
    const QDate today =
        m_ports.now ? QDateTime::fromSecsSinceEpoch(m_ports.now()).date() : QDate::currentDate();
    QDate first;
    switch (m_period) {
    case Period::LastWeek:
        first = today.addDays(1 - kDaysInWeek);
        break;
    case Period::LastMonth:
        first = today.addDays(1 - kDaysInMonth);
        break;
    case Period::LastYear:
        first = today.addDays(1 - kDaysInYear);
        break;
    case Period::All:
        if (m_figures.days.empty())
            return {};
        first = ToQDate(m_figures.days.front().date);
        break;
    }
    const QString format = QStringLiteral("dd/MM/yyyy");
    return first.toString(format) + QStringLiteral(" - ") + today.toString(format);
}

ProgressReportInput ProgressWindow::ReportInput() const {
    ProgressReportInput input;
    input.pupilName = m_pupilInfo.name;
    input.pupilClass = m_pupilInfo.className;
    input.period = m_period;
    input.dateRange = FromQString(DateRange());
    input.date = FromQString(QLocale::system().toString(QDate::currentDate(), QLocale::LongFormat));
    input.split = m_split;
    input.decimalSeparator = DecimalSeparator();
    return input;
}

bool ProgressWindow::ExportPdf() {
    if (!m_pdfFolder || !m_pdfFolder->isValid()) {
        m_pdfFolder =
            std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/Zentavo-XXXXXX"));
    }
    QString name = Q(m_texts.caption) + QLatin1Char(' ') + Q(m_pupilInfo.name);
    for (QChar& c : name)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20)
            c = QLatin1Char('_');
    m_pdfPath = m_pdfFolder->path() + QLatin1Char('/') + name + QStringLiteral(".pdf");
    bool written = m_pdfFolder->isValid();
    if (written) {
        try {
            CreaProgressPDF(QFile::encodeName(m_pdfPath).toStdString(), m_texts, m_figures,
                            ReportInput());
        } catch (const std::exception&) {
            written = false;
        }
    }
    if (!written) {
        if (m_ports.messages)
            m_ports.messages->Show(QMessageBox::Warning, Q(m_uiTexts.Text(kWarningTitle)),
                                   Q(std::string(kCannotWrite)) + QStringLiteral("\r\n") +
                                       QDir::toNativeSeparators(m_pdfPath));
        return false;
    }
    return m_ports.openFile ? m_ports.openFile(m_pdfPath) : true;
}

bool ProgressWindow::Print() {
    QPrinter printer(QPrinter::HighResolution);
    const bool sent = PrintProgress(printer, m_texts, m_figures, ReportInput());
    if (m_ports.messages)
        m_ports.messages->Show(sent ? QMessageBox::Information : QMessageBox::Critical,
                               QLatin1String(kProduct),
                               Q(m_uiTexts.Text(sent ? kPrintSent : kPrintFailed)));
    return sent;
}
