#include "HistoryTestSupport.h"

#include "history/HistoryDatabase.h"
#include "history/HistorySchema.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

std::int64_t UserVersion(const std::string& path) {
    HistoryDatabase db(path, true);
    return db.QueryInt("PRAGMA user_version");
}

TEST(HistoryMigration, AnEmptyFileBecomesACurrentHistory) {
    TempFolder folder;
    const std::string path = HistoryFile(folder);
    fs::create_directories(folder.File("Zentavo"));
    WriteBytes(path, "");
    HistoryStore store;
    ASSERT_EQ(store.Open(path, "giulia"), StoreStatus::Ok);
    EXPECT_EQ(store.Pupils().size(), 1u);
    store.Close();
    EXPECT_EQ(UserVersion(path), HistoryStore::kSchemaVersion);
    HistoryDatabase db(path, true);
    EXPECT_EQ(db.QueryInt("PRAGMA application_id"), history_schema::kApplicationId);
    EXPECT_TRUE(history_schema::HasTablesOf(db, HistoryStore::kSchemaVersion));
}

TEST(HistoryMigration, AMissingFileIsCreatedInWalMode) {
    TempFolder folder;
    const std::string path = HistoryFile(folder);
    HistoryStore store;
    ASSERT_EQ(store.Open(path, "giulia"), StoreStatus::Ok);
    store.Close();
    // Bytes 18 and 19 of the header are the read and write versions: 2 for WAL.
    const std::string header = ReadBytes(path).substr(0, 100);
    ASSERT_EQ(header.size(), 100u);
    EXPECT_EQ(header[18], 2);
    EXPECT_EQ(header[19], 2);
}

// A history of the first schema: two pupils, sentences and per-day
// tallies as version 1 wrote them.
void WriteFirstSchemaHistory(const std::string& path) {
    fs::create_directories(fs::path(path).parent_path());
    HistoryDatabase db(path, false);
    history_schema::CreateVersion1(db);
    db.Execute(R"sql(
INSERT INTO pupils(id, name) VALUES(1, 'Nicol' || char(242)), (2, 'Anna');
INSERT INTO settings(key, value) VALUES('current_pupil', 2);
INSERT INTO sentences(pupil_id, finished_at, day, exercise, level, number, difficulty, speed,
                      points, correct, wrong, seconds) VALUES
  (1, 1772000000, 20508, '', 1, 1, 0, 2.0, 80, 30, 3, 15),
  (1, 1772086400, 20509, 'prova.ftd', 3, 15, 1, 4.0, 80, 40, 1, 10),
  (2, 1772000000, 20508, '', 1, 1, 0, 1.0, 40, 10, 0, 10);
INSERT INTO key_days(pupil_id, day, expected, keystrokes, wrong, interval_sum, interval_count)
  VALUES (1, 20508, 224, 20, 4, 4000, 20), (1, 20509, 224, 10, 2, 2000, 8),
         (1, 20509, 97, 25, 0, 2500, 25), (2, 20508, 97, 10, 0, 900, 9);
INSERT INTO confusion_days(pupil_id, day, expected, typed, count)
  VALUES (1, 20508, 224, 242, 3), (1, 20509, 224, 242, 2), (1, 20509, 224, 232, 1);
)sql");
}

