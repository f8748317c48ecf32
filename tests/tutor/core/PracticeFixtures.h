// What the tests of the personal exercise share: the shipped material and
// the Debian word list read once, a sentence line of fixed-width letters as
// wide as the tutor's, and pupils made up from a few figures.
#pragma once

#include "common/core/ExerciseFile.h"
#include "tutor/core/KeyTable.h"
#include "tutor/core/PersonalExercise.h"
#include "tutor/core/PracticeGenerator.h"
#include "tutor/core/WordList.h"

#include "EngineFakes.h"

#include <filesystem>
#include <string>
#include <vector>

inline const std::string kShippedData = std::string(ZENTAVO_SOURCE_DIR) + "/data/";

// The tutor's sentence line is 620 pixels of Arial 12; an average letter is
// about 7 pixels wide there.
inline constexpr int kLetterWidth = 7;
inline constexpr int kSentenceLineWidth = 620;

inline const FixedWidthMeasure& LetterMeasure() {
    static const FixedWidthMeasure measure(kLetterWidth);
    return measure;
}

inline ExerciseCatalogue::SentenceLine TutorLine() {
    return {FontSpec{"Arial", 12.0f}, kSentenceLineWidth};
}

inline const WordList& DebianWords() {
    static const WordList list = ReadWordList(kDebianItalianWordList);
    return list;
}

inline const PracticeMaterial& ShippedMaterial() {
    static const PracticeMaterial material{DebianWords().words,
                                           CollectPracticeSentences({kShippedData}, "")};
    return material;
}

// Every weighed character typed `keystrokes` times with `wrong` mistakes at
// the same pace; then the exceptions.
inline PracticeStatistics EvenPupil(int keystrokes, int wrong, double intervalMs = 250.0) {
    PracticeStatistics statistics;
    for (const KeyEntry& entry : KeyTable::Entries()) {
        const char c = static_cast<char>(entry.Character);
        if (c != ' ' && c != '\r')
            statistics.characters.push_back({c, keystrokes, wrong, intervalMs});
    }
    return statistics;
}

inline void SetFigures(PracticeStatistics& statistics, char c, int keystrokes, int wrong,
                       double intervalMs = 250.0) {
    for (PracticeKey& figures : statistics.characters) {
        if (figures.character == c)
            figures = {c, keystrokes, wrong, intervalMs};
    }
}

// A pupil who after the course gets "q" and "ò" wrong far more than the rest.
inline PracticeStatistics PupilWeakOnQAndOGrave() {
    PracticeStatistics statistics = EvenPupil(300, 6);
    SetFigures(statistics, 'q', 300, 75);
    SetFigures(statistics, '\xF2', 300, 80);
    return statistics;
}

// How often c comes per character typed (Enter and blanks included).
inline double Share(const std::vector<std::string>& texts, char c) {
    double found = 0;
    double typed = 0;
    for (const std::string& text : texts) {
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\n')
                continue;
            ++typed;
            found += text[i] == c ? 1 : 0;
        }
    }
    return typed == 0 ? 0.0 : found / typed;
}

inline std::vector<std::string> AllSentences(const PracticeExercise& exercise) {
    std::vector<std::string> all;
    for (const auto& level : exercise.levels)
        all.insert(all.end(), level.begin(), level.end());
    return all;
}

// The sentences of the shipped course, as stored.
inline std::vector<std::string> CourseSentences() {
    std::vector<std::string> sentences;
    for (const auto& file : std::filesystem::directory_iterator(kShippedData + "CorsoZentavo")) {
        for (int level = 1; level <= kExerciseLevels; ++level) {
            for (int number = 1; number <= kSentencesPerLevel; ++number) {
                const std::string value = ReadSentence(file.path().string(), level, number);
                if (!value.empty())
                    sentences.push_back(value);
            }
        }
    }
    return sentences;
}
