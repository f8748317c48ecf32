#include "tutor/core/PersonalExercise.h"

#include "common/core/AtomicFile.h"
#include "common/core/Cp1252.h"
#include "common/core/ExerciseFile.h"
#include "common/core/IniFormat.h"
#include "common/core/ProgramPaths.h"
#include "history/HistoryTypes.h"
#include "tutor/core/BuiltInSentence.h"
#include "tutor/core/WordList.h"

#include <algorithm>
#include <filesystem>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <limits>
#include <system_error>

namespace {

constexpr std::string_view kBuiltInName = "Allenamento personale";
constexpr std::string_view kExtension = ".ftd";
// Exercise files hold at most 45 values of 254 characters; anything far
// beyond that is not an exercise file worth reading for material.
constexpr std::uintmax_t kMaxMaterialFileBytes = 256u << 10;
// A name longer than this is cut: file systems allow 255 bytes, and the
// UTF-8 of a Windows-1252 name may be up to three times longer.
constexpr std::size_t kMaxNameLength = 64;

std::vector<std::filesystem::path> ExerciseFilesIn(const std::string& folder) {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    std::filesystem::directory_iterator it(NativePath(folder), error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        std::error_code typeError;
        const std::string name = FromNativePath(it->path().filename());
        if (it->is_regular_file(typeError) && name.size() > kExtension.size() &&
            Cp1252EqualNoCase(std::string_view(name).substr(name.size() - kExtension.size()),
                              kExtension))
            files.push_back(it->path());
    }
    // Directory order is arbitrary; material in name order keeps the
    // exercise of a seed the same from one run to the next.
    std::sort(files.begin(), files.end());
    return files;
}

void AddSentencesOf(const std::string& bytes, std::vector<std::string>& sentences) {
    const IniText ini(bytes);
    for (int level = 1; level <= kExerciseLevels; ++level) {
        for (int number = 1; number <= kSentencesPerLevel; ++number) {
            const auto raw =
                ini.RawValue("Livello" + std::to_string(level), std::to_string(number));
            if (!raw)
                continue;
            const std::string value = TrimBlanks(CleanIniValue(*raw, kIniValueLimit));
            if (value.empty())
                continue;
            const SentenceLines lines = SplitSentenceValue(value);
            sentences.push_back(lines.hasSecond
                                    ? TrimBlanks(lines.first) + "\r\n" + TrimBlanks(lines.second)
                                    : value);
        }
    }
}

} // namespace

std::string PersonalExerciseName(const UiTexts& texts) {
    std::string name = TrimBlanks(texts.Text(kPersonalExerciseTextId));
    for (char& c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '/' || c == '\\' || c == '.' || byte < 0x20 || byte == 0x7F)
            c = ' ';
    }
    name = TrimBlanks(name.substr(0, kMaxNameLength));
    return name.empty() ? std::string(kBuiltInName) : name;
}

std::string PersonalExercisePath(const std::vector<std::string>& places, const UiTexts& texts) {
    if (places.empty())
        return {};
    // The name is a text of the language; the file's name is the system's.
    return WithTrailingSlash(places.front()) + kExercisesFolder +
           Cp1252ToFileName(PersonalExerciseName(texts)) + std::string(kExtension);
}

std::vector<std::string> CollectPracticeSentences(const std::vector<std::string>& places,
                                                  const std::string& skipFileName) {
    std::vector<std::string> sentences;
    for (const std::string& place : places) {
        for (const char* folder : {kExercisesFolder, kCourseFolder}) {
            for (const auto& file : ExerciseFilesIn(WithTrailingSlash(place) + folder)) {
                if (Cp1252EqualNoCase(FromNativePath(file.filename()), skipFileName))
                    continue;
                std::error_code error;
                const auto size = std::filesystem::file_size(file, error);
                if (error || size > kMaxMaterialFileBytes)
                    continue;
                if (const auto bytes = ReadWholeFile(FromNativePath(file)))
                    AddSentencesOf(*bytes, sentences);
            }
        }
    }
    for (std::int16_t index = 1; index <= kBuiltInSentenceCount; ++index)
        sentences.push_back(BuiltInSentence(index));
    return sentences;
}

