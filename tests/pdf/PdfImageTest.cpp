// Images: BMP files of every depth and the arrays behind them, written plain
// or ASCII85-encoded, and the files the reader must refuse.
#include "PdfTestSupport.h"

#include "pdf/clsPDFCreator.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdlib>
#include <stdexcept>

namespace {

using namespace std::string_literals;
using Rgb = std::array<uint8_t, 3>;

// Colours whose grey levels are known: 0.33 red + 0.59 green + 0.11 blue,
// rounded, at most 255.
struct KnownColour {
    Rgb rgb;
    uint8_t grey;
};
constexpr KnownColour kColours[] = {
    {{255, 0, 0}, 84}, {{0, 255, 0}, 150},     {{0, 0, 255}, 28},
    {{0, 0, 0}, 0},    {{255, 255, 255}, 255}, {{100, 100, 100}, 103},
};
constexpr int kColourCount = 6;

// A picture described row by row, bottom row first, as a BMP file stores
// it when its height is positive.
struct Picture {
    int width = 0;
    int height = 0;
    int bits = 0;
    bool topDown = false;
    uint32_t infoSize = 40;
    uint32_t coloursUsed = 0;
    // Palette index (1, 4, 8 bits) or colour number (24 bits) of each pixel.
    int Pixel(int x, int y) const { return (x + 2 * y) % Colours(); }
    int Colours() const { return bits == 24 ? kColourCount : std::min(kColourCount, 1 << bits); }
};

void AppendLe(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>(value >> (8 * i) & 0xFF);
    }
}

// One row packed as both BMP and PDF pack it, without fill bytes.
std::string PackRow(const Picture& p, int y, bool grey) {
    std::string row;
    if (p.bits == 24) {
        for (int x = 0; x < p.width; ++x) {
            const KnownColour& c = kColours[p.Pixel(x, y)];
            if (grey) {
                row += static_cast<char>(c.grey);
            } else {
                row.append({static_cast<char>(c.rgb[0]), static_cast<char>(c.rgb[1]),
                            static_cast<char>(c.rgb[2])});
            }
        }
        return row;
    }
    const int perByte = 8 / p.bits;
    for (int x = 0; x < p.width; x += perByte) {
        int byte = 0;
        for (int k = 0; k < perByte; ++k) {
            const int index = x + k < p.width ? p.Pixel(x + k, y) : 0;
            byte |= index << (8 - p.bits * (k + 1));
        }
        row += static_cast<char>(byte);
    }
    return row;
}

std::string BmpFile(const Picture& p) {
    const int entries = p.bits == 24 ? 0 : p.coloursUsed != 0 ? p.coloursUsed : 1 << p.bits;
    const int rowBytes = p.bits == 24 ? p.width * 3 : (p.width * p.bits + 7) / 8;
    const int stride = (rowBytes + 3) / 4 * 4;
    const uint32_t offset = 14 + p.infoSize + 4 * entries;
    std::string out = "BM";
    AppendLe(out, offset + stride * p.height, 4);
    AppendLe(out, 0, 4);
    AppendLe(out, offset, 4);
    AppendLe(out, p.infoSize, 4);
    AppendLe(out, static_cast<uint32_t>(p.width), 4);
    AppendLe(out, static_cast<uint32_t>(p.topDown ? -p.height : p.height), 4);
    AppendLe(out, 1, 2);
    AppendLe(out, static_cast<uint32_t>(p.bits), 2);
    AppendLe(out, 0, 4); // no compression
    AppendLe(out, static_cast<uint32_t>(stride * p.height), 4);
    AppendLe(out, 2835, 4);
    AppendLe(out, 2835, 4);
    AppendLe(out, p.coloursUsed, 4);
    AppendLe(out, 0, 4);
    out.append(p.infoSize - 40, '\0');
    for (int i = 0; i < entries; ++i) {
        const Rgb rgb = i < kColourCount ? kColours[i].rgb : Rgb{7, 7, 7};
        out.append(
            {static_cast<char>(rgb[2]), static_cast<char>(rgb[1]), static_cast<char>(rgb[0]), 0});
    }
    for (int r = 0; r < p.height; ++r) {
        const int y = p.topDown ? p.height - 1 - r : r;
        std::string row = p.bits == 24 ? std::string() : PackRow(p, y, false);
        if (p.bits == 24) {
            for (int x = 0; x < p.width; ++x) {
                const Rgb& c = kColours[p.Pixel(x, y)].rgb;
                row.append(
                    {static_cast<char>(c[2]), static_cast<char>(c[1]), static_cast<char>(c[0])});
            }
        }
        row.resize(static_cast<std::size_t>(stride), '\0');
        out += row;
    }
    return out;
}

