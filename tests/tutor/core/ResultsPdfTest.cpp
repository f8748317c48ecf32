#include "tutor/core/ResultsPdf.h"

#include "common/core/UiTexts.h"
#include "tutor/core/ResultsFigures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace {

// One call on the writer, with its arguments.
struct Call {
    Call(std::string o, std::vector<double> n = {}, std::string t = {}, std::string f = {})
        : op(std::move(o)), numbers(std::move(n)), text(std::move(t)), font(std::move(f)) {}
    std::string op;
    std::vector<double> numbers;
    std::string text;
    std::string font;
};

// Records every call. Length is 0.2 units per character at 12 points, in
// proportion to the size, so the columns can be worked out by hand.
class RecordingWriter : public ResultsPdfWriter {
public:
    std::vector<Call> calls;

    void Title(const std::string& title) override { calls.push_back({"Title", {}, title, ""}); }
    void ScaleMode(int32_t mode) override { calls.push_back({"ScaleMode", {double(mode)}}); }
    void PaperSize(int32_t code) override { calls.push_back({"PaperSize", {double(code)}}); }
    void Margin(float margin) override { calls.push_back({"Margin", {margin}}); }
    void Orientation(int32_t o) override { calls.push_back({"Orientation", {double(o)}}); }
    void InitPDFFile(std::string& fileName) override {
        calls.push_back({"InitPDFFile", {}, fileName, ""});
    }
    void LoadFont(std::string& name, std::string& baseFont, int32_t options) override {
        calls.push_back({"LoadFont", {double(options)}, baseFont, name});
    }
    int16_t BeginPage() override {
        calls.push_back({"BeginPage"});
        return 1;
    }
    void EndPage() override { calls.push_back({"EndPage"}); }
    void ClosePDFFile() override { calls.push_back({"ClosePDFFile"}); }
    void DrawText(float x, float y, const std::string& text, const std::string& fontName,
                  float fontSize, int32_t align) override {
        calls.push_back({"DrawText", {x, y, fontSize, double(align)}, text, fontName});
    }
    float Length(const std::string& phrase, const std::string&, float fontSize) override {
        return static_cast<float>(phrase.size()) * 0.2f * fontSize / 12.0f;
    }
    void SetColorStroke(int32_t colour) override {
        calls.push_back({"SetColorStroke", {double(colour)}});
    }
    void SetColorFill(int32_t colour) override {
        calls.push_back({"SetColorFill", {double(colour)}});
    }
    void SetLineWidth(float width) override { calls.push_back({"SetLineWidth", {width}}); }
    void MoveTo(float x, float y) override { calls.push_back({"MoveTo", {x, y}}); }
    void LineTo(float x, float y, int32_t options) override {
        calls.push_back({"LineTo", {x, y, double(options)}});
    }

    // The DrawText calls whose text is exactly the given one.
    std::vector<Call> Texts(const std::string& text) const {
        std::vector<Call> found;
        for (const Call& call : calls) {
            if (call.op == "DrawText" && call.text == text)
                found.push_back(call);
        }
        return found;
    }
    // The one DrawText call at a position (x within 0.001, y within 0.001).
    const Call* TextAt(double x, double y) const {
        for (const Call& call : calls) {
            if (call.op == "DrawText" && std::abs(call.numbers[0] - x) < 1e-3 &&
                std::abs(call.numbers[1] - y) < 1e-3)
                return &call;
        }
        return nullptr;
    }
    std::vector<std::string> Ops() const {
        std::vector<std::string> ops;
        for (const Call& call : calls)
            ops.push_back(call.op);
        return ops;
    }
};

ResultsFigures Figures(std::int16_t levelsReached) {
    ResultsFigures figures;
    figures.texts = ResultsTexts::From(UiTexts::BuiltIn(UiProgram::Tutor));
    figures.table.PointsFactor = 0.4f;
    figures.table.Difficulty = 0;
    figures.table.CategoryName = "Principiante";
    figures.table.LevelsReached = levelsReached;
    figures.table.TotalCorrect = 200;
    figures.table.TotalWrong = 3;
    // Level 1: 150, 180, 0, 75 and 90 keystrokes a minute.
    const float level1[5] = {2.5f, 3.0f, 0.0f, 1.25f, 1.5f};
    for (int i = 0; i < 5; ++i)
        figures.table.SentenceSpeeds[static_cast<std::size_t>(1 + i)] = level1[i];
    // Level 2: 1.0 each (60 a minute, 40 points); level 3: 2.0 each (120, 80).
    for (int s = 6; s <= 10; ++s)
        figures.table.SentenceSpeeds[static_cast<std::size_t>(s)] = 1.0f;
    for (int s = 11; s <= 15; ++s)
        figures.table.SentenceSpeeds[static_cast<std::size_t>(s)] = 2.0f;
    return figures;
}

