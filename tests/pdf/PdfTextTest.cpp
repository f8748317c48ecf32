// Fonts and text: font objects with their widths and descriptors, Length,
// text state operators and DrawText.
#include "PdfTestSupport.h"

#include "pdf/clsPDFCreator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>

namespace {

using pdftest::OnePage;
using pdftest::WriteOnePage;

void NoDeclarations(clsPDFCreator&) {}

// Widths every Arial and Symbol table must have; -1 where a family has none.
struct TellingRow {
    int code, arial, arialBold, symbol;
};
constexpr TellingRow kTellingRows[] = {
    {30, -1, -1, 600},    {31, -1, -1, 600},    {32, 278, 278, 250},  {33, 278, 333, 333},
    {34, 355, 474, 713},  {37, 889, 889, 833},  {38, 667, 722, 778},  {39, 191, 238, 439},
    {48, 556, 556, 500},  {64, 1015, 975, 549}, {65, 667, 722, 722},  {97, 556, 556, 631},
    {105, 222, 278, 329}, {127, 750, 750, 600}, {128, 556, 556, 600}, {160, 278, 278, 600},
    {161, 333, 333, 620}, {255, 500, 556, 600},
};

enum class Table { Arial, ArialBold, Symbol };

struct FontCase {
    const char* label;
    const char* baseFont;
    int32_t options;
    const char* name; // /BaseFont and /FontName
    int firstChar;
    Table table;
    const char* descriptor; // body of the font descriptor
};

const char* kArialRegular = "/Flags 32 /FontBBox [-250 -221 1190 1000] /MissingWidth 272 /StemV 80 "
                            "/StemH 80 /ItalicAngle 0 /CapHeight 905 /XHeight 453 /Ascent 905 "
                            "/Descent -212 /Leading 150 /MaxWidth 992 /AvgWidth 441";
const char* kArialBold =
    "/Flags 16416 /FontBBox [-250 -212 1120 1000] /MissingWidth 311 /StemV 153 "
    "/StemH 153 /ItalicAngle 0 /CapHeight 905 /XHeight 453 /Ascent 905 "
    "/Descent -212 /Leading 150 /MaxWidth 933 /AvgWidth 479";
const char* kArialItalic = "/Flags 96 /FontBBox [-250 -212 1134 1000] /MissingWidth 259 /StemV 80 "
                           "/StemH 80 /ItalicAngle -11 /CapHeight 905 /XHeight 453 /Ascent 905 "
                           "/Descent -212 /Leading 150 /MaxWidth 945 /AvgWidth 441";
const char* kArialBoldItalic =
    "/Flags 16480 /FontBBox [-250 -212 1120 1000] /MissingWidth 311 /StemV 153 /StemH 153 "
    "/ItalicAngle -11 /CapHeight 905 /XHeight 453 /Ascent 905 /Descent -212 /Leading 150 "
    "/MaxWidth 933 /AvgWidth 479";
const char* kSymbolRegular =
    "/Flags 6 /FontBBox [-250 -220 1246 1005] /MissingWidth 332 /StemV 109 /StemH 109 "
    "/ItalicAngle 0 /CapHeight 1005 /XHeight 503 /Ascent 1005 /Descent -220 /Leading 225 "
    "/MaxWidth 1038 /AvgWidth 601";
const char* kSymbolBold =
    "/Flags 16390 /FontBBox [-250 -220 1246 1005] /MissingWidth 332 /StemV 191 /StemH 191 "
    "/ItalicAngle 0 /CapHeight 1005 /XHeight 503 /Ascent 1005 /Descent -220 /Leading 225 "
    "/MaxWidth 1038 /AvgWidth 600";
const char* kSymbolItalic =
    "/Flags 70 /FontBBox [-250 -220 1246 1005] /MissingWidth 332 /StemV 109 /StemH 109 "
    "/ItalicAngle -11 /CapHeight 1005 /XHeight 503 /Ascent 1005 /Descent -220 /Leading 225 "
    "/MaxWidth 1038 /AvgWidth 600";
const char* kSymbolBoldItalic =
    "/Flags 16454 /FontBBox [-250 -220 1246 1005] /MissingWidth 332 /StemV 191 /StemH 191 "
    "/ItalicAngle -11 /CapHeight 1005 /XHeight 503 /Ascent 1005 /Descent -220 /Leading 225 "
    "/MaxWidth 1038 /AvgWidth 600";

class LoadFontTest : public testing::TestWithParam<FontCase> {};

TEST_P(LoadFontTest, WritesFontWidthsAndDescriptor) {
    const FontCase& c = GetParam();
    std::string base = c.baseFont;
    const OnePage page = WriteOnePage(
        [&](clsPDFCreator& pdf) {
            std::string name = "Fn1";
            pdf.LoadFont(name, base, c.options);
        },
        NoDeclarations);

    const std::string head = "<< /Type /Font \r/Subtype /TrueType\r/Name /Fn1\r/BaseFont /" +
                             std::string(c.name) + "\r/FirstChar " + std::to_string(c.firstChar) +
                             "\r/LastChar 255\r/FontDescriptor 6 0 R\r/Encoding /WinAnsiEncoding"
                             "\r/Widths [\r\n";
    const std::string font = pdftest::ObjectBody(page.file, 5);
    ASSERT_TRUE(font.starts_with(head)) << font.substr(0, head.size());
    ASSERT_TRUE(font.ends_with("] >>\r\n"));

    // Sixteen widths to a line, each followed by one blank.
    const auto lines = pdftest::Lines(font.substr(head.size(), font.size() - head.size() - 6));
    const int count = 256 - c.firstChar;
    ASSERT_EQ(lines.size(), static_cast<std::size_t>((count + 15) / 16));
    std::map<int, int> widths;
    int code = c.firstChar;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::size_t expectedValues = i + 1 < lines.size() ? 16 : count - 16 * i;
        std::istringstream values(lines[i]);
        int width = 0;
        std::size_t onLine = 0;
        while (values >> width) {
            widths[code++] = width;
            ++onLine;
        }
        EXPECT_EQ(onLine, expectedValues) << "line " << i;
        EXPECT_TRUE(lines[i].ends_with(" ") && !lines[i].ends_with("  ")) << lines[i];
    }
    EXPECT_EQ(code, 256);
    for (const TellingRow& row : kTellingRows) {
        const int expected = c.table == Table::Arial       ? row.arial
                             : c.table == Table::ArialBold ? row.arialBold
                                                           : row.symbol;
        if (expected >= 0) {
            EXPECT_EQ(widths[row.code], expected) << "code " << row.code;
        } else {
            EXPECT_EQ(widths.count(row.code), 0u) << "code " << row.code;
        }
    }

