#pragma once

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <vector>

class QPaintDevice;
class QPainter;

// What a ResultsPrintCursor has put on its surface, in millimetres.
struct PrintedText {
    QPointF at; // top-left corner of the text
    QString text;
    QFont font;
    QColor colour;
};
struct PrintedPicture {
    QRectF at;
    QString picture; // resource path of the picture
};

// The text cursor the results are written with, on the printed page and in
// the results window alike: a position in millimetres from the top-left
// corner of the surface, a current font and a text colour. Printing a text
// puts its top at the cursor; the cursor then stands right after it, or
// with a line end at the left edge of the next line. Widths and line heights
// come from the fonts as the metrics device lays them out. With a painter
// everything is drawn at once; without one it is only recorded, for a
// window to draw later. Either way the record is kept.
class ResultsPrintCursor {
public:
    // pxPerMm 0 takes the metrics device's resolution.
    ResultsPrintCursor(const QPaintDevice* metricsDevice, QPainter* painter, double pxPerMm = 0.0);

    double X() const { return m_x; }
    double Y() const { return m_y; }
    void SetX(double mm) { m_x = mm; }
    void SetY(double mm) { m_y = mm; }

    void SetFontName(const QString& family);
    void SetFontSize(double points);
    void SetBold(bool on);
    void SetItalic(bool on);
    void SetColour(const QColor& colour) { m_colour = colour; }

    void Print(const QString& text, bool lineEnd);
    void EmptyLine();

    double TextWidth(const QString& text) const;
    double LineHeight() const;

    // Outline of the rectangle between two corners, in the text colour.
    void DrawBox(double x1, double y1, double x2, double y2);
    // An SVG picture of the resources scaled into a rectangle; false when
    // the picture cannot be read.
    bool DrawPicture(const QString& picture, const QRectF& mm);
    // A picture standing in for a symbol-font character: a square as high
    // as the current font's size, printed at the cursor like a text.
    bool PrintPicture(const QString& picture, bool lineEnd);

    const std::vector<PrintedText>& Texts() const { return m_texts; }
    const std::vector<PrintedPicture>& Pictures() const { return m_pictures; }

    // Draws a recorded text onto a painter at the given scale.
    static void Paint(QPainter& painter, const PrintedText& text, double pxPerMm);

private:
    double Px(double mm) const { return mm * m_pxPerMm; }

    const QPaintDevice* m_device;
    QPainter* m_painter;
    double m_pxPerMm;
    QFont m_font;
    QColor m_colour = Qt::black;
    double m_x = 0.0;
    double m_y = 0.0;
    std::vector<PrintedText> m_texts;
    std::vector<PrintedPicture> m_pictures;
};