RecordingWriter Compose(const ResultsFigures& figures, const std::string& name = "Mario",
                        const std::string& date = "luned\xEC, 03 marzo 2025 (10:15:00)") {
    RecordingWriter writer;
    std::string path = "/tmp/x/Mario.pdf";
    CreaPDF(writer, path, figures, name, date);
    return writer;
}

const std::string kRowLabel1 = " Frase1 battute / min = ";

TEST(ResultsPdf, SetsUpOneA4PageInCentimetresWithFourArialFonts) {
    const RecordingWriter writer = Compose(Figures(3));
    const std::vector<std::string> ops = writer.Ops();
    ASSERT_GE(ops.size(), 12u);
    const std::vector<std::string> head(ops.begin(), ops.begin() + 11);
    EXPECT_EQ(head, (std::vector<std::string>{"Title", "ScaleMode", "PaperSize", "Margin",
                                              "Orientation", "InitPDFFile", "LoadFont", "LoadFont",
                                              "LoadFont", "LoadFont", "BeginPage"}));
    EXPECT_EQ(writer.calls[0].text, "Risultati Zentavo");
    EXPECT_EQ(writer.calls[1].numbers[0], 3);
    EXPECT_EQ(writer.calls[2].numbers[0], 0);
    EXPECT_EQ(writer.calls[3].numbers[0], 0);
    EXPECT_EQ(writer.calls[4].numbers[0], 0);
    EXPECT_EQ(writer.calls[5].text, "/tmp/x/Mario.pdf");
    const std::pair<const char*, int> fonts[4] = {{"Fn1", 0}, {"Fn2", 3}, {"Fn3", 1}, {"Fn4", 2}};
    for (int i = 0; i < 4; ++i) {
        const Call& font = writer.calls[static_cast<std::size_t>(6 + i)];
        EXPECT_EQ(font.font, fonts[i].first);
        EXPECT_EQ(font.numbers[0], fonts[i].second);
        EXPECT_EQ(font.text, "Arial");
    }
    EXPECT_EQ(ops[ops.size() - 2], "EndPage");
    EXPECT_EQ(ops.back(), "ClosePDFFile");
    EXPECT_EQ(std::count(ops.begin(), ops.end(), "BeginPage"), 1);
    // Nothing of the page is drawn with the fourth font.
    for (const Call& call : writer.calls) {
        EXPECT_FALSE(call.op == "DrawText" && call.font == "Fn4") << call.text;
    }
}

struct PlacedText {
    const char* what;
    double x;
    double y;
    std::string text;
    const char* font;
    double size;
    int align;
};

class ResultsPdfPlacement : public ::testing::TestWithParam<PlacedText> {};

// The speed column ends 1 cm after the first row label (24 characters, 4.8
// cm in the fake), the points column 1 cm after "Punteggio" (9, 1.8 cm).
constexpr double kSpeedColumn = 2.5 + 4.8 + 1.0;
constexpr double kPointsColumn = 12.0 + 1.8 + 1.0;

TEST_P(ResultsPdfPlacement, DrawsTheTextWhereThePageWantsIt) {
    const RecordingWriter writer = Compose(Figures(3), "Mario (3B) \\ Rossi");
    const PlacedText& want = GetParam();
    const Call* call = writer.TextAt(want.x, want.y);
    ASSERT_NE(call, nullptr) << want.what;
    EXPECT_EQ(call->text, want.text) << want.what;
    EXPECT_EQ(call->font, want.font) << want.what;
    EXPECT_FLOAT_EQ(static_cast<float>(call->numbers[2]), static_cast<float>(want.size))
        << want.what;
    EXPECT_EQ(call->numbers[3], want.align) << want.what;
}

