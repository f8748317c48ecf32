#include "editor/core/ClassReport.h"

#include "common/core/ProgramPaths.h"
#include "pdf/clsPDFCreator.h"

#include <array>
#include <cstdio>
#include <exception>
#include <unistd.h>
#include <utility>

namespace {

constexpr float kLeft = 1.5f;
constexpr float kRight = 19.5f;
constexpr float kTitleY = 27.8f;
constexpr float kInfoY = 27.0f;
constexpr float kTableTop = 25.9f;
constexpr float kLineHeight = 0.5f;
constexpr float kBottom = 2.2f;
constexpr float kFooterY = 1.2f;
constexpr float kTitleSize = 16;
constexpr float kInfoSize = 10;
constexpr float kHeadSize = 8;
constexpr float kSmallestHeadSize = 6;
constexpr float kHeadLineGap = 0.32f;
constexpr std::size_t kTitleLineLength = 12;
constexpr float kCellSize = 8;
constexpr float kRuleWidth = 0.02f;
constexpr float kCellPadding = 0.1f;
constexpr int kGrey = 0x808080;
constexpr const char* kRegular = "Fn1";
constexpr const char* kBold = "Fn2";

struct Column {
    RosterColumn column;
    float left;
    float width;
    bool rightAligned;
};

// The file's name is left out on paper: the pupil's name says who it is.
constexpr std::array<Column, 9> kColumns = {{
    {RosterColumn::Name, 1.5f, 3.9f, false},
    {RosterColumn::Class, 5.4f, 1.3f, false},
    {RosterColumn::ExercisesFinished, 6.7f, 1.5f, true},
    {RosterColumn::LastPractice, 8.4f, 1.9f, false},
    {RosterColumn::SpeedNow, 10.3f, 1.7f, true},
    {RosterColumn::SpeedEarlier, 12.0f, 1.9f, true},
    {RosterColumn::Accuracy, 13.9f, 1.6f, true},
    {RosterColumn::WeakestKeys, 15.8f, 2.2f, false},
    {RosterColumn::Sentences, 18.0f, 1.5f, true},
}};

class ReportWriter {
public:
    ReportWriter(clsPDFCreator& pdf, const ClassTexts& texts, const ClassReportInput& input,
                 const ClassSummary& summary)
        : m_pdf(pdf), m_texts(texts), m_input(input), m_summary(summary) {}

    void Rows(const std::vector<RosterRow>& rows) {
        NewPage();
        for (const RosterRow& row : rows) {
            NeedLines(1);
            if (row.Readable()) {
                for (const Column& c : kColumns)
                    Cell(c, RosterCell(row, c.column, m_input.cells), kRegular);
            } else {
                Cell(kColumns[0], FileNameToCp1252(row.fileName), kRegular);
                const Column rest{RosterColumn::Class, kColumns[1].left, kRight - kColumns[1].left,
                                  false};
                Cell(rest, m_texts.Problem(row.problem), kRegular);
            }
            m_y -= kLineHeight;
        }
    }

    void MostWrong() {
        const ClassSummary& summary = m_summary;
        NeedLines(3);
        m_y -= kLineHeight;
        m_pdf.DrawText(kLeft, m_y, m_texts.mostWrongKeys, kBold, kInfoSize);
        m_y -= kLineHeight * 1.2f;
        if (summary.mostWrong.empty()) {
            m_pdf.DrawText(kLeft, m_y, m_texts.noWrongKeys, kRegular, kInfoSize);
            return;
        }
        for (const KeyFigures& key : summary.mostWrong) {
            NeedLines(1);
            m_pdf.DrawText(kLeft + 0.5f, m_y, MostWrongKeyText(key, m_input.cells), kRegular,
                           kInfoSize);
            m_y -= kLineHeight;
        }
    }

    void Finish() {
        Footer();
        m_pdf.EndPage();
    }
    int Pages() const { return m_pages; }

private:
    void NewPage() {
        if (m_pages > 0) {
            Footer();
            m_pdf.EndPage();
        }
        m_pdf.BeginPage();
        ++m_pages;
        m_pdf.SetColorFill(0);
        m_pdf.DrawText(kLeft, kTitleY, m_texts.reportTitle, kBold, kTitleSize);
        std::string info = m_texts.classFilter + " " +
                           (m_input.className.empty() ? m_texts.allClasses : m_input.className);
        info += "     " + m_texts.reportDate + " " + m_input.date;
        info += "     " + m_texts.reportPupils + " " + std::to_string(m_summary.pupils);
        if (m_summary.unreadable > 0)
            info += "     " + m_texts.reportUnreadable + " " + std::to_string(m_summary.unreadable);
        m_pdf.DrawText(kLeft, kInfoY, info, kRegular, kInfoSize);
        m_y = kTableTop;
        for (const Column& c : kColumns)
            Head(c);
        m_pdf.SetLineWidth(kRuleWidth);
        m_pdf.SetColorStroke(0);
        m_pdf.MoveTo(kLeft, m_y - 0.15f);
        m_pdf.LineTo(kRight, m_y - 0.15f, clsPDFCreator::PaintStroke);
        m_y -= kLineHeight * 1.3f;
    }

