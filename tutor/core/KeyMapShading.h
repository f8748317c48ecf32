// KeyMapShading turns a pupil's per-character figures into what the progress
// key map shows on the Italian keyboard: for each of the 63 keys its
// keystrokes, wrong ones and average interval (the characters of one key
// summed, whatever Shift or AltGr they need), a colour from green through
// yellow to red by error rate or by slowness, and grey where too few
// keystrokes were made to judge. Also the error rate of each finger. The
// window, the printout and the PDF draw from these, so all three agree.
#pragma once

#include "common/core/Colour.h"
#include "history/HistoryTypes.h"
#include "tutor/core/KeyTable.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

enum class KeyMapMode { Errors, Slowness };

// An error rate at or above this is drawn full red: one wrong keystroke in
// seven is a key that needs practice whatever the others look like.
inline constexpr double kRedErrorRate = 0.15;
inline constexpr Colour kShadeGood{46, 170, 60};
inline constexpr Colour kShadeMiddle{240, 210, 40};
inline constexpr Colour kShadeBad{220, 40, 30};
inline constexpr Colour kShadeUnjudged{196, 196, 196};
// A key nobody typed keeps the plain key colour of the keyboard picture.
inline constexpr Colour kShadeUnused{235, 235, 235};

struct KeyShade {
    std::int16_t key = 0;
    std::int64_t keystrokes = 0;
    std::int64_t wrong = 0;
    double errorRate = 0;         // wrong / keystrokes
    double averageIntervalMs = 0; // 0 when no interval was known
    bool judged = false;          // keystrokes >= kMinKeystrokesToJudge
    double severity = 0;          // 0 best .. 1 worst, among judged keys
    Colour colour = kShadeUnused;
};

using KeyShades = std::array<KeyShade, KeyTable::kKeyCount>;

// Colour of a severity 0..1: green, yellow at the middle, red.
Colour ShadeOf(double severity);

// Errors: severity = error rate / kRedErrorRate, at most 1. Slowness: the
// judged key with the shortest average interval is 0, the longest 1.
KeyShades ShadeKeys(const std::vector<KeyFigures>& characters, KeyMapMode mode);

// The judged keys that are not perfect, worst first (ties by key number),
// at most count of them: the reddest keys of the map.
std::vector<std::int16_t> WorstKeys(const KeyShades& shades, std::size_t count);

// The name of a key as a pupil knows it: the character it types without
// Shift or AltGr ("à", "q"); "Invio" for Enter; "" for keys that type none.
std::string KeyName(std::int16_t key);

struct FingerErrors {
    FingerGroup finger = FingerGroup::Little;
    std::int64_t keystrokes = 0;
    std::int64_t wrong = 0;
    double errorRate = 0;
};

// Little, Ring, Middle, Index, Thumb: the keys' figures summed by the finger
// that presses them under the split in use.
std::array<FingerErrors, 5> FingerErrorRates(const KeyShades& shades, KeySplit split);

// The finger colours of the keyboard picture.
Colour FingerColour(FingerGroup finger);
