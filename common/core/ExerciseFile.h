// Exercise files (.ftd): a fixed comment header, the version entry of the
// editor that made the file, and up to 15 sentences in each of the sections
// "Livello1" to "Livello3", all reached through IniManager. A sentence of two
// lines keeps them apart with the separator "¦¦" (bytes A6 A6).
#pragma once

#include <array>
#include <string>
#include <string_view>

inline constexpr std::string_view kSentenceSeparator = "\xA6\xA6";
inline constexpr int kExerciseLevels = 3;
inline constexpr int kSentencesPerLevel = 15;

// The seven lines written in front of the sections of a new file.
const std::array<std::string_view, 7>& ExerciseFileHeader();

// Writes the header, then "Versione" in "Editor Zentavo" and an empty
// sentence "1" in each level; atomically. False when the file cannot be made.
bool CreateExerciseFile(const std::string& path, const std::string& version);

// Level 1-3, number 1-15. Non-zero on success, 0 on failure (file untouched).
long WriteSentence(const std::string& path, int level, int number, const std::string& value);
// "" when the file, the level, the number or the value is missing.
std::string ReadSentence(const std::string& path, int level, int number);
// For each level, how many of the numbers 1..positions hold a non-empty value.
std::array<int, 3> CountSentences(const std::string& path, int positions);

// The value to store for two edited lines: the first line trimmed, then,
// when the second line as typed is not empty, "¦¦" and the second trimmed.
// "" when the first line is blank (nothing is to be written).
std::string ComposeSentenceValue(std::string_view line1, std::string_view line2);

struct SentenceLines {
    std::string first;
    std::string second;
    bool hasSecond = false;
};
// Splits at the first "¦¦" without trimming anything.
SentenceLines SplitSentenceValue(std::string_view value);

// Leading and trailing blanks (spaces) removed.
std::string TrimBlanks(std::string_view text);