    void NeedLines(int lines) {
        if (m_y - static_cast<float>(lines - 1) * kLineHeight < kBottom)
            NewPage();
    }

    // A long title takes two lines, and shrinks until both fit its column.
    void Head(const Column& c) {
        const auto [first, second] =
            SplitTitle(m_texts.columns[static_cast<std::size_t>(c.column)], kTitleLineLength);
        float size = kHeadSize;
        const auto fits = [&](const std::string& line) {
            return m_pdf.Length(line, kBold, size) <= c.width - kCellPadding;
        };
        while (size > kSmallestHeadSize && !(fits(first) && fits(second)))
            size -= 0.5f;
        if (second.empty()) {
            Cell(c, first, kBold, size);
            return;
        }
        const float y = m_y;
        m_y = y + kHeadLineGap;
        Cell(c, first, kBold, size);
        m_y = y;
        Cell(c, second, kBold, size);
    }

    // A text longer than its column is cut at its end.
    void Cell(const Column& c, std::string text, const char* font, float size = kCellSize) {
        while (!text.empty() && m_pdf.Length(text, font, size) > c.width - kCellPadding)
            text.pop_back();
        if (c.rightAligned)
            m_pdf.DrawText(c.left + c.width - kCellPadding, m_y, text, font, size,
                           clsPDFCreator::AlignRight);
        else
            m_pdf.DrawText(c.left, m_y, text, font, size);
    }

    void Footer() {
        m_pdf.SetColorFill(kGrey);
        m_pdf.DrawText(kRight, kFooterY, std::to_string(m_pages), kRegular, kHeadSize,
                       clsPDFCreator::AlignRight);
        m_pdf.SetColorFill(0);
    }

    clsPDFCreator& m_pdf;
    const ClassTexts& m_texts;
    const ClassReportInput& m_input;
    const ClassSummary& m_summary;
    float m_y = kTableTop;
    int m_pages = 0;
};

} // namespace

std::string MostWrongKeyText(const KeyFigures& key, const CellFormat& format) {
    constexpr double kPercent = 100.0;
    return KeysText(std::string(1, key.character), format) + " (" + std::to_string(key.wrong) +
           " / " + std::to_string(key.keystrokes) + ", " +
           OneDecimal(key.errorRate * kPercent, format.decimalMark) + "%)";
}

int CreaClassReportPDF(const std::string& path, const std::vector<RosterRow>& rows,
                       const ClassSummary& summary, const ClassTexts& texts,
                       const ClassReportInput& input) {
    clsPDFCreator pdf;
    pdf.Title(texts.reportTitle);
    pdf.ScaleMode(clsPDFCreator::ScaleCentimetres);
    pdf.PaperSize(clsPDFCreator::PaperA4);
    pdf.Margin(0);
    pdf.Orientation(clsPDFCreator::Portrait);
    std::string file = path;
    pdf.InitPDFFile(file);
    for (const auto& [name, style] : {std::pair{kRegular, clsPDFCreator::StyleRegular},
                                      std::pair{kBold, clsPDFCreator::StyleBold}}) {
        std::string resource = name;
        std::string base = "Arial";
        pdf.LoadFont(resource, base, style);
    }
    ClassReportInput withKeyNames = input;
    withKeyNames.cells.spaceKey = texts.spaceKey;
    withKeyNames.cells.enterKey = texts.enterKey;
    ReportWriter writer(pdf, texts, withKeyNames, summary);
    writer.Rows(rows);
    writer.MostWrong();
    writer.Finish();
    pdf.ClosePDFFile();
    return writer.Pages();
}

bool WriteClassReport(const std::string& path, const std::vector<RosterRow>& rows,
                      const ClassSummary& summary, const ClassTexts& texts,
                      const ClassReportInput& input) {
    const std::string part = path + ".part-" + std::to_string(::getpid());
    try {
        CreaClassReportPDF(part, rows, summary, texts, input);
    } catch (const std::exception&) {
        std::remove(part.c_str());
        return false;
    }
    if (std::rename(part.c_str(), path.c_str()) != 0) {
        std::remove(part.c_str());
        return false;
    }
    return true;
}
