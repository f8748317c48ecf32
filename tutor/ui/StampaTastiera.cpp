#include "tutor/ui/StampaTastiera.h"

#include "common/ui/DefaultPrinterQuery.h"
#include "common/ui/Messages.h"
#include "common/ui/QtCp1252.h"
#include "tutor/ui/frmTransparency.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>

namespace {

// The screen is repainted during this pause so that the copy shows the keyboard at rest.
constexpr int kRepaintPauseMs = 1001;

double MmToX(const QPainter& painter, double mm) {
    return mm * painter.device()->logicalDpiX() / 25.4;
}

double MmToY(const QPainter& painter, double mm) {
    return mm * painter.device()->logicalDpiY() / 25.4;
}

QFont CaptionFont(double points, bool bold, bool italic) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

// Draws a run of text whose top edge lies at the print position and moves the position to
// its end, as a printer's current position moves along a line.
void PrintRun(QPainter& painter, const QFont& font, const QString& text, QPointF& position) {
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    painter.drawText(QPointF(position.x(), position.y() + metrics.ascent()), text);
    position.rx() += metrics.horizontalAdvance(text);
}

// The keyboard is drawn again at four times the screen's resolution: the same picture as on
// screen, but sharp on paper, where 260 mm would stretch a screen copy to about 60 dots per inch.
constexpr qreal kPaperScale = 4.0;

QImage RenderForPaper(QWidget& keyboard) {
    QImage image(keyboard.size() * kPaperScale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(kPaperScale);
    image.fill(Qt::white);
    keyboard.render(&image);
    return image;
}

QString PrivatePdfFolder() {
    static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/zentavo-keyboard-XXXXXX"));
    return folder.isValid() ? folder.path() : QString();
}

} // namespace

void PaintKeyboardPage(QPainter& painter, const QImage& keyboard, const KeyboardCaption& caption,
                       const KeyboardPageLayout& layout) {
    const QRectF target(MmToX(painter, layout.pictureLeft), MmToY(painter, layout.pictureTop),
                        MmToX(painter, layout.pictureWidth), MmToY(painter, layout.pictureHeight));
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, keyboard);

    painter.setPen(Qt::black);
    QPointF position(MmToX(painter, layout.captionLeft), MmToY(painter, layout.captionTop));
    PrintRun(painter, CaptionFont(10, true, false), ToQString(caption.layoutRun), position);
    PrintRun(painter, CaptionFont(8, false, true), ToQString(caption.creditRun), position);
}

bool PrintKeyboardPage(QPrinter& printer, const QImage& keyboard, const KeyboardCaption& caption) {
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(QStringLiteral("Zentavo"));
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    PaintKeyboardPage(painter, keyboard, caption);
    return painter.end();
}

StampaTastiera::Devices StampaTastiera::DefaultDevices() {
    // The one wait that lets events run: the keyboard (Enter raised, the map
    // window hidden) must reach the screen before the question box blocks,
    // as the pupil checks there what the paper will show.
    return {[](int ms) {
                QElapsedTimer clock;
                clock.start();
                while (clock.elapsed() < ms) {
                    QCoreApplication::processEvents();
                    QThread::msleep(10);
                }
            },
            [] { return DefaultPrinterExists(); },
            [](const QString& path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); },
            [] { return PrivatePdfFolder(); }};
}

StampaTastiera::StampaTastiera(Host host, const UiTexts& texts, MessagePort& messages,
                               Devices devices)
    : m_host(std::move(host)), m_texts(texts), m_messages(messages), m_devices(std::move(devices)) {
}

void StampaTastiera::Run() {
    auto call = [](const std::function<void()>& f) {
        if (f)
            f();
    };
    call(m_host.markSentenceRunning);
    const bool mapHidden = frmTransparency::HideMap();
    call(m_host.raiseEnterKeys);
    if (m_devices.wait)
        m_devices.wait(kRepaintPauseMs);

    const bool yes = m_messages.AskYesNo(QString::fromLatin1(kKeyboardPrintTitle),
                                         ToQString(KeyboardPrintQuestion(m_texts)));
    if (yes && m_host.keyboard)
        Print(RenderForPaper(*m_host.keyboard));

    call(m_host.flashBotton);
    if (mapHidden)
        frmTransparency::ShowMapAgain();
}

void StampaTastiera::Print(const QImage& keyboard) {
    // No printer, a refused job, an unwritable folder: nothing is reported, as the pupil can
    // simply try again.
    const KeyboardCaption caption = KeyboardPrintCaption(m_texts);
    const bool toPrinter = m_devices.printerAvailable && m_devices.printerAvailable();
    QPrinter printer(QPrinter::HighResolution);
    QString pdfPath;
    if (!toPrinter) {
        const QString folder = m_devices.pdfFolder ? m_devices.pdfFolder() : QString();
        if (folder.isEmpty())
            return;
        pdfPath = folder + QStringLiteral("/Tastiera Zentavo.pdf");
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
    }
    if (!PrintKeyboardPage(printer, keyboard, caption) || toPrinter)
        return;
    m_lastPdf = pdfPath;
    if (m_devices.openFile)
        m_devices.openFile(pdfPath);
}
