// The pure helpers of the PDF byte layout: numbers, strings, units, ASCII85.
#include "PdfTestSupport.h"

#include "pdf/clsPDFCreator.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <locale>

namespace {

struct NumberCase {
    double value;
    int decimals;
    const char* expected;
};

class FormatNumberTest : public testing::TestWithParam<NumberCase> {};

TEST_P(FormatNumberTest, WritesPlainDecimal) {
    const NumberCase& c = GetParam();
    EXPECT_EQ(clsPDFCreator::FormatNumber(c.value, c.decimals), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatNumberTest,
    testing::Values(NumberCase{0, 3, "0"}, NumberCase{1, 3, "1"}, NumberCase{-1, 3, "-1"},
                    NumberCase{0.5, 3, "0.5"}, NumberCase{-0.25, 3, "-0.25"},
                    NumberCase{595.2f, 3, "595.2"}, NumberCase{1190.5, 3, "1190.5"},
                    NumberCase{10 * 72 / 25.4, 3, "28.346"},
                    NumberCase{842 - 10 * 72 / 25.4, 3, "813.654"},
                    // Exact halves go to the even neighbour.
                    NumberCase{0.0625, 3, "0.062"}, NumberCase{0.1875, 3, "0.188"},
                    NumberCase{2.5, 0, "2"}, NumberCase{3.5, 0, "4"}, NumberCase{-2.5, 0, "-2"},
                    NumberCase{1234567.125, 2, "1234567.12"},
                    // 0.0005 is stored a little above the half.
                    NumberCase{0.0005, 3, "0.001"}, NumberCase{0.9996, 3, "1"},
                    NumberCase{-0.0004, 3, "0"}, NumberCase{1e7, 3, "10000000"},
                    NumberCase{12.34, 1, "12.3"}, NumberCase{100, 3, "100"},
                    NumberCase{std::numeric_limits<double>::quiet_NaN(), 3, "0"},
                    NumberCase{std::numeric_limits<double>::infinity(), 3, "0"}));

// A numeric facet with a decimal comma, for C++ streams.
struct CommaDecimal : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

TEST(FormatNumberLocaleTest, WritesPointUnderDecimalCommaLocale) {
    const std::string oldC = std::setlocale(LC_ALL, nullptr);
    const std::locale oldCpp =
        std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
    bool commaC = false;
    for (const char* name : {"it_IT.UTF-8", "it_IT.utf8", "de_DE.UTF-8", "fr_FR.UTF-8"}) {
        if (std::setlocale(LC_ALL, name) != nullptr) {
            commaC = std::string(std::localeconv()->decimal_point) == ",";
            break;
        }
    }
    if (!commaC) {
        std::printf("no C locale with a decimal comma installed: checking the C++ locale only\n");
    }
    const std::string small = clsPDFCreator::FormatNumber(28.3464566, 3);
    const std::string large = clsPDFCreator::FormatNumber(12345.5, 3);

    const std::string path = pdftest::TempPath("locale.pdf");
    {
        clsPDFCreator pdf;
        pdf.ScaleMode(clsPDFCreator::ScaleMillimetres);
        pdf.Margin(10);
        std::string name = path;
        pdf.InitPDFFile(name);
        pdf.BeginPage();
        pdf.SetLineWidth(0.5f);
        pdf.EndPage();
        pdf.ClosePDFFile();
    }
    std::setlocale(LC_ALL, oldC.c_str());
    std::locale::global(oldCpp);

    EXPECT_EQ(small, "28.346");
    EXPECT_EQ(large, "12345.5");
    const std::string file = pdftest::ReadBytes(path);
    EXPECT_NE(file.find("/CropBox [28.346 28.346 566.854 813.654]"), std::string::npos);
    EXPECT_EQ(pdftest::StreamData(file, 6), "1.417 w\r\n");
    pdftest::ExpectQpdfClean(path);
}

struct EscapeCase {
    const char* text;
    const char* expected;
};

class EscapePdfStringTest : public testing::TestWithParam<EscapeCase> {};

TEST_P(EscapePdfStringTest, EscapesBackslashesAndParentheses) {
    EXPECT_EQ(clsPDFCreator::EscapePdfString(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, EscapePdfStringTest,
                         testing::Values(EscapeCase{"", ""}, EscapeCase{"plain", "plain"},
                                         EscapeCase{"(a\\b)", "\\(a\\\\b\\)"},
                                         EscapeCase{")(", "\\)\\("}, EscapeCase{"\\\\", "\\\\\\\\"},
                                         EscapeCase{"\\(", "\\\\\\("},
                                         EscapeCase{"Perch\xE9 \x80\r\n", "Perch\xE9 \x80\r\n"}));

struct UnitCase {
    int32_t mode;
    double unit; // one unit of the mode in points
};

class UnitConversionTest : public testing::TestWithParam<UnitCase> {};

TEST_P(UnitConversionTest, ConvertsBothWays) {
    const UnitCase& c = GetParam();
    EXPECT_NEAR(clsPDFCreator::ToPoints(3, c.mode), 3 * c.unit, 1e-9);
    if (c.unit == 0) {
        EXPECT_EQ(clsPDFCreator::FromPoints(72, c.mode), 0);
    } else {
        EXPECT_NEAR(clsPDFCreator::FromPoints(3 * c.unit, c.mode), 3, 1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, UnitConversionTest,
                         testing::Values(UnitCase{0, 1}, UnitCase{1, 72}, UnitCase{2, 72 / 25.4},
                                         UnitCase{3, 72 / 2.54}, UnitCase{4, 0}, UnitCase{-1, 0}));

struct Ascii85Case {
    std::vector<uint8_t> bytes;
    std::string expected; // without the closing NUL and "~>"
};

class Ascii85EncodeTest : public testing::TestWithParam<Ascii85Case> {};

TEST_P(Ascii85EncodeTest, EncodesGroupsOfFour) {
    const Ascii85Case& c = GetParam();
    EXPECT_EQ(clsPDFCreator::Ascii85Encode(c.bytes), c.expected + std::string(1, '\0') + "~>");
}

std::vector<uint8_t> B(const std::string& s) {
    return {s.begin(), s.end()};
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Ascii85EncodeTest,
    testing::Values(Ascii85Case{{}, ""}, Ascii85Case{{0}, "!!"}, Ascii85Case{{0, 0, 0, 0}, "z"},
                    // Only the zero group that ends the data exactly is shortened.
                    Ascii85Case{std::vector<uint8_t>(8, 0), "!!!!!z"},
                    Ascii85Case{{0, 0, 0, 0, 1}, "!!!!!!<"}, Ascii85Case{B("Man "), "9jqo^"},
                    Ascii85Case{B("Man"), "9jqo"}, Ascii85Case{B("sure."), "F*2M7/c"},
                    Ascii85Case{{255, 255, 255, 255}, "s8W-!"}));

TEST(Ascii85EncodeTest, DecodesBackToEveryByte) {
    std::vector<uint8_t> bytes;
    for (int i = 0; i < 1031; ++i) {
        bytes.push_back(static_cast<uint8_t>(i * 37 % 256));
    }
    const std::string encoded = clsPDFCreator::Ascii85Encode(bytes);
    EXPECT_EQ(pdftest::Ascii85Decode(encoded), std::string(bytes.begin(), bytes.end()));
}

} // namespace
