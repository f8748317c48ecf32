#include "common/ui/ProgressPrinting.h"

#include "common/ui/QtColour.h"
#include "common/ui/QtCp1252.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

namespace {

constexpr double kCentimetresPerInch = 2.54;
constexpr double kPointsPerInch = 72.0;
constexpr double kHairlineCm = 0.01;

} // namespace

PainterProgressCanvas::PainterProgressCanvas(QPainter& painter, const QRectF& pageRect)
    : m_painter(painter), m_page(pageRect) {}

double PainterProgressCanvas::PerCentimetre() const {
    return m_page.width() / progress_report::kPageWidth;
}

QPointF PainterProgressCanvas::ToDevice(float x, float y) const {
    return {m_page.left() + x * PerCentimetre(),
            m_page.top() + (progress_report::kPageHeight - y) * PerCentimetre()};
}

void PainterProgressCanvas::Text(float x, float y, const std::string& text, CanvasFont font,
                                 float points, CanvasAlign align) {
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    // Points of the page, whatever the device's resolution.
    f.setPixelSize(std::max(
        1, static_cast<int>(points / kPointsPerInch * kCentimetresPerInch * PerCentimetre())));
    f.setBold(font != CanvasFont::Regular);
    f.setItalic(font == CanvasFont::BoldItalic);
    m_painter.setFont(f);
    m_painter.setPen(Qt::black);
    const QString s = ToQString(text);
    const double width = QFontMetricsF(f, m_painter.device()).horizontalAdvance(s);
    QPointF at = ToDevice(x, y);
    if (align == CanvasAlign::Right)
        at.rx() -= width;
    else if (align == CanvasAlign::Centre)
        at.rx() -= width / 2;
    m_painter.drawText(at, s);
}

void PainterProgressCanvas::Line(float x1, float y1, float x2, float y2, float width,
                                 Colour colour) {
    m_painter.setPen(QPen(ToQColor(colour), std::max(1.0, width * PerCentimetre())));
    m_painter.drawLine(ToDevice(x1, y1), ToDevice(x2, y2));
}

void PainterProgressCanvas::Box(float x, float y, float width, float height, const Colour* fill,
                                const Colour* outline) {
    const QRectF r(ToDevice(x, y + height), ToDevice(x + width, y));
    if (fill)
        m_painter.fillRect(r, ToQColor(*fill));
    if (outline) {
        m_painter.setPen(QPen(ToQColor(*outline), std::max(1.0, kHairlineCm * PerCentimetre())));
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawRect(r);
    }
}

bool PrintProgress(QPrinter& printer, const ProgressTexts& texts, const ProgressFigures& figures,
                   const ProgressReportInput& input) {
    printer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    printer.setFullPage(true);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    PainterProgressCanvas canvas(painter, printer.paperRect(QPrinter::DevicePixel));
    ComposeProgressReport(canvas, texts, figures, input);
    return painter.end();
}