std::string ExpectedPixels(const Picture& p, bool grey) {
    std::string pixels;
    for (int y = 0; y < p.height; ++y) {
        pixels += PackRow(p, y, grey);
    }
    return pixels;
}

std::string ExpectedPalette(const Picture& p, bool grey) {
    std::string palette;
    const int used = p.coloursUsed != 0 ? static_cast<int>(p.coloursUsed) : 1 << p.bits;
    for (int i = 0; i < 1 << p.bits; ++i) {
        // Entries the file leaves out are black.
        const bool known = i < used && i < kColourCount;
        const Rgb rgb = !known ? (i < used ? Rgb{7, 7, 7} : Rgb{0, 0, 0}) : kColours[i].rgb;
        if (grey) {
            palette += static_cast<char>(known ? kColours[i].grey : rgb == Rgb{7, 7, 7} ? 7 : 0);
        } else {
            palette.append(
                {static_cast<char>(rgb[0]), static_cast<char>(rgb[1]), static_cast<char>(rgb[2])});
        }
    }
    return palette;
}

struct ImageCase {
    const char* label;
    Picture picture;
    bool grey;
    bool ascii85;
};

class BmpImageTest : public testing::TestWithParam<ImageCase> {};

// Splits a stream object into its dictionary line(s) and its data.
void SplitStream(const std::string& body, std::string& head, std::string& data) {
    const std::size_t start = body.find("stream\r\n");
    ASSERT_NE(start, std::string::npos);
    ASSERT_TRUE(body.ends_with("\rendstream\r\n"));
    head = body.substr(0, start + 8);
    data = body.substr(start + 8, body.size() - start - 8 - 12);
}

void ExpectStreamData(const std::string& data, const std::string& expected, bool ascii85) {
    if (ascii85) {
        EXPECT_TRUE(data.ends_with(std::string(1, '\0') + "~>"));
        EXPECT_EQ(pdftest::Ascii85Decode(data), expected);
    } else {
        EXPECT_EQ(data, expected);
    }
}

TEST_P(BmpImageTest, WritesImageAndPalette) {
    const ImageCase& c = GetParam();
    const Picture& p = c.picture;
    const std::string bmp = pdftest::TempPath("picture.bmp");
    pdftest::WriteBytes(bmp, BmpFile(p));
    bool loaded = false;
    const pdftest::OnePage page = pdftest::WriteOnePage(
        [&](clsPDFCreator& pdf) { loaded = pdf.LoadImgFromBMPFile("Im1", bmp, c.grey ? 1 : 0); },
        [](clsPDFCreator& pdf) { pdf.DrawImg("Im1", 100, 700, 50, 30); }, {0, c.ascii85});
    ASSERT_TRUE(loaded);

    const std::string colourSpace = c.grey ? "DeviceGray" : "DeviceRGB";
    std::string expectedHead = "<<\r/Type /XObject\r/Subtype /Image\r/Name /Im1\r/Width " +
                               std::to_string(p.width) + "\r/Height " + std::to_string(p.height) +
                               (c.ascii85 ? "\r/Filter /ASCII85Decode" : "") + "\r\n";
    if (p.bits == 24) {
        expectedHead += "/BitsPerComponent 8\r/ColorSpace /" + colourSpace + "\r/Length 6 0 R\r\n";
    } else {
        expectedHead += "/BitsPerComponent " + std::to_string(p.bits) +
                        "\r/ColorSpace [/Indexed /" + colourSpace + " " +
                        std::to_string((1 << p.bits) - 1) + " 7 0 R]\r/Length 6 0 R\r\n";
    }
    expectedHead += ">>\rstream\r\n";

    std::string head, data;
    SplitStream(pdftest::ObjectBody(page.file, 5), head, data);
    EXPECT_EQ(head, expectedHead);
    ExpectStreamData(data, ExpectedPixels(p, c.grey), c.ascii85);
    EXPECT_EQ(pdftest::ObjectBody(page.file, 6),
              std::to_string(data.size() - (c.ascii85 ? 2 : 0)) + "\r\n");

    int firstPage = 7;
    if (p.bits != 24) {
        std::string paletteHead, palette;
        SplitStream(pdftest::ObjectBody(page.file, 7), paletteHead, palette);
        EXPECT_EQ(paletteHead,
                  std::string("<<") + (c.ascii85 ? "/Filter /ASCII85Decode\r" : "") + "/Length " +
                      std::to_string(palette.size() - (c.ascii85 ? 2 : 0)) + " >>\rstream\r\n");
        ExpectStreamData(palette, ExpectedPalette(p, c.grey), c.ascii85);
        firstPage = 8;
    }
    EXPECT_EQ(pdftest::FirstPageObject(page.file), firstPage);
    EXPECT_EQ(pdftest::ObjectBody(page.file, 4),
              "<<\r/ProcSet [/PDF /Text /ImageB /ImageC /ImageI ]\r/XObject <<\r/Im1 5 0 R "
              "\r\r>>\r>>\r\n");
    EXPECT_EQ(page.content, "q\r50 0 0 -30 100 700 cm\r/Im1 Do\rQ\r\n");
}

