#include "common/core/ExerciseFile.h"

#include "common/core/AtomicFile.h"
#include "common/core/IniFormat.h"
#include "common/core/IniManager.h"

#include <algorithm>

namespace {

constexpr std::string_view kVersionSection = "Editor Zentavo";
constexpr std::string_view kVersionKey = "Versione";
constexpr std::string_view kLineEnd = "\r\n";

const std::array<std::string_view, 7> kHeader = {
    "==============================================",
    "*** Attenzione ***   Non  modificare  manualmente  questo file.",
    "Il file DEVE essere modificato solo con l'Editor di Zentavo",
    "    *** Attention ***     Do  not  modify  improperly  this  file.",
    "This   file   MUST  be  modified  only   using  EditorZentavo.exe",
    "==============================================",
    "",
};

std::string LevelSection(int level) {
    return "Livello" + std::to_string(level);
}

bool ValidPosition(int level, int number) {
    return level >= 1 && level <= kExerciseLevels && number >= 1 && number <= kSentencesPerLevel;
}

} // namespace

const std::array<std::string_view, 7>& ExerciseFileHeader() {
    return kHeader;
}

bool CreateExerciseFile(const std::string& path, const std::string& version) {
    if (!IsWritableIniValue(version))
        return false;
    std::string text;
    for (const std::string_view line : kHeader)
        text.append(line).append(kLineEnd);
    // The same entries, in the same order, as one Scrivi after another would
    // append, but written in one replacement so no half-made file is left.
    text = IniText(text).WithValue(kVersionSection, kVersionKey, version);
    for (int level = 1; level <= kExerciseLevels; ++level)
        text = IniText(text).WithValue(LevelSection(level), "1", "");
    return WriteFileAtomically(path, text);
}

long WriteSentence(const std::string& path, int level, int number, const std::string& value) {
    if (!ValidPosition(level, number))
        return 0;
    IniManager ini;
    ini.nome = path;
    ini.sezione = LevelSection(level);
    return ini.Scrivi(std::to_string(number), value);
}

std::string ReadSentence(const std::string& path, int level, int number) {
    if (!ValidPosition(level, number))
        return {};
    IniManager ini;
    ini.nome = path;
    ini.sezione = LevelSection(level);
    return ini.Leggi(std::to_string(number), "");
}

std::array<int, 3> CountSentences(const std::string& path, int positions) {
    std::array<int, 3> counts{};
    const auto bytes = ReadWholeFile(path);
    if (!bytes)
        return counts;
    const IniText ini(*bytes);
    positions = std::clamp(positions, 0, kSentencesPerLevel);
    for (int level = 1; level <= kExerciseLevels; ++level) {
        const std::string section = LevelSection(level);
        for (int number = 1; number <= positions; ++number) {
            const auto raw = ini.RawValue(section, std::to_string(number));
            if (raw && !CleanIniValue(*raw, kIniValueLimit).empty())
                ++counts[static_cast<std::size_t>(level - 1)];
        }
    }
    return counts;
}

std::string TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

std::string ComposeSentenceValue(std::string_view line1, std::string_view line2) {
    std::string value = TrimBlanks(line1);
    if (value.empty())
        return value;
    if (!line2.empty())
        value.append(kSentenceSeparator).append(TrimBlanks(line2));
    return value;
}

SentenceLines SplitSentenceValue(std::string_view value) {
    const std::size_t at = value.find(kSentenceSeparator);
    if (at == std::string_view::npos)
        return {std::string(value), {}, false};
    return {std::string(value.substr(0, at)),
            std::string(value.substr(at + kSentenceSeparator.size())), true};
}
