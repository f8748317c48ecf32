#pragma once

#include <QString>

#include <functional>

class QPainter;
class QPrinter;
class ResultsPrintCursor;
struct ResultsFigures;

// What the printed results page needs besides the figures.
struct ResultsPrintInput {
    QString playerName; // as typed
    QString date;       // in the system's long date format
    // Width of a number, in whole millimetres, as the results window lays it
    // out; the printed numbers are right-aligned with it.
    std::function<int(int)> numberWidth;
};

// The printed results: one A4 page drawn with a text cursor in millimetres
// from the top-left corner of the printable area. A header with the program,
// the pupil's name, the date and a small keyboard; a table per level reached
// with its rating symbol; the overall results with the error face, the boxed
// overall symbol and the footer. It paints onto any painter, so the page can
// go to a printer or, in its place, to a PDF file.
class ResultsPrintout {
public:
    ResultsPrintout(const ResultsFigures& figures, ResultsPrintInput input);

    // Draws the page; false when any part of it failed (the print-failed
    // flag). The cursor keeps a record of what was put on the page.
    bool Paint(ResultsPrintCursor& cursor) const;

    // The print job on a printer: A4 portrait, the page, then the job is
    // ended, or cancelled when the page failed. True when it was sent.
    bool Print(QPrinter& printer) const;

private:
    bool PrintHeader(ResultsPrintCursor& cursor) const;
    bool StampaDati(ResultsPrintCursor& cursor, int level, double top) const;
    bool Stampatotali(ResultsPrintCursor& cursor) const;
    static void StampaRiga(ResultsPrintCursor& cursor);
    void PrintNumber(ResultsPrintCursor& cursor, int number, const QString& text) const;

    const ResultsFigures& m_figures;
    ResultsPrintInput m_input;
};
