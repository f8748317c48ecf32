#include "tutor/core/ProgressReport.h"

#include "common/core/UiTexts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

using namespace progress_report;

constexpr const char* kProduct = "Zentavo";
constexpr const char* kCredit = " \xA9 gli autori di Zentavo";
constexpr Colour kBlack{0, 0, 0};
constexpr Colour kGrid{200, 200, 200};
constexpr Colour kKeyOutline{90, 90, 90};
constexpr Colour kSpeedLine{30, 90, 200};
constexpr Colour kAccuracyLine{40, 150, 60};
constexpr float kHairline = 0.01f;
constexpr float kChartLine = 0.04f;
constexpr float kPointSize = 0.12f;
constexpr float kLineStep = 0.6f;
constexpr float kSecondColumn = 11.0f;
constexpr float kTextIndent = 0.5f;
constexpr float kCaptionGap = 0.3f;
constexpr float kAxisLabelGap = 0.35f;
constexpr float kKeyCaptionPoints = 7.0f;
constexpr float kBarAreaWidth = 8.0f;
constexpr float kBarHeight = 2.8f;
constexpr float kBarGap = 0.35f;
constexpr float kConfusionStep = 0.42f;
constexpr double kSecondsPerMinute = 60.0;
// The speed axis ends at a multiple of this many keystrokes a minute.
constexpr double kSpeedAxisStep = 20.0;
// The accuracy axis starts at a multiple of ten per cent below the lowest day.
constexpr double kAccuracyAxisStep = 0.1;

std::string Number(std::int64_t n) {
    return std::to_string(n);
}

std::string DateText(const LocalDate& d) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d/%02d/%04d", d.day, d.month, d.year);
    return buffer;
}

std::string PercentWith(double fraction, char separator) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f%%", fraction * 100.0);
    std::string text = buffer;
    std::replace(text.begin(), text.end(), '.', separator);
    return text;
}

struct Twips {
    int width = 0;
    int height = 0;
};

Twips KeyboardExtent() {
    Twips extent;
    for (const KeyInfo& key : KeyTable::Keys()) {
        extent.width = std::max(extent.width, key.left + key.width);
        extent.height = std::max(extent.height, key.top + key.height);
    }
    return extent;
}

// One line chart of a value per day, days spaced evenly in their order.
struct LineChart {
    std::string caption;
    std::vector<double> values;
    double low = 0;
    double high = 1;
    std::string lowLabel;
    std::string highLabel;
    Colour colour;
};

class ProgressPage {
public:
    ProgressPage(ProgressCanvas& canvas, const ProgressTexts& texts, const ProgressFigures& figures,
                 const ProgressReportInput& input)
        : m_canvas(canvas), m_texts(texts), m_figures(figures), m_input(input) {}

    void Header() {
        Write(kLeftEdge, kTitleY, kProduct, CanvasFont::BoldItalic, 24);
        Rule(kTitleY - 0.2f);
        std::string who = Labelled(m_texts.reportOf, m_input.pupilName);
        if (!m_input.pupilClass.empty())
            who += "    " + Labelled(m_texts.reportClass, m_input.pupilClass);
        Write(kLeftEdge, kNameY, who, CanvasFont::Regular, 12);
        Write(kRightEdge, kNameY, m_input.date, CanvasFont::Regular, 10, CanvasAlign::Right);
        std::string period = m_texts.periodNames[static_cast<int>(m_input.period)];
        if (!m_input.dateRange.empty())
            period += " (" + m_input.dateRange + ")";
        Write(kLeftEdge, kPeriodY, Labelled(m_texts.reportPeriod, period), CanvasFont::Regular, 12);
    }

