#include "tutor/ui/ResultsPrinter.h"

#include "common/ui/Pictures.h"
#include "common/ui/QtCp1252.h"
#include "tutor/core/ResultsFigures.h"
#include "tutor/core/ResultsPdf.h"
#include "tutor/core/Scoring.h"
#include "tutor/ui/ResultsPrintCursor.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>

#include <array>
#include <exception>
#include <utility>

namespace {

const QString kArial = QStringLiteral("Arial");
constexpr double kLeft = 15.0;
constexpr double kRowLeft = 20.0;
constexpr double kSecondColumn = 100.0;
constexpr double kNumbersEnd = 130.0;
constexpr double kSymbolX = 164.0;
constexpr double kSymbolSide = 14.0;
constexpr std::array<double, 3> kLevelTops = {48.0, 106.0, 164.0};
constexpr std::array<double, 3> kLevelSymbolTops = {70.0, 130.0, 187.0};
const std::array<QColor, 3> kLevelColours = {QColor(0, 255, 0), QColor(230, 194, 0),
                                             QColor(255, 0, 0)};

int RatingIcon(int points, const ResultsFigures& figures) {
    return PointsIcon(points, figures.table.Difficulty);
}

} // namespace

ResultsPrintout::ResultsPrintout(const ResultsFigures& figures, ResultsPrintInput input)
    : m_figures(figures), m_input(std::move(input)) {}

bool ResultsPrintout::Paint(ResultsPrintCursor& cursor) const {
    bool failed = !PrintHeader(cursor);
    const int levels = std::clamp<int>(m_figures.table.LevelsReached, 1, 3);
    for (int level = 1; level <= levels; ++level)
        failed |= !StampaDati(cursor, level, kLevelTops[static_cast<std::size_t>(level - 1)]);
    failed |= !Stampatotali(cursor);
    return !failed;
}

bool ResultsPrintout::Print(QPrinter& printer) const {
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&printer)) {
        printer.abort();
        return false;
    }
    ResultsPrintCursor cursor(&printer, &painter);
    const bool drawn = Paint(cursor);
    if (!drawn || printer.printerState() == QPrinter::Error) {
        printer.abort();
        painter.end();
        return false;
    }
    return painter.end() && printer.printerState() != QPrinter::Error;
}

void ResultsPrintout::StampaRiga(ResultsPrintCursor& cursor) {
    cursor.SetX(kLeft);
    cursor.Print(QStringLiteral("------------").repeated(10), false);
}

void ResultsPrintout::PrintNumber(ResultsPrintCursor& cursor, int number,
                                  const QString& text) const {
    cursor.SetX(kNumbersEnd - m_input.numberWidth(number) - 1);
    cursor.Print(text, true);
}

bool ResultsPrintout::PrintHeader(ResultsPrintCursor& cursor) const {
    try {
        const ResultsTexts& texts = m_figures.texts;
        cursor.SetColour(Qt::black);
        cursor.SetFontName(kArial);
        cursor.SetFontSize(20);
        cursor.SetBold(true);
        cursor.SetItalic(true);
        cursor.SetX(kLeft);
        cursor.SetY(15);
        cursor.Print(QStringLiteral("Zentavo"), true);
        cursor.SetFontSize(12);
        cursor.SetBold(false);
        cursor.SetItalic(false);
        StampaRiga(cursor);
        cursor.SetX(kLeft);
        cursor.SetY(30);
        cursor.Print(ToQString(texts[10]) + m_input.playerName, false);
        cursor.SetX(130);
        cursor.Print(m_input.date, false);
        return cursor.DrawPicture(Pictures::path(Pictures::Role::ReportKeyboard),
                                  QRectF(167, 9, 15, 15));
    } catch (const std::exception&) {
        return false;
    }
}