bool WritePracticeExercise(const std::string& path, const PracticeExercise& exercise) {
    const std::filesystem::path target = NativePath(path);
    std::filesystem::path temporary = target;
    temporary.replace_filename("." + target.filename().string() + ".part");
    const std::string temporaryPath = FromNativePath(temporary);
    std::error_code error;
    bool written = CreateExerciseFile(temporaryPath, kPersonalExerciseVersion);
    for (int level = 1; written && level <= kExerciseLevels; ++level) {
        const auto& sentences = exercise.levels[static_cast<std::size_t>(level - 1)];
        for (std::size_t i = 0; written && i < sentences.size(); ++i) {
            const std::string& typed = sentences[i];
            const std::size_t lineBreak = typed.find("\r\n");
            const std::string value =
                lineBreak == std::string::npos
                    ? typed
                    : ComposeSentenceValue(typed.substr(0, lineBreak), typed.substr(lineBreak + 2));
            written = WriteSentence(temporaryPath, level, static_cast<int>(i) + 1, value) != 0;
        }
    }
    if (written)
        std::filesystem::rename(temporary, target, error);
    if (!written || error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

namespace {

int ClampedCount(std::int64_t count) {
    return static_cast<int>(std::clamp<std::int64_t>(count, 0, std::numeric_limits<int>::max()));
}

// The word list and the generator's work take some ten megabytes in many
// small blocks; once freed, the allocator would keep their pages for the
// rest of the run unless asked to give them back.
void ReturnFreedMemory() {
#if defined(__GLIBC__)
    ::malloc_trim(0);
#endif
}

} // namespace

PracticeStatistics PracticeStatisticsOf(const PracticeProfile& profile) {
    PracticeStatistics statistics;
    for (const KeyFigures& key : profile.keys)
        statistics.characters.push_back({key.character, ClampedCount(key.keystrokes),
                                         ClampedCount(key.wrong), key.averageIntervalMs});
    for (const ConfusionFigures& confusion : profile.confusions)
        statistics.confusions.push_back(
            {confusion.expected, confusion.typed, ClampedCount(confusion.count)});
    return statistics;
}

PersonalExerciseKeeper::PersonalExerciseKeeper(std::vector<std::string> places,
                                               std::string wordListPath, const TextMeasure& measure,
                                               ExerciseCatalogue::SentenceLine line)
    : m_places(std::move(places)), m_wordListPath(std::move(wordListPath)), m_measure(measure),
      m_line(std::move(line)) {}

bool PersonalExerciseKeeper::Renew(const PracticeStatistics& statistics, const UiTexts& texts,
                                   std::uint64_t seed) {
    const bool renewed = renew(statistics, texts, seed);
    ReturnFreedMemory();
    return renewed;
}

bool PersonalExerciseKeeper::renew(const PracticeStatistics& statistics, const UiTexts& texts,
                                   std::uint64_t seed) {
    const std::string previous = m_path;
    m_path = PersonalExercisePath(m_places, texts);
    if (m_path.empty())
        return false;
    const std::string fileName = m_path.substr(m_path.find_last_of('/') + 1);
    PracticeMaterial material;
    // A missing or unusable list leaves the exercise to the sentences.
    material.words = ReadWordList(m_wordListPath).words;
    material.sentences = CollectPracticeSentences(m_places, fileName);
    const PracticeGenerator generator(material, m_measure, m_line);
    const PracticeExercise exercise =
        generator.Generate(CharacterWeights::FromStatistics(statistics), seed);
    if (!WritePracticeExercise(m_path, exercise))
        return false;
    // Another language names the exercise otherwise: the list keeps one.
    if (!previous.empty() && previous != m_path) {
        std::error_code ignored;
        std::filesystem::remove(NativePath(previous), ignored);
    }
    m_aimed = exercise.aimedCharacters;
    return true;
}
