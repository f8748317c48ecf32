// Document structure: objects, page tree, cross-reference table, trailer,
// properties, file names and the calls made out of order.
#include "PdfTestSupport.h"

#include "pdf/clsPDFCreator.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <functional>
#include <stdexcept>

namespace {

using pdftest::ExpectedPdf;

std::string PageTreeBody(int count, const std::string& kids, const std::string& boxes) {
    return "<<\r/Type /Pages\r/Count " + std::to_string(count) + "\r" + boxes + "/Kids [" + kids +
           " ]\r/Resources 4 0 R\r>>\r\n";
}

const std::string kA4Boxes = "/MediaBox [0 0 595.2 842]\r/CropBox [0 0 595.2 842]\r\r";

std::string LocalStamp(std::time_t t) {
    char text[16];
    std::strftime(text, sizeof text, "%Y%m%d%H%M%S", std::localtime(&t));
    return text;
}

// The creation date must be the local time of the call, give or take the
// second that may tick meanwhile.
void ExpectDateBetween(const std::string& date, std::time_t before, std::time_t after) {
    EXPECT_TRUE(date >= LocalStamp(before) && date <= LocalStamp(after))
        << date << " not within " << LocalStamp(before) << ".." << LocalStamp(after);
}

class PageCountTest : public testing::TestWithParam<int> {};

TEST_P(PageCountTest, WritesExactLayout) {
    const int pages = GetParam();
    const std::string path = pdftest::TempPath("pages.pdf");
    const std::time_t before = std::time(nullptr);
    clsPDFCreator pdf;
    std::string name = path;
    pdf.InitPDFFile(name);
    for (int p = 1; p <= pages; ++p) {
        EXPECT_EQ(pdf.BeginPage(), p);
        pdf.EndPage();
    }
    EXPECT_EQ(pdf.Pages(), pages);
    pdf.ClosePDFFile();
    const std::time_t after = std::time(nullptr);

    const std::string file = pdftest::ReadBytes(path);
    const std::string date = pdftest::CreationDate(file);
    ExpectDateBetween(date, before, after);

    ExpectedPdf expected;
    expected.Object(1, pdftest::InfoBody("\\(senza titolo\\)", date));
    expected.Object(2, pdftest::CatalogBody());
    std::string kids;
    for (int p = 0; p < pages; ++p) {
        const int page = 5 + 3 * p;
        expected.Object(page, "<<\r/Type /Page\r/Parent 3 0 R\r/Contents " +
                                  std::to_string(page + 1) + " 0 R\r>>\r\n");
        expected.Object(page + 1, "<< /Length " + std::to_string(page + 2) +
                                      " 0 R >>\rstream\r\nendstream\r\n");
        expected.Object(page + 2, "0\r\n");
        kids += std::to_string(page) + " 0 R ";
    }
    expected.Object(4, "<<\r/ProcSet [/PDF /Text ]\r>>\r\n");
    expected.Object(3, PageTreeBody(pages, kids, kA4Boxes));
    EXPECT_EQ(file, expected.Finish());
    pdftest::ExpectQpdfClean(path);
}

INSTANTIATE_TEST_SUITE_P(Pages, PageCountTest, testing::Values(0, 1, 3));

TEST(DocumentTest, EdgeFactsOfSmallDocuments) {
    const std::string path = pdftest::TempPath("three.pdf");
    clsPDFCreator pdf;
    std::string name = path;
    pdf.InitPDFFile(name);
    for (int p = 0; p < 3; ++p) {
        pdf.BeginPage();
        pdf.EndPage();
    }
    pdf.ClosePDFFile();
    const std::string file = pdftest::ReadBytes(path);
    EXPECT_NE(file.find("/Kids [5 0 R 8 0 R 11 0 R  ]"), std::string::npos);
    EXPECT_NE(file.find("xref\r\n0 14\r\n0000000000 65535 f\r\n"), std::string::npos);
    EXPECT_NE(file.find("/Size 14\r"), std::string::npos);
    EXPECT_TRUE(file.ends_with("%%EOF\r\r\n"));
    EXPECT_TRUE(file.starts_with("%PDF-1.3\r\n1 0 obj\r\n"));
}

TEST(DocumentTest, StreamLengthCountsEveryContentLine) {
    const std::string path = pdftest::TempPath("length.pdf");
    clsPDFCreator pdf;
    std::string name = path;
    pdf.InitPDFFile(name);
    pdf.BeginPage();
    pdf.MoveTo(1, 2);
    pdf.LineTo(3, 4, clsPDFCreator::PaintStroke);
    pdf.EndPage();
    pdf.ClosePDFFile();
    const std::string file = pdftest::ReadBytes(path);
    EXPECT_EQ(pdftest::StreamData(file, 6), "1 2 m\r\n3 4 l\r\nS\r\n");
    EXPECT_EQ(pdftest::ObjectBody(file, 7), "17\r\n");
    pdftest::ExpectQpdfClean(path);
}

struct PageTreeCase {
    const char* label;
    std::function<void(clsPDFCreator&)> setup;
    const char* boxes; // the lines between "/Count n" and "/Kids"
};

class PageTreeTest : public testing::TestWithParam<PageTreeCase> {};

TEST_P(PageTreeTest, WritesBoxesAndRotation) {
    const PageTreeCase& c = GetParam();
    const std::string path = pdftest::TempPath("tree.pdf");
    clsPDFCreator pdf;
    c.setup(pdf);
    std::string name = path;
    pdf.InitPDFFile(name);
    pdf.BeginPage();
    pdf.EndPage();
    pdf.ClosePDFFile();
    const std::string file = pdftest::ReadBytes(path);
    EXPECT_EQ(pdftest::ObjectBody(file, 3), PageTreeBody(1, "5 0 R ", c.boxes));
    pdftest::ExpectQpdfClean(path);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PageTreeTest,
    testing::Values(
        PageTreeCase{"Landscape", [](clsPDFCreator& p) { p.Orientation(1); },
                     "/MediaBox [0 0 595.2 842]\r/CropBox [0 0 595.2 842]\r/Rotate 90\r"},
        PageTreeCase{"OtherOrientation", [](clsPDFCreator& p) { p.Orientation(2); },
                     "/MediaBox [0 0 595.2 842]\r/CropBox [0 0 595.2 842]\r\r"},
        PageTreeCase{"MarginTenMillimetres",
                     [](clsPDFCreator& p) {
                         p.ScaleMode(2);
                         p.PaperSize(0);
                         p.Margin(10);
                     },
                     "/MediaBox [0 0 595.2 842]\r/CropBox [28.346 28.346 566.854 813.654]\r\r"},
        PageTreeCase{"MarginOneInch",
                     [](clsPDFCreator& p) {
                         p.ScaleMode(1);
                         p.Margin(1);
                     },
                     "/MediaBox [0 0 595.2 842]\r/CropBox [72 72 523.2 770]\r\r"},
        PageTreeCase{"A3", [](clsPDFCreator& p) { p.PaperSize(1); },
                     "/MediaBox [0 0 842 1190.5]\r/CropBox [0 0 842 1190.5]\r\r"},
        PageTreeCase{"Letter", [](clsPDFCreator& p) { p.PaperSize(2); },
                     "/MediaBox [0 0 612 792]\r/CropBox [0 0 612 792]\r\r"},
        PageTreeCase{"LetterLong", [](clsPDFCreator& p) { p.PaperSize(3); },
                     "/MediaBox [0 0 612 864]\r/CropBox [0 0 612 864]\r\r"},
        PageTreeCase{"UnknownCodeKeepsSize",
                     [](clsPDFCreator& p) {
                         p.PaperSize(2);
                         p.PaperSize(7);
                     },
                     "/MediaBox [0 0 612 792]\r/CropBox [0 0 612 792]\r\r"},
        PageTreeCase{"CustomCentimetres",
                     [](clsPDFCreator& p) {
                         p.ScaleMode(3);
                         p.PaperWidth(21);
                         p.PaperHeight(29.7f);
                         p.Margin(1);
                     },
                     "/MediaBox [0 0 595.276 841.89]\r/CropBox [28.346 28.346 566.929 "
                     "813.543]\r\r"},
        PageTreeCase{"SizesTakeTheUnitOfTheirMoment",
                     [](clsPDFCreator& p) {
                         p.PaperWidth(500);
                         p.ScaleMode(1);
                         p.PaperHeight(10);
                     },
                     "/MediaBox [0 0 500 720]\r/CropBox [0 0 500 720]\r\r"},
        PageTreeCase{"UnknownScaleModeGivesZero",
                     [](clsPDFCreator& p) {
                         p.ScaleMode(9);
                         p.Margin(10);
                         p.PaperWidth(300);
                     },
                     "/MediaBox [0 0 0 842]\r/CropBox [0 0 0 842]\r\r"}),
    [](const testing::TestParamInfo<PageTreeCase>& param) { return param.param.label; });

struct TitleCase {
    const char* title;
    const char* written;
};

class TitleTest : public testing::TestWithParam<TitleCase> {};

TEST_P(TitleTest, EscapesTitle) {
    const std::string path = pdftest::TempPath("title.pdf");
    clsPDFCreator pdf;
    pdf.Title(GetParam().title);
    std::string name = path;
    pdf.InitPDFFile(name);
    pdf.BeginPage();
    pdf.EndPage();
    pdf.ClosePDFFile();
    const std::string file = pdftest::ReadBytes(path);
    EXPECT_EQ(pdftest::ObjectBody(file, 1),
              pdftest::InfoBody(GetParam().written, pdftest::CreationDate(file)));
    pdftest::ExpectQpdfClean(path);
    // A reader gives the title back unescaped.
    const pdftest::ToolResult info = pdftest::RunTool("pdfinfo '" + path + "'");
    std::string shown;
    const std::size_t at = info.output.find("Title:");
    if (at != std::string::npos) {
        const std::size_t start = info.output.find_first_not_of(' ', at + 6);
        shown = info.output.substr(start, info.output.find('\n', start) - start);
    }
    EXPECT_EQ(shown, pdftest::Cp1252ToUtf8(GetParam().title)) << info.output;
}

INSTANTIATE_TEST_SUITE_P(Cases, TitleTest,
                         testing::Values(TitleCase{"Risultati Zentavo", "Risultati Zentavo"},
                                         TitleCase{"(a\\b)", "\\(a\\\\b\\)"},
                                         TitleCase{"x\\(y)", "x\\\\\\(y\\)"},
                                         TitleCase{"Perch\xE9 (s\xEC)", "Perch\xE9 \\(s\xEC\\)"},
                                         TitleCase{"", ""}));

struct FileNameCase {
    int day, hour, minute, second, digit;
    const char* name;
};

class GeneratedFileNameTest : public testing::TestWithParam<FileNameCase> {};

TEST_P(GeneratedFileNameTest, HexOfDayTimeAndDigit) {
    const FileNameCase& c = GetParam();
    std::tm when{};
    when.tm_mday = c.day;
    when.tm_hour = c.hour;
    when.tm_min = c.minute;
    when.tm_sec = c.second;
    EXPECT_EQ(clsPDFCreator::GeneratedFileName("/some/folder", when, c.digit),
              std::string("/some/folder/") + c.name);
}

INSTANTIATE_TEST_SUITE_P(Cases, GeneratedFileNameTest,
                         testing::Values(FileNameCase{7, 14, 30, 15, 3, "~441F009.pdf"},
                                         FileNameCase{31, 23, 59, 59, 9, "~129E3AAF.pdf"},
                                         FileNameCase{1, 0, 0, 0, 0, "~989680.pdf"}));

TEST(DocumentTest, EmptyNameIsChosenBesideTheProgram) {
    clsPDFCreator pdf;
    std::string name;
    pdf.InitPDFFile(name);
    pdf.ClosePDFFile();
    const std::filesystem::path chosen(name);
    const auto program = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    EXPECT_EQ(chosen.parent_path(), program);
    EXPECT_TRUE(chosen.filename().string().starts_with("~"));
    EXPECT_EQ(chosen.extension(), ".pdf");
    ASSERT_TRUE(std::filesystem::exists(chosen));
    pdftest::ExpectQpdfClean(name);
    std::filesystem::remove(chosen);
}

TEST(DocumentTest, SecondDocumentOfOneWriterStartsAfresh) {
    const std::string first = pdftest::TempPath("first.pdf");
    const std::string second = pdftest::TempPath("second.pdf");
    clsPDFCreator pdf;
    std::string name = first;
    pdf.InitPDFFile(name);
    std::string font = "Fn1", base = "Arial";
    pdf.LoadFont(font, base);
    pdf.StartObject("Logo", clsPDFCreator::FormAllPages);
    pdf.EndObject();
    pdf.BeginPage();
    pdf.EndPage();
    pdf.ClosePDFFile();

    name = second;
    pdf.InitPDFFile(name);
    EXPECT_EQ(pdf.BeginPage(), 1);
    pdf.EndPage();
    pdf.ClosePDFFile();
    const std::string file = pdftest::ReadBytes(second);
    EXPECT_EQ(pdftest::ObjectBody(file, 4), "<<\r/ProcSet [/PDF /Text ]\r>>\r\n");
    EXPECT_EQ(pdftest::StreamData(file, 6), "");
    EXPECT_NE(file.find("/Kids [5 0 R  ]"), std::string::npos);
    pdftest::ExpectQpdfClean(first);
    pdftest::ExpectQpdfClean(second);
}

TEST(DocumentTest, OpenPageIsFinishedByNextPageAndByClose) {
    const std::string path = pdftest::TempPath("unfinished.pdf");
    clsPDFCreator pdf;
    std::string name = path;
    pdf.InitPDFFile(name);
    pdf.BeginPage();
    pdf.MoveTo(1, 1);
    EXPECT_EQ(pdf.BeginPage(), 2);
    pdf.MoveTo(2, 2);
    pdf.ClosePDFFile();
    const std::string file = pdftest::ReadBytes(path);
    EXPECT_EQ(pdftest::StreamData(file, 6), "1 1 m\r\n");
    EXPECT_EQ(pdftest::ObjectBody(file, 7), "7\r\n");
    EXPECT_EQ(pdftest::StreamData(file, 9), "2 2 m\r\n");
    EXPECT_NE(file.find("/Count 2\r"), std::string::npos);
    pdftest::ExpectQpdfClean(path);
}

struct MisuseCase {
    const char* label;
    std::function<void(clsPDFCreator&)> call;
};

class MisuseTest : public testing::TestWithParam<MisuseCase> {};

TEST_P(MisuseTest, IsRefusedAndTheFileStaysSound) {
    const std::string path = pdftest::TempPath("misuse.pdf");
    clsPDFCreator pdf;
    std::string name = path;
    pdf.InitPDFFile(name);
    EXPECT_THROW(GetParam().call(pdf), std::logic_error);
    pdf.ClosePDFFile();
    pdftest::ExpectQpdfClean(path);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MisuseTest,
    testing::Values(
        MisuseCase{"DrawingOutsidePage", [](clsPDFCreator& p) { p.MoveTo(1, 1); }},
        MisuseCase{"TextOutsidePage", [](clsPDFCreator& p) { p.DrawText(1, 1, "x", "Fn1", 12); }},
        MisuseCase{"EndPageWithoutPage", [](clsPDFCreator& p) { p.EndPage(); }},
        MisuseCase{"EndObjectWithoutForm", [](clsPDFCreator& p) { p.EndObject(); }},
        MisuseCase{"FontInsidePage",
                   [](clsPDFCreator& p) {
                       p.BeginPage();
                       std::string n = "F", b = "Arial";
                       p.LoadFont(n, b);
                   }},
        MisuseCase{"StandardFontInsideForm",
                   [](clsPDFCreator& p) {
                       p.StartObject("X", 1);
                       std::string n = "F", b = "Helvetica";
                       p.LoadFontStandard(n, b);
                   }},
        MisuseCase{"ImageInsidePage",
                   [](clsPDFCreator& p) {
                       p.BeginPage();
                       p.LoadImgFromArray("I", {0}, {0, 0, 0, 255, 255, 255}, 1, 1, 1, 0);
                   }},
        MisuseCase{"FormInsidePage",
                   [](clsPDFCreator& p) {
                       p.BeginPage();
                       p.StartObject("X", 1);
                   }},
        MisuseCase{"PageInsideForm",
                   [](clsPDFCreator& p) {
                       p.StartObject("X", 1);
                       p.BeginPage();
                   }}),
    [](const testing::TestParamInfo<MisuseCase>& param) { return param.param.label; });

TEST(DocumentTest, NothingToWriteToBeforeInit) {
    clsPDFCreator pdf;
    EXPECT_THROW(pdf.BeginPage(), std::logic_error);
    std::string n = "F", b = "Arial";
    EXPECT_THROW(pdf.LoadFont(n, b), std::logic_error);
    EXPECT_NO_THROW(pdf.ClosePDFFile());
}

TEST(DocumentTest, FileThatCannotBeCreatedThrows) {
    clsPDFCreator pdf;
    std::string name = "/nonexistent-folder-of-zentavo/out.pdf";
    EXPECT_THROW(pdf.InitPDFFile(name), std::runtime_error);
}

TEST(DocumentTest, FileThatCannotBeWrittenThrows) {
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full";
    }
    clsPDFCreator pdf;
    std::string name = "/dev/full";
    pdf.InitPDFFile(name);
    pdf.BeginPage();
    pdf.EndPage();
    EXPECT_THROW(pdf.ClosePDFFile(), std::runtime_error);
}

TEST(DocumentTest, PageCountStopsAtItsSixteenBitLimit) {
    const std::string path = pdftest::TempPath("limit.pdf");
    clsPDFCreator pdf;
    std::string name = path;
    pdf.InitPDFFile(name);
    for (int p = 1; p <= 32767; ++p) {
        pdf.BeginPage();
        pdf.EndPage();
    }
    EXPECT_EQ(pdf.Pages(), 32767);
    EXPECT_THROW(pdf.BeginPage(), std::overflow_error);
    pdf.ClosePDFFile();
    const std::string file = pdftest::ReadBytes(path);
    EXPECT_NE(file.find("/Count 32767\r"), std::string::npos);
    EXPECT_NE(file.find("/Size 98306\r"), std::string::npos);
    pdftest::ExpectQpdfClean(path);
}

} // namespace
