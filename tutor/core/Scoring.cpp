#include "tutor/core/Scoring.h"

#include "common/core/UiTexts.h"
#include "tutor/core/TutorPorts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr float kPrincipianteFactor = 0.4f;
constexpr float kEspertoFactor = 0.2f;

int Clamp255(int value) {
    return std::clamp(value, 0, 255);
}

} // namespace

DifficultyInfo DifficultyFor(std::int16_t index) {
    if (index == 1)
        return {1,
                kEspertoFactor,
                kSlotExpert,
                Colour{255, 0, 0},
                RatingIcon(kBestRating, 1),
                RatingIcon(0, 1)};
    return {0,
            kPrincipianteFactor,
            kSlotBeginner,
            Colour{0, 0, 255},
            RatingIcon(kBestRating, 0),
            RatingIcon(0, 0)};
}

bool IsExpertFactor(float pointsFactor) {
    return pointsFactor == kEspertoFactor;
}

std::int64_t RoundHalfEven(double value) {
    return static_cast<std::int64_t>(std::nearbyint(value));
}

int GaugeScale(int gaugeWidth, float pointsFactor) {
    const double divisor = static_cast<double>(pointsFactor) * 10.0;
    return static_cast<int>(RoundHalfEven(gaugeWidth / divisor));
}

int GaugeLength(int scale, std::int64_t seconds, std::int16_t position, int gaugeWidth) {
    if (position < 2)
        return 0;
    const float perChar = static_cast<float>(static_cast<double>(seconds) / (position - 1));
    const std::int64_t length = RoundHalfEven(scale * static_cast<double>(perChar));
    return static_cast<int>(std::min<std::int64_t>(length, gaugeWidth));
}

std::string ClockText(std::int64_t elapsedSeconds) {
    const std::int64_t e = std::max<std::int64_t>(elapsedSeconds, 0);
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", static_cast<int>(e / 60 % 60),
                  static_cast<int>(e % 60));
    return text;
}

float SentenceSpeed(std::size_t length, std::int64_t seconds) {
    if (seconds <= 0)
        return 5.0f;
    const float speed = static_cast<float>(static_cast<double>(length) / seconds);
    return speed == 0.0f ? 5.0f : speed;
}

std::int16_t SentencePoints(float speed, float pointsFactor) {
    const double raw = std::floor(static_cast<double>(pointsFactor) * speed * 100.0);
    return static_cast<std::int16_t>(std::clamp(raw, 1.0, 100.0));
}

std::int16_t RowPoints(float speed, float pointsFactor) {
    const double raw = std::floor(static_cast<double>(speed) * pointsFactor * 100.0);
    return static_cast<std::int16_t>(std::clamp(raw, -32768.0, 100.0));
}

std::int16_t calcolaMediaLevel(const std::array<float, 16>& speeds, float pointsFactor,
                               std::int16_t Livello) {
    if (Livello < 1 || Livello > 3)
        return 0;
    // The cap is kept in single precision: 1 / 0.4f rounds back to exactly
    // 2.5, so a level typed at the 100-point speed averages 100, not 99.
    const float cap = static_cast<float>(1.0 / pointsFactor);
    float sum = 0.0f;
    const int first = 5 * (Livello - 1) + 1;
    for (int slot = first; slot < first + 5; ++slot)
        sum += std::min(speeds[static_cast<std::size_t>(slot)], cap);
    const float average = sum / 5.0f;
    const double raw = std::floor(static_cast<double>(pointsFactor) * average * 100.0);
    return static_cast<std::int16_t>(std::clamp(raw, -32768.0, 32767.0));
}

int PointsToSymbol(int points) {
    if (points <= 20)
        return 0;
    if (points <= 40)
        return 1;
    if (points <= 60)
        return 2;
    if (points <= 80)
        return 3;
    return 4;
}

int PointsIcon(int points, std::int16_t difficulty) {
    return RatingIcon(PointsToSymbol(points), difficulty);
}

ErrorFace ErrorFaceFor(int totalWrong, int totalCorrect, float pointsFactor) {
    const int correct = totalCorrect == 0 ? 1 : totalCorrect;
    const float ratio = static_cast<float>(static_cast<double>(totalWrong) / correct * 100.0);
    const float base = IsExpertFactor(pointsFactor) ? 1.0f : 2.0f;
    if (ratio <= 1.5f * base)
        return {'J', false};
    if (ratio <= 3.0f * base)
        return {'K', false};
    if (ratio <= 5.0f * base)
        return {'L', false};
    return {'L', true};
}

std::string ErrorRating(int totalWrong, int totalCorrect, float pointsFactor) {
    const ErrorFace face = ErrorFaceFor(totalWrong, totalCorrect, pointsFactor);
    return {face.glyph, face.red ? '1' : '0'};
}

std::string FormatWhole(double value) {
    const double rounded = std::round(value); // halves away from zero
    char text[32];
    std::snprintf(text, sizeof text, "%.0f", rounded == 0.0 ? 0.0 : rounded);
    return text;
}

std::string PerMinuteText(float charsPerSecond) {
    const float perMinute = charsPerSecond * 60.0f;
    return FormatWhole(static_cast<double>(perMinute));
}

std::string FormatPercent(double value, char decimalSeparator) {
    const double tenths = std::round(std::fabs(value) * 1000.0); // halves away from zero
    const long long whole = static_cast<long long>(tenths) / 10;
    const int decimal = static_cast<int>(static_cast<long long>(tenths) % 10);
    char text[48];
    std::snprintf(text, sizeof text, "%s%lld%c%d%%", value < 0 && tenths > 0 ? "-" : "", whole,
                  decimalSeparator, decimal);
    return text;
}

int RandomBetween(RandomSource& random, int low, int high) {
    random.Reseed();
    const double r = random.Next();
    const int value = static_cast<int>(std::floor((high - low + 1) * r + low));
    return std::clamp(value, low, high);
}

Colour GaugeRowColour(std::int16_t level, int y) {
    const int c = Clamp255(255 - 5 * y);
    if (level == 2)
        return {c, c, 0};
    if (level == 3)
        return {c, 0, 0};
    return {0, c, 0};
}

Colour RecordMarkerRowColour(std::int16_t level, int y) {
    const int c = Clamp255(255 - 10 * y);
    if (level == 2)
        return {c, c, 0};
    if (level == 3)
        return {c, 0, 0};
    return {0, c, 0};
}

int GaugeLineEnd(std::int16_t level, int length) {
    return level == 3 ? length + 5 : length;
}

Colour LevelLampColour(std::int16_t level, bool lit) {
    switch (level) {
    case 2:
        return lit ? Colour{255, 255, 0} : Colour{192, 192, 0};
    case 3:
        return lit ? Colour{255, 0, 0} : Colour{192, 64, 0};
    default:
        return lit ? Colour{0, 255, 0} : Colour{0, 192, 0};
    }
}
