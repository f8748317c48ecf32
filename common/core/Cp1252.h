// The one codec between Windows-1252, the 8-bit code page of every text in
// the core, and Unicode (UTF-8 or code points) at the system's edges.
//
// Every byte 0x00-0xFF has a character: the five codes that Windows-1252
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the C1 controls
// of the same number, so any byte string survives a round trip through
// UTF-8. A character that Windows-1252 lacks, and every byte of malformed
// UTF-8, becomes '?'.
#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace cp1252detail {

// Code points of bytes 0x80-0x9F; the rest of the page equals Latin-1.
inline constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace cp1252detail

constexpr char32_t Cp1252ToUnicode(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return cp1252detail::kHighControls[byte - 0x80];
    return byte;
}

// The Windows-1252 byte of a code point, or -1 when the code page lacks it.
constexpr int UnicodeToCp1252(char32_t ch) {
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF))
        return static_cast<int>(ch);
    for (int i = 0; i < 32; ++i) {
        if (cp1252detail::kHighControls[static_cast<std::size_t>(i)] == ch)
            return 0x80 + i;
    }
    return -1;
}

std::string Utf8ToCp1252(std::string_view utf8);
std::string Cp1252ToUtf8(std::string_view bytes);

// UTF-8 text (a file name) in capitals: the letters of the code page, Greek
// and Cyrillic; bytes that are not UTF-8 stay as they are.
std::string Utf8ToUpper(std::string_view utf8);
bool Utf8EqualNoCase(std::string_view a, std::string_view b);

// Letter case in Windows-1252: ASCII, the accented Latin-1 letters
// (0xC0-0xDE except 0xD7) and the pairs Š/š, Œ/œ, Ž/ž, Ÿ/ÿ.
constexpr unsigned char Cp1252ToLower(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return static_cast<unsigned char>(c + 0x20);
    switch (c) {
    case 0x8A:
    case 0x8C:
    case 0x8E:
        return static_cast<unsigned char>(c + 0x10);
    case 0x9F:
        return 0xFF;
    default:
        return c;
    }
}

bool Cp1252EqualNoCase(std::string_view a, std::string_view b);

// A UTF-8 string literal turned into Windows-1252 bytes while compiling, so
// that built-in texts can be written readably in UTF-8 sources:
// "non è"_cp1252 is the string_view of the bytes 6E 6F 6E 20 E8.
// A character the code page lacks stops the compilation.
template <std::size_t N> struct Cp1252Literal {
    std::array<char, N> bytes{};
    std::size_t size = 0;

    consteval Cp1252Literal(const char (&utf8)[N]) {
        std::size_t i = 0;
        while (i + 1 < N) {
            const auto lead = static_cast<unsigned char>(utf8[i]);
            char32_t cp = 0;
            std::size_t len = 1;
            if (lead < 0x80) {
                cp = lead;
            } else if ((lead & 0xE0) == 0xC0) {
                cp = lead & 0x1F;
                len = 2;
            } else if ((lead & 0xF0) == 0xE0) {
                cp = lead & 0x0F;
                len = 3;
            } else {
                throw std::logic_error("character outside Windows-1252");
            }
            for (std::size_t k = 1; k < len; ++k)
                cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
            const int byte = UnicodeToCp1252(cp);
            if (byte < 0)
                throw std::logic_error("character outside Windows-1252");
            bytes[size++] = static_cast<char>(byte);
            i += len;
        }
    }
    constexpr std::string_view View() const { return {bytes.data(), size}; }
};

template <Cp1252Literal S> constexpr std::string_view operator""_cp1252() {
    return S.View();
}
