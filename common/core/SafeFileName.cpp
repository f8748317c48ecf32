#include "common/core/SafeFileName.h"

#include <cstddef>
#include <string_view>

namespace {

constexpr std::size_t kMaxStemBytes = 60;
constexpr std::string_view kFallbackStem = "Zentavo";

bool IsRefused(unsigned char c) {
    if (c < 0x20 || c == 0x7F)
        return true;
    // The five codes Windows-1252 leaves undefined stand for C1 controls.
    if (c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D)
        return true;
    return std::string_view("/\\:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos;
}

bool IsTrimmed(char c) {
    return c == ' ' || c == '.' || c == '\xA0';
}

} // namespace

std::string SafeFileStem(const std::string& playerName) {
    std::string stem;
    stem.reserve(playerName.size());
    for (const char ch : playerName) {
        const char safe = IsRefused(static_cast<unsigned char>(ch)) ? '_' : ch;
        if (safe == '.' && !stem.empty() && stem.back() == '.')
            continue;
        stem.push_back(safe);
    }
    if (stem.size() > kMaxStemBytes)
        stem.resize(kMaxStemBytes);

    std::size_t first = 0;
    while (first < stem.size() && IsTrimmed(stem[first]))
        ++first;
    std::size_t last = stem.size();
    while (last > first && IsTrimmed(stem[last - 1]))
        --last;
    stem = stem.substr(first, last - first);

    if (stem.find_first_not_of('_') == std::string::npos)
        return std::string(kFallbackStem);
    return stem;
}
