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
// The first of the places is the user's own (see ProgramLocations).
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
