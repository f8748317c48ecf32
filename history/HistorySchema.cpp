#include "history/HistorySchema.h"

#include "history/HistoryDatabase.h"
#include "history/SummaryRefresh.h"

#include <iterator>
#include <string>
#include <vector>

namespace history_schema {

namespace {

constexpr const char* kVersion1 = R"sql(
CREATE TABLE pupils(
  id INTEGER PRIMARY KEY,
  name TEXT NOT NULL);
CREATE TABLE settings(
  key TEXT PRIMARY KEY,
  value) WITHOUT ROWID;
CREATE TABLE sentences(
  id INTEGER PRIMARY KEY,
  pupil_id INTEGER NOT NULL,
  finished_at INTEGER NOT NULL,
  day INTEGER NOT NULL,
  exercise TEXT NOT NULL,
  level INTEGER NOT NULL,
  number INTEGER NOT NULL,
  difficulty INTEGER NOT NULL,
  speed REAL NOT NULL,
  points INTEGER NOT NULL,
  correct INTEGER NOT NULL,
  wrong INTEGER NOT NULL,
  seconds INTEGER NOT NULL);
CREATE INDEX sentences_by_day ON sentences(pupil_id, day, finished_at);
CREATE TABLE key_days(
  pupil_id INTEGER NOT NULL,
  day INTEGER NOT NULL,
  expected INTEGER NOT NULL,
  keystrokes INTEGER NOT NULL,
  wrong INTEGER NOT NULL,
  interval_sum INTEGER NOT NULL,
  interval_count INTEGER NOT NULL,
  PRIMARY KEY(pupil_id, day, expected)) WITHOUT ROWID;
CREATE TABLE confusion_days(
  pupil_id INTEGER NOT NULL,
  day INTEGER NOT NULL,
  expected INTEGER NOT NULL,
  typed INTEGER NOT NULL,
  count INTEGER NOT NULL,
  PRIMARY KEY(pupil_id, day, expected, typed)) WITHOUT ROWID;
)sql";

constexpr const char* kVersion2 = R"sql(
ALTER TABLE pupils ADD COLUMN class_name TEXT NOT NULL DEFAULT '';
CREATE TABLE key_totals(
  pupil_id INTEGER NOT NULL,
  expected INTEGER NOT NULL,
  keystrokes INTEGER NOT NULL,
  wrong INTEGER NOT NULL,
  interval_sum INTEGER NOT NULL,
  interval_count INTEGER NOT NULL,
  PRIMARY KEY(pupil_id, expected)) WITHOUT ROWID;
INSERT INTO key_totals
  SELECT pupil_id, expected, SUM(keystrokes), SUM(wrong), SUM(interval_sum), SUM(interval_count)
  FROM key_days GROUP BY pupil_id, expected;
CREATE TABLE confusion_totals(
  pupil_id INTEGER NOT NULL,
  expected INTEGER NOT NULL,
  typed INTEGER NOT NULL,
  count INTEGER NOT NULL,
  PRIMARY KEY(pupil_id, expected, typed)) WITHOUT ROWID;
INSERT INTO confusion_totals
  SELECT pupil_id, expected, typed, SUM(count)
  FROM confusion_days GROUP BY pupil_id, expected, typed;
CREATE TABLE pupil_summary(
  pupil_id INTEGER PRIMARY KEY,
  exercises_finished INTEGER NOT NULL,
  sentences INTEGER NOT NULL,
  last_practice INTEGER NOT NULL,
  recent_speed REAL NOT NULL,
  correct INTEGER NOT NULL,
  wrong INTEGER NOT NULL,
  weakest_keys TEXT NOT NULL);
)sql";

// Version 3 gives every sentence an identity of its own, random, so that a
// copy elsewhere (the pupil's file in the class folder) can tell which
// sentences it holds already, whichever computer recorded them; and it keeps
// what each sentence added to the tallies, so that a copy of the sentence
// adds the same. Older sentences get an identity now; the tallies of each
// day of theirs are given to the day's last sentence, so that the tallies of
// the copied sentences add up to those of the history.
constexpr const char* kVersion3 = R"sql(
ALTER TABLE sentences ADD COLUMN uid TEXT;
UPDATE sentences SET uid = lower(hex(randomblob(16)));
CREATE UNIQUE INDEX sentences_by_uid ON sentences(uid);
CREATE TABLE sentence_keys(
  sentence_id INTEGER NOT NULL,
  expected INTEGER NOT NULL,
  keystrokes INTEGER NOT NULL,
  wrong INTEGER NOT NULL,
  interval_sum INTEGER NOT NULL,
  interval_count INTEGER NOT NULL,
  PRIMARY KEY(sentence_id, expected)) WITHOUT ROWID;
