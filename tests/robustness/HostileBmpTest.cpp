// BMP pictures whose headers lie about their sizes, offsets, depths and
// palettes. The PDF writer must take an honest picture behind a wrong
// bookkeeping field, refuse the rest, and in both cases still write a
// document that a PDF reader accepts, even when the page asks for the
// refused picture.
#include "HostileFiles.h"

#include "pdf/PdfBmpReader.h"
#include "pdf/clsPDFCreator.h"

#include <cstdlib>
#include <functional>

namespace {

using hostile::Folder;

void Put16(std::string& file, std::size_t at, uint16_t value) {
    file[at] = static_cast<char>(value & 0xFF);
    file[at + 1] = static_cast<char>(value >> 8);
}

void Put32(std::string& file, std::size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        file[at + i] = static_cast<char>(value >> (8 * i) & 0xFF);
}

// An honest picture: width x height pixels of the given depth, rows padded to
// four bytes, a full grey palette below 24 bits.
std::string Bmp(int width, int height, int bits) {
    const int paletteEntries = bits <= 8 ? 1 << bits : 0;
    const int stride = (width * bits + 31) / 32 * 4;
    const int offset = 54 + 4 * paletteEntries;
    std::string file(static_cast<std::size_t>(offset + stride * height), '\0');
    file[0] = 'B';
    file[1] = 'M';
    Put32(file, 2, static_cast<uint32_t>(file.size()));
    Put32(file, 10, static_cast<uint32_t>(offset));
    Put32(file, 14, 40);
    Put32(file, 18, static_cast<uint32_t>(width));
    Put32(file, 22, static_cast<uint32_t>(height));
    Put16(file, 26, 1);
    Put16(file, 28, static_cast<uint16_t>(bits));
    Put32(file, 34, static_cast<uint32_t>(stride * height));
    for (int i = 0; i < paletteEntries; ++i) {
        const auto grey = static_cast<char>(i * 255 / (paletteEntries - 1));
        file[54 + 4 * i] = file[55 + 4 * i] = file[56 + 4 * i] = grey;
    }
    for (std::size_t i = static_cast<std::size_t>(offset); i < file.size(); ++i)
        file[i] = static_cast<char>(i * 37);
    return file;
}

std::string With32(std::string file, std::size_t at, uint32_t value) {
    Put32(file, at, value);
    return file;
}

std::string With16(std::string file, std::size_t at, uint16_t value) {
    Put16(file, at, value);
    return file;
}

struct BmpCase {
    std::string name;
    std::function<std::string()> file;
    bool accepted;
    int width = 0;
    int height = 0;
};

void PrintTo(const BmpCase& c, std::ostream* os) {
    *os << c.name;
}

// qpdf's verdict: 0 without remarks, 3 with warnings it recovered from, 2 for
// a damaged file.
int QpdfCheck(const std::string& pdf) {
    const std::string command = "qpdf --check '" + pdf + "' >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class HostileBmp : public testing::TestWithParam<BmpCase> {};

TEST_P(HostileBmp, HonestPixelsAreTakenAndLiesRefused) {
    const BmpCase& c = GetParam();
    Folder folder;
    const std::string picture = folder.File("picture.bmp");
    hostile::Write(picture, c.file());

    const auto decoded = PdfBmpReader::ReadFile(picture, false);
    ASSERT_EQ(decoded.has_value(), c.accepted);
    if (decoded) {
        EXPECT_EQ(decoded->width, c.width);
        EXPECT_EQ(decoded->height, c.height);
    }

    for (bool ascii85 : {false, true}) {
        std::string pdfPath = folder.File(ascii85 ? "a85.pdf" : "plain.pdf");
        clsPDFCreator pdf;
        pdf.EncodeASCII85(ascii85);
        pdf.InitPDFFile(pdfPath);
        EXPECT_EQ(pdf.LoadImgFromBMPFile("Im1", picture, ascii85 ? 1 : 0), c.accepted);
        pdf.BeginPage();
        pdf.DrawImg("Im1", 1, 20, 5, 5); // drawn whether the picture was taken or not
        pdf.EndPage();
        pdf.ClosePDFFile();
        // The writer's ASCII85 streams end with their end marker outside the
        // declared length, which readers recover from with a warning.
        const int verdict = QpdfCheck(pdfPath);
        if (ascii85 && c.accepted) {
            EXPECT_TRUE(verdict == 0 || verdict == 3) << verdict;
        } else {
            EXPECT_EQ(verdict, 0) << hostile::Read(pdfPath).substr(0, 2000);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Headers, HostileBmp,
    testing::Values(
        BmpCase{"Honest24", [] { return Bmp(5, 3, 24); }, true, 5, 3},
        BmpCase{"FileSizeFieldTooSmall", [] { return With32(Bmp(5, 3, 24), 2, 10); }, true, 5, 3},
        BmpCase{"FileSizeFieldHuge", [] { return With32(Bmp(5, 3, 8), 2, 0xFFFFFFFF); }, true, 5,
                3},
        BmpCase{"ImageSizeFieldHuge", [] { return With32(Bmp(5, 3, 4), 34, 0xFFFFFFF0); }, true, 5,
                3},
        BmpCase{"ColoursUsedIgnoredAt24Bits", [] { return With32(Bmp(4, 4, 24), 46, 0xFFFFFFFF); },
                true, 4, 4},
        BmpCase{"FewerColoursThanPixelValues", [] { return With32(Bmp(9, 2, 1), 46, 1); }, true, 9,
                2},
        BmpCase{"OffsetZero", [] { return With32(Bmp(5, 3, 24), 10, 0); }, false},
        BmpCase{"OffsetInsideTheInfoHeader", [] { return With32(Bmp(5, 3, 24), 10, 20); }, false},
        BmpCase{"OffsetLargest", [] { return With32(Bmp(5, 3, 24), 10, 0xFFFFFFFF); }, false},
        BmpCase{"OffsetAtTheLastByte",
                [] {
                    std::string f = Bmp(5, 3, 24);
                    return With32(f, 10, static_cast<uint32_t>(f.size() - 1));
                },
                false},
        BmpCase{"OffsetIntoThePalette", [] { return With32(Bmp(3, 3, 8), 10, 54 + 4 * 200); },
                false},
        BmpCase{"InfoHeaderSizeLargest", [] { return With32(Bmp(5, 3, 24), 14, 0xFFFFFFFF); },
                false},
        BmpCase{"InfoHeaderClaims124Bytes", [] { return With32(Bmp(5, 3, 24), 14, 124); }, false},
        BmpCase{"TopDownWithMoreRowsThanStored",
                [] { return With32(Bmp(5, 3, 24), 22, static_cast<uint32_t>(-4)); }, false},
        BmpCase{"WidthAndHeightAtTheLimit",
                [] { return With32(With32(Bmp(5, 3, 24), 18, 16384), 22, 16384); }, false},
        BmpCase{"WidthBeyondTheLimit", [] { return With32(Bmp(5, 3, 1), 18, 16385); }, false},
        BmpCase{"StrideOverflowWidth", [] { return With32(Bmp(5, 3, 24), 18, 0x0AAAAAAB); }, false},
        BmpCase{"ColoursUsedAboveTheDepth", [] { return With32(Bmp(5, 3, 1), 46, 3); }, false},
        BmpCase{"ColoursUsedNegative", [] { return With32(Bmp(5, 3, 8), 46, 0x80000000); }, false},
        BmpCase{"BitCountZero", [] { return With16(Bmp(5, 3, 24), 28, 0); }, false},
        BmpCase{"BitCount32", [] { return With16(Bmp(5, 3, 24), 28, 32); }, false},
        BmpCase{"BitCountLargest", [] { return With16(Bmp(5, 3, 8), 28, 0xFFFF); }, false},
        BmpCase{"EightBitsClaimedOverFourBitPixels", [] { return With16(Bmp(8, 8, 4), 28, 8); },
                false},
        BmpCase{"CutInsideThePalette", [] { return Bmp(2, 2, 8).substr(0, 54 + 500); }, false},
        BmpCase{"HeaderOnlyWithPlausibleFields", [] { return Bmp(5, 3, 24).substr(0, 54); },
                false}),
    hostile::CaseName());

} // namespace
