#include "editor/ui/frmClasse.h"

#include "common/core/ProgramPaths.h"
#include "common/core/Settings.h"
#include "common/ui/KeyMapView.h"
#include "common/ui/Messages.h"
#include "common/ui/ProgressWindow.h"
#include "common/ui/QtCp1252.h"
#include "editor/core/ClassReport.h"
#include "editor/core/OpenSave.h"
#include "editor/ui/frmCartellaClasse.h"

#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <ctime>

namespace {

constexpr int kWindowWidth = 1180;
constexpr int kWindowHeight = 820;
// Room left on the screen for the window manager's title bar and borders.
constexpr int kFrameAllowance = 40;
constexpr int kKeyMapMaxWidth = 620;
constexpr int kRowPadding = 8;
// Column titles longer than this are laid out on two lines.
constexpr std::size_t kTitleLineLength = 14;
constexpr const char* kProduct = "Zentavo";
const QColor kUnreadableColour(170, 40, 30);

QString Q(const std::string& cp1252) {
    return ToQString(cp1252);
}

// A caption without its mnemonic and its "...": the title of its dialog.
std::string DialogTitle(std::string caption) {
    std::erase(caption, '&');
    while (!caption.empty() && (caption.back() == '.' || caption.back() == ' '))
        caption.pop_back();
    return caption;
}

bool RightAligned(RosterColumn column) {
    switch (column) {
    case RosterColumn::ExercisesFinished:
    case RosterColumn::SpeedNow:
    case RosterColumn::SpeedEarlier:
    case RosterColumn::Accuracy:
    case RosterColumn::Sentences:
        return true;
    default:
        return false;
    }
}

} // namespace

frmClasse::frmClasse(std::string settingsFile, const UiTexts& editorTexts,
                     const UiTexts& tutorTexts, CsvConventions conventions, ClassWindowPorts ports,
                     QWidget* parent)
    : QDialog(parent), m_settingsFile(std::move(settingsFile)), m_editorTexts(editorTexts),
      m_tutorTexts(tutorTexts), m_texts(ClassTexts::From(editorTexts)),
      m_conventions(std::move(conventions)), m_ports(std::move(ports)) {
    m_cells.decimalMark = m_conventions.cells.decimalMark;
    m_cells.dates = m_conventions.cells.dates;
    m_cells.spaceKey = m_texts.spaceKey;
    m_cells.enterKey = m_texts.enterKey;
    Build();
    ApplyTexts();
    Reload();
}

frmClasse::~frmClasse() = default;

ClassWindowPorts frmClasse::DesktopPorts(QWidget* parent, MessagePort& messages,
                                         FileDialogPort& fileDialogs, const UiTexts& tutorTexts) {
    ClassWindowPorts ports;
    ports.messages = &messages;
    ports.fileDialogs = &fileDialogs;
    ports.now = [] { return static_cast<std::int64_t>(std::time(nullptr)); };
    ports.chooseFolder = [](QWidget* owner, const QString& caption, const std::string& start) {
        const QString chosen =
            QFileDialog::getExistingDirectory(owner, caption, PathToQString(start));
        return chosen.isEmpty() ? std::string() : PathFromQString(chosen);
    };
    ports.openFile = [](const QString& path) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    };
    ports.showProgress = [tutorTexts, parent](QWidget* owner, const std::string& file,
                                              PupilId pupil) {
        ProgressWindow window(file, pupil, tutorTexts, KeySplit::Classic,
                              ProgressWindow::DesktopPorts(owner ? owner : parent), owner);
        window.exec();
    };
    return ports;
}

