#include "tutor/ui/frmClassifica.h"

#include "common/core/ProgramPaths.h"

#include "common/core/UiTexts.h"
#include "common/ui/Pictures.h"
#include "common/ui/QtCp1252.h"
#include "tutor/core/Scoring.h"
#include "tutor/ui/ResultsPrinter.h"
#include "tutor/ui/ResultsWindowPorts.h"
#include "tutor/ui/ZentavoLook.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

namespace {

constexpr const char* kTitleWord = "ZENTAVO";
constexpr int kLetterLeft = 116;
constexpr int kLetterTop = 4;
constexpr QSize kLetterSize(20, 21);
constexpr int kLetterGap = 6;
const QColor kFrameLight(190, 190, 190);
const QColor kFrameDark(120, 120, 120);
const QColor kLetterFace(246, 246, 240);
const QColor kLetterColours[] = {QColor(220, 60, 50),  QColor(240, 140, 20), QColor(60, 160, 70),
                                 QColor(40, 120, 200), QColor(130, 80, 190), QColor(220, 60, 50),
                                 QColor(240, 140, 20)};

constexpr int kImageSide = 28;
constexpr QPoint kAnimationAt(14, 1);
constexpr QPoint kPrinterAt(331, 1);
constexpr QPoint kPdfAt(367, 1);
// The pupil's progress, beside the animation and clear of the title.
constexpr QPoint kProgressAt(48, 1);
constexpr int kAnimationFrames = 4;
constexpr int kAnimationMs = 300;
constexpr int kOpeningSound = 106;
constexpr std::size_t kMaxNameLength = 30;

// Millimetres of the window's drawing surface.
constexpr std::array<double, 3> kHeadingTops = {8.0, 43.0, 78.0};
constexpr std::array<double, 3> kRowTops = {15.0, 50.0, 85.0};
constexpr double kPanelLeft = 4.0;
constexpr double kPanelWidth = 100.5;
constexpr double kHeadingHeight = 5.5;
constexpr double kPanelHeight = 33.0;
constexpr double kRowLeft = 8.0;
constexpr double kPointsLabelX = 62.0;
constexpr double kNumbersEnd = 108.0;
constexpr double kNumbersInset = 20.0;
constexpr double kRatingLeft = 90.0;
constexpr double kRatingSide = 12.0;
constexpr double kRatingDown = 11.0;
constexpr double kBalloonTop = 113.5;
constexpr double kBalloonHeight = 31.0;
const std::array<QColor, 3> kHeadingColours = {QColor(46, 139, 62), QColor(196, 148, 0),
                                               QColor(196, 52, 46)};
const QColor kRowColour(255, 255, 255);
const QColor kAverageColour(255, 255, 0);

int Px(double mm) {
    return static_cast<int>(std::lround(mm * frmClassifica::kPxPerMm));
}

QRect MmRect(double x, double y, double width, double height) {
    return QRect(Px(x), Px(y), Px(width), Px(height));
}

// The date of the PDF page: weekday, day, month and year in the system's
// language, then the time in its long format (without a time zone).
std::string PdfDate(const QDateTime& now) {
    const QLocale locale = QLocale::system();
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    timeFormat.remove(QLatin1Char('t'));
    return FromQString(locale.toString(now.date(), QStringLiteral("dddd, dd MMMM yyyy")) +
                       QStringLiteral(" (") + locale.toString(now.time(), timeFormat.trimmed()) +
                       QLatin1Char(')'));
}

char DecimalSeparator() {
    const std::string separator = FromQString(QLocale::system().decimalPoint());
    return separator.empty() ? '.' : separator.front();
}

// A dark, see-through box that keeps the white rows readable on every
// background theme, with a soft shadow below and to the right.
class ShadowBox : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 60));
        painter.drawRoundedRect(QRectF(rect()).adjusted(4, 4, 0, 0), 7, 7);
        painter.setBrush(QColor(18, 28, 48, 190));
        painter.drawRoundedRect(QRectF(rect()).adjusted(0, 0, -4, -4), 7, 7);
    }
};

