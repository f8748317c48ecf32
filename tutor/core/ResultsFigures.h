// ResultsFigures computes every figure and text that the results window, the
// printed results and the PDF show, from the ResultsTable of the exercise:
// the rows of each level with speed and points, the level averages (halves
// to even), the rating symbols, the totals over the levels reached, the
// error ratio and face, and the end message. One source for all three.
#pragma once

#include "common/core/TextMeasure.h"
#include "tutor/core/ResultsTable.h"

#include <array>
#include <cstdint>
#include <string>

class UiTexts;

// The 28 texts of the results (index 0..27), the level headings and the
// speed unit, from the language file with their prefixes or built in.
struct ResultsTexts {
    std::array<std::string, 28> text;
    std::array<std::string, 3> levelCaption; // headings without the category
    bool fromLanguageFile = false;
    std::string speedUnit; // "al minuto"

    static ResultsTexts From(const UiTexts& texts);
    const std::string& operator[](int index) const { return text[static_cast<std::size_t>(index)]; }
    // " " + text 1 + " = ", between a row's label and its speed.
    std::string SpeedSuffix() const { return " " + text[1] + " = "; }
    // Heading of a level's panel: the caption and the category name.
    std::string LevelHeading(int level, const std::string& categoryName) const;
};

struct ResultsRow {
    std::int16_t number = 0; // 1..5 within the level
    float speed = 0.0f;      // characters per second
    std::string speedPerMinute;
    std::int16_t points = 0;
    std::string pointsText;
    std::string label; // text 2 + number + speed suffix + speed per minute
};

struct LevelResults {
    std::int16_t level = 1;
    std::int16_t firstSentence = 1; // 1, 6 or 11
    std::array<ResultsRow, 5> rows;
    float speedSum = 0.0f;
    std::int16_t pointsSum = 0;
    float averageSpeed = 0.0f;
    std::string averageSpeedPerMinute;
    std::int16_t averagePoints = 0; // points sum / 5, halves to even
    std::string averagePointsText;
    int symbol = 0;           // PointsToSymbol of the average points
    std::string averageLabel; // text 4 + speed suffix + average speed per minute
};

struct ResultsTotals {
    std::int16_t levels = 1;      // levels counted: LevelsReached, at least 1
    float averageSpeedSum = 0.0f; // sum of the level average speeds
    std::int16_t averagePointsSum = 0;
    std::string speedPerMinute; // Format(sum x 60 / levels, "0")
    std::int16_t points = 0;    // integer part of points sum / levels
    int symbol = 0;
    std::string speedLine;   // text 16, the speed unit and the speed
    std::string pointsLine;  // text 17 and the points
    std::string wrongLine;   // text 18 and TotalWrong
    std::string correctLine; // text 19 and TotalCorrect
    std::string ratioLine;   // text 20 and wrong / correct as "##0.0%"
    std::string errorRating; // "J0", "K0", "L0" or "L1"
};

struct ResultsFigures {
    ResultsTable table;
    ResultsTexts texts;
    std::string exerciseFileName; // "" for the built-in sentences
    char decimalSeparator = ',';

    // Any level 1..3, reached or not (the PDF shows all three).
    LevelResults Level(std::int16_t level) const;
    // Over the levels reached. A TotalCorrect of 0 counts as 1 in the ratio.
    ResultsTotals Totals() const;
    std::string EndMessage() const;
    // The exercise file in use or the built-in sentences.
    std::string Footer() const;
};

// The message of the results window for an outcome (1 level, 2 exercise).
std::string ComposeEndMessage(std::int16_t outcome, std::int16_t levelsReached,
                              const ResultsTexts& texts);

// Width of Format(n, "##0") in a font, in the units of a surface with
// unitsPerPixel units to a pixel, rounded to a whole number.
int NumberWidth(int n, const TextMeasure& measure, const FontSpec& font,
                double unitsPerPixel = 1.0);
