// The arithmetic of timing and points, one function per rule, exact to the
// precision the figures are kept in: speeds and the points factor are single
// precision, points and counters 16-bit. The main window, the results window,
// the printout and the PDF all take their numbers from here.
#pragma once

#include "common/core/Colour.h"

#include <array>
#include <cstdint>
#include <string>

class RandomSource;

struct DifficultyInfo {
    std::int16_t difficulty; // 0 Principiante, 1 Esperto
    float pointsFactor;      // 0.4 or 0.2: 100 points at 1 / factor characters per second
    int categorySlot;        // UiTexts slot of the category name
    Colour typedColour;      // fill of the typed-part bar
    int fastEndIcon;         // picture at the fast end of the gauge
    int slowEndIcon;         // picture at the slow end
};

// Index 1 is Esperto; any other index Principiante.
DifficultyInfo DifficultyFor(std::int16_t index);

// True for the single-precision 0.2 of Esperto.
bool IsExpertFactor(float pointsFactor);

// Halves go to the even neighbour.
std::int64_t RoundHalfEven(double value);

// Pixels of gauge per second-per-character: GaugeWidth / (factor x 10),
// rounded halves to even (75 / 150 on a 300 gauge, 97 / 195 on 390).
int GaugeScale(int gaugeWidth, float pointsFactor);

// Drawn gauge length for the seconds since the first correct keystroke and
// the current position: k x seconds per character, at most the gauge width.
int GaugeLength(int scale, std::int64_t seconds, std::int16_t position, int gaugeWidth);

// "nn:ss" of an elapsed time; hours are not shown.
std::string ClockText(std::int64_t elapsedSeconds);

// Characters per second: length / whole seconds; under one second 5.0.
float SentenceSpeed(std::size_t length, std::int64_t seconds);

// Points of a sentence in the main window: integer part of factor x speed x
// 100, at most 100 and at least 1.
std::int16_t SentencePoints(float speed, float pointsFactor);

// Points of a row in the results: the same without the minimum of 1.
std::int16_t RowPoints(float speed, float pointsFactor);

// A level's average points from its five speeds, each capped at 1 / factor.
std::int16_t calcolaMediaLevel(const std::array<float, 16>& speeds, float pointsFactor,
                               std::int16_t Livello);

// 0 for up to 20 points, 1 for 21-40, 2 for 41-60, 3 for 61-80, 4 above.
int PointsToSymbol(int points);

// The pictures by number: five rating symbols, worst to best, for
// Principiante and then five for Esperto, and three for an ordinary result.
inline constexpr int kFirstRatingIcon = 420;
inline constexpr int kRatingIconCount = 5;
inline constexpr int kBestRating = kRatingIconCount - 1;
constexpr int RatingIcon(int symbol, std::int16_t difficulty) {
    return kFirstRatingIcon + symbol + (difficulty == 1 ? kRatingIconCount : 0);
}
inline constexpr int kFirstResultIcon = 430;
inline constexpr int kResultIconCount = 3;

// Icon resource of the points band: RatingIcon of PointsToSymbol.
int PointsIcon(int points, std::int16_t difficulty);

// The face for the ratio of wrong to correct keystrokes: "J" smiling, "K"
// neutral, "L" sad; red above the last band.
struct ErrorFace {
    char glyph = 'K';
    bool red = false;
    friend bool operator==(const ErrorFace&, const ErrorFace&) = default;
};
ErrorFace ErrorFaceFor(int totalWrong, int totalCorrect, float pointsFactor);
// The face as its two-character code: "J0", "K0", "L0" or "L1".
std::string ErrorRating(int totalWrong, int totalCorrect, float pointsFactor);

// Format(x, "0"): a whole number, halves away from zero.
std::string FormatWhole(double value);
// Characters per second as keystrokes per minute, Format(speed x 60, "0");
// the product is single precision, as the speed is.
std::string PerMinuteText(float charsPerSecond);
// Format(x, "##0.0%"): times 100, one decimal, the given separator, "%".
std::string FormatPercent(double value, char decimalSeparator);

// The integer part of (high - low + 1) x r + low after reseeding.
int RandomBetween(RandomSource& random, int low, int high);

// Colour of pixel row y of the speed gauge at a level.
Colour GaugeRowColour(std::int16_t level, int y);
// Colour of pixel row y of the record marker at a level.
Colour RecordMarkerRowColour(std::int16_t level, int y);
// The gauge line runs 5 pixels further at level 3.
int GaugeLineEnd(std::int16_t level, int length);
// Level lamps: bright when lit, dim otherwise.
Colour LevelLampColour(std::int16_t level, bool lit);