// The balloon behind the end message, in the tool-tip colour.
class Balloon : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 60));
        painter.drawRoundedRect(QRectF(rect()).adjusted(4, 4, 0, 0), 12, 12);
        painter.setPen(QPen(palette().color(QPalette::ToolTipText), 1.2));
        painter.setBrush(palette().color(QPalette::ToolTipBase));
        painter.drawRoundedRect(QRectF(rect()).adjusted(1.5, 1.5, -4.5, -4.5), 12, 12);
    }
};

} // namespace

// Tells the pupil with the normal pointer, even while the hourglass shows.
class frmClassifica::PointerMessages : public MessagePort {
public:
    explicit PointerMessages(MessagePort& inner) : m_inner(inner) {}
    void Show(QMessageBox::Icon icon, const QString& title, const QString& text) override {
        QApplication::setOverrideCursor(Qt::ArrowCursor);
        m_inner.Show(icon, title, text);
        QApplication::restoreOverrideCursor();
    }
    bool AskYesNo(const QString& title, const QString& text) override {
        return m_inner.AskYesNo(title, text);
    }

private:
    MessagePort& m_inner;
};

// The window's drawing surface: the texts written on it by ShowAllLevels,
// above the shadow boxes and below every control.
class frmClassifica::Sheet : public QWidget {
public:
    Sheet(frmClassifica& window) : QWidget(&window), m_window(window) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setGeometry(0, 0, kWidth, kHeight);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::TextAntialiasing);
        for (const PrintedText& text : m_window.m_sheet)
            ResultsPrintCursor::Paint(painter, text, kPxPerMm);
    }

private:
    frmClassifica& m_window;
};

