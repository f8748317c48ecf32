#include "pdf/PdfFontMetrics.h"

#include "pdf/PdfFontWidths.h"

#include <array>

namespace {

// Font descriptor bodies by style (regular, bold, italic, bold italic).
constexpr std::array<std::string_view, 4> kArialDescriptors = {
    "/Flags 32 /FontBBox [-250 -221 1190 1000] /MissingWidth 272 /StemV 80 "
    "/StemH 80 /ItalicAngle 0 /CapHeight 905 /XHeight 453 "
    "/Ascent 905 /Descent -212 /Leading 150 /MaxWidth 992 /AvgWidth 441",
    "/Flags 16416 /FontBBox [-250 -212 1120 1000] /MissingWidth 311 /StemV 153 "
    "/StemH 153 /ItalicAngle 0 /CapHeight 905 /XHeight 453 "
    "/Ascent 905 /Descent -212 /Leading 150 /MaxWidth 933 /AvgWidth 479",
    "/Flags 96 /FontBBox [-250 -212 1134 1000] /MissingWidth 259 /StemV 80 "
    "/StemH 80 /ItalicAngle -11 /CapHeight 905 /XHeight 453 "
    "/Ascent 905 /Descent -212 /Leading 150 /MaxWidth 945 /AvgWidth 441",
    "/Flags 16480 /FontBBox [-250 -212 1120 1000] /MissingWidth 311 /StemV 153 "
    "/StemH 153 /ItalicAngle -11 /CapHeight 905 /XHeight 453 "
    "/Ascent 905 /Descent -212 /Leading 150 /MaxWidth 933 /AvgWidth 479",
};

constexpr std::array<std::string_view, 4> kSymbolDescriptors = {
    "/Flags 6 /FontBBox [-250 -220 1246 1005] /MissingWidth 332 /StemV 109 "
    "/StemH 109 /ItalicAngle 0 /CapHeight 1005 /XHeight 503 "
    "/Ascent 1005 /Descent -220 /Leading 225 /MaxWidth 1038 /AvgWidth 601",
    "/Flags 16390 /FontBBox [-250 -220 1246 1005] /MissingWidth 332 /StemV 191 "
    "/StemH 191 /ItalicAngle 0 /CapHeight 1005 /XHeight 503 "
    "/Ascent 1005 /Descent -220 /Leading 225 /MaxWidth 1038 /AvgWidth 600",
    "/Flags 70 /FontBBox [-250 -220 1246 1005] /MissingWidth 332 /StemV 109 "
    "/StemH 109 /ItalicAngle -11 /CapHeight 1005 /XHeight 503 "
    "/Ascent 1005 /Descent -220 /Leading 225 /MaxWidth 1038 /AvgWidth 600",
    "/Flags 16454 /FontBBox [-250 -220 1246 1005] /MissingWidth 332 /StemV 191 "
    "/StemH 191 /ItalicAngle -11 /CapHeight 1005 /XHeight 503 "
    "/Ascent 1005 /Descent -220 /Leading 225 /MaxWidth 1038 /AvgWidth 600",
};

// Length falls back on this width for codes without a table entry, whatever
// the descriptor of the style says.
constexpr int32_t kArialMissingWidth = 272;
constexpr int32_t kSymbolMissingWidth = 332;

int32_t StyleIndex(int32_t options) {
    return options >= 0 && options <= 3 ? options : 0;
}

} // namespace

std::string_view PdfFontMetrics::StyleSuffix(int32_t options) {
    constexpr std::array<std::string_view, 4> suffixes = {"", ",Bold", ",Italic", ",BoldItalic"};
    return suffixes[static_cast<std::size_t>(StyleIndex(options))];
}

PdfFontMetrics PdfFontMetrics::ForBaseFont(std::string_view baseFont, int32_t options) {
    const auto style = static_cast<std::size_t>(StyleIndex(options));
    PdfFontMetrics metrics;
    if (baseFont == "SYMBOL") {
        metrics.m_baseFontName = "Symbol";
        metrics.m_firstChar = 30;
        metrics.m_descriptor = kSymbolDescriptors[style];
        metrics.m_widths = kSymbolWidths;
        metrics.m_missingWidth = kSymbolMissingWidth;
    } else {
        const bool bold = style == 1 || style == 3;
        metrics.m_baseFontName = "Arial";
        metrics.m_firstChar = 32;
        metrics.m_descriptor = kArialDescriptors[style];
        metrics.m_widths = bold ? std::span<const int16_t>(kArialBoldWidths)
                                : std::span<const int16_t>(kArialRegularWidths);
        metrics.m_missingWidth = kArialMissingWidth;
    }
    metrics.m_lastChar = 255;
    metrics.m_baseFontName += StyleSuffix(options);
    return metrics;
}

int32_t PdfFontMetrics::Width(uint8_t code) const {
    if (code < m_firstChar || code > m_lastChar) {
        return m_missingWidth;
    }
    return m_widths[code - m_firstChar];
}