Picture Pic(int bits, int width, int height) {
    Picture p;
    p.bits = bits;
    p.width = width;
    p.height = height;
    return p;
}

Picture TopDown(Picture p) {
    p.topDown = true;
    return p;
}

Picture ColoursUsed(Picture p, uint32_t used) {
    p.coloursUsed = used;
    return p;
}

Picture InfoSize(Picture p, uint32_t size) {
    p.infoSize = size;
    return p;
}

INSTANTIATE_TEST_SUITE_P(
    Depths, BmpImageTest,
    testing::Values(ImageCase{"Bits1", Pic(1, 10, 3), false, false},
                    ImageCase{"Bits1Ascii85", Pic(1, 10, 3), false, true},
                    ImageCase{"Bits1Grey", Pic(1, 10, 3), true, false},
                    ImageCase{"Bits4", Pic(4, 5, 3), false, false},
                    ImageCase{"Bits4Ascii85", Pic(4, 5, 3), false, true},
                    ImageCase{"Bits4Grey", Pic(4, 5, 3), true, false},
                    ImageCase{"Bits8", Pic(8, 5, 2), false, false},
                    ImageCase{"Bits8Ascii85", Pic(8, 5, 2), false, true},
                    ImageCase{"Bits8GreyAscii85", Pic(8, 5, 2), true, true},
                    ImageCase{"Bits8ShortPalette", ColoursUsed(Pic(8, 5, 2), 6), false, false},
                    ImageCase{"Bits24", Pic(24, 3, 2), false, false},
                    ImageCase{"Bits24Ascii85", Pic(24, 3, 2), false, true},
                    ImageCase{"Bits24Grey", Pic(24, 3, 2), true, false},
                    ImageCase{"Bits24GreyAscii85", Pic(24, 7, 3), true, true},
                    ImageCase{"Bits24TopDown", TopDown(Pic(24, 3, 2)), false, false},
                    ImageCase{"Bits4TopDown", TopDown(Pic(4, 5, 3)), false, false},
                    ImageCase{"Bits8V5Header", InfoSize(Pic(8, 4, 4), 124), false, false}),
    [](const testing::TestParamInfo<ImageCase>& param) { return param.param.label; });

TEST(ImageArrayTest, WritesCallersBytes) {
    const std::vector<uint8_t> pixels = {0x80, 0x40};
    const std::vector<uint8_t> palette = {0, 0, 0, 255, 255, 255};
    const pdftest::OnePage page = pdftest::WriteOnePage(
        [&](clsPDFCreator& pdf) {
            pdf.LoadImgFromArray("Dots", pixels, palette, 2, 2, 1, 0);
            pdf.LoadImgFromArray("Grey", {0, 64, 128, 255}, {}, 4, 1, 24, 1);
        },
        [](clsPDFCreator&) {}, {0, false});
    EXPECT_EQ(pdftest::ObjectBody(page.file, 5),
              "<<\r/Type /XObject\r/Subtype /Image\r/Name /Dots\r/Width 2\r/Height 2\r\n"
              "/BitsPerComponent 1\r/ColorSpace [/Indexed /DeviceRGB 1 7 0 R]\r/Length 6 0 R\r\n"
              ">>\rstream\r\n\x80\x40\rendstream\r\n");
    EXPECT_EQ(pdftest::ObjectBody(page.file, 6), "2\r\n");
    EXPECT_EQ(pdftest::ObjectBody(page.file, 7),
              "<</Length 6 >>\rstream\r\n\0\0\0\xFF\xFF\xFF\rendstream\r\n"s);
    EXPECT_EQ(pdftest::ObjectBody(page.file, 8),
              "<<\r/Type /XObject\r/Subtype /Image\r/Name /Grey\r/Width 4\r/Height 1\r\n"
              "/BitsPerComponent 8\r/ColorSpace /DeviceGray\r/Length 9 0 R\r\n"
              ">>\rstream\r\n\0\x40\x80\xFF\rendstream\r\n"s);
    EXPECT_EQ(pdftest::ObjectBody(page.file, 9), "4\r\n");
    EXPECT_EQ(pdftest::ObjectBody(page.file, 4),
              "<<\r/ProcSet [/PDF /Text /ImageB /ImageC /ImageI ]\r/XObject <<\r/Dots 5 0 R "
              "\r/Grey 8 0 R \r\r>>\r>>\r\n");
}