frmClassifica::frmClassifica(const ResultsTable& table, ResultsWindowContext context,
                             ResultsWindowPorts ports, QWidget* owner)
    : QDialog(owner), m_context(std::move(context)), m_ports(ports),
      m_pdfMessages(std::make_unique<PointerMessages>(ports.dialogs)),
      m_pdf(ports.viewer, *m_pdfMessages) {
    if (m_context.texts == nullptr) {
        m_ownTexts = UiTexts::BuiltIn(UiProgram::Tutor);
        m_context.texts = &*m_ownTexts;
    }
    m_pdf.SetTexts(*m_context.texts);
    m_figures.table = table;
    // The report is text of the code page; the path is the system's bytes.
    const std::size_t slash = m_context.exerciseFile.find_last_of('/');
    m_figures.exerciseFileName =
        FileNameToCp1252(slash == std::string::npos ? m_context.exerciseFile
                                                    : m_context.exerciseFile.substr(slash + 1));
    m_figures.decimalSeparator = DecimalSeparator();

    setObjectName(QStringLiteral("frmClassifica"));
    setWindowTitle(QStringLiteral("Zentavo"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowStaysOnTopHint);
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(kWidth, kHeight);
    const int theme = m_context.backgroundTheme;
    m_background =
        GradientStrip(kHeight, [theme](int row) { return ThemeRowColour(theme, row, kHeight); });

    BuildControls();
    LoadResultsTexts();
    BuildTitleLetters();
    m_message->setText(ToQString(m_figures.EndMessage()).replace(QStringLiteral("\r\n"), "\n"));
    for (QLabel* image : m_printerImages)
        image->setCursor(Qt::PointingHandCursor);
    for (QLabel* image : m_pdfImages)
        image->setCursor(Qt::PointingHandCursor);
    for (QPushButton* button : m_answers)
        button->setCursor(Qt::PointingHandCursor);
    // All three pictures follow the button's state: a hover or pressed
    // picture left enabled would light a greyed button up and take clicks.
    const bool printerAvailable = m_ports.printer.Available();
    for (QLabel* image : m_printerImages)
        image->setEnabled(printerAvailable);
    LoadRatingSymbols();
    m_animation->setPixmap(Pictures::pixmap(400, QSize(kImageSide, kImageSide)));
    m_timer->start();
    ShowAllLevels();
    if (m_context.soundsOn && m_context.playSound)
        m_context.playSound(kOpeningSound);
}

frmClassifica::~frmClassifica() {
    m_timer->stop();
}

void frmClassifica::BuildControls() {
    for (std::size_t k = 0; k < m_shadows.size(); ++k) {
        auto* shadow = new ShadowBox(this);
        shadow->setObjectName(QStringLiteral("shpShadow(%1)").arg(k));
        shadow->setAttribute(Qt::WA_TransparentForMouseEvents);
        shadow->setGeometry(MmRect(kPanelLeft, kHeadingTops[k], kPanelWidth, kPanelHeight));
        shadow->setVisible(k == 0);
        m_shadows[k] = shadow;
    }
    m_sheetWidget = new Sheet(*this);

    QFont headingFont(QStringLiteral("Arial"));
    headingFont.setPixelSize(12);
    headingFont.setBold(true);
    for (std::size_t k = 0; k < m_headings.size(); ++k) {
        auto* heading = new QLabel(this);
        heading->setObjectName(QStringLiteral("lbllivelli(%1)").arg(k));
        heading->setFont(headingFont);
        heading->setGeometry(
            MmRect(kPanelLeft, kHeadingTops[k], kPanelWidth - 1.1, kHeadingHeight));
        heading->setStyleSheet(
            QStringLiteral("color: white; border-top-left-radius: 7px; "
                           "border-top-right-radius: 7px; background: qlineargradient(x1:0, "
                           "y1:0, x2:1, y2:0, stop:0 %1, stop:1 rgba(0, 0, 0, 0));")
                .arg(kHeadingColours[k].name()));
        heading->setVisible(k == 0);
        m_headings[k] = heading;

        auto* rating = new QLabel(this);
        rating->setObjectName(QStringLiteral("imgRisultato(%1)").arg(k));
        rating->setGeometry(
            MmRect(kRatingLeft, kHeadingTops[k] + kRatingDown, kRatingSide, kRatingSide));
        rating->setAlignment(Qt::AlignCenter);
        m_ratings[k] = rating;
    }
    for (std::size_t i = 0; i < m_symbols.size(); ++i) {
        auto* symbol = new QLabel(this);
        symbol->setObjectName(QStringLiteral("imgSimbolo(%1)").arg(i));
        symbol->hide();
        m_symbols[i] = symbol;
    }

    m_balloon = new Balloon(this);
    m_balloon->setObjectName(QStringLiteral("shpBallon"));
    m_balloon->setGeometry(MmRect(kPanelLeft, kBalloonTop, kPanelWidth - 1, kBalloonHeight));
    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("lblShowMess"));
    m_message->setWordWrap(true);
    m_message->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_message->setGeometry(m_balloon->geometry().adjusted(14, 8, -16, -10));
    m_message->setStyleSheet(
        QStringLiteral("color: %1;").arg(m_balloon->palette().color(QPalette::ToolTipText).name()));
    QFont messageFont(QStringLiteral("Arial"));
    messageFont.setPixelSize(12);
    m_message->setFont(messageFont);

    const std::array<QRect, 2> answerPlaces = {QRect(40, 553, 140, 30), QRect(229, 553, 140, 30)};
    for (std::size_t i = 0; i < m_answers.size(); ++i) {
        auto* button = new QPushButton(this);
        button->setObjectName(QStringLiteral("cmdRisp(%1)").arg(i));
        button->setGeometry(answerPlaces[i]);
        connect(button, &QPushButton::clicked, this,
                [this, i] { cmdRisp_Click(static_cast<int>(i)); });
        m_answers[i] = button;
    }

    m_animation = new QLabel(this);
    m_animation->setObjectName(QStringLiteral("imgAnimate"));
    m_animation->setGeometry(QRect(kAnimationAt, QSize(kImageSide, kImageSide)));
    const std::array<Pictures::Role, 3> printerRoles = {
        Pictures::Role::PrintNormal, Pictures::Role::PrintHover, Pictures::Role::PrintPressed};
    const std::array<Pictures::Role, 3> pdfRoles = {
        Pictures::Role::PdfNormal, Pictures::Role::PdfHover, Pictures::Role::PdfPressed};
    for (std::size_t i = 0; i < 3; ++i) {
        for (auto [images, roles, at, name] :
             {std::tuple{&m_printerImages, &printerRoles, kPrinterAt, "imgprinter(%1)"},
              std::tuple{&m_pdfImages, &pdfRoles, kPdfAt, "imgPdf(%1)"}}) {
            auto* image = new QLabel(this);
            image->setObjectName(QString::fromLatin1(name).arg(i));
            image->setGeometry(QRect(at, QSize(kImageSide, kImageSide)));
            image->setPixmap(Pictures::pixmap((*roles)[i], QSize(kImageSide, kImageSide)));
            image->setVisible(i == 0);
            image->installEventFilter(this);
            (*images)[i] = image;
        }
    }

    cmdProgressi = new QPushButton(this);
    cmdProgressi->setObjectName(QStringLiteral("cmdProgressi"));
    cmdProgressi->setGeometry(QRect(kProgressAt, QSize(kImageSide, kImageSide)));
    cmdProgressi->setFlat(true);
    cmdProgressi->setCursor(Qt::PointingHandCursor);
    cmdProgressi->setIcon(Pictures::icon(Pictures::Role::MenuProgress));
    cmdProgressi->setIconSize(QSize(kImageSide - 4, kImageSide - 4));
    cmdProgressi->setFocusPolicy(Qt::NoFocus);
    cmdProgressi->setVisible(static_cast<bool>(m_context.showProgress));
    connect(cmdProgressi, &QPushButton::clicked, this, [this] {
        if (m_context.showProgress)
            m_context.showProgress();
    });

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(kAnimationMs);
    connect(m_timer, &QTimer::timeout, this, &frmClassifica::Timer1_Timer);
}