INSTANTIATE_TEST_SUITE_P(
    Page, ResultsPdfPlacement,
    ::testing::Values(
        PlacedText{"title", 2.0, 27.5, "Zentavo", "Fn2", 24, 0},
        PlacedText{"name as typed", 2.0, 26.7, "Risultati ottenuti da: Mario (3B) \\ Rossi", "Fn1",
                   12, 0},
        PlacedText{"date on the right", 20.0, 26.7, "luned\xEC, 03 marzo 2025 (10:15:00)", "Fn1",
                   10, 1},
        PlacedText{"heading 1", 2.0, 25.0, " Livello1", "Fn1", 16, 0},
        PlacedText{"heading 2", 2.0, 19.0, " Livello2", "Fn1", 16, 0},
        PlacedText{"heading 3", 2.0, 13.0, " Livello3", "Fn1", 16, 0},
        PlacedText{"category 1", 12.0, 25.0, " CategoriaPrincipiante", "Fn3", 12, 0},
        PlacedText{"category 3", 12.0, 13.0, " CategoriaPrincipiante", "Fn3", 12, 0},
        PlacedText{"first row label", 2.5, 24.0, " Frase1 battute / min = ", "Fn1", 12, 0},
        PlacedText{"first row speed", kSpeedColumn, 24.0, "150", "Fn1", 12, 1},
        PlacedText{"first row points label", 12.0, 24.0, "Punteggio", "Fn1", 12, 0},
        PlacedText{"first row points", kPointsColumn, 24.0, "100", "Fn1", 12, 1},
        PlacedText{"capped points", kPointsColumn, 23.5, "100", "Fn1", 12, 1},
        PlacedText{"speed above the cap", kSpeedColumn, 23.5, "180", "Fn1", 12, 1},
        PlacedText{"speed 0", kSpeedColumn, 23.0, "0", "Fn1", 12, 1},
        PlacedText{"points of speed 0", kPointsColumn, 23.0, "0", "Fn1", 12, 1},
        PlacedText{"fourth row", 2.5, 22.5, " Frase4 battute / min = ", "Fn1", 12, 0},
        PlacedText{"fourth row points", kPointsColumn, 22.5, "50", "Fn1", 12, 1},
        PlacedText{"fifth row speed", kSpeedColumn, 22.0, "90", "Fn1", 12, 1},
        // Average of 150, 180, 0, 75, 90 a minute is 99; points 100+100+0+50+60 = 310 / 5.
        PlacedText{"average label", 2.5, 20.5, "Media: battute / min = ", "Fn3", 12, 0},
        PlacedText{"average speed", kSpeedColumn + 0.1, 20.5, "99", "Fn3", 12, 1},
        PlacedText{"average points label", 12.0, 20.5, "Punteggio  ", "Fn3", 12, 0},
        PlacedText{"average points", kPointsColumn, 20.5, "62", "Fn3", 12, 1},
        PlacedText{"level 2 first row", 2.5, 18.0, " Frase1 battute / min = ", "Fn1", 12, 0},
        PlacedText{"level 2 points", kPointsColumn, 16.0, "40", "Fn1", 12, 1},
        PlacedText{"level 2 average", kPointsColumn, 14.5, "40", "Fn3", 12, 1},
        PlacedText{"level 3 speed", kSpeedColumn, 12.0, "120", "Fn1", 12, 1},
        PlacedText{"level 3 average", kPointsColumn, 8.5, "80", "Fn3", 12, 1},
        PlacedText{"overall heading", 2.0, 7.0, "Risultati complessivi dell'esercizio", "Fn2", 14,
                   0},
        // (99 + 60 + 120) / 3 = 93 a minute; (62 + 40 + 80) / 3 = 60.67 -> 60.
        PlacedText{"overall speed", 2.5, 6.0, "Digitazioni al minuto:  93", "Fn1", 12, 0},
        PlacedText{"overall points", 12.0, 6.0, "Punteggio: 60", "Fn1", 12, 0},
        PlacedText{"wrong keystrokes", 2.5, 5.0, "- Totali errori di battitura: 3", "Fn1", 10, 0},
        PlacedText{"correct keystrokes", 2.5, 4.5, "- Totali  numero  battute: 200", "Fn1", 10, 0},
        PlacedText{"ratio", 12.0, 4.8, "- Rapporto errori/battute: 1,5%", "Fn1", 10, 0},
        PlacedText{"built-in sentences", 2.0, 1.5,
                   "L'esercizio corrente \xE8 stato eseguito utilizzando le frasi interne.", "Fn1",
                   7, 0},
        PlacedText{"credit", 20.0, 1.5, std::string("Zentavo") + kResultsCredit, "Fn1", 7, 1}));

TEST(ResultsPdf, DrawsEveryLevelButCountsOnlyTheLevelsReached) {
    const RecordingWriter writer = Compose(Figures(1));
    EXPECT_EQ(writer.Texts(" Frase1 battute / min = ").size(), 3u);
    EXPECT_EQ(writer.Texts("Media: battute / min = ").size(), 3u);
    const Call* speed = writer.TextAt(2.5, 6.0);
    const Call* points = writer.TextAt(12.0, 6.0);
    ASSERT_TRUE(speed && points);
    EXPECT_EQ(speed->text, "Digitazioni al minuto:  99");
    EXPECT_EQ(points->text, "Punteggio: 62");
}

