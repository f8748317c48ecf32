#include "pdf/PdfBmpReader.h"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace {

constexpr int64_t kFileHeaderSize = 14;

uint32_t U32(std::span<const uint8_t> b, std::size_t at) {
    return static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8 |
           static_cast<uint32_t>(b[at + 2]) << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

uint16_t U16(std::span<const uint8_t> b, std::size_t at) {
    return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

int32_t I32(std::span<const uint8_t> b, std::size_t at) {
    return static_cast<int32_t>(U32(b, at));
}

// Rounds half to even, as the grey formulas want, and keeps the result a byte
// (full white would otherwise come out as 263).
uint8_t GreyByte(double value) {
    return static_cast<uint8_t>(std::min(255.0, std::nearbyint(value)));
}

bool KnownInfoHeaderSize(uint32_t size) {
    // BITMAPINFOHEADER and its later extensions; all begin with the same 40 bytes.
    return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

} // namespace

std::optional<PdfBmpImage> PdfBmpReader::Decode(std::span<const uint8_t> file, bool grey) {
    const auto size = static_cast<int64_t>(file.size());
    if (size < kFileHeaderSize + 40 || file[0] != 'B' || file[1] != 'M') {
        return std::nullopt;
    }
    const int64_t pixelOffset = U32(file, 10);
    const uint32_t infoSize = U32(file, 14);
    const int64_t width = I32(file, 18);
    const int64_t signedHeight = I32(file, 22);
    const uint16_t bits = U16(file, 28);
    const uint32_t compression = U32(file, 30);
    const int64_t coloursUsed = U32(file, 46);

    if (!KnownInfoHeaderSize(infoSize) || compression != 0) {
        return std::nullopt;
    }
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24) {
        return std::nullopt;
    }
    const int64_t height = signedHeight < 0 ? -signedHeight : signedHeight;
    if (width < 1 || width > kMaxDimension || height < 1 || height > kMaxDimension) {
        return std::nullopt;
    }

    const int64_t headerEnd = kFileHeaderSize + infoSize;
    int64_t paletteEntries = 0;
    if (bits <= 8) {
        const int64_t maxEntries = int64_t{1} << bits;
        paletteEntries = coloursUsed == 0 ? maxEntries : coloursUsed;
        if (paletteEntries > maxEntries) {
            return std::nullopt;
        }
    }
    if (headerEnd + paletteEntries * 4 > pixelOffset) {
        return std::nullopt;
    }
    const int64_t rowBytes = (width * bits + 7) / 8;
    const int64_t stride = (width * bits + 31) / 32 * 4;
    // The fill bytes of the last row are not needed, and some writers omit them.
    if (pixelOffset + stride * (height - 1) + rowBytes > size) {
        return std::nullopt;
    }

    PdfBmpImage image;
    image.width = static_cast<int32_t>(width);
    image.height = static_cast<int32_t>(height);
    image.bitsPerPixel = static_cast<uint8_t>(bits);

    if (bits <= 8) {
        const int64_t maxEntries = int64_t{1} << bits;
        image.palette.reserve(static_cast<std::size_t>(maxEntries * (grey ? 1 : 3)));
        for (int64_t i = 0; i < maxEntries; ++i) {
            uint8_t blue = 0, green = 0, red = 0;
            if (i < paletteEntries) {
                const auto at = static_cast<std::size_t>(headerEnd + i * 4);
                blue = file[at];
                green = file[at + 1];
                red = file[at + 2];
            }
            if (grey) {
                image.palette.push_back(GreyByte(0.33 * red + 0.59 * green + 0.11 * blue));
            } else {
                image.palette.insert(image.palette.end(), {red, green, blue});
            }
        }
    }

    const int64_t outRowBytes = bits == 24 ? width * (grey ? 1 : 3) : rowBytes;
    image.pixels.reserve(static_cast<std::size_t>(outRowBytes * height));
    for (int64_t row = 0; row < height; ++row) {
        // Pixel rows go out bottom first; a negative height marks a file whose
        // rows are stored top first.
        const int64_t fileRow = signedHeight < 0 ? height - 1 - row : row;
        const auto start = static_cast<std::size_t>(pixelOffset + fileRow * stride);
        const auto source = file.subspan(start, static_cast<std::size_t>(rowBytes));
        if (bits != 24) {
            image.pixels.insert(image.pixels.end(), source.begin(), source.end());
            continue;
        }
        for (std::size_t px = 0; px < source.size(); px += 3) {
            const uint8_t blue = source[px], green = source[px + 1], red = source[px + 2];
            if (grey) {
                image.pixels.push_back(GreyByte(0.59 * green + 0.33 * red + 0.11 * blue));
            } else {
                image.pixels.insert(image.pixels.end(), {red, green, blue});
            }
        }
    }
    return image;
}

std::optional<PdfBmpImage> PdfBmpReader::ReadFile(const std::string& path, bool grey) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::vector<uint8_t> bytes;
    constexpr std::size_t kChunk = 64 * 1024;
    while (in) {
        const std::size_t old = bytes.size();
        bytes.resize(old + kChunk);
        in.read(reinterpret_cast<char*>(bytes.data() + old), kChunk);
        bytes.resize(old + static_cast<std::size_t>(in.gcount()));
        if (static_cast<int64_t>(bytes.size()) > kMaxFileSize) {
            return std::nullopt;
        }
    }
    if (in.bad()) {
        return std::nullopt;
    }
    return Decode(bytes, grey);
}