CREATE TABLE sentence_confusions(
  sentence_id INTEGER NOT NULL,
  expected INTEGER NOT NULL,
  typed INTEGER NOT NULL,
  count INTEGER NOT NULL,
  PRIMARY KEY(sentence_id, expected, typed)) WITHOUT ROWID;
CREATE TEMP TABLE last_of_day AS
  SELECT pupil_id, day, MAX(id) AS sentence_id FROM sentences GROUP BY pupil_id, day;
INSERT INTO sentence_keys
  SELECT l.sentence_id, k.expected, k.keystrokes, k.wrong, k.interval_sum, k.interval_count
  FROM key_days k JOIN last_of_day l ON l.pupil_id = k.pupil_id AND l.day = k.day;
INSERT INTO sentence_confusions
  SELECT l.sentence_id, c.expected, c.typed, c.count
  FROM confusion_days c JOIN last_of_day l ON l.pupil_id = c.pupil_id AND l.day = c.day;
DROP TABLE last_of_day;
)sql";

// Every column version 1 had, table by table.
constexpr const char* kVersion1Probes[] = {
    "SELECT id, name FROM pupils LIMIT 0",
    "SELECT key, value FROM settings LIMIT 0",
    "SELECT id, pupil_id, finished_at, day, exercise, level, number, difficulty, speed, points, "
    "correct, wrong, seconds FROM sentences LIMIT 0",
    "SELECT pupil_id, day, expected, keystrokes, wrong, interval_sum, interval_count "
    "FROM key_days LIMIT 0",
    "SELECT pupil_id, day, expected, typed, count FROM confusion_days LIMIT 0",
};

// Every column version 2 had, table by table.
constexpr const char* kVersion2Probes[] = {
    "SELECT id, name, class_name FROM pupils LIMIT 0",
    "SELECT key, value FROM settings LIMIT 0",
    "SELECT id, pupil_id, finished_at, day, exercise, level, number, difficulty, speed, points, "
    "correct, wrong, seconds FROM sentences LIMIT 0",
    "SELECT pupil_id, day, expected, keystrokes, wrong, interval_sum, interval_count "
    "FROM key_days LIMIT 0",
    "SELECT pupil_id, day, expected, typed, count FROM confusion_days LIMIT 0",
    "SELECT pupil_id, expected, keystrokes, wrong, interval_sum, interval_count "
    "FROM key_totals LIMIT 0",
    "SELECT pupil_id, expected, typed, count FROM confusion_totals LIMIT 0",
    "SELECT pupil_id, exercises_finished, sentences, last_practice, recent_speed, correct, wrong, "
    "weakest_keys FROM pupil_summary LIMIT 0",
};

// What version 3 added.
constexpr const char* kVersion3Probes[] = {
    "SELECT uid FROM sentences LIMIT 0",
    "SELECT sentence_id, expected, keystrokes, wrong, interval_sum, interval_count "
    "FROM sentence_keys LIMIT 0",
    "SELECT sentence_id, expected, typed, count FROM sentence_confusions LIMIT 0",
};

bool Probe(HistoryDatabase& db, const char* const* begin, const char* const* end) {
    for (const char* const* probe = begin; probe != end; ++probe)
        db.Prepare(*probe);
    return true;
}

void MigrateTo2(HistoryDatabase& db) {
    db.Execute(kVersion2);
    std::vector<std::int64_t> pupils;
    SqlStatement all = db.Prepare("SELECT id FROM pupils");
    while (all.Step())
        pupils.push_back(all.Int(0));
    for (const std::int64_t pupil : pupils)
        RebuildSummary(db, pupil);
}

} // namespace

void CreateVersion1(HistoryDatabase& db) {
    db.Execute(kVersion1);
    db.Execute("PRAGMA application_id = " + std::to_string(kApplicationId));
    db.Execute("PRAGMA user_version = 1");
}

void Migrate(HistoryDatabase& db, int from) {
    if (from < 1)
        CreateVersion1(db);
    if (from < 2)
        MigrateTo2(db);
    if (from < 3)
        db.Execute(kVersion3);
    db.Execute("PRAGMA user_version = " + std::to_string(kCurrentVersion));
}

bool HasTablesOf(HistoryDatabase& db, int version) {
    try {
        if (version < 1 || version > kCurrentVersion)
            return false;
        if (version == 1)
            return Probe(db, std::begin(kVersion1Probes), std::end(kVersion1Probes));
        Probe(db, std::begin(kVersion2Probes), std::end(kVersion2Probes));
        if (version >= 3)
            Probe(db, std::begin(kVersion3Probes), std::end(kVersion3Probes));
    } catch (const SqlError&) {
        return false;
    }
    return true;
}

} // namespace history_schema