TEST(ResultsPdf, NoKeystrokesGiveARatioOfZero) {
    ResultsFigures figures = Figures(1);
    figures.table.TotalCorrect = 0;
    figures.table.TotalWrong = 0;
    const RecordingWriter writer = Compose(figures);
    const Call* correct = writer.TextAt(2.5, 4.5);
    const Call* ratio = writer.TextAt(12.0, 4.8);
    ASSERT_TRUE(correct && ratio);
    EXPECT_EQ(correct->text, "- Totali  numero  battute: 0");
    EXPECT_EQ(ratio->text, "- Rapporto errori/battute: 0,0%");
}

TEST(ResultsPdf, TheColumnsFollowTheWidthOfTheLanguagesTexts) {
    ResultsFigures figures = Figures(3);
    figures.texts.text[3] = "Punti ottenuti";   // 14 characters: 2.8 in the fake
    figures.texts.text[1] = "caratteri al min"; // first row label of 27 characters: 5.4
    const RecordingWriter writer = Compose(figures);
    const Call* points = writer.TextAt(12.0 + 2.8 + 1.0, 24.0);
    const Call* speed = writer.TextAt(2.5 + 5.4 + 1.0, 24.0);
    ASSERT_TRUE(points && speed);
    EXPECT_EQ(points->text, "100");
    EXPECT_EQ(speed->text, "150");
    EXPECT_EQ(writer.TextAt(kPointsColumn, 24.0), nullptr);
}

TEST(ResultsPdf, NamesTheExerciseFileInTheFooter) {
    ResultsFigures figures = Figures(3);
    figures.exerciseFileName = "03 Riga superiore.ftd";
    const RecordingWriter writer = Compose(figures);
    const Call* footer = writer.TextAt(2.0, 1.5);
    ASSERT_NE(footer, nullptr);
    EXPECT_EQ(footer->text, "L'esercizio corrente \xE8 stato eseguito utilizzando il file "
                            " 03 Riga superiore.ftd");
}

struct DrawnRule {
    double y;
    double width;
    int colour;
};

TEST(ResultsPdf, StrokesEveryRuleAndBandAcrossThePage) {
    const RecordingWriter writer = Compose(Figures(3));
    std::vector<DrawnRule> rules;
    double width = 0;
    int stroke = 0;
    for (std::size_t i = 0; i < writer.calls.size(); ++i) {
        const Call& call = writer.calls[i];
        if (call.op == "SetLineWidth")
            width = call.numbers[0];
        if (call.op == "SetColorStroke")
            stroke = static_cast<int>(call.numbers[0]);
        if (call.op != "MoveTo")
            continue;
        ASSERT_LT(i + 1, writer.calls.size());
        const Call& line = writer.calls[i + 1];
        ASSERT_EQ(line.op, "LineTo");
        EXPECT_FLOAT_EQ(static_cast<float>(call.numbers[0]), 2.0f);
        EXPECT_FLOAT_EQ(static_cast<float>(line.numbers[0]), 20.0f);
        EXPECT_EQ(call.numbers[1], line.numbers[1]);
        EXPECT_EQ(line.numbers[2], 1) << "stroked";
        rules.push_back({call.numbers[1], width, stroke});
    }
    const int black = 0;
    const std::vector<DrawnRule> want = {
        {27.3, 0.01, black},
        {25.2, 0.7, PdfColour(236, 255, 213)},
        {19.2, 0.7, PdfColour(255, 255, 199)},
        {13.2, 0.7, PdfColour(255, 226, 226)},
        {24.7, 0.01, black},
        {18.7, 0.01, black},
        {12.7, 0.01, black},
        {6.7, 0.01, black},
        {5.1, 2.8, PdfColour(244, 244, 244)},
        {3.5, 0.01, black},
    };
    ASSERT_EQ(rules.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        EXPECT_NEAR(rules[i].y, want[i].y, 1e-4) << i;
        EXPECT_NEAR(rules[i].width, want[i].width, 1e-6) << i;
        EXPECT_EQ(rules[i].colour, want[i].colour) << i;
    }
}

TEST(ResultsPdf, WritesTheTextsInBlack) {
    const RecordingWriter writer = Compose(Figures(3));
    int fill = -1;
    for (const Call& call : writer.calls) {
        if (call.op == "SetColorFill")
            fill = static_cast<int>(call.numbers[0]);
        if (call.op == "DrawText") {
            EXPECT_EQ(fill, 0) << call.text;
        }
    }
}

} // namespace