TEST(HistoryMigration, TheFirstSchemaIsBroughtUpToDateWithItsHistory) {
    TempFolder folder;
    const std::string path = HistoryFile(folder);
    WriteFirstSchemaHistory(path);

    HistoryStore store;
    ASSERT_EQ(store.Open(path, "giulia"), StoreStatus::Ok);
    // No pupil named after the account: the file had pupils already.
    ASSERT_EQ(store.Pupils(), (std::vector<PupilInfo>{{2, "Anna", ""}, {1, "Nicol\xF2", ""}}));
    EXPECT_EQ(store.CurrentPupil(), 2);

    const std::optional<PupilSummary> s = store.Summary(1);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->sentences, 2);
    EXPECT_EQ(s->exercisesFinished, 1);
    EXPECT_EQ(s->lastPractice, 1772086400);
    EXPECT_DOUBLE_EQ(s->recentSpeed, 3.0);
    EXPECT_DOUBLE_EQ(s->accuracy, 70.0 / 74.0);
    EXPECT_EQ(s->weakestKeys, "\xE0"); // à: 30 keystrokes, 6 wrong

    const PracticeProfile p = store.PracticeProfileOf(1);
    ASSERT_EQ(p.keys.size(), 2u);
    EXPECT_EQ(p.keys[1].character, '\xE0');
    EXPECT_EQ(p.keys[1].keystrokes, 30);
    EXPECT_EQ(p.keys[1].wrong, 6);
    EXPECT_DOUBLE_EQ(p.keys[1].averageIntervalMs, 6000.0 / 28.0);
    EXPECT_EQ(p.confusions,
              (std::vector<ConfusionFigures>{{'\xE0', '\xF2', 5}, {'\xE0', '\xE8', 1}}));

    // The migrated history takes new sentences and keeps its summary current.
    std::vector<KeystrokeRecord> k;
    AddKeystrokes(k, '\xE0', '\xF2', 1, 100);
    ASSERT_EQ(store.RecordSentence(1, Sentence(1772172800, 5.0f, 10, 1, 2), k), StoreStatus::Ok);
    EXPECT_EQ(store.Summary(1)->sentences, 3);
    EXPECT_EQ(store.PracticeProfileOf(1).confusions.front().count, 6);
    EXPECT_EQ(store.Summary(2)->sentences, 1);
    store.Close();
    EXPECT_EQ(UserVersion(path), HistoryStore::kSchemaVersion);
}

// Sentences of older schemas get identities, and the tallies of each of
// their days go to one sentence of the day: a copy of the sentences then
// adds up to the history's tallies.
TEST(HistoryMigration, OlderSentencesGetIdentitiesAndTheirDaysTallies) {
    TempFolder folder;
    const std::string path = HistoryFile(folder);
    WriteFirstSchemaHistory(path);
    {
        HistoryStore store;
        ASSERT_EQ(store.Open(path, "giulia"), StoreStatus::Ok);
    }
    HistoryDatabase db(path, true);
    EXPECT_EQ(db.QueryInt("SELECT COUNT(DISTINCT uid) FROM sentences WHERE length(uid) = 32"), 3);
    const char* const kSameSums[] = {
        "SELECT COUNT(*) FROM (SELECT s.pupil_id, s.day, k.expected, SUM(k.keystrokes) AS n, "
        "SUM(k.wrong) AS w, SUM(k.interval_sum) AS i FROM sentence_keys k "
        "JOIN sentences s ON s.id = k.sentence_id GROUP BY 1, 2, 3 "
        "EXCEPT SELECT pupil_id, day, expected, keystrokes, wrong, interval_sum FROM key_days)",
        "SELECT COUNT(*) FROM (SELECT pupil_id, day, expected, keystrokes, wrong, interval_sum "
        "FROM key_days EXCEPT SELECT s.pupil_id, s.day, k.expected, SUM(k.keystrokes), "
        "SUM(k.wrong), SUM(k.interval_sum) FROM sentence_keys k "
        "JOIN sentences s ON s.id = k.sentence_id GROUP BY 1, 2, 3)",
        "SELECT COUNT(*) FROM (SELECT pupil_id, day, expected, typed, count FROM confusion_days "
        "EXCEPT SELECT s.pupil_id, s.day, c.expected, c.typed, SUM(c.count) "
        "FROM sentence_confusions c JOIN sentences s ON s.id = c.sentence_id GROUP BY 1, 2, 3, 4)",
    };
    for (const char* sql : kSameSums)
        EXPECT_EQ(db.QueryInt(sql, -1), 0) << sql;
    EXPECT_EQ(db.QueryInt("SELECT COUNT(*) FROM sentence_keys"), 4);
}

TEST(HistoryMigration, AReadOnlyFirstSchemaIsNeitherMigratedNorRead) {
    TempFolder folder;
    const std::string path = HistoryFile(folder);
    WriteFirstSchemaHistory(path);
    fs::permissions(path, fs::perms::owner_read);
    const std::string before = ReadBytes(path);
    HistoryStore store;
    EXPECT_EQ(store.Open(path, "giulia"), StoreStatus::ReadOnly);
    EXPECT_TRUE(store.Pupils().empty());
    store.Close();
    EXPECT_TRUE(ReadBytes(path) == before);
}

} // namespace
