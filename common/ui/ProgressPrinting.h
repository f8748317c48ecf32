#pragma once
// The progress report on a printer: the page ComposeProgressReport lays out,
// drawn with a painter, so the printout and the PDF are the same page.

#include "tutor/core/ProgressReport.h"

#include <QPainter>

class QPrinter;

// A ProgressCanvas on a painter whose device shows an A4 portrait page in
// pageRect (device pixels); centimetres from the bottom-left corner of the
// page become device pixels from its top-left corner.
class PainterProgressCanvas : public ProgressCanvas {
public:
    PainterProgressCanvas(QPainter& painter, const QRectF& pageRect);

    void Text(float x, float y, const std::string& text, CanvasFont font, float points,
              CanvasAlign align) override;
    void Line(float x1, float y1, float x2, float y2, float width, Colour colour) override;
    void Box(float x, float y, float width, float height, const Colour* fill,
             const Colour* outline) override;

    QPointF ToDevice(float x, float y) const;

private:
    double PerCentimetre() const;

    QPainter& m_painter;
    QRectF m_page;
};

// One A4 portrait page to the printer; false when the job failed.
bool PrintProgress(QPrinter& printer, const ProgressTexts& texts, const ProgressFigures& figures,
                   const ProgressReportInput& input);
