#pragma once
// Metrics of a font declared with LoadFont: the widths written into its font
// dictionary and summed by Length, and the body of its font descriptor.
// Two families are built in, Arial and Symbol, in four styles each.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

class PdfFontMetrics {
public:
    // baseFont already upper-cased and without blanks: "SYMBOL" gives the
    // Symbol family, any other name Arial. options: 0 regular, 1 bold,
    // 2 italic, 3 bold italic, others regular.
    static PdfFontMetrics ForBaseFont(std::string_view baseFont, int32_t options);
    // ",Bold", ",Italic", ",BoldItalic" or "" for the style options.
    static std::string_view StyleSuffix(int32_t options);

    // "Arial" or "Symbol" followed by the style suffix.
    const std::string& BaseFontName() const { return m_baseFontName; }
    uint8_t FirstChar() const { return m_firstChar; }
    uint8_t LastChar() const { return m_lastChar; }
    std::string_view Descriptor() const { return m_descriptor; }
    int32_t MissingWidth() const { return m_missingWidth; }
    // Width of a character code: its table entry within FirstChar..LastChar,
    // the missing width elsewhere.
    int32_t Width(uint8_t code) const;

private:
    std::string m_baseFontName;
    uint8_t m_firstChar = 0;
    uint8_t m_lastChar = 0;
    std::string_view m_descriptor;
    std::span<const int16_t> m_widths;
    int32_t m_missingWidth = 0;
};
