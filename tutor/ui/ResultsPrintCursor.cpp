#include "tutor/ui/ResultsPrintCursor.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QSvgRenderer>

namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kPointsPerInch = 72.0;
constexpr double kBoxLineMm = 0.3;

} // namespace

ResultsPrintCursor::ResultsPrintCursor(const QPaintDevice* metricsDevice, QPainter* painter,
                                       double pxPerMm)
    : m_device(metricsDevice), m_painter(painter),
      m_pxPerMm(pxPerMm > 0.0 ? pxPerMm : metricsDevice->logicalDpiX() / kMillimetresPerInch),
      m_font(QStringLiteral("Arial")) {
    m_font.setPointSizeF(12.0);
}

void ResultsPrintCursor::SetFontName(const QString& family) {
    m_font.setFamily(family);
}

void ResultsPrintCursor::SetFontSize(double points) {
    m_font.setPointSizeF(points);
}

void ResultsPrintCursor::SetBold(bool on) {
    m_font.setBold(on);
}

void ResultsPrintCursor::SetItalic(bool on) {
    m_font.setItalic(on);
}

void ResultsPrintCursor::Print(const QString& text, bool lineEnd) {
    if (!text.isEmpty()) {
        m_texts.push_back(PrintedText{QPointF(m_x, m_y), text, m_font, m_colour});
        if (m_painter)
            Paint(*m_painter, m_texts.back(), m_pxPerMm);
    }
    if (lineEnd) {
        m_x = 0.0;
        m_y += LineHeight();
    } else {
        m_x += TextWidth(text);
    }
}

void ResultsPrintCursor::EmptyLine() {
    Print(QString(), true);
}

double ResultsPrintCursor::TextWidth(const QString& text) const {
    return QFontMetricsF(m_font, m_device).horizontalAdvance(text) / m_pxPerMm;
}

double ResultsPrintCursor::LineHeight() const {
    return QFontMetricsF(m_font, m_device).lineSpacing() / m_pxPerMm;
}

void ResultsPrintCursor::DrawBox(double x1, double y1, double x2, double y2) {
    if (!m_painter)
        return;
    QPen pen(m_colour);
    pen.setWidthF(Px(kBoxLineMm));
    m_painter->setPen(pen);
    m_painter->setBrush(Qt::NoBrush);
    m_painter->drawRect(QRectF(QPointF(Px(x1), Px(y1)), QPointF(Px(x2), Px(y2))));
}

bool ResultsPrintCursor::DrawPicture(const QString& picture, const QRectF& mm) {
    QSvgRenderer renderer(picture);
    if (!renderer.isValid())
        return false;
    m_pictures.push_back(PrintedPicture{mm, picture});
    if (m_painter)
        renderer.render(m_painter, QRectF(Px(mm.x()), Px(mm.y()), Px(mm.width()), Px(mm.height())));
    return true;
}

bool ResultsPrintCursor::PrintPicture(const QString& picture, bool lineEnd) {
    const double side = m_font.pointSizeF() * kMillimetresPerInch / kPointsPerInch;
    const bool drawn = DrawPicture(picture, QRectF(m_x, m_y, side, side));
    if (lineEnd) {
        m_x = 0.0;
        m_y += LineHeight();
    } else {
        m_x += side;
    }
    return drawn;
}

void ResultsPrintCursor::Paint(QPainter& painter, const PrintedText& text, double pxPerMm) {
    const QFontMetricsF metrics(text.font, painter.device());
    painter.setFont(text.font);
    painter.setPen(text.colour);
    painter.drawText(QPointF(text.at.x() * pxPerMm, text.at.y() * pxPerMm + metrics.ascent()),
                     text.text);
}
