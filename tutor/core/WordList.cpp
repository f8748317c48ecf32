#include "tutor/core/WordList.h"

#include "common/core/Cp1252.h"
#include "common/core/ProgramPaths.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>

namespace {

constexpr std::size_t kMinLetters = 2;
constexpr std::size_t kMaxLetters = 10;
// A UTF-8 line longer than this cannot hold a word of kMaxLetters letters
// (each at most two bytes) and its line end.
constexpr std::size_t kMaxLineBytes = 2 * kMaxLetters + 2;
// An ending marks a rare form only on a word this much longer than it.
constexpr std::size_t kEndingStemLetters = 4;

constexpr std::string_view kAccented = "àèéìòù"_cp1252;
constexpr std::string_view kVowels = "aeiouàèéìòù"_cp1252;

// Endings of verb forms that a child rarely reads.
constexpr std::array<std::string_view, 39> kRareEndings = {
    // remote past: plurals and second persons (cantammo, cantaste, cantarono)
    "ammo", "emmo", "immo", "aste", "este", "iste", "asti", "esti", "isti", "arono", "erono",
    "irono", "ettero",
    // past subjunctive (cantassero, cantassimo, cantasse, cantassi)
    "assero", "essero", "issero", "assimo", "essimo", "asse", "esse", "isse", "assi", "essi",
    // future and conditional plurals and second persons (canteremo,
    // canterete, canteranno, canterebbero, canteremmo, cantereste, canteresti)
    "eremo", "erete", "eranno", "iremo", "irete", "iranno", "rebbero", "remmo", "reste", "eresti",
    "iresti",
    // pronouns joined to a verb (portaglielo, dateglieli)
    "gliela", "glielo", "glieli", "gliele", "gliene"};

constexpr std::size_t kShortestRareEnding =
    std::min_element(kRareEndings.begin(), kRareEndings.end(),
                     [](std::string_view a, std::string_view b) { return a.size() < b.size(); })
        ->size();

bool IsSmallLetter(char c) {
    return (c >= 'a' && c <= 'z') || kAccented.find(c) != std::string_view::npos;
}

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

bool HasRareEnding(std::string_view word) {
    if (word.size() < kShortestRareEnding + kEndingStemLetters)
        return false;
    return std::any_of(kRareEndings.begin(), kRareEndings.end(), [word](std::string_view end) {
        return word.size() >= end.size() + kEndingStemLetters && EndsWith(word, end);
    });
}

} // namespace

bool IsDrillWord(std::string_view word) {
    if (word.size() < kMinLetters || word.size() > kMaxLetters)
        return false;
    if (!std::all_of(word.begin(), word.end(), IsSmallLetter))
        return false;
    if (word.find_first_of(kVowels) == std::string_view::npos)
        return false;
    const std::size_t accent = word.find_first_of(kAccented);
    if (accent != std::string_view::npos && accent + 1 != word.size())
        return false;
    return !HasRareEnding(word);
}

std::vector<std::string> FilterWordList(std::string_view utf8Text) {
    std::vector<std::string> words;
    std::size_t start = 0;
    while (start < utf8Text.size()) {
        std::size_t end = utf8Text.find('\n', start);
        if (end == std::string_view::npos)
            end = utf8Text.size();
        std::string_view line = utf8Text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.size() > kMaxLineBytes)
            continue;
        // Only small letters can pass, all of them one or two bytes in
        // UTF-8: the line is converted as far as it holds such letters,
        // which keeps the reading of 117,000 lines quick.
        char word[kMaxLineBytes];
        std::size_t length = 0;
        bool letters = true;
        for (std::size_t i = 0; letters && i < line.size(); ++i) {
            const auto lead = static_cast<unsigned char>(line[i]);
            char32_t cp = lead;
            if (lead >= 0x80) {
                const bool pair = (lead & 0xE0) == 0xC0 && i + 1 < line.size() &&
                                  (static_cast<unsigned char>(line[i + 1]) & 0xC0) == 0x80;
                cp = pair
                         ? ((lead & 0x1Fu) << 6) | (static_cast<unsigned char>(line[i + 1]) & 0x3Fu)
                         : 0;
                i += pair ? 1 : 0;
            }
            const int byte = cp == 0 ? -1 : UnicodeToCp1252(cp);
            letters = byte > 0 && IsSmallLetter(static_cast<char>(byte));
            if (letters)
                word[length++] = static_cast<char>(byte);
        }
        if (letters && IsDrillWord(std::string_view(word, length)))
            words.emplace_back(word, length);
    }
    // The Debian list is sorted, so repeats stand next to each other.
    words.erase(std::unique(words.begin(), words.end()), words.end());
    return words;
}

WordList ReadWordList(const std::string& path) {
    WordList list;
    std::error_code error;
    const std::filesystem::path native = NativePath(path);
    if (!std::filesystem::is_regular_file(native, error))
        return list;
    const auto size = std::filesystem::file_size(native, error);
    if (error)
        return list;
    if (size > kMaxWordListBytes) {
        list.status = WordListStatus::TooLarge;
        return list;
    }
    std::ifstream file(native, std::ios::binary);
    if (!file)
        return list;
    // The file may grow between the size check and the read: never read
    // more than the limit allows.
    std::string bytes(static_cast<std::size_t>(size), '\0');
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    list.words = FilterWordList(bytes);
    list.status = WordListStatus::Read;
    return list;
}