    void Totals() {
        const float left = kLeftEdge + kTextIndent;
        float y = kTotalsY;
        Write(left, y, Labelled(m_texts.bestSpeed, SpeedPerMinuteText(m_figures.bestSpeed)),
              CanvasFont::Bold, 11);
        Write(kSecondColumn, y, Labelled(m_texts.sentences, Number(m_figures.sentences)),
              CanvasFont::Regular, 11);
        y -= kLineStep;
        const std::int64_t keystrokes = m_figures.correct + m_figures.wrong;
        Write(left, y, Labelled(m_texts.keystrokes, Number(keystrokes)), CanvasFont::Regular, 11);
        const double errorShare =
            keystrokes > 0 ? static_cast<double>(m_figures.wrong) / static_cast<double>(keystrokes)
                           : 0.0;
        Write(kSecondColumn, y,
              Labelled(m_texts.errors, Number(m_figures.wrong) + " (" +
                                           PercentWith(errorShare, m_input.decimalSeparator) + ")"),
              CanvasFont::Regular, 11);
        y -= kLineStep;
        const auto minutes = static_cast<std::int64_t>(
            std::lround(static_cast<double>(m_figures.seconds) / kSecondsPerMinute));
        Write(left, y, Labelled(m_texts.minutes, Number(minutes)), CanvasFont::Regular, 11);
        if (m_figures.sentences == 0)
            Write(kSecondColumn, y, m_texts.noPractice, CanvasFont::Bold, 11);
    }

    void Charts() {
        LineChart speed{m_texts.speedChart, {}, 0, kSpeedAxisStep, "0", "", kSpeedLine};
        LineChart accuracy{m_texts.accuracyChart, {}, 0, 1, "", "100", kAccuracyLine};
        double lowestAccuracy = 1;
        for (const DayFigures& day : m_figures.days) {
            const double perMinute = day.averageSpeed * kSecondsPerMinute;
            speed.values.push_back(perMinute);
            speed.high =
                std::max(speed.high, std::ceil(perMinute / kSpeedAxisStep) * kSpeedAxisStep);
            accuracy.values.push_back(day.accuracy);
            lowestAccuracy = std::min(lowestAccuracy, day.accuracy);
        }
        speed.highLabel = Number(static_cast<std::int64_t>(speed.high));
        accuracy.low = std::max(0.0, std::floor(lowestAccuracy / kAccuracyAxisStep - 1e-9) *
                                         kAccuracyAxisStep);
        if (accuracy.low >= accuracy.high)
            accuracy.low = accuracy.high - kAccuracyAxisStep;
        accuracy.lowLabel = Number(std::lround(accuracy.low * 100));
        Chart(speed, kSpeedChartBottom);
        Chart(accuracy, kAccuracyChartBottom);
    }

    void KeyMap() {
        const KeyShades shades = ShadeKeys(m_figures.keys, KeyMapMode::Errors);
        Write(kLeftEdge, kKeyMapTop + kCaptionGap, m_texts.errorMap, CanvasFont::Bold, 11);
        const float height = DrawKeyMap(m_canvas, shades, kLeftEdge, kKeyMapTop, kKeyMapWidth);
        Write(kLeftEdge, kKeyMapTop - height - kLineStep,
              Labelled(m_texts.weakestKeys, WeakestKeysText(m_texts, shades)), CanvasFont::Bold,
              12);
        m_shades = shades;
    }

    void Fingers() {
        Write(kLeftEdge, kFingerTop, m_texts.fingerErrors, CanvasFont::Bold, 11);
        const auto fingers = FingerErrorRates(m_shades, m_input.split);
        double highest = kRedErrorRate;
        for (const FingerErrors& f : fingers)
            highest = std::max(highest, f.errorRate);
        const float barWidth = (kBarAreaWidth - kBarGap * 4) / 5;
        const float base = kFingerTop - 0.6f - kBarHeight - 0.4f;
        for (std::size_t i = 0; i < fingers.size(); ++i) {
            const FingerErrors& f = fingers[i];
            const float x = kLeftEdge + static_cast<float>(i) * (barWidth + kBarGap);
            const auto h = static_cast<float>(f.errorRate / highest * kBarHeight);
            const Colour fill = FingerColour(f.finger);
            if (h > 0)
                m_canvas.Box(x, base, barWidth, h, &fill, &kBlack);
            m_canvas.Line(x, base, x + barWidth, base, kHairline, kBlack);
            Write(x + barWidth / 2, base + h + 0.15f,
                  PercentWith(f.errorRate, m_input.decimalSeparator), CanvasFont::Regular, 8,
                  CanvasAlign::Centre);
            Write(x + barWidth / 2, base - 0.4f, m_texts.fingerNames[i], CanvasFont::Regular, 8,
                  CanvasAlign::Centre);
        }
    }