TEST(ImageArrayTest, UnsupportedDepthWritesNothing) {
    const pdftest::OnePage page = pdftest::WriteOnePage(
        [](clsPDFCreator& pdf) {
            for (const uint8_t bits : {0, 2, 16, 32}) {
                EXPECT_THROW(pdf.LoadImgFromArray("X", {1, 2, 3, 4}, {}, 1, 1, bits, 0),
                             std::invalid_argument);
            }
        },
        [](clsPDFCreator&) {});
    EXPECT_EQ(pdftest::FirstPageObject(page.file), 5);
}

TEST(DrawImgTest, TopLeftCornerInCallersUnit) {
    const pdftest::OnePage page = pdftest::WriteOnePage(
        [](clsPDFCreator& pdf) {
            pdf.LoadImgFromArray("Im1", {1, 2, 3}, {}, 1, 1, 24, 0);
        },
        [](clsPDFCreator& pdf) { pdf.DrawImg("Im1", 2, 27, 4, 3); }, {3, false});
    EXPECT_EQ(page.content, "q\r113.386 0 0 -85.039 56.693 765.354 cm\r/Im1 Do\rQ\r\n");
}

class RenderTest : public testing::TestWithParam<bool> {};

// The picture must stand upright: the top row of the BMP at the top of the
// page, whether the data is encoded or not.
TEST_P(RenderTest, PictureStandsUpright) {
    Picture p = Pic(24, 2, 2); // bottom row red, green; top row blue, black
    const std::string bmp = pdftest::TempPath("upright.bmp");
    pdftest::WriteBytes(bmp, BmpFile(p));
    const pdftest::OnePage page = pdftest::WriteOnePage(
        [&](clsPDFCreator& pdf) {
            pdf.PaperSize(clsPDFCreator::PaperLetter);
            ASSERT_TRUE(pdf.LoadImgFromBMPFile("Im1", bmp));
        },
        [](clsPDFCreator& pdf) { pdf.DrawImg("Im1", 0, 792, 612, 792); }, {0, GetParam()});
    const std::string prefix = pdftest::TempPath("render");
    const pdftest::ToolResult render =
        pdftest::RunTool("pdftoppm -r 10 -singlefile '" + page.path + "' '" + prefix + "'");
    ASSERT_EQ(render.status, 0) << render.output;
    const std::string ppm = pdftest::ReadBytes(prefix + ".ppm");
    // "P6\n85 110\n255\n" then red, green, blue bytes per pixel, top row first.
    int width = 0, height = 0, depth = 0, used = 0;
    ASSERT_EQ(std::sscanf(ppm.c_str(), "P6 %d %d %d%n", &width, &height, &depth, &used), 3);
    const std::size_t pixels = static_cast<std::size_t>(used) + 1;
    auto at = [&](int x, int y) {
        const std::size_t i = pixels + 3 * (static_cast<std::size_t>(y) * width + x);
        return Rgb{static_cast<uint8_t>(ppm[i]), static_cast<uint8_t>(ppm[i + 1]),
                   static_cast<uint8_t>(ppm[i + 2])};
    };
    EXPECT_EQ(at(width / 4, height / 4), kColours[p.Pixel(0, 1)].rgb);
    EXPECT_EQ(at(3 * width / 4, height / 4), kColours[p.Pixel(1, 1)].rgb);
    EXPECT_EQ(at(width / 4, 3 * height / 4), kColours[p.Pixel(0, 0)].rgb);
    EXPECT_EQ(at(3 * width / 4, 3 * height / 4), kColours[p.Pixel(1, 0)].rgb);
}

INSTANTIATE_TEST_SUITE_P(Encodings, RenderTest, testing::Values(false, true));