void frmClasse::Build() {
    setObjectName(QStringLiteral("frmClasse"));
    // As large as the figures want, but within the screen: many school
    // computers still show 1024 x 768.
    const QRect area = screen()->availableGeometry();
    resize(std::min(kWindowWidth, area.width() - kFrameAllowance),
           std::min(kWindowHeight, area.height() - kFrameAllowance));
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    lblCartella = new QLabel(this);
    lblCartella->setObjectName(QStringLiteral("lblCartella"));
    lblCartella->setTextInteractionFlags(Qt::TextSelectableByMouse);
    cmdCartella = new QPushButton(this);
    cmdCartella->setObjectName(QStringLiteral("cmdCartella"));
    lblClasse = new QLabel(this);
    cboClasse = new QComboBox(this);
    cboClasse->setObjectName(QStringLiteral("cboClasse"));
    cboClasse->setMinimumContentsLength(8);
    lblClasse->setBuddy(cboClasse);
    cmdAggiorna = new QPushButton(this);
    cmdAggiorna->setObjectName(QStringLiteral("cmdAggiorna"));
    top->addWidget(lblCartella, 1);
    top->addWidget(cmdCartella);
    top->addSpacing(16);
    top->addWidget(lblClasse);
    top->addWidget(cboClasse);
    top->addWidget(cmdAggiorna);
    layout->addLayout(top);

    grdAlunni = new QTableWidget(0, kRosterColumnCount, this);
    grdAlunni->setObjectName(QStringLiteral("grdAlunni"));
    grdAlunni->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdAlunni->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdAlunni->setSelectionMode(QAbstractItemView::SingleSelection);
    grdAlunni->verticalHeader()->hide();
    grdAlunni->verticalHeader()->setDefaultSectionSize(grdAlunni->fontMetrics().height() +
                                                       kRowPadding);
    grdAlunni->horizontalHeader()->setSectionsClickable(true);
    grdAlunni->horizontalHeader()->setSortIndicatorShown(true);
    grdAlunni->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(grdAlunni, 3);

    lblAvviso = new QLabel(this);
    lblAvviso->setObjectName(QStringLiteral("lblAvviso"));
    lblAvviso->setWordWrap(true);
    lblAvviso->hide();
    layout->addWidget(lblAvviso);

    auto* summary = new QHBoxLayout;
    auto* mapColumn = new QVBoxLayout;
    lblTastiClasse = new QLabel(this);
    lblTastiClasse->setObjectName(QStringLiteral("lblTastiClasse"));
    QFont bold = lblTastiClasse->font();
    bold.setBold(true);
    lblTastiClasse->setFont(bold);
    picMappaClasse = new KeyMapView(KeyMapMode::Errors, this);
    picMappaClasse->setObjectName(QStringLiteral("picMappaClasse"));
    picMappaClasse->setMaximumWidth(kKeyMapMaxWidth);
    mapColumn->addWidget(lblTastiClasse);
    mapColumn->addWidget(picMappaClasse, 1);
    summary->addLayout(mapColumn);
    summary->addSpacing(16);
    lblElencoTasti = new QLabel(this);
    lblElencoTasti->setObjectName(QStringLiteral("lblElencoTasti"));
    lblElencoTasti->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    lblElencoTasti->setTextInteractionFlags(Qt::TextSelectableByMouse);
    summary->addWidget(lblElencoTasti, 1);
    layout->addLayout(summary);

    auto* buttons = new QHBoxLayout;
    lblSuggerimento = new QLabel(this);
    lblSuggerimento->setObjectName(QStringLiteral("lblSuggerimento"));
    cmdCsv = new QPushButton(this);
    cmdCsv->setObjectName(QStringLiteral("cmdCsv"));
    cmdPdf = new QPushButton(this);
    cmdPdf->setObjectName(QStringLiteral("cmdPdf"));
    cmdChiudi = new QPushButton(this);
    cmdChiudi->setObjectName(QStringLiteral("cmdChiudi"));
    buttons->addWidget(lblSuggerimento, 1);
    buttons->addWidget(cmdCsv);
    buttons->addWidget(cmdPdf);
    buttons->addWidget(cmdChiudi);
    layout->addLayout(buttons);

    for (QPushButton* button : findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->setCursor(Qt::PointingHandCursor);
    }
    cboClasse->setCursor(Qt::PointingHandCursor);

    connect(grdAlunni->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        const auto column = static_cast<RosterColumn>(section);
        SortBy(column, column == m_sortColumn ? !m_descending : false);
    });
    // A double click, or Enter on a row, as the desktop activates items.
    connect(grdAlunni, &QAbstractItemView::activated, this,
            [this](const QModelIndex& index) { OpenProgress(index.row()); });
    connect(cboClasse, &QComboBox::activated, this, [this](int index) {
        ShowClass(index <= 0 ? std::string() : FromQString(cboClasse->itemText(index)));
    });
    connect(cmdAggiorna, &QPushButton::clicked, this, &frmClasse::Reload);
    connect(cmdCartella, &QPushButton::clicked, this, &frmClasse::ChooseFolder);
    connect(cmdCsv, &QPushButton::clicked, this, &frmClasse::ExportCsv);
    connect(cmdPdf, &QPushButton::clicked, this, &frmClasse::ExportPdf);
    connect(cmdChiudi, &QPushButton::clicked, this, &QDialog::accept);
}

