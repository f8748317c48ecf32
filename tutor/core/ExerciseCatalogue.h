// ExerciseCatalogue is what the pupil can choose to practise: the built-in
// sentences, the exercise files of "Esercizi/", or the course of files in
// "CorsoZentavo/" that continues after the bookmarked one. It holds the
// exercise list as the window shows it, the exercise file in use, and reads
// single sentences of that file ready to be typed: fitted to the sentence
// line and stripped of characters no key types.
//
// Paths and the file names in the list are the system's bytes, whatever
// characters they hold; the headers of the list are texts. The places to
// look in are a list of folders ending in "/" (the program folder first);
// a file name found in several places is taken from the first.
#pragma once

#include "common/core/TextMeasure.h"
#include "common/core/UiTexts.h"

#include <cstdint>
#include <string>
#include <vector>

inline constexpr const char* kExercisesFolder = "Esercizi/";
inline constexpr const char* kCourseFolder = "CorsoZentavo/";
// A level whose sentence after this many holds none is typed in order.
inline constexpr int kSentencesInOrder = 5;

class ExerciseCatalogue {
public:
    struct SentenceLine {
        FontSpec font; // the font of the sentence display
        int width = 0; // pixels available to one line of a sentence
    };

    ExerciseCatalogue(std::vector<std::string> places, const UiTexts& texts,
                      const TextMeasure& measure, SentenceLine line, std::string bookmark);

    // The list -----------------------------------------------------------
    // Headers are Windows-1252 texts, the other entries file names.
    const std::vector<std::string>& Entries() const { return m_entries; }
    bool EntryIsFileName(int index) const;
    int SelectedIndex() const { return m_selected; } // -1: nothing selected
    std::string SelectedEntry() const;
    bool CourseMode() const { return m_courseMode; }
    void SetCourseMode(bool on) { m_courseMode = on; }
    bool FillingList() const { return m_fillingList; }
    const std::string& ExercisesHeader() const { return m_exercisesHeader; }
    const std::string& CourseHeader() const { return m_courseHeader; }
    const std::string& Bookmark() const { return m_bookmark; }

    // The list of the exercise files, with the headers; selects the first.
    void FillExerciseList();
    // The course files in capitals, then the exercises header; selects the
    // file after the bookmarked one. Does nothing without course files.
    void FillCourseList();
    // The pupil picks an entry: a header switches between the two lists.
    void ChooseEntry(int index);
    // New texts after a change of language (the headers are texts).
    void SetTexts(const UiTexts& texts);

    // The exercise file in use ------------------------------------------
    // Full path as the list names it ("" for the built-in sentences).
    const std::string& ExerciseFile() const { return m_exerciseFile; }
    // The file's name after its folder as Windows-1252 text, for titles and
    // reports.
    std::string ExerciseFileName() const;
    void ClearExerciseFile();
    // An entry text plus ".ftd", looked up in the folder of the active list.
    void SelectExerciseFile(const std::string& name);
    // The program's command line: an exercise file of "Esercizi/" to start with.
    void SelectFromCommandLine(const std::string& commandLine);
    bool HasCommandLine() const { return !m_commandLine.empty(); }

    // Level 1..3, number 1..15: the sentence ready to be typed, or "".
    std::string ReadExerciseSentence(std::int16_t level, std::int16_t number) const;
    // The sentence of a level in one read of the file: drawnNumber when the
    // level holds more than kSentencesInOrder sentences, else orderedNumber.
    std::string ReadLevelSentence(std::int16_t level, std::int16_t drawnNumber,
                                  std::int16_t orderedNumber) const;

    // Drops the last character until the line fits the sentence line, then
    // repeats a line shorter than 3 characters ("a" -> "aaaa", "ab" -> "abab").
    std::string FitLine(std::string line) const;

private:
    std::vector<std::string> ListFiles(const char* folder) const;
    // The file of that name (letter case aside) in a folder of the places.
    std::string FindFile(const char* folder, const std::string& name) const;
    std::string PrepareSentence(const std::string& stored) const;

    std::vector<std::string> m_places;
    const TextMeasure& m_measure;
    SentenceLine m_line;
    std::string m_bookmark;
    std::string m_exercisesHeader;
    std::string m_courseHeader;

    std::vector<std::string> m_entries;
    std::vector<bool> m_headers; // by entry
    int m_selected = -1;
    bool m_courseMode = false;
    bool m_fillingList = false;

    std::string m_exerciseFile; // as the list names it
    std::string m_openPath;     // the file on disk
    std::string m_commandLine;
};

// The part of a file name before its first dot.
std::string BaseName(const std::string& fileName);
// Windows-1252 capitals.
std::string Cp1252Upper(std::string text);