bool ResultsPrintout::StampaDati(ResultsPrintCursor& cursor, int level, double top) const {
    try {
        const ResultsTexts& texts = m_figures.texts;
        const LevelResults results = m_figures.Level(static_cast<std::int16_t>(level));
        cursor.SetY(top);
        cursor.SetColour(kLevelColours[static_cast<std::size_t>(level - 1)]);
        cursor.SetFontSize(14);
        cursor.SetBold(true);
        cursor.SetX(kLeft);
        cursor.Print(ToQString(texts[11] + std::to_string(level)), false);
        cursor.SetColour(Qt::black);
        cursor.SetFontSize(12);
        cursor.SetX(kSecondColumn);
        cursor.Print(ToQString(texts[12] + m_figures.table.CategoryName), true);
        cursor.SetBold(false);
        StampaRiga(cursor);
        cursor.EmptyLine();
        cursor.EmptyLine();

        for (const ResultsRow& row : results.rows) {
            cursor.SetX(kRowLeft);
            cursor.Print(ToQString(row.label), false);
            cursor.SetX(kSecondColumn);
            cursor.Print(ToQString(texts[3]), false);
            PrintNumber(cursor, row.points, ToQString(row.pointsText));
        }
        cursor.EmptyLine();
        cursor.SetX(kRowLeft);
        cursor.SetFontSize(12);
        cursor.SetBold(true);
        cursor.Print(ToQString(results.averageLabel), false);
        cursor.SetX(kSecondColumn);
        cursor.Print(ToQString(texts[3]), false);
        PrintNumber(cursor, results.averagePoints, ToQString(results.averagePointsText));

        const double symbolTop = kLevelSymbolTops[static_cast<std::size_t>(level - 1)];
        return cursor.DrawPicture(Pictures::path(RatingIcon(results.averagePoints, m_figures)),
                                  QRectF(kSymbolX, symbolTop, kSymbolSide, kSymbolSide));
    } catch (const std::exception&) {
        return false;
    }
}

bool ResultsPrintout::Stampatotali(ResultsPrintCursor& cursor) const {
    try {
        const ResultsTexts& texts = m_figures.texts;
        const ResultsTotals totals = m_figures.Totals();
        cursor.SetFontSize(12);
        cursor.SetBold(true);
        cursor.SetItalic(true);
        cursor.SetX(kLeft);
        cursor.SetY(220);
        cursor.EmptyLine();
        cursor.SetX(kLeft);
        cursor.SetColour(QColor(0, 0, 255));
        cursor.Print(ToQString(texts[15]), true);

        cursor.SetBold(false);
        cursor.SetItalic(false);
        cursor.SetColour(Qt::black);
        StampaRiga(cursor);
        cursor.EmptyLine();
        cursor.EmptyLine();

        cursor.SetX(kRowLeft);
        cursor.SetBold(true);
        cursor.SetFontSize(14);
        cursor.Print(ToQString(totals.speedLine), false);
        cursor.SetX(kSecondColumn);
        cursor.Print(ToQString(totals.pointsLine), true);

        cursor.SetFontSize(12);
        cursor.SetBold(false);
        cursor.SetItalic(true);
        cursor.EmptyLine();
        cursor.SetX(kRowLeft);
        cursor.Print(ToQString(totals.wrongLine), true);
        cursor.SetX(kRowLeft);
        cursor.Print(ToQString(totals.correctLine), true);
        cursor.SetX(kRowLeft);
        cursor.Print(ToQString(totals.ratioLine), false);

        // The error face stands where the symbol font's face character stood.
        cursor.SetItalic(false);
        cursor.SetFontSize(20);
        cursor.SetY(cursor.Y() - 1);
        cursor.SetX(85);
        const std::string& code = totals.errorRating;
        const bool red = code.size() > 1 && code[1] == '1';
        if (code.empty() ||
            !cursor.PrintPicture(Pictures::path(Pictures::errorFace(code[0], red)), true))
            return false;
        cursor.SetFontName(kArial);
        cursor.SetFontSize(12);
        cursor.SetColour(Qt::black);

        if (!cursor.DrawPicture(Pictures::path(RatingIcon(totals.points, m_figures)),
                                QRectF(kSymbolX, 250, kSymbolSide, kSymbolSide)))
            return false;
        cursor.DrawBox(159, 245, 183, 269);

        cursor.SetY(276);
        cursor.SetX(kLeft);
        cursor.SetFontSize(8);
        cursor.Print(ToQString(m_figures.Footer()), true);
        cursor.SetY(276);
        cursor.SetX(140);
        cursor.Print(ToQString(std::string("Zentavo") + kResultsCredit), true);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}
