// The personal exercise on disk: an ordinary exercise file named after the
// language's text "Allenamento personale", in the user's own exercise
// folder, so that the exercise list shows it like any other and the editor
// opens it. Also where its material comes from: the sentences of the
// exercise and course files the tutor lists, and the built-in sentences.
#pragma once

#include "common/core/UiTexts.h"
#include "tutor/core/PracticeGenerator.h"

#include <string>
#include <vector>

// The ID of the exercise's name among the texts.
inline constexpr std::string_view kPersonalExerciseTextId = "0500";
// The version entry of the file: the editor's format, so that the editor
// takes it for one of its own.
inline constexpr const char* kPersonalExerciseVersion = "3.0.0";

// The file's name without ".ftd": the language's text, made safe to be a
// file name the list can open (no folder separators, no dots, no controls);
// the built-in Italian when the language has no such text.
std::string PersonalExerciseName(const UiTexts& texts);
// The first of the places is the user's own (see ProgramLocations). Paths
// are the system's bytes, like every path of the core.
std::string PersonalExercisePath(const std::vector<std::string>& places, const UiTexts& texts);

// Every sentence of the "*.ftd" files in Esercizi/ and CorsoZentavo/ of the
// places, in typed form, but those of the file named skipFileName, then the
// built-in sentences. Files too large to be exercise files are passed over.
std::vector<std::string> CollectPracticeSentences(const std::vector<std::string>& places,
                                                  const std::string& skipFileName);

// Writes the exercise through the exercise writer into a temporary file
// beside the path, then puts it in place in one rename, so the list never
// sees half an exercise. False, with any old file untouched, on failure.
bool WritePracticeExercise(const std::string& path, const PracticeExercise& exercise);

struct PracticeProfile;

// The history's figures of one pupil as the generator's input.
PracticeStatistics PracticeStatisticsOf(const PracticeProfile& profile);

// Keeps the personal exercise of the tutor's current pupil up to date: each
// renewal makes a new exercise from the figures it is given and writes it
// over the old one. The word list is read at the first renewal and kept;
// the sentences of the exercise files are read anew each time, since a
// teacher may have added a file meanwhile.
class PersonalExerciseKeeper {
public:
    PersonalExerciseKeeper(std::vector<std::string> places, std::string wordListPath,
                           const TextMeasure& measure, ExerciseCatalogue::SentenceLine line);

    // False when the exercise could not be written (the old one then stays).
    // The word list is read afresh each time (some 20 ms) rather than held
    // between exercises, where it would keep megabytes for a few renewals.
    bool Renew(const PracticeStatistics& statistics, const UiTexts& texts, std::uint64_t seed);
    // The characters the exercise written last aims at; "" when balanced.
    const std::string& AimedCharacters() const { return m_aimed; }
    const std::string& Path() const { return m_path; }

private:
    bool renew(const PracticeStatistics& statistics, const UiTexts& texts, std::uint64_t seed);

    std::vector<std::string> m_places;
    std::string m_wordListPath;
    const TextMeasure& m_measure;
    ExerciseCatalogue::SentenceLine m_line;
    std::string m_aimed;
    std::string m_path;
};