    void Confusions() {
        float y = kFingerTop;
        Write(kSecondColumn, y, m_texts.confusions, CanvasFont::Bold, 11);
        y -= kLineStep;
        if (m_figures.topConfusions.empty())
            Write(kSecondColumn, y, m_texts.none, CanvasFont::Regular, 9);
        for (const ConfusionFigures& c : m_figures.topConfusions) {
            Write(kSecondColumn, y, ConfusionText(m_texts, c), CanvasFont::Regular, 9);
            y -= kConfusionStep;
        }
    }

    void Footer() {
        Rule(kFooterY + 0.4f);
        Write(kLeftEdge, kFooterY, m_texts.caption + " - " + m_input.pupilName, CanvasFont::Regular,
              7);
        Write(kRightEdge, kFooterY, std::string(kProduct) + kCredit, CanvasFont::Regular, 7,
              CanvasAlign::Right);
    }

private:
    void Chart(const LineChart& chart, float bottom) {
        const float left = kLeftEdge + 1.0f;
        const float width = kRightEdge - left;
        Write(kLeftEdge, bottom + kChartHeight + kCaptionGap, chart.caption, CanvasFont::Bold, 11);
        m_canvas.Box(left, bottom, width, kChartHeight, nullptr, &kGrid);
        Write(left - 0.15f, bottom + kChartHeight - 0.25f, chart.highLabel, CanvasFont::Regular, 8,
              CanvasAlign::Right);
        Write(left - 0.15f, bottom, chart.lowLabel, CanvasFont::Regular, 8, CanvasAlign::Right);
        const std::size_t n = chart.values.size();
        if (n == 0)
            return;
        // The points stay inside the frame, so the first and last day are
        // drawn a point's width in from its sides.
        const float inner = width - 2 * kPointSize;
        const auto xOf = [&](std::size_t i) {
            return n == 1 ? left + width / 2
                          : left + kPointSize +
                                inner * static_cast<float>(i) / static_cast<float>(n - 1);
        };
        const auto yOf = [&](double v) {
            const double t = std::clamp((v - chart.low) / (chart.high - chart.low), 0.0, 1.0);
            return bottom + static_cast<float>(t) * kChartHeight;
        };
        for (std::size_t i = 0; i + 1 < n; ++i)
            m_canvas.Line(xOf(i), yOf(chart.values[i]), xOf(i + 1), yOf(chart.values[i + 1]),
                          kChartLine, chart.colour);
        for (std::size_t i = 0; i < n; ++i)
            m_canvas.Box(xOf(i) - kPointSize / 2, yOf(chart.values[i]) - kPointSize / 2, kPointSize,
                         kPointSize, &chart.colour, nullptr);
        const auto& days = m_figures.days;
        Write(xOf(0), bottom - kAxisLabelGap, DateText(days.front().date), CanvasFont::Regular, 8,
              n == 1 ? CanvasAlign::Centre : CanvasAlign::Left);
        if (n > 1)
            Write(xOf(n - 1), bottom - kAxisLabelGap, DateText(days.back().date),
                  CanvasFont::Regular, 8, CanvasAlign::Right);
    }

    void Rule(float y) { m_canvas.Line(kLeftEdge, y, kRightEdge, y, kHairline, kBlack); }

    void Write(float x, float y, const std::string& text, CanvasFont font, float points,
               CanvasAlign align = CanvasAlign::Left) {
        m_canvas.Text(x, y, text, font, points, align);
    }

    ProgressCanvas& m_canvas;
    const ProgressTexts& m_texts;
    const ProgressFigures& m_figures;
    const ProgressReportInput& m_input;
    KeyShades m_shades{};
};

} // namespace

