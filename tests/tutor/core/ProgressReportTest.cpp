#include "tutor/core/ProgressReport.h"

#include "TestFolder.h"
#include "tutor/core/ProgressPdf.h"

#include "common/core/Cp1252.h"
#include "common/core/UiTexts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace progress_report;

struct Drawn {
    enum class Kind { Text, Line, Box } kind;
    float x1, y1, x2, y2; // text: position; line: ends; box: corner and size
    std::string text;
    Colour colour; // text: none; line: its colour; box: its fill (or outline)
    bool filled = false;
};

class RecordingCanvas : public ProgressCanvas {
public:
    std::vector<Drawn> drawn;

    void Text(float x, float y, const std::string& text, CanvasFont, float, CanvasAlign) override {
        drawn.push_back({Drawn::Kind::Text, x, y, x, y, text, {}, false});
    }
    void Line(float x1, float y1, float x2, float y2, float, Colour colour) override {
        drawn.push_back({Drawn::Kind::Line, x1, y1, x2, y2, {}, colour, false});
    }
    void Box(float x, float y, float w, float h, const Colour* fill,
             const Colour* outline) override {
        drawn.push_back(
            {Drawn::Kind::Box, x, y, w, h, {}, fill ? *fill : *outline, fill != nullptr});
    }

    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const Drawn& d : drawn)
            if (d.kind == Drawn::Kind::Text)
                texts.push_back(d.text);
        return texts;
    }
    bool Says(std::string_view text) const {
        const auto texts = Texts();
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }
};

KeyFigures Char(char c, std::int64_t keystrokes, std::int64_t wrong) {
    KeyFigures k;
    k.character = c;
    k.keystrokes = keystrokes;
    k.wrong = wrong;
    return k;
}

DayFigures Day(int day, double speed, double accuracy) {
    DayFigures d;
    d.date = {2026, 12, day};
    d.sentences = 10;
    d.averageSpeed = speed;
    d.accuracy = accuracy;
    return d;
}

const char kAGrave = "à"_cp1252[0];
const char kOGrave = "ò"_cp1252[0];

ProgressFigures Sample() {
    ProgressFigures f;
    f.period = Period::LastMonth;
    f.days = {Day(1, 1.0, 0.95), Day(3, 1.5, 0.97), Day(8, 2.0, 0.99)};
    f.sentences = 30;
    f.bestSpeed = 2.5;
    f.correct = 970;
    f.wrong = 30;
    f.seconds = 1530;
    f.keys = {Char('a', 100, 0), Char(kAGrave, 40, 14), Char(kOGrave, 30, 3), Char('s', 10, 5)};
    f.topConfusions = {{kAGrave, kOGrave, 14}, {kOGrave, 'l', 3}};
    return f;
}

ProgressReportInput Input() {
    ProgressReportInput in;
    in.pupilName = "Anna (B)";
    in.pupilClass = "3B";
    in.period = Period::LastMonth;
    in.dateRange = "09/11/2026 - 08/12/2026";
    in.date = "8 dicembre 2026";
    return in;
}

const ProgressTexts kTexts = ProgressTexts::From(UiTexts::BuiltIn(UiProgram::Tutor));

TEST(ProgressReport, SaysWhoWhenTheTotalsTheWeakestKeysAndTheConfusions) {
    RecordingCanvas canvas;
    ComposeProgressReport(canvas, kTexts, Sample(), Input());
    EXPECT_TRUE(canvas.Says("Progressi di: Anna (B)    Classe: 3B"));
    EXPECT_TRUE(canvas.Says("Periodo: Ultimo mese (09/11/2026 - 08/12/2026)"));
    EXPECT_TRUE(canvas.Says("8 dicembre 2026"));
    EXPECT_TRUE(canvas.Says("Velocità migliore: 150"_cp1252));
    EXPECT_TRUE(canvas.Says("Battute: 1000"));
    EXPECT_TRUE(canvas.Says("Errori: 30 (3.0%)"));
    EXPECT_TRUE(canvas.Says("Minuti di esercizio: 26"));
    // 14 in 40 on à is worse than 3 in 30 on ò; s has too few keystrokes to judge.
    EXPECT_TRUE(canvas.Says("Tasti più deboli: à, ò"_cp1252));
    EXPECT_TRUE(canvas.Says("\"ò\" digitato al posto di \"à\": 14 volte"_cp1252));
    EXPECT_FALSE(canvas.Says(kTexts.noPractice));
}

TEST(ProgressReport, EverythingStaysOnThePageInsideItsMargins) {
    RecordingCanvas canvas;
    ComposeProgressReport(canvas, kTexts, Sample(), Input());
    ASSERT_FALSE(canvas.drawn.empty());
    for (const Drawn& d : canvas.drawn) {
        const float right = d.kind == Drawn::Kind::Box ? d.x1 + d.x2 : std::max(d.x1, d.x2);
        const float top = d.kind == Drawn::Kind::Box ? d.y1 + d.y2 : std::max(d.y1, d.y2);
        EXPECT_GE(std::min(d.x1, d.kind == Drawn::Kind::Box ? d.x1 : d.x2), kLeftEdge - 0.01f)
            << d.text;
        EXPECT_LE(right, kRightEdge + 0.01f) << d.text;
        EXPECT_GE(std::min(d.y1, d.kind == Drawn::Kind::Box ? d.y1 : d.y2), 1.0f) << d.text;
        EXPECT_LE(top, kPageHeight - 1.0f) << d.text;
    }
}

