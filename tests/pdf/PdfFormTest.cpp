// Forms: the form object, drawing on demand, and the pages BeginPage draws
// each registered form on.
#include "PdfTestSupport.h"

#include "pdf/clsPDFCreator.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(FormTest, WritesFormObjectWithPaperBox) {
    const pdftest::OnePage page = pdftest::WriteOnePage(
        [](clsPDFCreator& pdf) {
            pdf.Margin(10);
            pdf.StartObject("Logo", clsPDFCreator::FormOnDemand);
            pdf.SetColorStroke(0);
            pdf.Rectangle(10, 10, 190, 277, 1, 0);
            pdf.EndObject();
        },
        [](clsPDFCreator& pdf) {
            pdf.DrawObject("Logo");
            pdf.DrawObject("Logo");
        },
        {2, false});
    EXPECT_EQ(pdftest::ObjectBody(page.file, 5),
              "<<\r/Type /XObject\r/Subtype /Form\r/FormType 1\r/Name /Logo\r"
              "/BBox [28.346 28.346 566.854 813.654]\r/Matrix [1 0 0 1 0 0]\r/Length 6 0 R >>\r"
              "stream\r\n0 G\r\nn\r\n28.346 28.346 538.583 785.197 re\r\nS\r\nendstream\r\n");
    EXPECT_EQ(pdftest::ObjectBody(page.file, 6), "45\r\n");
    EXPECT_EQ(pdftest::FirstPageObject(page.file), 7);
    EXPECT_EQ(page.content, "/Logo Do\r\n/Logo Do\r\n");
    EXPECT_EQ(pdftest::ObjectBody(page.file, 4),
              "<<\r/ProcSet [/PDF /Text ]\r/XObject <<\r\r/Logo 5 0 R \r>>\r>>\r\n");
}

TEST(FormTest, ImagesAndFormsShareTheXObjectList) {
    const pdftest::OnePage page = pdftest::WriteOnePage(
        [](clsPDFCreator& pdf) {
            pdf.LoadImgFromArray("Im1", {1, 2, 3}, {}, 1, 1, 24, 0);
            pdf.StartObject("Frame", clsPDFCreator::FormAllPages);
            pdf.DrawImg("Im1", 10, 10, 5, 5);
            pdf.EndObject();
        },
        [](clsPDFCreator&) {});
    EXPECT_EQ(pdftest::ObjectBody(page.file, 4),
              "<<\r/ProcSet [/PDF /Text /ImageB /ImageC /ImageI ]\r/XObject <<\r/Im1 5 0 R "
              "\r\r/Frame 7 0 R \r>>\r>>\r\n");
    EXPECT_EQ(page.content, "/Frame Do\r\n");
}

struct PagesCase {
    int32_t options;
    std::set<int> pages; // of pages 1..6
};

class FormPagesTest : public testing::TestWithParam<PagesCase> {};

TEST_P(FormPagesTest, DrawnAtTheStartOfTheRightPages) {
    const std::string path = pdftest::TempPath("forms.pdf");
    clsPDFCreator pdf;
    std::string name = path;
    pdf.InitPDFFile(name);
    pdf.StartObject("F", GetParam().options);
    pdf.EndObject();
    for (int p = 1; p <= 6; ++p) {
        pdf.BeginPage();
        pdf.MoveTo(1, 1);
        pdf.EndPage();
    }
    pdf.ClosePDFFile();
    const std::string file = pdftest::ReadBytes(path);
    for (int p = 1; p <= 6; ++p) {
        const bool drawn = GetParam().pages.count(p) != 0;
        // Form 5, its length 6; page p is object 4 + 3p, its stream the next.
        EXPECT_EQ(pdftest::StreamData(file, 5 + 3 * p),
                  std::string(drawn ? "/F Do\r\n" : "") + "1 1 m\r\n")
            << "page " << p;
    }
    pdftest::ExpectQpdfClean(path);
}

INSTANTIATE_TEST_SUITE_P(Options, FormPagesTest,
                         testing::Values(PagesCase{0, {}}, PagesCase{1, {}},
                                         PagesCase{2, {2, 4, 6}}, PagesCase{3, {2, 4, 6}},
                                         PagesCase{4, {1, 3, 5}}, PagesCase{5, {1, 3, 5}},
                                         PagesCase{6, {1, 2, 3, 4, 5, 6}},
                                         PagesCase{7, {1, 2, 3, 4, 5, 6}}, PagesCase{10, {2, 4, 6}},
                                         PagesCase{12, {3, 5}}, PagesCase{15, {2, 3, 4, 5, 6}}));

TEST(FormTest, RegisteredFormsDrawnInOrder) {
    const std::string path = pdftest::TempPath("order.pdf");
    clsPDFCreator pdf;
    std::string name = path;
    pdf.InitPDFFile(name);
    pdf.StartObject("Back", clsPDFCreator::FormAllPages);
    pdf.EndObject();
    pdf.BeginPage();
    pdf.EndPage();
    pdf.StartObject("Even", clsPDFCreator::FormEvenPages);
    pdf.EndObject();
    pdf.StartObject("Odd", clsPDFCreator::FormOddPages | clsPDFCreator::FormNotFirstPage);
    pdf.EndObject();
    pdf.BeginPage();
    pdf.EndPage();
    pdf.BeginPage();
    pdf.EndPage();
    pdf.ClosePDFFile();
    // Back 5-6, page 7-9, Even 10-11, Odd 12-13, pages 14-16 and 17-19.
    const std::string file = pdftest::ReadBytes(path);
    EXPECT_EQ(pdftest::StreamData(file, 8), "/Back Do\r\n");
    EXPECT_EQ(pdftest::StreamData(file, 15), "/Back Do\r\n/Even Do\r\n");
    EXPECT_EQ(pdftest::StreamData(file, 18), "/Back Do\r\n/Odd Do\r\n");
    pdftest::ExpectQpdfClean(path);
}

} // namespace
