#include "history/SentenceWriter.h"

#include "common/core/Cp1252.h"
#include "history/HistoryDatabase.h"
#include "history/KeyTallies.h"
#include "history/LocalDay.h"
#include "history/SummaryRefresh.h"

#include <cmath>
#include <map>
#include <optional>
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

StoredSentence ToStored(std::int64_t day, const SentenceRecord& s, const SentenceTallies& t) {
    StoredSentence stored;
    stored.finishedAt = s.finishedAt;
    stored.day = day;
    stored.exercise = Cp1252ToUtf8(s.exercise);
    stored.level = s.level;
    stored.number = s.number;
    stored.difficulty = s.difficulty;
    stored.speed = std::isfinite(s.speed) ? static_cast<double>(s.speed) : 0.0;
    stored.points = s.points;
    stored.correct = s.correct;
    stored.wrong = s.wrong;
    stored.seconds = s.seconds;
    for (const auto& [character, k] : t.keys)
        stored.keys.push_back(
            {CodeOfCharacter(character), k.keystrokes, k.wrong, k.intervalSum, k.intervalCount});
    for (const auto& [pair, count] : t.confusions)
        stored.confusions.push_back(
            {CodeOfCharacter(pair.first), CodeOfCharacter(pair.second), count});
    return stored;
}

std::int64_t InsertSentence(HistoryDatabase& db, PupilId pupil, const StoredSentence& s) {
    // SQLite's generator is seeded from the system's randomness: two
    // computers never draw the same 128 bits.
    SqlStatement& insert = db.Cached(
        "INSERT INTO sentences(pupil_id, finished_at, day, exercise, level, number, difficulty, "
        "speed, points, correct, wrong, seconds, uid) "
        "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, "
        "IFNULL(?13, lower(hex(randomblob(16)))))");
    insert.Bind(1, pupil)
        .Bind(2, s.finishedAt)
        .Bind(3, s.day)
        .Bind(4, std::string_view(s.exercise))
        .Bind(5, s.level)
        .Bind(6, s.number)
        .Bind(7, s.difficulty)
        .Bind(8, std::isfinite(s.speed) ? s.speed : 0.0)
        .Bind(9, s.points)
        .Bind(10, s.correct)
        .Bind(11, s.wrong)
        .Bind(12, s.seconds);
    if (!s.uid.empty())
        insert.Bind(13, std::string_view(s.uid));
    insert.Run();
    return db.LastInsertId();
}

void AddKeyTallies(HistoryDatabase& db, PupilId pupil, const StoredSentence& s,
                   std::optional<std::int64_t> sentenceId) {
    SqlStatement& perDay =
        db.Cached("INSERT INTO key_days(pupil_id, day, expected, keystrokes, wrong, interval_sum, "
                  "interval_count) VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7) "
                  "ON CONFLICT(pupil_id, day, expected) DO UPDATE SET "
                  "keystrokes = keystrokes + excluded.keystrokes, wrong = wrong + excluded.wrong, "
                  "interval_sum = interval_sum + excluded.interval_sum, "
                  "interval_count = interval_count + excluded.interval_count");
    SqlStatement& allTime =
        db.Cached("INSERT INTO key_totals(pupil_id, expected, keystrokes, wrong, interval_sum, "
                  "interval_count) VALUES(?1, ?2, ?3, ?4, ?5, ?6) "
                  "ON CONFLICT(pupil_id, expected) DO UPDATE SET "
                  "keystrokes = keystrokes + excluded.keystrokes, wrong = wrong + excluded.wrong, "
                  "interval_sum = interval_sum + excluded.interval_sum, "
                  "interval_count = interval_count + excluded.interval_count");
    for (const SentenceKeyRow& k : s.keys) {
        perDay.Bind(1, pupil).Bind(2, s.day).Bind(3, k.expected).Bind(4, k.keystrokes);
        perDay.Bind(5, k.wrong).Bind(6, k.intervalSum).Bind(7, k.intervalCount).Run();
        allTime.Bind(1, pupil).Bind(2, k.expected).Bind(3, k.keystrokes).Bind(4, k.wrong);
        allTime.Bind(5, k.intervalSum).Bind(6, k.intervalCount).Run();
    }
    if (!sentenceId)
        return;
    SqlStatement& own =
        db.Cached("INSERT OR REPLACE INTO sentence_keys(sentence_id, expected, keystrokes, wrong, "
                  "interval_sum, interval_count) VALUES(?1, ?2, ?3, ?4, ?5, ?6)");
    for (const SentenceKeyRow& k : s.keys) {
        own.Bind(1, *sentenceId).Bind(2, k.expected).Bind(3, k.keystrokes).Bind(4, k.wrong);
        own.Bind(5, k.intervalSum).Bind(6, k.intervalCount).Run();
    }
}

void AddConfusions(HistoryDatabase& db, PupilId pupil, const StoredSentence& s,
                   std::optional<std::int64_t> sentenceId) {
    if (s.confusions.empty())
        return;
    SqlStatement& perDay =
        db.Cached("INSERT INTO confusion_days(pupil_id, day, expected, typed, count) "
                  "VALUES(?1, ?2, ?3, ?4, ?5) ON CONFLICT(pupil_id, day, expected, typed) "
                  "DO UPDATE SET count = count + excluded.count");
    SqlStatement& allTime =
        db.Cached("INSERT INTO confusion_totals(pupil_id, expected, typed, count) "
                  "VALUES(?1, ?2, ?3, ?4) ON CONFLICT(pupil_id, expected, typed) "
                  "DO UPDATE SET count = count + excluded.count");
    for (const SentenceConfusionRow& c : s.confusions) {
        perDay.Bind(1, pupil).Bind(2, s.day).Bind(3, c.expected).Bind(4, c.typed);
        perDay.Bind(5, c.count).Run();
        allTime.Bind(1, pupil).Bind(2, c.expected).Bind(3, c.typed).Bind(4, c.count).Run();
    }
    if (!sentenceId)
        return;
    SqlStatement& own = db.Cached("INSERT OR REPLACE INTO sentence_confusions(sentence_id, "
                                  "expected, typed, count) VALUES(?1, ?2, ?3, ?4)");
    for (const SentenceConfusionRow& c : s.confusions)
        own.Bind(1, *sentenceId).Bind(2, c.expected).Bind(3, c.typed).Bind(4, c.count).Run();
}

} // namespace

std::int64_t StoreSentence(HistoryDatabase& db, PupilId pupil, const StoredSentence& sentence,
                           KeepSentenceTallies keep) {
    const std::int64_t id = InsertSentence(db, pupil, sentence);
    const std::optional<std::int64_t> own =
        keep == KeepSentenceTallies::Yes ? std::optional<std::int64_t>(id) : std::nullopt;
    AddKeyTallies(db, pupil, sentence, own);
    AddConfusions(db, pupil, sentence, own);
    return id;
}

void WriteSentence(HistoryDatabase& db, PupilId pupil, const SentenceRecord& sentence,
                   const std::vector<KeystrokeRecord>& keystrokes) {
    const std::int64_t day = LocalDayOf(sentence.finishedAt);
    StoreSentence(db, pupil, ToStored(day, sentence, Gather(keystrokes)), KeepSentenceTallies::Yes);
    AddToSummary(db, pupil, sentence);
}