TEST(ProgressReport, TheSpeedChartJoinsTheDaysAndItsBestDayReachesTheTop) {
    RecordingCanvas canvas;
    ComposeProgressReport(canvas, kTexts, Sample(), Input());
    std::vector<Drawn> segments;
    for (const Drawn& d : canvas.drawn)
        if (d.kind == Drawn::Kind::Line && d.colour == (Colour{30, 90, 200}))
            segments.push_back(d);
    ASSERT_EQ(segments.size(), 2u);
    EXPECT_LT(segments[0].x1, segments[1].x1);
    // 120 a minute ends the axis at 120: the last day lies on the top edge.
    EXPECT_FLOAT_EQ(segments[1].y2, kSpeedChartBottom + kChartHeight);
    EXPECT_FLOAT_EQ(segments[0].y1, kSpeedChartBottom + kChartHeight / 2);
    EXPECT_TRUE(canvas.Says("120"));
    EXPECT_TRUE(canvas.Says("01/12/2026"));
    EXPECT_TRUE(canvas.Says("08/12/2026"));
}

TEST(ProgressReport, TheKeyMapFillsEveryKeyWithItsShadeAndTheWorstOneRed) {
    RecordingCanvas canvas;
    const KeyShades shades = ShadeKeys(Sample().keys, KeyMapMode::Errors);
    const float height = DrawKeyMap(canvas, shades, 2.0f, 10.0f, 17.0f);
    EXPECT_GT(height, 5.0f);
    EXPECT_LT(height, 7.0f);
    std::vector<Colour> fills;
    for (const Drawn& d : canvas.drawn)
        if (d.kind == Drawn::Kind::Box && d.filled)
            fills.push_back(d.colour);
    ASSERT_EQ(fills.size(), static_cast<std::size_t>(KeyTable::kKeyCount));
    EXPECT_EQ(std::count(fills.begin(), fills.end(), kShadeBad), 1);
    EXPECT_EQ(std::count(fills.begin(), fills.end(), kShadeUnjudged), 1);
    EXPECT_TRUE(canvas.Says("à"_cp1252));
}

TEST(ProgressReport, AnEmptyPeriodSaysSoAndDrawsNoCurve) {
    RecordingCanvas canvas;
    ProgressFigures empty;
    empty.period = Period::LastWeek;
    ComposeProgressReport(canvas, kTexts, empty, Input());
    EXPECT_TRUE(canvas.Says(kTexts.noPractice));
    EXPECT_TRUE(canvas.Says("Tasti più deboli: nessuno"_cp1252));
    for (const Drawn& d : canvas.drawn)
        EXPECT_FALSE(d.kind == Drawn::Kind::Line && d.colour == (Colour{30, 90, 200}));
}

struct FillCase {
    const char* pattern;
    std::vector<std::string> args;
    const char* expected;
};

TEST(ProgressReport, PlaceholdersAreFilledInOnePass) {
    const FillCase cases[] = {
        {"%2 al posto di %1", {"a", "b"}, "b al posto di a"},
        {"%1%", {"12.5"}, "12.5%"},
        {"%1 e %3", {"x"}, "x e %3"},
        {"%1 %2", {"%2", "y"}, "%2 y"},
    };
    for (const FillCase& c : cases)
        EXPECT_EQ(FillPlaceholders(c.pattern, c.args), c.expected) << c.pattern;
    EXPECT_EQ(Labelled("Alunno:", "Anna"), "Alunno: Anna");
    EXPECT_EQ(Labelled("Alunno: \xA0", "Anna"), "Alunno: Anna");
}

TEST(ProgressReport, KeyToolTipsGiveTheFiguresOrSayTooFew) {
    const KeyShades shades = ShadeKeys(Sample().keys, KeyMapMode::Errors);
    EXPECT_EQ(KeyToolTip(kTexts, shades[40], KeyMapMode::Errors),
              "à: 40 battute, 14 errori (35.0%)"_cp1252);
    EXPECT_EQ(KeyToolTip(kTexts, shades[11], KeyMapMode::Errors),
              "s: troppe poche battute per giudicare (10)");
}

TEST(ProgressReport, ThePdfHoldsTheNameThePeriodAndTheWeakestKeysAsText) {
    TempFolder folder;
    const std::string path = folder.Path() + "progressi.pdf";
    CreaProgressPDF(path, kTexts, Sample(), Input());
    std::ifstream file(path, std::ios::binary);
    const std::string pdf{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    ASSERT_TRUE(pdf.starts_with("%PDF-1.3"));
    EXPECT_NE(pdf.find("(Progressi di: Anna \\(B\\)    Classe: 3B) Tj"), std::string::npos);
    EXPECT_NE(pdf.find("(Periodo: Ultimo mese \\(09/11/2026 - 08/12/2026\\)) Tj"),
              std::string::npos);
    EXPECT_NE(pdf.find("(Tasti pi\xF9 deboli: \xE0, \xF2) Tj"), std::string::npos);
    // The key map's boxes: one filled and stroked rectangle per key.
    std::size_t boxes = 0;
    for (std::size_t at = pdf.find(" re\r\nB"); at != std::string::npos;
         at = pdf.find(" re\r\nB", at + 1))
        ++boxes;
    EXPECT_GE(boxes, static_cast<std::size_t>(KeyTable::kKeyCount));
    EXPECT_TRUE(pdf.ends_with("%%EOF\r\r\n"));
}

} // namespace