void frmClasse::ApplyTexts() {
    setWindowTitle(Q(m_texts.caption) + QStringLiteral(" - ") + QLatin1String(kProduct));
    cmdCartella->setText(Q(m_texts.folderCaption));
    lblClasse->setText(Q(m_texts.classFilter));
    cmdAggiorna->setText(Q(m_texts.refresh));
    QStringList titles;
    for (const std::string& title : m_texts.columns) {
        // Two lines for a long title, so that the columns are as wide as their figures need.
        const auto [first, second] = SplitTitle(title, kTitleLineLength);
        titles << (second.empty() ? Q(first) : Q(first) + QLatin1Char('\n') + Q(second));
    }
    grdAlunni->setHorizontalHeaderLabels(titles);
    lblTastiClasse->setText(Q(m_texts.mostWrongKeys));
    lblSuggerimento->setText(Q(m_texts.doubleClickHint));
    cmdCsv->setText(Q(m_texts.exportCsv));
    cmdPdf->setText(Q(m_texts.pdfReport));
    cmdChiudi->setText(Q(m_texts.close));
}

void frmClasse::Reload() {
    m_folder = LoadClassFolder(m_settingsFile);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_roster = ReadClassRoster(m_folder, m_ports.now ? m_ports.now() : 0);
    QApplication::restoreOverrideCursor();

    lblCartella->setText(m_folder.empty() ? Q(m_texts.noFolder) : PathToQString(m_folder));
    QString warning;
    if (m_roster.problem != FolderProblem::None && m_roster.problem != FolderProblem::NotSet)
        warning = Q(m_texts.folderUnreadable) + QLatin1Char(' ') + PathToQString(m_folder);
    else if (m_roster.cutShort)
        warning = Q(m_texts.cutShort);
    lblAvviso->setText(warning);
    lblAvviso->setVisible(!warning.isEmpty());

    const std::vector<std::string> classes = ClassesOf(m_roster.rows);
    if (std::find(classes.begin(), classes.end(), m_class) == classes.end())
        m_class.clear();
    const QSignalBlocker quiet(cboClasse);
    cboClasse->clear();
    cboClasse->addItem(Q(m_texts.allClasses));
    for (const std::string& name : classes) {
        cboClasse->addItem(Q(name));
        if (name == m_class)
            cboClasse->setCurrentIndex(cboClasse->count() - 1);
    }
    Refill();
}

void frmClasse::SortBy(RosterColumn column, bool descending) {
    m_sortColumn = column;
    m_descending = descending;
    Refill();
}

void frmClasse::ShowClass(const std::string& className) {
    m_class = className;
    const int index = className.empty() ? 0 : cboClasse->findText(Q(className));
    if (index >= 0 && cboClasse->currentIndex() != index) {
        const QSignalBlocker quiet(cboClasse);
        cboClasse->setCurrentIndex(index);
    }
    Refill();
}

void frmClasse::Refill() {
    m_shown = RowsOfClass(m_roster.rows, m_class);
    SortRoster(m_shown, m_sortColumn, m_descending);
    m_summary = SummariseClass(m_shown);
    FillTable();
    FillSummary();
    const bool any = !m_shown.empty();
    cmdCsv->setEnabled(any);
    cmdPdf->setEnabled(any);
}