    EXPECT_EQ(pdftest::ObjectBody(page.file, 6),
              std::string("<<\r/Type /FontDescriptor\r/FontName /") + c.name + "\r" + c.descriptor +
                  "\r>>\r\n");
    EXPECT_EQ(pdftest::ObjectBody(page.file, 4),
              "<<\r/Font <<\r/Fn1 5 0 R \r>>\r/ProcSet [/PDF /Text ]\r>>\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Styles, LoadFontTest,
    testing::Values(
        FontCase{"Arial", "Arial", 0, "Arial", 32, Table::Arial, kArialRegular},
        FontCase{"ArialBold", "Arial", 1, "Arial,Bold", 32, Table::ArialBold, kArialBold},
        FontCase{"ArialItalic", "arial", 2, "Arial,Italic", 32, Table::Arial, kArialItalic},
        FontCase{"ArialBoldItalic", "Arial", 3, "Arial,BoldItalic", 32, Table::ArialBold,
                 kArialBoldItalic},
        FontCase{"AnyOtherNameIsArial", "Times New Roman", 2, "Arial,Italic", 32, Table::Arial,
                 kArialItalic},
        FontCase{"UnknownStyleIsRegular", "Arial", 7, "Arial", 32, Table::Arial, kArialRegular},
        FontCase{"Symbol", "Symbol", 0, "Symbol", 30, Table::Symbol, kSymbolRegular},
        FontCase{"SymbolLowerCaseBold", "symbol", 1, "Symbol,Bold", 30, Table::Symbol, kSymbolBold},
        FontCase{"SymbolWithBlanksItalic", " Sym bol ", 2, "Symbol,Italic", 30, Table::Symbol,
                 kSymbolItalic},
        FontCase{"SymbolBoldItalic", "SYMBOL", 3, "Symbol,BoldItalic", 30, Table::Symbol,
                 kSymbolBoldItalic}),
    [](const testing::TestParamInfo<FontCase>& param) { return param.param.label; });

struct BaseFontCase {
    const char* given;
    const char* afterLoadFont;
    const char* afterLoadFontStandard;
};

class BaseFontArgumentTest : public testing::TestWithParam<BaseFontCase> {};

TEST_P(BaseFontArgumentTest, CallersVariableIsNormalised) {
    std::string forTrueType = GetParam().given;
    std::string forType1 = GetParam().given;
    WriteOnePage(
        [&](clsPDFCreator& pdf) {
            std::string a = "A", b = "B";
            pdf.LoadFont(a, forTrueType);
            pdf.LoadFontStandard(b, forType1);
        },
        NoDeclarations);
    EXPECT_EQ(forTrueType, GetParam().afterLoadFont);
    EXPECT_EQ(forType1, GetParam().afterLoadFontStandard);
}

INSTANTIATE_TEST_SUITE_P(Cases, BaseFontArgumentTest,
                         testing::Values(BaseFontCase{"Arial", "ARIAL", "Arial"},
                                         BaseFontCase{" sym bol ", "SYMBOL", "symbol"},
                                         BaseFontCase{"Times New Roman", "TIMESNEWROMAN",
                                                      "TimesNewRoman"}));

TEST(LoadFontStandardTest, WritesType1FontByName) {
    const OnePage page = WriteOnePage(
        [](clsPDFCreator& pdf) {
            std::string f1 = "F1", b1 = "Times New Roman";
            std::string f2 = "F2", b2 = "Helvetica";
            pdf.LoadFontStandard(f1, b1, 1);
            pdf.LoadFontStandard(f2, b2, 3);
        },
        [](clsPDFCreator& pdf) { pdf.DrawText(100, 700, "Type 1", "F2", 12); });
    EXPECT_EQ(pdftest::ObjectBody(page.file, 5),
              "<< /Type /Font /Subtype /Type1 /Name /F1 /BaseFont /TimesNewRoman,Bold "
              "/Encoding /WinAnsiEncoding >>\r\n");
    EXPECT_EQ(pdftest::ObjectBody(page.file, 6),
              "<< /Type /Font /Subtype /Type1 /Name /F2 /BaseFont /Helvetica,BoldItalic "
              "/Encoding /WinAnsiEncoding >>\r\n");
    EXPECT_EQ(pdftest::ObjectBody(page.file, 4),
              "<<\r/Font <<\r/F1 5 0 R \r/F2 6 0 R \r>>\r/ProcSet [/PDF /Text ]\r>>\r\n");
    EXPECT_EQ(pdftest::FirstPageObject(page.file), 7);
}

struct LengthCase {
    const char* label;
    int32_t scaleMode;
    const char* font; // resource name asked for
    const char* phrase;
    float size;
    std::function<void(clsPDFCreator&)> spacing;
    double expected;
};

class LengthTest : public testing::TestWithParam<LengthCase> {};

TEST_P(LengthTest, SumsWidthsInCallersUnit) {
    const LengthCase& c = GetParam();
    float length = -1;
    WriteOnePage(
        [](clsPDFCreator& pdf) {
            std::string n1 = "Fn1", b1 = "Arial", n2 = "Fn3", b2 = "Arial";
            std::string n3 = "Sym", b3 = "Symbol", n4 = "Std", b4 = "Helvetica";
            pdf.LoadFont(n1, b1, 0);
            pdf.LoadFont(n2, b2, 1);
            pdf.LoadFont(n3, b3, 0);
            pdf.LoadFontStandard(n4, b4);
        },
        [&](clsPDFCreator& pdf) {
            c.spacing(pdf);
            length = pdf.Length(c.phrase, c.font, c.size);
        },
        {c.scaleMode, false});
    EXPECT_NEAR(length, c.expected, 1e-4);
}

void NoSpacing(clsPDFCreator&) {}

INSTANTIATE_TEST_SUITE_P(
    Cases, LengthTest,
    testing::Values(
        LengthCase{"Points", 0, "Fn1", "ab c", 10, NoSpacing, 18.9},
        LengthCase{"Millimetres", 2, "Fn1", "ab c", 10, NoSpacing, 18.9 / 72 * 25.4},
        LengthCase{"Centimetres", 3, "Fn1", "ab c", 10, NoSpacing, 18.9 / 72 * 2.54},
        LengthCase{"Inches", 1, "Fn1", "ab c", 10, NoSpacing, 18.9 / 72},
        LengthCase{"UnknownScaleMode", 6, "Fn1", "ab c", 10, NoSpacing, 0},
        LengthCase{"NameIgnoresCase", 0, "FN1", "ab c", 10, NoSpacing, 18.9},
        LengthCase{"Bold", 0, "Fn3", "iii", 100, NoSpacing, 83.4},
        LengthCase{"Euro", 0, "Fn1", "\x80\xE8", 12, NoSpacing, (556 + 556) * 12 / 1000.0},
        LengthCase{"ArialMissingWidth", 0, "Fn1", "\n", 1000, NoSpacing, 272},
        LengthCase{"ArialBoldMissingWidth", 0, "Fn3", "\t", 1000, NoSpacing, 272},
        LengthCase{"Symbol", 0, "Sym", "a", 10, NoSpacing, 6.31},
        LengthCase{"SymbolMissingWidth", 0, "Sym", "\x1D", 1000, NoSpacing, 332},
        LengthCase{"SymbolCode30", 0, "Sym", "\x1E", 1000, NoSpacing, 600},
        LengthCase{"StandardFontHasNoWidth", 0, "Std", "ab c", 10, NoSpacing, 0},
        LengthCase{"UndeclaredFont", 0, "Fn9", "ab c", 10, NoSpacing, 0},
        LengthCase{"EmptyPhrase", 0, "Fn1", "", 10, NoSpacing, 0},
        // (556 + 278 + 556) x 10 / 1000 + 1 blank x 2 + 3 characters x 1, then halved.
        LengthCase{"SpacingAndScaling", 0, "Fn1", "a b", 10,
                   [](clsPDFCreator& pdf) {
                       pdf.SetCharSpacing(1);
                       pdf.SetWordSpacing(2);
                       pdf.SetTextHorizontalScaling(50);
                   },
                   9.45},
        LengthCase{"SpacingInPointsConverted", 2, "Fn1", "a b", 10,
                   [](clsPDFCreator& pdf) { pdf.SetCharSpacing(1); }, (13.9 + 3) / 72 * 25.4},
        LengthCase{"RenderingModeIsNoSpacing", 0, "Fn1", "ab c", 10,
                   [](clsPDFCreator& pdf) { pdf.SetTextRenderingMode(1); }, 18.9}),
    [](const testing::TestParamInfo<LengthCase>& param) { return param.param.label; });

TEST(LengthTest, NewPageResetsSpacing) {
    const std::string path = pdftest::TempPath("reset.pdf");
    clsPDFCreator pdf;
    std::string name = path, font = "Fn1", base = "Arial";
    pdf.InitPDFFile(name);
    pdf.LoadFont(font, base);
    pdf.BeginPage();
    pdf.SetCharSpacing(5);
    pdf.SetWordSpacing(5);
    pdf.SetTextHorizontalScaling(200);
    EXPECT_NEAR(pdf.Length("ab c", "Fn1", 10), (18.9 + 5 + 20) * 2, 1e-4);
    pdf.EndPage();
    pdf.BeginPage();
    EXPECT_NEAR(pdf.Length("ab c", "Fn1", 10), 18.9, 1e-4);
    pdf.EndPage();
    pdf.ClosePDFFile();
    pdftest::ExpectQpdfClean(path);
}

struct TextStateCase {
    std::function<void(clsPDFCreator&)> call;
    const char* content;
};

class TextStateTest : public testing::TestWithParam<TextStateCase> {};

TEST_P(TextStateTest, WritesOperatorUnconverted) {
    const OnePage page = WriteOnePage(NoDeclarations, GetParam().call, {3, false});
    EXPECT_EQ(page.content, GetParam().content);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextStateTest,
    testing::Values(
        TextStateCase{[](clsPDFCreator& p) { p.SetCharSpacing(1.5f); }, "1.5 Tc\r\n"},
        TextStateCase{[](clsPDFCreator& p) { p.SetWordSpacing(-0.25f); }, "-0.25 Tw\r\n"},
        TextStateCase{[](clsPDFCreator& p) { p.SetTextHorizontalScaling(80); }, "80 Tz\r\n"},
        TextStateCase{[](clsPDFCreator& p) { p.SetTextRenderingMode(0); }, "0 Tr\r\n"},
        TextStateCase{[](clsPDFCreator& p) { p.SetTextRenderingMode(2); }, "2 Tr\r\n"},
        TextStateCase{[](clsPDFCreator& p) { p.SetTextRenderingMode(1.5f); }, "1.5 Tr\r\n"},
        TextStateCase{[](clsPDFCreator& p) { p.SetTextRenderingMode(3); }, ""},
        TextStateCase{[](clsPDFCreator& p) { p.SetTextRenderingMode(-1); }, ""}));

struct DrawTextCase {
    const char* label;
    int32_t scaleMode;
    float x, y;
    const char* text;
    const char* font;
    float size;
    int32_t align;
    float rotate;
    const char* content;
};

class DrawTextTest : public testing::TestWithParam<DrawTextCase> {};

TEST_P(DrawTextTest, WritesOneTextObject) {
    const DrawTextCase& c = GetParam();
    const OnePage page = WriteOnePage(
        [](clsPDFCreator& pdf) {
            std::string n1 = "Fn1", b1 = "Arial", n2 = "Std", b2 = "Helvetica";
            pdf.LoadFont(n1, b1);
            pdf.LoadFontStandard(n2, b2);
        },
        [&](clsPDFCreator& pdf) {
            pdf.DrawText(c.x, c.y, c.text, c.font, c.size, c.align, c.rotate);
        },
        {c.scaleMode, false});
    EXPECT_EQ(page.content, c.content);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DrawTextTest,
    testing::Values(
        DrawTextCase{"Left", 0, 100, 700, "Ciao", "Fn1", 12, 0, 0,
                     "BT\r\n/Fn1 12 Tf\r\n100 700 Td\r\n(Ciao) Tj\r\nET\r\n"},
        DrawTextCase{"FractionalSize", 0, 100.25f, 700.5f, "x", "Fn1", 10.5f, 0, 0,
                     "BT\r\n/Fn1 10.5 Tf\r\n100.25 700.5 Td\r\n(x) Tj\r\nET\r\n"},
        // "ab c" at 10 points is 18.9 points wide.
        DrawTextCase{"Right", 0, 200, 700, "ab c", "Fn1", 10, 1, 0,
                     "BT\r\n/Fn1 10 Tf\r\n181.1 700 Td\r\n(ab c) Tj\r\nET\r\n"},
        DrawTextCase{"Centre", 0, 200, 700, "ab c", "Fn1", 10, 2, 0,
                     "BT\r\n/Fn1 10 Tf\r\n190.55 700 Td\r\n(ab c) Tj\r\nET\r\n"},
        DrawTextCase{"OtherAlignIsLeft", 0, 200, 700, "ab c", "Fn1", 10, 5, 0,
                     "BT\r\n/Fn1 10 Tf\r\n200 700 Td\r\n(ab c) Tj\r\nET\r\n"},
        // 20 cm = 566.929 pt, 26.7 cm = 756.85 pt.
        DrawTextCase{"RightInCentimetres", 3, 20, 26.7f, "ab c", "Fn1", 10, 1, 0,
                     "BT\r\n/Fn1 10 Tf\r\n548.029 756.85 Td\r\n(ab c) Tj\r\nET\r\n"},
        DrawTextCase{"StandardFontRightStaysAtX", 0, 200, 700, "ab c", "Std", 10, 1, 0,
                     "BT\r\n/Std 10 Tf\r\n200 700 Td\r\n(ab c) Tj\r\nET\r\n"},
        DrawTextCase{"Rotate90", 0, 100, 700, "Su", "Fn1", 12, 0, 90,
                     "BT\r\n/Fn1 12 Tf\r\n0 1 -1 0 100 700 Tm\r\n(Su) Tj\r\nET\r\n"},
        DrawTextCase{"Rotate45", 0, 100, 700, "Su", "Fn1", 12, 0, 45,
                     "BT\r\n/Fn1 12 Tf\r\n0.707 0.707 -0.707 0.707 100 700 Tm\r\n(Su) "
                     "Tj\r\nET\r\n"},
        DrawTextCase{"Rotate180", 0, 100, 700, "Su", "Fn1", 12, 0, 180,
                     "BT\r\n/Fn1 12 Tf\r\n-1 0 0 -1 100 700 Tm\r\n(Su) Tj\r\nET\r\n"},
        DrawTextCase{"RotateMinus30", 0, 100, 700, "Su", "Fn1", 12, 0, -30,
                     "BT\r\n/Fn1 12 Tf\r\n0.866 -0.5 0.5 0.866 100 700 Tm\r\n(Su) Tj\r\nET\r\n"},
        DrawTextCase{"RotatedAndRightAligned", 0, 200, 700, "ab c", "Fn1", 10, 1, 90,
                     "BT\r\n/Fn1 10 Tf\r\n0 1 -1 0 181.1 700 Tm\r\n(ab c) Tj\r\nET\r\n"},
        DrawTextCase{"Escapes", 0, 1, 2, "a(b)c\\", "Fn1", 9, 0, 0,
                     "BT\r\n/Fn1 9 Tf\r\n1 2 Td\r\n(a\\(b\\)c\\\\) Tj\r\nET\r\n"},
        DrawTextCase{"LineBreakAsItIs", 0, 1, 2, "a\r\nb\xE8\x80", "Fn1", 9, 0, 0,
                     "BT\r\n/Fn1 9 Tf\r\n1 2 Td\r\n(a\r\nb\xE8\x80) Tj\r\nET\r\n"}),
    [](const testing::TestParamInfo<DrawTextCase>& param) { return param.param.label; });

TEST(DrawTextTest, ReaderGetsTheTextsBack) {
    const std::vector<std::string> texts = {"Zentavo", "Risultati di Mario Rossi",
                                            "Perch\xE9 citt\xE0 pi\xF9 cos\xEC: \x80 12,50",
                                            "Parentesi (tonde) e \\ barra", "\xC8 gi\xE0 l'ora"};
    const OnePage page = WriteOnePage(
        [](clsPDFCreator& pdf) {
            std::string n1 = "Fn1", b1 = "Arial", n2 = "Fn2", b2 = "Arial";
            pdf.LoadFont(n1, b1, 0);
            pdf.LoadFont(n2, b2, 3);
        },
        [&](clsPDFCreator& pdf) {
            float y = 27;
            for (std::size_t i = 0; i < texts.size(); ++i) {
                pdf.DrawText(i % 2 == 0 ? 2 : 19, y, texts[i], i == 0 ? "Fn2" : "Fn1", 12,
                             i % 2 == 0 ? 0 : 1);
                y -= 1.5f;
            }
        },
        {3, false});
    const std::string shown = pdftest::PdfToText(page.path);
    for (const std::string& text : texts) {
        EXPECT_NE(shown.find(pdftest::Cp1252ToUtf8(text)), std::string::npos)
            << pdftest::Cp1252ToUtf8(text) << " not in:\n"
            << shown;
    }
}

} // namespace
