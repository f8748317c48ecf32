#include "common/core/Cp1252.h"

namespace {

constexpr char kReplacement = '?';

// Length of the UTF-8 sequence that starts at text[i] and its code point, or
// 0 when the bytes there are not well-formed UTF-8 (overlong forms, surrogates
// and values above U+10FFFF included).
std::size_t DecodeUtf8(std::string_view text, std::size_t i, char32_t& cp) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t len = 0;
    char32_t min = 0;
    if (lead < 0x80) {
        cp = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        len = 2;
        cp = lead & 0x1F;
        min = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        len = 3;
        cp = lead & 0x0F;
        min = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        len = 4;
        cp = lead & 0x07;
        min = 0x10000;
    } else {
        return 0;
    }
    if (i + len > text.size())
        return 0;
    for (std::size_t k = 1; k < len; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (next & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Walks UTF-8 text: each well-formed character goes to onChar with its code
// point and its encoded bytes, each byte that starts no character to onBadByte.
template <typename OnChar, typename OnBadByte>
void ForEachUtf8(std::string_view utf8, OnChar onChar, OnBadByte onBadByte) {
    std::size_t i = 0;
    while (i < utf8.size()) {
        char32_t cp = 0;
        const std::size_t len = DecodeUtf8(utf8, i, cp);
        if (len == 0) {
            onBadByte(utf8[i++]);
            continue;
        }
        onChar(cp, utf8.substr(i, len));
        i += len;
    }
}

} // namespace

std::string Utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    ForEachUtf8(
        utf8,
        [&out](char32_t cp, std::string_view) {
            const int byte = UnicodeToCp1252(cp);
            out += byte < 0 ? kReplacement : static_cast<char>(byte);
        },
        [&out](char) { out += kReplacement; });
    return out;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (const char c : bytes)
        AppendUtf8(out, Cp1252ToUnicode(static_cast<unsigned char>(c)));
    return out;
}

bool Cp1252EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Cp1252ToLower(static_cast<unsigned char>(a[i])) !=
            Cp1252ToLower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

namespace {

// The capital of a letter of the code page, of Greek or of Cyrillic; any
// other code point is its own capital.
char32_t UpperLetter(char32_t cp) {
    const int byte = UnicodeToCp1252(cp);
    if (byte >= 0) {
        for (int upper = 0; upper < 256; ++upper) {
            if (upper != byte && Cp1252ToLower(static_cast<unsigned char>(upper)) == byte)
                return Cp1252ToUnicode(static_cast<unsigned char>(upper));
        }
        return cp;
    }
    if (cp == 0x03C2) // final sigma
        return 0x03A3;
    if (cp >= 0x03B1 && cp <= 0x03CB)
        return cp - 0x20;
    switch (cp) {
    case 0x03AC:
        return 0x0386;
    case 0x03AD:
    case 0x03AE:
    case 0x03AF:
        return cp - 0x25;
    case 0x03CC:
        return 0x038C;
    case 0x03CD:
    case 0x03CE:
        return cp - 0x3F;
    default:
        break;
    }
    if (cp >= 0x0430 && cp <= 0x044F)
        return cp - 0x20;
    if (cp >= 0x0450 && cp <= 0x045F)
        return cp - 0x50;
    return cp;
}

} // namespace

std::string Utf8ToUpper(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    ForEachUtf8(
        utf8,
        [&out](char32_t cp, std::string_view encoded) {
            const char32_t upper = UpperLetter(cp);
            if (upper == cp)
                out.append(encoded);
            else
                AppendUtf8(out, upper);
        },
        [&out](char byte) { out += byte; }); // not UTF-8: the byte stays as it is
    return out;
}

bool Utf8EqualNoCase(std::string_view a, std::string_view b) {
    return Utf8ToUpper(a) == Utf8ToUpper(b);
}