void Put32(std::string& file, std::size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        file[at + i] = static_cast<char>(value >> (8 * i) & 0xFF);
    }
}

struct BadFileCase {
    const char* label;
    std::function<std::string()> file;
};

class BadBmpTest : public testing::TestWithParam<BadFileCase> {};

TEST_P(BadBmpTest, IsRefusedWithoutWriting) {
    const std::string bmp = pdftest::TempPath("bad.bmp");
    pdftest::WriteBytes(bmp, GetParam().file());
    const pdftest::OnePage page = pdftest::WriteOnePage(
        [&](clsPDFCreator& pdf) { EXPECT_FALSE(pdf.LoadImgFromBMPFile("Im1", bmp)); },
        [](clsPDFCreator&) {});
    EXPECT_EQ(pdftest::FirstPageObject(page.file), 5);
    EXPECT_EQ(pdftest::ObjectBody(page.file, 4), "<<\r/ProcSet [/PDF /Text ]\r>>\r\n");
}

std::string Good24() {
    return BmpFile(Pic(24, 3, 2));
}
std::string Good8() {
    return BmpFile(Pic(8, 5, 2));
}

std::string Changed(std::string file, std::size_t at, uint32_t value) {
    Put32(file, at, value);
    return file;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadBmpTest,
    testing::Values(
        BadFileCase{"Empty", [] { return std::string(); }},
        BadFileCase{"NotBM", [] { return "XM" + Good24().substr(2); }},
        BadFileCase{"HeaderOnly", [] { return Good24().substr(0, 54); }},
        // Rows of 9 bytes in strides of 12 from offset 54: 54 + 12 + 9 are needed.
        BadFileCase{"LastRowShort", [] { return Good24().substr(0, 74); }},
        BadFileCase{"ShortInfoHeader", [] { return Good24().substr(0, 40); }},
        BadFileCase{"OffsetBeyondFile", [] { return Changed(Good24(), 10, 1000); }},
        BadFileCase{"OffsetInsidePalette", [] { return Changed(Good8(), 10, 54 + 100); }},
        BadFileCase{"CoreHeader", [] { return Changed(Good24(), 14, 12); }},
        BadFileCase{"UnknownHeader", [] { return Changed(Good24(), 14, 64); }},
        BadFileCase{"Compressed", [] { return Changed(Good8(), 30, 1); }},
        BadFileCase{"Bits16",
                    [] {
                        std::string f = Good24();
                        f[28] = 16;
                        return f;
                    }},
        BadFileCase{"Bits2",
                    [] {
                        std::string f = Good8();
                        f[28] = 2;
                        return f;
                    }},
        BadFileCase{"ZeroWidth", [] { return Changed(Good24(), 18, 0); }},
        BadFileCase{"NegativeWidth",
                    [] { return Changed(Good24(), 18, static_cast<uint32_t>(-3)); }},
        BadFileCase{"ZeroHeight", [] { return Changed(Good24(), 22, 0); }},
        BadFileCase{"LowestHeight", [] { return Changed(Good24(), 22, 0x80000000u); }},
        BadFileCase{"HugeWidth", [] { return Changed(Good24(), 18, 0x7FFFFFFF); }},
        BadFileCase{"HugeHeightNeedsMoreRows", [] { return Changed(Good24(), 22, 3000); }},
        BadFileCase{"MoreColoursThanDepth", [] { return Changed(Good8(), 46, 257); }}),
    [](const testing::TestParamInfo<BadFileCase>& param) { return param.param.label; });

TEST(BadBmpTest, MissingFileIsRefused) {
    const pdftest::OnePage page = pdftest::WriteOnePage(
        [](clsPDFCreator& pdf) {
            EXPECT_FALSE(pdf.LoadImgFromBMPFile("Im1", "/nonexistent/picture.bmp"));
        },
        [](clsPDFCreator&) {});
    EXPECT_EQ(pdftest::FirstPageObject(page.file), 5);
}

TEST(BmpReaderTest, LastRowMayLackItsFillBytes) {
    const std::string bmp = pdftest::TempPath("short.bmp");
    pdftest::WriteBytes(bmp, Good24().substr(0, 54 + 12 + 9));
    pdftest::WriteOnePage(
        [&](clsPDFCreator& pdf) { EXPECT_TRUE(pdf.LoadImgFromBMPFile("Im1", bmp)); },
        [](clsPDFCreator&) {});
}

} // namespace
