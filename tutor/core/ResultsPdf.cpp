#include "tutor/core/ResultsPdf.h"

#include "tutor/core/ResultsFigures.h"

#include <array>
#include <utility>

namespace {

using namespace results_pdf;

constexpr const char* kProduct = "Zentavo";
constexpr int32_t kCentimetres = 3;
constexpr int32_t kA4 = 0;
constexpr int32_t kPortrait = 0;
constexpr int32_t kAlignLeft = 0;
constexpr int32_t kAlignRight = 1;
constexpr int32_t kStroke = 1;
constexpr float kHairline = 0.01f;
constexpr float kBandWidth = 0.7f;
constexpr float kTotalsBandWidth = 2.8f;
constexpr int32_t kBlack = PdfColour(0, 0, 0);
constexpr std::array<int32_t, 3> kLevelBandColours = {
    PdfColour(236, 255, 213), PdfColour(255, 255, 199), PdfColour(255, 226, 226)};
constexpr int32_t kTotalsBandColour = PdfColour(244, 244, 244);

struct Columns {
    float speed;  // right edge of the speed numbers
    float points; // right edge of the points numbers
};

// A page of the results, drawn through the writer.
class ResultsPage {
public:
    ResultsPage(ResultsPdfWriter& pdf, const ResultsFigures& figures)
        : m_pdf(pdf), m_figures(figures), m_texts(figures.texts) {}

    void TitleBlock(const std::string& playerName, const std::string& date) {
        m_pdf.SetColorFill(kBlack);
        Text(kLeftEdge, 27.5f, kProduct, kBoldItalic, 24);
        m_pdf.SetLineWidth(kHairline);
        Rule(27.3f);
        Text(kLeftEdge, 26.7f, m_texts[10] + playerName, kRegular, 12);
        Text(kRightEdge, 26.7f, date, kRegular, 10, kAlignRight);
    }

    void LevelHeadings() {
        m_pdf.SetLineWidth(kBandWidth);
        for (std::size_t level = 0; level < 3; ++level) {
            m_pdf.SetColorStroke(kLevelBandColours[level]);
            Rule(kLevelBandY[level]);
        }
        m_pdf.SetColorStroke(kBlack);
        m_pdf.SetColorFill(kBlack);
        m_pdf.SetLineWidth(kHairline);
        for (std::size_t level = 0; level < 3; ++level) {
            const float y = kLevelHeadingY[level];
            Text(kLeftEdge, y, m_texts[11] + std::to_string(level + 1), kRegular, 16);
            Text(kPointsLabelX, y, m_texts[12] + m_figures.table.CategoryName, kBold, 12);
            Rule(y - 0.3f);
        }
    }

    void MeasureColumns() {
        const std::string firstRowLabel = RowLabel(1);
        m_columns.speed = kTextLeft + m_pdf.Length(firstRowLabel, kRegular, 12) + kColumnGap;
        m_columns.points = kPointsLabelX + m_pdf.Length(m_texts[3], kRegular, 12) + kColumnGap;
    }

    void LevelTable(std::int16_t level) {
        const LevelResults results = m_figures.Level(level);
        float y = kFirstRowY[level - 1];
        for (const ResultsRow& row : results.rows) {
            Text(kTextLeft, y, RowLabel(row.number), kRegular, 12);
            Text(m_columns.speed, y, row.speedPerMinute, kRegular, 12, kAlignRight);
            Text(kPointsLabelX, y, m_texts[3], kRegular, 12);
            Text(m_columns.points, y, row.pointsText, kRegular, 12, kAlignRight);
            y -= kRowStep;
        }
        y -= 1.0f;
        Text(kTextLeft, y, m_texts[4] + m_texts.SpeedSuffix(), kBold, 12);
        Text(m_columns.speed + 0.1f, y, results.averageSpeedPerMinute, kBold, 12, kAlignRight);
        Text(kPointsLabelX, y, m_texts[3] + "  ", kBold, 12);
        Text(m_columns.points, y, results.averagePointsText, kBold, 12, kAlignRight);
    }

    void OverallResults() {
        const ResultsTotals totals = m_figures.Totals();
        Text(kLeftEdge, 7.0f, m_texts[15], kBoldItalic, 14);
        m_pdf.SetLineWidth(kHairline);
        Rule(6.7f);
        m_pdf.SetColorStroke(kTotalsBandColour);
        m_pdf.SetLineWidth(kTotalsBandWidth);
        Rule(5.1f);
        Text(kTextLeft, 6.0f, totals.speedLine, kRegular, 12);
        Text(kPointsLabelX, 6.0f, totals.pointsLine, kRegular, 12);
        Text(kTextLeft, 5.0f, totals.wrongLine, kRegular, 10);
        Text(kTextLeft, 4.5f, totals.correctLine, kRegular, 10);
        Text(kPointsLabelX, 4.8f, totals.ratioLine, kRegular, 10);
        m_pdf.SetColorStroke(kBlack);
        m_pdf.SetLineWidth(kHairline);
        Rule(3.5f);
    }

    void Footer() {
        Text(kLeftEdge, 1.5f, m_figures.Footer(), kRegular, 7);
        Text(kRightEdge, 1.5f, std::string(kProduct) + kResultsCredit, kRegular, 7, kAlignRight);
    }

private:
    std::string RowLabel(int row) const {
        return m_texts[2] + std::to_string(row) + m_texts.SpeedSuffix();
    }

    void Rule(float y) {
        m_pdf.MoveTo(kLeftEdge, y);
        m_pdf.LineTo(kRightEdge, y, kStroke);
    }

    void Text(float x, float y, const std::string& text, const char* font, float size,
              int32_t align = kAlignLeft) {
        m_pdf.DrawText(x, y, text, font, size, align);
    }

    ResultsPdfWriter& m_pdf;
    const ResultsFigures& m_figures;
    const ResultsTexts& m_texts;
    Columns m_columns{};
};

void DeclareFonts(ResultsPdfWriter& pdf) {
    const std::array<std::pair<const char*, int32_t>, 4> fonts = {
        {{kRegular, 0}, {kBoldItalic, 3}, {kBold, 1}, {kItalic, 2}}};
    for (const auto& [name, style] : fonts) {
        std::string resource = name;
        std::string base = "Arial";
        pdf.LoadFont(resource, base, style);
    }
}

} // namespace

void CreaPDF(ResultsPdfWriter& writer, std::string& path, const ResultsFigures& figures,
             const std::string& playerName, const std::string& date) {
    writer.Title(std::string("Risultati ") + kProduct);
    writer.ScaleMode(kCentimetres);
    writer.PaperSize(kA4);
    writer.Margin(0);
    writer.Orientation(kPortrait);
    writer.InitPDFFile(path);
    DeclareFonts(writer);
    writer.BeginPage();

    ResultsPage page(writer, figures);
    page.TitleBlock(playerName, date);
    page.LevelHeadings();
    page.MeasureColumns();
    for (std::int16_t level = 1; level <= 3; ++level)
        page.LevelTable(level);
    page.OverallResults();
    page.Footer();

    writer.EndPage();
    writer.ClosePDFFile();
}
