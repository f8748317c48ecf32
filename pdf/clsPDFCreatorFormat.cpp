// The pure helpers of the byte layout: numbers, strings, units, ASCII85.
#include "pdf/clsPDFCreator.h"

#include <algorithm>
#include <charconv>
#include <cmath>

std::string clsPDFCreator::FormatNumber(double v, int decimals) {
    // "nan" or "inf" would be no PDF number at all.
    if (!std::isfinite(v)) {
        return "0";
    }
    decimals = std::clamp(decimals, 0, 17);
    // to_chars never looks at the locale and rounds the exact binary value,
    // halves to the even neighbour.
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, decimals);
    std::string text(buffer, result.ptr);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') {
            text.pop_back();
        }
    }
    if (text == "-0") {
        text = "0";
    }
    return text;
}

std::string clsPDFCreator::EscapePdfString(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size() + 8);
    std::size_t from = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '\\' || c == '(' || c == ')') {
            escaped.append(text, from, at - from);
            escaped += '\\';
            from = at;
        }
    }
    escaped.append(text, from, std::string::npos);
    return escaped;
}

double clsPDFCreator::ToPoints(double v, int32_t scaleMode) {
    switch (scaleMode) {
    case ScalePoints:
        return v;
    case ScaleInches:
        return v * 72;
    case ScaleMillimetres:
        return v * 72 / 25.4;
    case ScaleCentimetres:
        return v * 72 / 2.54;
    default:
        return 0;
    }
}

double clsPDFCreator::FromPoints(double v, int32_t scaleMode) {
    switch (scaleMode) {
    case ScalePoints:
        return v;
    case ScaleInches:
        return v / 72;
    case ScaleMillimetres:
        return v / 72 * 25.4;
    case ScaleCentimetres:
        return v / 72 * 2.54;
    default:
        return 0;
    }
}

std::string clsPDFCreator::Ascii85Encode(std::span<const uint8_t> bytes) {
    std::string out;
    out.reserve(bytes.size() / 4 * 5 + 8);
    const std::size_t n = bytes.size();
    for (std::size_t i = 0; i < n; i += 4) {
        const std::size_t remaining = n - i;
        uint32_t value = 0;
        for (std::size_t j = 0; j < 4; ++j) {
            value = value << 8 | (j < remaining ? bytes[i + j] : 0u);
        }
        // Only an all-zero group that ends the data exactly becomes "z".
        if (value == 0 && remaining == 4) {
            out += 'z';
            continue;
        }
        char group[5];
        for (int k = 4; k >= 0; --k) {
            group[k] = static_cast<char>(value % 85 + 33);
            value /= 85;
        }
        out.append(group, std::min<std::size_t>(remaining + 1, 5));
    }
    out += '\0';
    out += "~>";
    return out;
}