void frmClassifica::LoadResultsTexts() {
    const UiTexts& texts = *m_context.texts;
    m_figures.texts = ResultsTexts::From(texts);
    for (std::size_t i = 0; i < m_answers.size(); ++i) {
        const char* id = i == 0 ? "0112" : "0114";
        m_answers[i]->setText(ToQString(texts.Text(id)));
        m_answers[i]->setToolTip(ToQString(texts.ToolTip(id)));
    }
    for (QLabel* image : m_printerImages)
        image->setToolTip(ToQString(texts.Text("0086")));
    for (QLabel* image : m_pdfImages)
        image->setToolTip(QStringLiteral("File PDF"));
    cmdProgressi->setToolTip(ToQString(texts.Text("0431")));
    for (std::size_t k = 0; k < m_headings.size(); ++k)
        m_headings[k]->setText(ToQString(
            m_figures.texts.LevelHeading(static_cast<int>(k) + 1, m_figures.table.CategoryName)));
}

void frmClassifica::BuildTitleLetters() {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(16);
    font.setBold(true);
    const QString word = QString::fromLatin1(kTitleWord);
    for (qsizetype i = 0; i < word.size(); ++i) {
        auto* letter = new QLabel(word.mid(i, 1), this);
        letter->setObjectName(QStringLiteral("lblTitolo(%1)").arg(i));
        letter->setFont(font);
        letter->setAlignment(Qt::AlignCenter);
        letter->setAutoFillBackground(true);
        QPalette colours = letter->palette();
        colours.setColor(QPalette::Window, kLetterFace);
        colours.setColor(QPalette::WindowText, kLetterColours[i]);
        letter->setPalette(colours);
        letter->resize(kLetterSize);
        const int left = i == 0
                             ? kLetterLeft
                             : m_titleLetters[static_cast<std::size_t>(i - 1)]->geometry().right() +
                                   1 + kLetterGap;
        letter->move(left, kLetterTop);
        letter->show();
        m_titleLetters[static_cast<std::size_t>(i)] = letter;
    }
}

void frmClassifica::LoadRatingSymbols() {
    const int side = Px(kRatingSide);
    for (std::size_t i = 0; i < m_symbols.size(); ++i) {
        const int icon = 420 + static_cast<int>(i) + (m_figures.table.Difficulty == 1 ? 5 : 0);
        m_symbols[i]->setPixmap(Pictures::pixmap(icon, QSize(side, side)));
    }
}

