#include "tutor/core/ResultsFigures.h"

#include "common/core/UiTexts.h"
#include "tutor/core/Scoring.h"

#include <algorithm>

namespace {

struct TextSource {
    const char* id;
    const char* prefix; // put before a language file's text
};

constexpr std::array<TextSource, 28> kSources = {{
    {"0091", ""},  {"0092", ""}, {"0093", " "}, {"0094", ""}, {"0095", ""},    {"0096", ""},
    {"0097", ""},  {"0098", ""}, {"0099", ""},  {"0100", ""}, {"0101", "   "}, {"0102", " "},
    {"0103", " "}, {"0076", ""}, {"0077", ""},  {"0078", ""}, {"0079", ""},    {"0080", ""},
    {"0081", ""},  {"0082", ""}, {"0083", ""},  {"0104", ""}, {"0105", ""},    {"0107", ""},
    {"0108", ""},  {"0109", ""}, {"0110", ""},  {"0111", ""},
}};

constexpr std::array<const char*, 3> kHeadingIds = {"0088", "0089", "0090"};

constexpr const char* kLineEnd = "\r\n";

} // namespace

ResultsTexts ResultsTexts::From(const UiTexts& texts) {
    ResultsTexts result;
    result.fromLanguageFile = texts.FromLanguageFile();
    for (std::size_t i = 0; i < kSources.size(); ++i) {
        const std::string prefix = result.fromLanguageFile ? kSources[i].prefix : "";
        result.text[i] = prefix + texts.Text(kSources[i].id);
    }
    for (std::size_t i = 0; i < kHeadingIds.size(); ++i)
        result.levelCaption[i] = texts.Text(kHeadingIds[i]);
    result.speedUnit = texts.Text("0116");
    return result;
}

std::string ResultsTexts::LevelHeading(int level, const std::string& categoryName) const {
    const std::string& caption =
        levelCaption[static_cast<std::size_t>(std::clamp(level, 1, 3) - 1)];
    if (fromLanguageFile)
        return " " + caption + " " + categoryName;
    return caption + categoryName;
}

LevelResults ResultsFigures::Level(std::int16_t level) const {
    LevelResults result;
    result.level = std::clamp<std::int16_t>(level, 1, 3);
    result.firstSentence = static_cast<std::int16_t>(5 * (result.level - 1) + 1);
    const std::string suffix = texts.SpeedSuffix();
    int pointsSum = 0;
    for (std::int16_t r = 1; r <= 5; ++r) {
        ResultsRow& row = result.rows[static_cast<std::size_t>(r - 1)];
        row.number = r;
        row.speed = table.SentenceSpeeds[static_cast<std::size_t>(result.firstSentence + r - 1)];
        row.speedPerMinute = PerMinuteText(row.speed);
        row.points = RowPoints(row.speed, table.PointsFactor);
        row.pointsText = std::to_string(row.points);
        row.label = texts[2] + std::to_string(r) + suffix + row.speedPerMinute;
        result.speedSum += row.speed;
        pointsSum += row.points;
    }
    result.pointsSum = static_cast<std::int16_t>(pointsSum);
    result.averageSpeed = result.speedSum / 5.0f;
    result.averageSpeedPerMinute = PerMinuteText(result.averageSpeed);
    result.averagePoints = static_cast<std::int16_t>(RoundHalfEven(pointsSum / 5.0));
    result.averagePointsText = std::to_string(result.averagePoints);
    result.symbol = PointsToSymbol(result.averagePoints);
    result.averageLabel = texts[4] + suffix + result.averageSpeedPerMinute;
    return result;
}

ResultsTotals ResultsFigures::Totals() const {
    ResultsTotals totals;
    totals.levels = std::clamp<std::int16_t>(table.LevelsReached, 1, 3);
    int pointsSum = 0;
    for (std::int16_t level = 1; level <= totals.levels; ++level) {
        const LevelResults figures = Level(level);
        totals.averageSpeedSum += figures.averageSpeed;
        pointsSum += figures.averagePoints;
    }
    totals.averagePointsSum = static_cast<std::int16_t>(pointsSum);
    const float perMinute = totals.averageSpeedSum * 60.0f / static_cast<float>(totals.levels);
    totals.speedPerMinute = FormatWhole(static_cast<double>(perMinute));
    totals.points = static_cast<std::int16_t>(pointsSum / totals.levels);
    totals.symbol = PointsToSymbol(totals.points);
    totals.speedLine = texts[16] + " " + texts.speedUnit + ":  " + totals.speedPerMinute;
    totals.pointsLine = texts[17] + " " + std::to_string(totals.points);
    totals.wrongLine = texts[18] + " " + std::to_string(table.TotalWrong);
    totals.correctLine = texts[19] + " " + std::to_string(table.TotalCorrect);
    const int correct = table.TotalCorrect == 0 ? 1 : table.TotalCorrect;
    totals.ratioLine =
        texts[20] + " " +
        FormatPercent(static_cast<double>(table.TotalWrong) / correct, decimalSeparator);
    totals.errorRating = ErrorRating(table.TotalWrong, correct, table.PointsFactor);
    return totals;
}

std::string ResultsFigures::EndMessage() const {
    return ComposeEndMessage(table.ResultsOutcome, table.LevelsReached, texts);
}

std::string ResultsFigures::Footer() const {
    if (exerciseFileName.empty())
        return texts[13];
    return texts[14] + " " + exerciseFileName;
}

std::string ComposeEndMessage(std::int16_t outcome, std::int16_t levelsReached,
                              const ResultsTexts& texts) {
    if (outcome == 1) {
        return texts[21] + " " + std::to_string(levelsReached) + "." + kLineEnd + kLineEnd +
               texts[22] + kLineEnd + texts[24];
    }
    if (outcome == 2)
        return texts[25] + kLineEnd + kLineEnd + texts[26] + kLineEnd + texts[27];
    return {};
}

int NumberWidth(int n, const TextMeasure& measure, const FontSpec& font, double unitsPerPixel) {
    const int pixels = measure.Width(std::to_string(n), font);
    return static_cast<int>(RoundHalfEven(pixels * unitsPerPixel));
}