void frmClasse::FillTable() {
    grdAlunni->clearSpans();
    grdAlunni->setRowCount(static_cast<int>(m_shown.size()));
    const int fileColumn = static_cast<int>(RosterColumn::File);
    for (int r = 0; r < static_cast<int>(m_shown.size()); ++r) {
        const RosterRow& row = m_shown[static_cast<std::size_t>(r)];
        for (int c = 0; c < kRosterColumnCount; ++c) {
            const auto column = static_cast<RosterColumn>(c);
            QString text;
            if (column == RosterColumn::File)
                text = PathToQString(row.fileName);
            else if (row.Readable())
                text = Q(RosterCell(row, column, m_cells));
            else if (column == RosterColumn::Name)
                text = PathToQString(row.fileName);
            else if (column == RosterColumn::Class)
                text = Q(m_texts.Problem(row.problem));
            auto* item = new QTableWidgetItem(text);
            if (RightAligned(column))
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (!row.Readable()) {
                item->setForeground(kUnreadableColour);
                item->setToolTip(Q(m_texts.Problem(row.problem)));
            }
            grdAlunni->setItem(r, c, item);
        }
        if (!row.Readable())
            grdAlunni->setSpan(r, static_cast<int>(RosterColumn::Class), 1,
                               fileColumn - static_cast<int>(RosterColumn::Class));
    }
    grdAlunni->horizontalHeader()->setSortIndicator(
        static_cast<int>(m_sortColumn), m_descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    grdAlunni->resizeColumnsToContents();
}

void frmClasse::FillSummary() {
    const ProgressTexts progressTexts = ProgressTexts::From(m_tutorTexts);
    picMappaClasse->SetShades(ShadeKeys(m_summary.keys, KeyMapMode::Errors), progressTexts);
    QStringList lines;
    lines << Q(m_texts.reportPupils + " " + std::to_string(m_summary.pupils));
    if (m_summary.unreadable > 0)
        lines << Q(m_texts.reportUnreadable + " " + std::to_string(m_summary.unreadable));
    lines << QString();
    if (m_summary.mostWrong.empty())
        lines << Q(m_texts.noWrongKeys);
    for (const KeyFigures& key : m_summary.mostWrong)
        lines << Q(MostWrongKeyText(key, m_cells));
    lblElencoTasti->setText(lines.join(QLatin1Char('\n')));
}

std::string frmClasse::SaveName(const std::string& description, const std::string& extension) {
    if (m_ports.fileDialogs == nullptr)
        return {};
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.title = DialogTitle(description);
    request.filters = {
        {(extension == "csv" ? m_texts.csvFiles : m_texts.pdfFiles) + " (*." + extension + ")",
         "*." + extension}};
    std::string name = DialogTitle(m_texts.caption);
    if (!m_class.empty())
        name += "-" + m_class;
    request.initialName = Cp1252ToFileName(name) + "." + extension;
    request.defaultExtension = extension;
    request.initialFolder =
        PathFromQString(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    request.owner = this;
    return m_ports.fileDialogs->Run(request);
}

void frmClasse::TellCannotWrite(const std::string& path) {
    if (m_ports.messages != nullptr)
        m_ports.messages->Show(QMessageBox::Critical, Q(m_texts.caption),
                               Q(m_texts.cannotWrite) + QStringLiteral("\r\n") +
                                   PathToQString(path));
}

bool frmClasse::ExportCsv() {
    const std::string path = SaveName(m_texts.exportCsv, "csv");
    if (path.empty())
        return false;
    if (!WriteClassCsv(path, m_shown, m_texts, m_conventions)) {
        TellCannotWrite(path);
        return false;
    }
    return true;
}

bool frmClasse::ExportPdf() {
    const std::string path = SaveName(m_texts.pdfReport, "pdf");
    if (path.empty())
        return false;
    ClassReportInput input;
    input.className = m_class;
    input.date = DateText(m_ports.now ? m_ports.now() : 0, m_cells.dates);
    input.cells = m_cells;
    if (!WriteClassReport(path, m_shown, m_summary, m_texts, input)) {
        TellCannotWrite(path);
        return false;
    }
    // A report that no viewer opens is still written where the teacher chose.
    if (m_ports.openFile)
        m_ports.openFile(PathToQString(path));
    return true;
}

bool frmClasse::OpenProgress(int shownRow) {
    if (shownRow < 0 || shownRow >= static_cast<int>(m_shown.size()))
        return false;
    const RosterRow& row = m_shown[static_cast<std::size_t>(shownRow)];
    if (!row.Readable())
        return false;
    if (!m_copies)
        m_copies = std::make_unique<QTemporaryDir>();
    const std::string copy =
        PathFromQString(m_copies->filePath(QStringLiteral("pupil-%1.sqlite").arg(++m_copiesMade)));
    RosterProblem problem = RosterProblem::None;
    if (!m_copies->isValid() || !CopyPupilFile(row.file, copy, &problem)) {
        if (problem == RosterProblem::None)
            TellCannotWrite(copy);
        else if (m_ports.messages != nullptr)
            m_ports.messages->Show(QMessageBox::Warning, Q(m_texts.caption),
                                   PathToQString(row.fileName) + QStringLiteral(": ") +
                                       Q(m_texts.Problem(problem)));
        return false;
    }
    if (m_ports.showProgress)
        m_ports.showProgress(this, copy, row.pupil.id);
    return true;
}

void frmClasse::ChooseFolder() {
    frmCartellaClasse dialog(m_settingsFile, m_texts, m_ports.messages, m_ports.chooseFolder, this);
    if (dialog.exec() == QDialog::Accepted)
        Reload();
}
