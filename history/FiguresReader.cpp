#include "history/FiguresReader.h"

#include "common/core/Cp1252.h"
#include "history/HistoryDatabase.h"
#include "history/KeyTallies.h"
#include "history/LocalDay.h"
#include "history/PupilTable.h"

#include <algorithm>
#include <limits>

namespace {

constexpr std::int64_t kDaysInWeek = 7;
constexpr std::int64_t kDaysInMonth = 30;
constexpr std::int64_t kDaysInYear = 365;

double Accuracy(std::int64_t correct, std::int64_t wrong) {
    const double all = static_cast<double>(correct) + static_cast<double>(wrong);
    return all > 0 ? static_cast<double>(correct) / all : 0.0;
}

// Bounds of the period as day numbers; all of time when the period has no start.
struct DayRange {
    std::int64_t first = std::numeric_limits<std::int64_t>::min();
    std::int64_t last = std::numeric_limits<std::int64_t>::max();
};

void ReadDays(HistoryDatabase& db, PupilId pupil, const DayRange& range, ProgressFigures& f) {
    SqlStatement& days =
        db.Cached("SELECT day, COUNT(*), TOTAL(speed), MAX(speed), TOTAL(correct), TOTAL(wrong), "
                  "TOTAL(seconds), TOTAL(number = 15) FROM sentences "
                  "WHERE pupil_id = ?1 AND day BETWEEN ?2 AND ?3 GROUP BY day ORDER BY day");
    days.Bind(1, pupil).Bind(2, range.first).Bind(3, range.last);
    double speedSum = 0;
    while (days.Step()) {
        // TOTAL() gives a real; beyond 2^63 a damaged file would overflow the cast.
        const auto count = [&days](int column) {
            const double value = days.Real(column);
            return value <= 0        ? std::int64_t{0}
                   : value >= 9.0e18 ? std::int64_t{9'000'000'000'000'000'000}
                                     : static_cast<std::int64_t>(value);
        };
        DayFigures d;
        d.date = DateOfDay(days.Int(0));
        d.sentences = SaneCount(days.Int(1));
        if (d.sentences == 0)
            continue;
        const double daySpeedSum = std::max(days.Real(2), 0.0);
        d.averageSpeed = daySpeedSum / static_cast<double>(d.sentences);
        d.bestSpeed = std::max(days.Real(3), 0.0);
        d.correct = count(4);
        d.wrong = count(5);
        d.accuracy = Accuracy(d.correct, d.wrong);
        d.seconds = count(6);
        f.exercisesFinished = SaturatingAdd(f.exercisesFinished, count(7));
        f.sentences = SaturatingAdd(f.sentences, d.sentences);
        f.correct = SaturatingAdd(f.correct, d.correct);
        f.wrong = SaturatingAdd(f.wrong, d.wrong);
        f.seconds = SaturatingAdd(f.seconds, d.seconds);
        f.bestSpeed = std::max(f.bestSpeed, d.bestSpeed);
        speedSum += daySpeedSum;
        f.days.push_back(d);
    }
    if (f.sentences > 0)
        f.averageSpeed = speedSum / static_cast<double>(f.sentences);
    f.accuracy = Accuracy(f.correct, f.wrong);
}

void ReadKeys(HistoryDatabase& db, PupilId pupil, const std::optional<DayRange>& range,
              ProgressFigures& f) {
    if (range) {
        SqlStatement& keys = db.Cached(
            "SELECT expected, TOTAL(keystrokes), TOTAL(wrong), TOTAL(interval_sum), "
            "TOTAL(interval_count) FROM key_days WHERE pupil_id = ?1 AND day BETWEEN ?2 AND ?3 "
            "GROUP BY expected");
        keys.Bind(1, pupil).Bind(2, range->first).Bind(3, range->last);
        f.keys = ReadKeyFigures(keys);
        SqlStatement& confusions =
            db.Cached("SELECT expected, typed, TOTAL(count) AS n FROM confusion_days "
                      "WHERE pupil_id = ?1 AND day BETWEEN ?2 AND ?3 GROUP BY expected, typed "
                      "ORDER BY n DESC, expected, typed LIMIT ?4");
        confusions.Bind(1, pupil).Bind(2, range->first).Bind(3, range->last);
        confusions.Bind(4, static_cast<std::int64_t>(kTopConfusionCount));
        f.topConfusions = ReadConfusions(confusions, kTopConfusionCount);
    } else {
        SqlStatement& keys =
            db.Cached("SELECT expected, keystrokes, wrong, interval_sum, interval_count "
                      "FROM key_totals WHERE pupil_id = ?1");
        keys.Bind(1, pupil);
        f.keys = ReadKeyFigures(keys);
        SqlStatement& confusions =
            db.Cached("SELECT expected, typed, count FROM confusion_totals WHERE pupil_id = ?1 "
                      "ORDER BY count DESC, expected, typed LIMIT ?2");
        confusions.Bind(1, pupil).Bind(2, static_cast<std::int64_t>(kTopConfusionCount));
        f.topConfusions = ReadConfusions(confusions, kTopConfusionCount);
    }
    f.weakestKeys = WeakestKeysOf(f.keys);
}

} // namespace

