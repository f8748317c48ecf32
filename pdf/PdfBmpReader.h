#pragma once
// Reads uncompressed Windows BMP pictures of 1, 4, 8 or 24 bits per pixel into
// the shape LoadImgFromArray takes. Every size and offset is checked against
// the file before it is used; anything doubtful gives no picture.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

struct PdfBmpImage {
    // Rows bottom first, without the fill bytes of the file; 24-bit pixels as
    // red, green, blue (or one grey byte), lower depths as packed indexes.
    std::vector<uint8_t> pixels;
    // 2^bits entries of red, green, blue (or one grey byte); empty for 24 bits.
    std::vector<uint8_t> palette;
    int32_t width = 0;
    int32_t height = 0;
    uint8_t bitsPerPixel = 0;
};

class PdfBmpReader {
public:
    // Larger pictures are refused: a tutor's report has no use for them and
    // they would only cost memory.
    static constexpr int64_t kMaxDimension = 16384;
    static constexpr int64_t kMaxFileSize = 256LL * 1024 * 1024;

    // grey: palette and 24-bit pixels become one grey byte each.
    static std::optional<PdfBmpImage> Decode(std::span<const uint8_t> file, bool grey);
    static std::optional<PdfBmpImage> ReadFile(const std::string& path, bool grey);
};