void frmClassifica::ShowAllLevels() {
    ShowLevelResults(kRowTops[0], 1);
    const std::int16_t levels = m_figures.table.LevelsReached;
    if (levels == 2) {
        ShowLevelResults(kRowTops[1], 6);
        m_headings[1]->show();
        m_shadows[1]->show();
    } else if (levels == 3) {
        for (std::size_t k = 1; k < 3; ++k) {
            m_headings[k]->show();
            m_shadows[k]->show();
        }
        ShowLevelResults(kRowTops[1], 6);
        ShowLevelResults(kRowTops[2], 11);
    }
    m_sheetWidget->update();
}

int frmClassifica::NumberWidth(int n, bool bold) const {
    return ::NumberWidth(n, m_measure, FontSpec{"Arial", 10.0f, bold, false}, 1.0 / kPxPerMm);
}

void frmClassifica::ShowLevelResults(double top, int first) {
    const ResultsTexts& texts = m_figures.texts;
    const auto level = static_cast<std::int16_t>((first - 1) / 5 + 1);
    const LevelResults results = m_figures.Level(level);
    ResultsPrintCursor cursor(this, nullptr, kPxPerMm);
    cursor.SetFontSize(10);
    cursor.SetBold(false);
    cursor.SetColour(kRowColour);
    cursor.SetY(top);
    const QString pointsLabel = ToQString(texts[3]);
    for (const ResultsRow& row : results.rows) {
        cursor.SetX(kRowLeft);
        cursor.Print(ToQString(row.label), false);
        cursor.SetX(kPointsLabelX);
        cursor.Print(pointsLabel, false);
        cursor.SetX(kNumbersEnd - NumberWidth(row.points, false) - kNumbersInset);
        cursor.Print(ToQString(row.pointsText), true);
    }
    cursor.SetY(cursor.Y() + 1);
    cursor.SetX(kRowLeft);
    cursor.SetBold(true);
    cursor.SetColour(kAverageColour);
    cursor.Print(ToQString(results.averageLabel), false);
    cursor.SetX(kPointsLabelX);
    cursor.Print(pointsLabel, false);
    cursor.SetX(kNumbersEnd - NumberWidth(results.averagePoints, true) - kNumbersInset);
    cursor.Print(ToQString(results.averagePointsText), true);
    m_sheet.insert(m_sheet.end(), cursor.Texts().begin(), cursor.Texts().end());

    const std::size_t k = static_cast<std::size_t>(level - 1);
    m_ratings[k]->setPixmap(m_symbols[static_cast<std::size_t>(results.symbol)]->pixmap());
}

bool frmClassifica::AskPlayerName() {
    const ResultsTexts& texts = m_figures.texts;
    const QString typed = m_ports.dialogs.AskTextWithAnswer(
        ToQString(texts[6]), ToQString(texts[5]), ToQString(m_context.suggestedName));
    if (typed.isEmpty() && m_ports.dialogs.AskYesNo(QStringLiteral("Zentavo"), ToQString(texts[7])))
        return false;
    m_playerName = FromQString(typed).substr(0, kMaxNameLength);
    // Printing and writing the PDF block the window: what the name's box
    // covered is painted again first (this window only, no other event).
    repaint();
    return true;
}

void frmClassifica::PrintResults() {
    if (!AskPlayerName())
        return;
    m_printFailed = false;
    ResultsPrintInput input;
    input.playerName = ToQString(m_playerName);
    input.date = QLocale::system().toString(QDate::currentDate(), QLocale::LongFormat);
    // The window's font after the panels are written: 10 points, bold.
    input.numberWidth = [this](int n) { return NumberWidth(n, true); };
    std::unique_ptr<QPrinter> printer = m_ports.printer.NewJob();
    m_printFailed = !printer || !ResultsPrintout(m_figures, input).Print(*printer);
    const ResultsTexts& texts = m_figures.texts;
    if (m_printFailed)
        m_ports.dialogs.Show(QMessageBox::Critical, QStringLiteral("Zentavo"), ToQString(texts[9]));
    else
        m_ports.dialogs.Show(QMessageBox::Information, QStringLiteral("Zentavo"),
                             ToQString(texts[8]));
}