std::optional<std::int64_t> FirstDayOf(Period period, std::int64_t today) {
    switch (period) {
    case Period::LastWeek:
        return today - (kDaysInWeek - 1);
    case Period::LastMonth:
        return today - (kDaysInMonth - 1);
    case Period::LastYear:
        return today - (kDaysInYear - 1);
    case Period::All:
        break;
    }
    return std::nullopt;
}

ProgressFigures ReadFigures(HistoryDatabase& db, PupilId pupil, Period period, std::int64_t now) {
    ProgressFigures f;
    f.period = period;
    const std::int64_t today = LocalDayOf(now);
    std::optional<DayRange> range;
    if (const std::optional<std::int64_t> first = FirstDayOf(period, today))
        range = DayRange{*first, today};
    ReadDays(db, pupil, range.value_or(DayRange{}), f);
    ReadKeys(db, pupil, range, f);
    return f;
}

PracticeProfile ReadPracticeProfile(HistoryDatabase& db, PupilId pupil) {
    PracticeProfile profile;
    SqlStatement& keys = db.Cached("SELECT expected, keystrokes, wrong, interval_sum, "
                                   "interval_count FROM key_totals WHERE pupil_id = ?1");
    keys.Bind(1, pupil);
    profile.keys = ReadKeyFigures(keys);
    SqlStatement& confusions =
        db.Cached("SELECT expected, typed, count FROM confusion_totals WHERE pupil_id = ?1 "
                  "ORDER BY count DESC, expected, typed");
    confusions.Bind(1, pupil);
    profile.confusions = ReadConfusions(confusions, std::numeric_limits<std::size_t>::max());
    return profile;
}

std::vector<PupilSummary> ReadSummaries(HistoryDatabase& db) {
    std::vector<PupilSummary> summaries;
    SqlStatement& rows = db.Cached(
        "SELECT p.id, p.name, p.class_name, s.exercises_finished, s.sentences, s.last_practice, "
        "s.recent_speed, s.correct, s.wrong, s.weakest_keys "
        "FROM pupils p LEFT JOIN pupil_summary s ON s.pupil_id = p.id");
    while (rows.Step()) {
        PupilSummary s;
        s.pupil = PupilFromRow(rows.Int(0), rows.Text(1), rows.Text(2));
        s.exercisesFinished = SaneCount(rows.Int(3));
        s.sentences = SaneCount(rows.Int(4));
        s.lastPractice = SaneCount(rows.Int(5));
        s.recentSpeed = std::max(rows.Real(6), 0.0);
        s.accuracy = Accuracy(SaneCount(rows.Int(7)), SaneCount(rows.Int(8)));
        std::string weakest = Utf8ToCp1252(rows.Text(9));
        weakest.resize(std::min(weakest.size(), kWeakestKeyCount));
        s.weakestKeys = weakest;
        summaries.push_back(std::move(s));
    }
    SortPupilsByName(summaries, [](const PupilSummary& s) -> const PupilInfo& { return s.pupil; });
    return summaries;
}
