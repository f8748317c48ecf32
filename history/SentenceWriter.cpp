#include "history/SentenceWriter.h"

#include "common/core/Cp1252.h"
#include "history/HistoryDatabase.h"
#include "history/KeyTallies.h"
#include "history/LocalDay.h"
#include "history/SummaryRefresh.h"

#include <cmath>
#include <map>
#include <utility>

namespace {

struct Tally {
    std::int64_t keystrokes = 0;
    std::int64_t wrong = 0;
    std::int64_t intervalSum = 0;
    std::int64_t intervalCount = 0;
};

// A sentence touches a few dozen characters: they are added up in memory
// first, so each tally row is written once per sentence.
struct SentenceTallies {
    std::map<char, Tally> keys;
    std::map<std::pair<char, char>, std::int64_t> confusions;
};

SentenceTallies Gather(const std::vector<KeystrokeRecord>& keystrokes) {
    SentenceTallies tallies;
    for (const KeystrokeRecord& k : keystrokes) {
        Tally& t = tallies.keys[k.expected];
        ++t.keystrokes;
        if (k.typed != k.expected) {
            ++t.wrong;
            ++tallies.confusions[{k.expected, k.typed}];
        }
        if (k.intervalMs >= 0) {
            t.intervalSum += k.intervalMs;
            ++t.intervalCount;
        }
    }
    return tallies;
}

void InsertSentence(HistoryDatabase& db, PupilId pupil, std::int64_t day, const SentenceRecord& s) {
    SqlStatement& insert = db.Cached(
        "INSERT INTO sentences(pupil_id, finished_at, day, exercise, level, number, difficulty, "
        "speed, points, correct, wrong, seconds) "
        "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12)");
    const double speed = std::isfinite(s.speed) ? static_cast<double>(s.speed) : 0.0;
    insert.Bind(1, pupil)
        .Bind(2, s.finishedAt)
        .Bind(3, day)
        .Bind(4, std::string_view(Cp1252ToUtf8(s.exercise)))
        .Bind(5, std::int64_t{s.level})
        .Bind(6, std::int64_t{s.number})
        .Bind(7, std::int64_t{s.difficulty})
        .Bind(8, speed)
        .Bind(9, std::int64_t{s.points})
        .Bind(10, std::int64_t{s.correct})
        .Bind(11, std::int64_t{s.wrong})
        .Bind(12, std::int64_t{s.seconds})
        .Run();
}

void AddKeyTallies(HistoryDatabase& db, PupilId pupil, std::int64_t day,
                   const std::map<char, Tally>& keys) {
    SqlStatement& perDay =
        db.Cached("INSERT INTO key_days(pupil_id, day, expected, keystrokes, wrong, interval_sum, "
                  "interval_count) VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7) "
                  "ON CONFLICT(pupil_id, day, expected) DO UPDATE SET "
                  "keystrokes = keystrokes + excluded.keystrokes, wrong = wrong + excluded.wrong, "
                  "interval_sum = interval_sum + excluded.interval_sum, "
                  "interval_count = interval_count + excluded.interval_count");
    for (const auto& [character, t] : keys) {
        perDay.Bind(1, pupil).Bind(2, day).Bind(3, CodeOfCharacter(character));
        perDay.Bind(4, t.keystrokes).Bind(5, t.wrong).Bind(6, t.intervalSum);
        perDay.Bind(7, t.intervalCount).Run();
    }
    SqlStatement& allTime =
        db.Cached("INSERT INTO key_totals(pupil_id, expected, keystrokes, wrong, interval_sum, "
                  "interval_count) VALUES(?1, ?2, ?3, ?4, ?5, ?6) "
                  "ON CONFLICT(pupil_id, expected) DO UPDATE SET "
                  "keystrokes = keystrokes + excluded.keystrokes, wrong = wrong + excluded.wrong, "
                  "interval_sum = interval_sum + excluded.interval_sum, "
                  "interval_count = interval_count + excluded.interval_count");
    for (const auto& [character, t] : keys) {
        allTime.Bind(1, pupil).Bind(2, CodeOfCharacter(character)).Bind(3, t.keystrokes);
        allTime.Bind(4, t.wrong).Bind(5, t.intervalSum).Bind(6, t.intervalCount).Run();
    }
}

void AddConfusions(HistoryDatabase& db, PupilId pupil, std::int64_t day,
                   const std::map<std::pair<char, char>, std::int64_t>& confusions) {
    if (confusions.empty())
        return;
    SqlStatement& perDay =
        db.Cached("INSERT INTO confusion_days(pupil_id, day, expected, typed, count) "
                  "VALUES(?1, ?2, ?3, ?4, ?5) ON CONFLICT(pupil_id, day, expected, typed) "
                  "DO UPDATE SET count = count + excluded.count");
    SqlStatement& allTime =
        db.Cached("INSERT INTO confusion_totals(pupil_id, expected, typed, count) "
                  "VALUES(?1, ?2, ?3, ?4) ON CONFLICT(pupil_id, expected, typed) "
                  "DO UPDATE SET count = count + excluded.count");
    for (const auto& [pair, count] : confusions) {
        const std::int64_t expected = CodeOfCharacter(pair.first);
        const std::int64_t typed = CodeOfCharacter(pair.second);
        perDay.Bind(1, pupil).Bind(2, day).Bind(3, expected).Bind(4, typed).Bind(5, count).Run();
        allTime.Bind(1, pupil).Bind(2, expected).Bind(3, typed).Bind(4, count).Run();
    }
}

} // namespace

void WriteSentence(HistoryDatabase& db, PupilId pupil, const SentenceRecord& sentence,
                   const std::vector<KeystrokeRecord>& keystrokes) {
    const std::int64_t day = LocalDayOf(sentence.finishedAt);
    const SentenceTallies tallies = Gather(keystrokes);
    InsertSentence(db, pupil, day, sentence);
    AddKeyTallies(db, pupil, day, tallies.keys);
    AddConfusions(db, pupil, day, tallies.confusions);
    AddToSummary(db, pupil, sentence);
}