void frmClassifica::ExportResultsPdf() {
    if (!AskPlayerName())
        return;
    // The viewer must not open behind a window that stays on top. The flag
    // goes to the native window only: changing the widget's own flags hides
    // the dialog, which ends its modal run (the program then closes as if
    // the window had been shut) and deletes the file before the viewer opens it.
    if (QWindow* handle = windowHandle())
        handle->setFlag(Qt::WindowStaysOnTopHint, false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_pdf.Export(m_figures, m_playerName, PdfDate(QDateTime::currentDateTime()));
    QApplication::restoreOverrideCursor();
}

void frmClassifica::ShowButtonImage(ImageButton button, int image) {
    std::array<QLabel*, 3>& images = button == ImageButton::Printer ? m_printerImages : m_pdfImages;
    for (std::size_t i = 0; i < images.size(); ++i)
        images[i]->setVisible(static_cast<int>(i) == image);
}

void frmClassifica::ImagePressed(ImageButton button) {
    ShowButtonImage(button, 2);
    // The pressed picture shows before the blocking print or export begins:
    // this window is painted now, and no other event is handled meanwhile.
    repaint();
    if (button == ImageButton::Printer)
        PrintResults();
    else
        ExportResultsPdf();
    const std::array<QLabel*, 3>& images =
        button == ImageButton::Printer ? m_printerImages : m_pdfImages;
    const bool under = images[0]->geometry().contains(mapFromGlobal(QCursor::pos()));
    ShowButtonImage(button, under ? 1 : 0);
    m_hover = under;
}

bool frmClassifica::eventFilter(QObject* watched, QEvent* event) {
    const auto isOneOf = [watched](const std::array<QLabel*, 3>& images) {
        return std::find(images.begin(), images.end(), watched) != images.end();
    };
    const bool printer = isOneOf(m_printerImages);
    if (!printer && !isOneOf(m_pdfImages))
        return QDialog::eventFilter(watched, event);
    const ImageButton button = printer ? ImageButton::Printer : ImageButton::Pdf;
    // A disabled button keeps its greyed picture: Qt still hands enter and
    // mouse events of a disabled widget to its filters.
    if (!(printer ? m_printerImages : m_pdfImages)[0]->isEnabled()) {
        switch (event->type()) {
        case QEvent::Enter:
        case QEvent::Leave:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            return true;
        default:
            return false;
        }
    }
    switch (event->type()) {
    case QEvent::Enter:
        if (!m_hover) {
            ShowButtonImage(button, 1);
            m_hover = true;
        }
        return false;
    case QEvent::Leave:
        if (m_hover) {
            ShowButtonImage(ImageButton::Printer, 0);
            ShowButtonImage(ImageButton::Pdf, 0);
            m_hover = false;
        }
        return false;
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            ImagePressed(button);
        return true;
    case QEvent::MouseButtonRelease:
        ShowButtonImage(button, 1);
        return true;
    default:
        return false;
    }
}

void frmClassifica::Timer1_Timer() {
    m_animation->setPixmap(Pictures::pixmap(400 + m_frame, QSize(kImageSide, kImageSide)));
    m_frame = static_cast<std::int16_t>((m_frame + 1) % kAnimationFrames);
}

void frmClassifica::cmdRisp_Click(int index) {
    m_answer = static_cast<std::int16_t>(index);
    m_timer->stop();
    accept();
}

void frmClassifica::closeEvent(QCloseEvent* event) {
    m_timer->stop();
    QDialog::closeEvent(event);
}

void frmClassifica::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(rect(), m_background);
    for (const QLabel* letter : m_titleLetters) {
        const QRect box = letter->geometry();
        for (int k = 0; k < 2; ++k) {
            const QRect ring = box.adjusted(-(k + 1), -(k + 1), k + 1, k + 1);
            painter.setPen(kFrameLight);
            painter.drawLine(ring.topLeft(), ring.topRight());
            painter.drawLine(ring.topLeft(), ring.bottomLeft());
            painter.setPen(kFrameDark);
            painter.drawLine(ring.bottomLeft(), ring.bottomRight());
            painter.drawLine(ring.topRight(), ring.bottomRight());
        }
    }
}
