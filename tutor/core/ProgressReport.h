// ProgressReport composes the printed and exported progress of one pupil: a
// single A4 page with the pupil's name and class, the period, the totals,
// speed and accuracy per day as line charts, the key map coloured by error
// rate, the weakest keys, the errors by finger and the most frequent
// confusions. It decides every text and every position; a ProgressCanvas
// draws them, on the PDF writer or on a printer's painter, so the two agree.
// ProgressTexts also gives the progress window its texts.
#pragma once

#include "history/HistoryTypes.h"
#include "tutor/core/KeyMapShading.h"

#include <cstdint>
#include <string>
#include <vector>

class UiTexts;

// The progress texts of the current language, Windows-1252.
struct ProgressTexts {
    std::string caption;        // "Progressi"
    std::string periodLabel;    // "Periodo:"
    std::string periodNames[4]; // LastWeek, LastMonth, LastYear, All
    std::string speedChart;     // "Velocità (battute / min)"
    std::string accuracyChart;
    std::string bestSpeed;
    std::string sentences;
    std::string keystrokes;
    std::string errors;
    std::string minutes;
    std::string errorMap;
    std::string slownessMap;
    std::string fingerErrors;
    std::string confusions;
    std::string confusionLine; // %1 expected, %2 typed, %3 count
    std::string weakestKeys;
    std::string print;
    std::string exportPdf;
    std::string close;
    std::string reportOf;
    std::string reportPeriod;
    std::string reportClass;
    std::string unjudgedTip; // %1 key, %2 keystrokes
    std::string errorTip;    // %1 key, %2 keystrokes, %3 wrong, %4 percent
    std::string slownessTip; // %1 key, %2 keystrokes, %3 milliseconds
    std::string noPractice;
    std::string readOnly;
    std::string fingerNames[5];
    std::string day;
    std::string none;
    std::string unavailable;

    static ProgressTexts From(const UiTexts& texts);
};

// A text with %1, %2, ... replaced by the arguments, in one pass (an
// argument that holds "%2" stays as it is).
std::string FillPlaceholders(const std::string& pattern, const std::vector<std::string>& args);
// "label value", with exactly one blank between them whatever the label ends in.
std::string Labelled(const std::string& label, const std::string& value);

// Figures as the window and the report write them.
std::string SpeedPerMinuteText(double charactersPerSecond);            // "123"
std::string PercentText(double fraction, char decimalSeparator = '.'); // "97.5%", "97,5%"
std::string ConfusionText(const ProgressTexts& texts, const ConfusionFigures& confusion);
std::string KeyToolTip(const ProgressTexts& texts, const KeyShade& shade, KeyMapMode mode);
// "à, ò" or the text for none.
std::string WeakestKeysText(const ProgressTexts& texts, const KeyShades& errorShades);

struct ProgressReportInput {
    std::string pupilName;
    std::string pupilClass;
    Period period = Period::All;
    std::string dateRange; // e.g. "02/12/2026 - 08/12/2026", already formatted
    std::string date;      // the day of the report, already formatted
    char decimalSeparator = '.';
    KeySplit split = KeySplit::Classic;
};

enum class CanvasFont { Regular, Bold, BoldItalic };
enum class CanvasAlign { Left, Right, Centre };

// Drawing in centimetres from the bottom-left corner of an A4 portrait page.
class ProgressCanvas {
public:
    virtual ~ProgressCanvas() = default;
    virtual void Text(float x, float y, const std::string& text, CanvasFont font, float points,
                      CanvasAlign align) = 0;
    virtual void Line(float x1, float y1, float x2, float y2, float width, Colour colour) = 0;
    // A rectangle with its lower-left corner at (x, y), filled, outlined
    // with a hairline, or both.
    virtual void Box(float x, float y, float width, float height, const Colour* fill,
                     const Colour* outline) = 0;
};

namespace progress_report {
inline constexpr float kPageWidth = 21.0f;
inline constexpr float kPageHeight = 29.7f;
inline constexpr float kLeftEdge = 2.0f;
inline constexpr float kRightEdge = 19.0f;
inline constexpr float kTitleY = 27.5f;
inline constexpr float kNameY = 26.7f;
inline constexpr float kPeriodY = 26.1f;
inline constexpr float kTotalsY = 25.2f;
inline constexpr float kChartHeight = 3.2f;
inline constexpr float kSpeedChartBottom = 19.6f;
inline constexpr float kAccuracyChartBottom = 15.2f;
inline constexpr float kKeyMapTop = 13.6f;
inline constexpr float kKeyMapWidth = 16.0f;
inline constexpr float kFingerTop = 6.3f;
inline constexpr float kFooterY = 1.5f;
} // namespace progress_report

// Draws the whole page of the report.
void ComposeProgressReport(ProgressCanvas& canvas, const ProgressTexts& texts,
                           const ProgressFigures& figures, const ProgressReportInput& input);

// The key map alone, keyboard twips scaled to width cm with its top-left
// corner at (left, top); its height in centimetres is returned.
float DrawKeyMap(ProgressCanvas& canvas, const KeyShades& shades, float left, float top,
                 float width);
