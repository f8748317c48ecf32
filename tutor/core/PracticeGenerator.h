// The personal exercise: fifteen sentences in three levels in which the keys
// a pupil gets wrong most, confuses or types slowest come up far more often
// than in ordinary text, while the exercise still reads as Italian words and
// sentences and keeps to everything an exercise file may hold.
//
// Data flows one way: the pupil's figures per character (PracticeStatistics)
// become a weight per character (CharacterWeights); the weights choose drill
// words from the word list for level 1, and rank whole sentences of the
// shipped material for levels 2 and 3, which are mixed with generated word
// lines where the sentences hold too few weak keys. Everything is Windows-1252
// and deterministic for a seed.
#pragma once

#include "tutor/core/ExerciseCatalogue.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// What the pupil's history says about one character, as expected by the
// exercise (not as typed).
struct PracticeKey {
    char character = 0;
    int keystrokes = 0;             // keystrokes while it was expected, right and wrong
    int wrong = 0;                  // the wrong ones among them
    double averageIntervalMs = 0.0; // 0 when unknown
};

// The pupil typed `typed` where `expected` was asked for, `count` times.
struct PracticeConfusion {
    char expected = 0;
    char typed = 0;
    int count = 0;
};

// Empty for a pupil without history.
struct PracticeStatistics {
    std::vector<PracticeKey> characters;
    std::vector<PracticeConfusion> confusions;
};

// The words and sentences to build from, all Windows-1252. Sentences are in
// typed form: one line, or two lines joined by CR LF.
struct PracticeMaterial {
    std::vector<std::string> words; // drill words (see WordList.h); may be empty
    std::vector<std::string> sentences;
};

// How much each typeable character is to be practised: 1 for every
// character of a balanced exercise, more for a weak one, less for a strong
// one. Space and Enter are not weighed; they come with every line.
class CharacterWeights {
public:
    static CharacterWeights Balanced();
    static CharacterWeights FromStatistics(const PracticeStatistics& statistics);

    double Of(char c) const { return m_weight[static_cast<unsigned char>(c)]; }
    // True when no character stands out (no statistics, or all alike).
    bool IsBalanced() const { return m_balanced; }
    // Up to `count` characters that weigh clearly more than the average,
    // the heaviest first; "" for a balanced exercise.
    std::string Weakest(int count) const;
    // Confusion pairs whose keys are to be practised in the same line.
    const std::vector<std::pair<char, char>>& Pairs() const { return m_pairs; }

private:
    std::array<double, 256> m_weight{};
    std::vector<std::pair<char, char>> m_pairs;
    bool m_balanced = true;
};

struct PracticeExercise {
    // Five sentences per level in typed form; typed in this order.
    std::array<std::vector<std::string>, 3> levels;
    // The characters the exercise aims at, heaviest first; "" when balanced.
    std::string aimedCharacters;
};

// The shape every sentence of the personal exercise keeps, after the
// built-in sentences: level 1 one line of small letters and blanks, level 2
// one line, level 3 two lines; every line fits the sentence line, holds only
// characters the key table types, and reads back from an exercise file
// exactly as written (nothing fitted, filtered, trimmed or unquoted away).
struct PracticeShape {
    static constexpr int kSentencesPerLevel = 5;
    static constexpr int kLevel1Min = 26;
    static constexpr int kLevel1Max = 42;
    static constexpr int kLevel2Min = 54;
    static constexpr int kLevel2Max = 65;
    static constexpr int kLevel3FirstMin = 40;
    static constexpr int kLevel3FirstMax = 80;
    static constexpr int kLevel3SecondMin = 10;
    static constexpr int kLevel3SecondMax = 50;
};

class PracticeGenerator {
public:
    PracticeGenerator(const PracticeMaterial& material, const TextMeasure& measure,
                      ExerciseCatalogue::SentenceLine line);

    PracticeExercise Generate(const CharacterWeights& weights, std::uint64_t seed) const;

    // True when a typed sentence keeps the shape of the level (1..3).
    bool KeepsShape(const std::string& sentence, int level) const;
    // True when one line reads back from an exercise file as written.
    bool KeepsAsWritten(const std::string& line) const;

private:
    struct Draw;
    std::string DrillLine(const CharacterWeights& weights, Draw& draw, int minLength,
                          int maxLength) const;
    std::string WordLine(const CharacterWeights& weights, Draw& draw, int minLength,
                         int maxLength) const;
    std::string PickWord(const CharacterWeights& weights, Draw& draw, char target) const;
    // The word, now and then after a short linking word of the list.
    std::string WithLink(Draw& draw, std::string word) const;
    std::string SentenceOrLine(const CharacterWeights& weights, Draw& draw, int level,
                               std::vector<std::size_t>& pool) const;
    std::string WordSentence(const CharacterWeights& weights, Draw& draw, int level) const;

    const TextMeasure& m_measure;
    ExerciseCatalogue::SentenceLine m_line;
    std::vector<std::string> m_words;
    // For each byte, the indexes of the words that hold it, and of those
    // that begin with it.
    std::array<std::vector<std::uint32_t>, 256> m_wordsWith;
    std::array<std::vector<std::uint32_t>, 256> m_wordsStartingWith;
    std::vector<std::string> m_links;
    std::array<std::vector<std::string>, 3> m_sentences; // by the level whose shape they keep
};

// The mean weight per character of a text (blanks and line breaks aside),
// raised when it holds both keys of a confusion pair.
double PracticeScore(const std::string& text, const CharacterWeights& weights);
