#include "editor/core/ClassTexts.h"

#include "history/LocalDay.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr double kSecondsPerMinute = 60.0;
constexpr double kPercent = 100.0;

// The reasons of RosterProblem, from SymbolicLink on, in its order.
constexpr const char* kProblemIds[] = {"2551", "2552", "2553", "2554", "2555", "2556",
                                       "2557", "2558", "2559", "2560", "2561", "2562",
                                       "2563", "2564", "2565", "2566", "2567"};
constexpr const char* kColumnIds[kRosterColumnCount] = {"2532", "2533", "2534", "2535", "2536",
                                                        "2537", "2538", "2539", "2540", "2541"};

} // namespace

ClassTexts ClassTexts::From(const UiTexts& texts) {
    ClassTexts t;
    const auto text = [&texts](const char* id) { return texts.Text(id); };
    t.caption = text("2530");
    t.buttonToolTip = text("2531");
    for (int i = 0; i < kRosterColumnCount; ++i)
        t.columns[static_cast<std::size_t>(i)] = text(kColumnIds[i]);
    t.problemColumn = text("2542");
    t.classFilter = text("2543");
    t.allClasses = text("2544");
    t.mostWrongKeys = text("2545");
    t.exportCsv = text("2546");
    t.pdfReport = text("2547");
    t.folderCaption = text("2548");
    t.refresh = text("2549");
    t.close = text("2550");
    for (std::size_t i = 0; i < std::size(kProblemIds); ++i)
        t.m_problems[i + 1] = text(kProblemIds[i]);
    t.noFolder = text("2568");
    t.folderUnreadable = text("2569");
    t.folderLabel = text("2570");
    t.browse = text("2571");
    t.folderNotWritable = text("2572");
    t.settingNotSaved = text("2573");
    t.cannotWrite = text("2574");
    t.csvFiles = text("2575");
    t.pdfFiles = text("2576");
    t.reportTitle = text("2577");
    t.reportDate = text("2578");
    t.reportPupils = text("2579");
    t.reportUnreadable = text("2580");
    t.doubleClickHint = text("2581");
    t.cutShort = text("2582");
    t.noWrongKeys = text("2583");
    t.spaceKey = text("2584");
    t.enterKey = text("2585");
    return t;
}

const std::string& ClassTexts::Problem(RosterProblem problem) const {
    const auto index = static_cast<std::size_t>(problem);
    return m_problems[index < m_problems.size() ? index : 0];
}

std::string KeysText(const std::string& characters, const CellFormat& format) {
    std::string text;
    for (const char c : characters) {
        if (!text.empty())
            text += ' ';
        if (c == ' ')
            text += format.spaceKey;
        else if (c == '\r' || c == '\n')
            text += format.enterKey;
        else
            text += c;
    }
    return text;
}

std::pair<std::string, std::string> SplitTitle(const std::string& title, std::size_t maxLength) {
    if (title.size() <= maxLength)
        return {title, {}};
    const std::size_t middle = title.size() / 2;
    std::size_t best = std::string::npos;
    const auto distance = [middle](std::size_t i) { return i > middle ? i - middle : middle - i; };
    for (std::size_t i = 0; i < title.size(); ++i) {
        if (title[i] == ' ' && (best == std::string::npos || distance(i) < distance(best)))
            best = i;
    }
    if (best == std::string::npos)
        return {title, {}};
    return {title.substr(0, best), title.substr(best + 1)};
}

std::string OneDecimal(double value, char decimalMark) {
    if (!std::isfinite(value))
        value = 0;
    const long long tenths = std::llround(std::abs(value) * 10.0);
    std::string text;
    if (value < 0 && tenths != 0)
        text += '-';
    text += std::to_string(tenths / 10);
    text += decimalMark;
    text += static_cast<char>('0' + tenths % 10);
    return text;
}

std::string DateText(std::int64_t moment, DateStyle style) {
    if (moment == 0)
        return {};
    const LocalDate d = DateOfDay(LocalDayOf(moment));
    char text[32];
    switch (style) {
    case DateStyle::DaySlash:
        std::snprintf(text, sizeof text, "%02d/%02d/%04d", d.day, d.month, d.year);
        break;
    case DateStyle::DayDot:
        std::snprintf(text, sizeof text, "%02d.%02d.%04d", d.day, d.month, d.year);
        break;
    case DateStyle::Iso:
        std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year, d.month, d.day);
        break;
    }
    return text;
}

std::string RosterCell(const RosterRow& row, RosterColumn column, const CellFormat& format) {
    const auto speed = [&format](double charactersPerSecond) {
        const double perMinute = charactersPerSecond * kSecondsPerMinute;
        return format.speedDecimals ? OneDecimal(perMinute, format.decimalMark)
                                    : std::to_string(std::llround(perMinute));
    };
    switch (column) {
    case RosterColumn::Name:
        return row.pupil.name;
    case RosterColumn::Class:
        return row.pupil.className;
    case RosterColumn::ExercisesFinished:
        return std::to_string(row.exercisesFinished);
    case RosterColumn::LastPractice:
        return DateText(row.lastPractice, format.dates);
    case RosterColumn::SpeedNow:
        return speed(row.speedNow);
    case RosterColumn::SpeedEarlier:
        return row.speedEarlier ? speed(*row.speedEarlier) : format.missing;
    case RosterColumn::Accuracy:
        return OneDecimal(row.accuracy * kPercent, format.decimalMark);
    case RosterColumn::WeakestKeys:
        return KeysText(row.weakestKeys, format);
    case RosterColumn::Sentences:
        return std::to_string(row.sentences);
    case RosterColumn::File:
        return row.fileName;
    }
    return {};
}