ProgressTexts ProgressTexts::From(const UiTexts& ui) {
    ProgressTexts t;
    const auto s = [&ui](const char* id) { return ui.Text(id); };
    t.caption = s("0450");
    t.periodLabel = s("0451");
    t.periodNames[0] = s("0452");
    t.periodNames[1] = s("0453");
    t.periodNames[2] = s("0454");
    t.periodNames[3] = s("0455");
    t.speedChart = s("0456");
    t.accuracyChart = s("0457");
    t.bestSpeed = s("0458");
    t.sentences = s("0459");
    t.keystrokes = s("0460");
    t.errors = s("0461");
    t.minutes = s("0462");
    t.errorMap = s("0463");
    t.slownessMap = s("0464");
    t.fingerErrors = s("0465");
    t.confusions = s("0466");
    t.confusionLine = s("0467");
    t.weakestKeys = s("0468");
    t.print = s("0469");
    t.exportPdf = s("0470");
    t.close = s("0471");
    t.reportOf = s("0472");
    t.reportPeriod = s("0473");
    t.reportClass = s("0474");
    t.unjudgedTip = s("0475");
    t.errorTip = s("0476");
    t.slownessTip = s("0477");
    t.noPractice = s("0478");
    t.readOnly = s("0479");
    for (int i = 0; i < 5; ++i) {
        const std::string id = "048" + std::to_string(i);
        t.fingerNames[i] = ui.Text(id);
    }
    t.day = s("0486");
    t.none = s("0487");
    t.unavailable = s("0488");
    return t;
}

std::string FillPlaceholders(const std::string& pattern, const std::vector<std::string>& args) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const auto n = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (n < args.size()) {
                out += args[n];
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

std::string Labelled(const std::string& label, const std::string& value) {
    std::string text = label;
    while (!text.empty() && (text.back() == ' ' || text.back() == '\xA0'))
        text.pop_back();
    return text + " " + value;
}

std::string SpeedPerMinuteText(double charactersPerSecond) {
    return Number(std::lround(charactersPerSecond * kSecondsPerMinute));
}

std::string PercentText(double fraction, char decimalSeparator) {
    return PercentWith(fraction, decimalSeparator);
}

std::string ConfusionText(const ProgressTexts& texts, const ConfusionFigures& confusion) {
    return FillPlaceholders(texts.confusionLine,
                            {std::string(1, confusion.expected), std::string(1, confusion.typed),
                             Number(confusion.count)});
}

std::string KeyToolTip(const ProgressTexts& texts, const KeyShade& shade, KeyMapMode mode) {
    const std::string name = KeyName(shade.key);
    if (!shade.judged)
        return FillPlaceholders(texts.unjudgedTip, {name, Number(shade.keystrokes)});
    if (mode == KeyMapMode::Slowness)
        return FillPlaceholders(texts.slownessTip, {name, Number(shade.keystrokes),
                                                    Number(std::lround(shade.averageIntervalMs))});
    std::string percent = PercentText(shade.errorRate);
    percent.pop_back(); // the pattern writes its own per cent sign
    return FillPlaceholders(texts.errorTip,
                            {name, Number(shade.keystrokes), Number(shade.wrong), percent});
}

std::string WeakestKeysText(const ProgressTexts& texts, const KeyShades& errorShades) {
    const auto keys = WorstKeys(errorShades, kWeakestKeyCount);
    if (keys.empty())
        return texts.none;
    std::string text;
    for (const std::int16_t key : keys) {
        if (!text.empty())
            text += ", ";
        text += KeyName(key);
    }
    return text;
}

float DrawKeyMap(ProgressCanvas& canvas, const KeyShades& shades, float left, float top,
                 float width) {
    const Twips extent = KeyboardExtent();
    const float scale = width / static_cast<float>(extent.width);
    for (const KeyInfo& key : KeyTable::Keys()) {
        const KeyShade& shade = shades[static_cast<std::size_t>(key.number)];
        const float x = left + static_cast<float>(key.left) * scale;
        const float y = top - static_cast<float>(key.top + key.height) * scale;
        const float w = static_cast<float>(key.width) * scale;
        const float h = static_cast<float>(key.height) * scale;
        canvas.Box(x, y, w, h, &shade.colour, &kKeyOutline);
        const std::string name = KeyName(key.number);
        if (!name.empty() && name != " ")
            canvas.Text(x + w / 2, y + h / 3, name, CanvasFont::Regular, kKeyCaptionPoints,
                        CanvasAlign::Centre);
    }
    return static_cast<float>(extent.height) * scale;
}

void ComposeProgressReport(ProgressCanvas& canvas, const ProgressTexts& texts,
                           const ProgressFigures& figures, const ProgressReportInput& input) {
    ProgressPage page(canvas, texts, figures, input);
    page.Header();
    page.Totals();
    page.Charts();
    page.KeyMap();
    page.Fingers();
    page.Confusions();
    page.Footer();
}
