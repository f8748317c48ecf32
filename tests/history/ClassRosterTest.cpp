#include "HistoryTestSupport.h"

#include "history/ClassRoster.h"
#include "history/HistoryDatabase.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::int64_t kDay = 86400;

// A pupil file as the tutors leave it in the class folder: one pupil, its
// summary current, the rollback journal.
struct PupilPlan {
    std::string name = "Giulia";
    std::string className = "3B";
    // Sentences long before (40 days) and lately (today), with their speeds.
    int earlier = 0;
    float earlierSpeed = 1.0f;
    int recent = 0;
    float recentSpeed = 3.0f;
};

void ToRollbackJournal(const std::string& path) {
    HistoryDatabase db(path, false);
    db.Execute("PRAGMA journal_mode = DELETE");
}

void MakePupilFile(const std::string& path, const PupilPlan& plan, std::int64_t now) {
    {
        HistoryStore store;
        ASSERT_EQ(store.Open(path, plan.name), StoreStatus::Ok);
        const PupilId pupil = *store.CurrentPupil();
        ASSERT_EQ(store.RenamePupil(pupil, plan.name, plan.className), PupilChange::Done);
        std::vector<KeystrokeRecord> keys;
        AddKeystrokes(keys, 'a', 's', 3, 120);
        AddKeystrokes(keys, 'a', 'a', 17, 120);
        AddKeystrokes(keys, '\xE8', 'e', 2, 150); // è
        AddKeystrokes(keys, '\xE8', '\xE8', 18, 150);
        AddKeystrokes(keys, 'o', 'o', 30, 100);
        for (int i = 0; i < plan.earlier; ++i)
            ASSERT_EQ(store.RecordSentence(pupil,
                                           Sentence(now - 40 * kDay + i * 60, plan.earlierSpeed, 60,
                                                    5, 30, static_cast<std::int16_t>(i % 15 + 1)),
                                           keys),
                      StoreStatus::Ok);
        for (int i = 0; i < plan.recent; ++i)
            ASSERT_EQ(store.RecordSentence(pupil,
                                           Sentence(now - 3600 + i * 60, plan.recentSpeed, 60, 5,
                                                    30, static_cast<std::int16_t>(i % 15 + 1)),
                                           keys),
                      StoreStatus::Ok);
    }
    ToRollbackJournal(path);
}

std::int64_t Now() {
    return At(2026, 12, 7, 15);
}

// The bytes of a small file; the size and time of a large one.
std::string Fingerprint(const fs::path& path) {
    constexpr std::uintmax_t kLarge = 1 << 20;
    const std::uintmax_t size = fs::file_size(path);
    if (size < kLarge)
        return ReadBytes(path.string());
    struct stat st {};
    ::stat(path.c_str(), &st);
    return std::to_string(size) + "@" + std::to_string(st.st_mtim.tv_sec) + "." +
           std::to_string(st.st_mtim.tv_nsec);
}

// Every name in the folder with its bytes: what a read must leave as it was.
std::map<std::string, std::string> FolderContents(const std::string& folder) {
    std::map<std::string, std::string> contents;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const fs::path path = entry.path();
        const fs::file_type type = fs::symlink_status(path).type();
        contents[path.filename().string()] = type == fs::file_type::regular ? Fingerprint(path)
                                             : type == fs::file_type::symlink
                                                 ? "link to " + fs::read_symlink(path).string()
                                             : type == fs::file_type::directory ? "folder"
                                                                                : "other";
    }
    return contents;
}

void CountPauses(RosterReadOptions& options, int& pauses) {
    options.pause = [&pauses](int) { ++pauses; };
}

TEST(ClassRoster, ReadsThePupilsFiguresFromItsFile) {
    UseRomeTime();
    TempFolder folder;
    MakePupilFile(folder.File("giulia.sqlite"), {"Giulia", "3B", 25, 1.0f, 20, 3.0f}, Now());

    const RosterRow row = ReadRosterFile(folder.File("giulia.sqlite"), Now());
    ASSERT_EQ(row.problem, RosterProblem::None);
    EXPECT_EQ(row.pupil.name, "Giulia");
    EXPECT_EQ(row.pupil.className, "3B");
    EXPECT_EQ(row.fileName, "giulia.sqlite");
    EXPECT_EQ(row.sentences, 45);
    EXPECT_EQ(row.exercisesFinished, 2); // sentence 15 once in each run
    EXPECT_EQ(row.lastPractice, Now() - 3600 + 19 * 60);
    EXPECT_NEAR(row.speedNow, 3.0, 1e-6);
    ASSERT_TRUE(row.speedEarlier.has_value());
    EXPECT_NEAR(*row.speedEarlier, 1.0, 1e-6);
    EXPECT_NEAR(row.accuracy, 60.0 / 65.0, 1e-9);
    // a: 3 wrong in 20, è: 2 in 20, o: none.
    EXPECT_EQ(row.weakestKeys, "a\xE8");
    EXPECT_EQ(row.keys.size(), 3u);
}

TEST(ClassRoster, EarlierSpeedIsTheTwentySentencesBeforeFourWeeksAgo) {
    UseRomeTime();
    TempFolder folder;
    // Only recent practice: no speed four weeks earlier.
    MakePupilFile(folder.File("new.sqlite"), {"Nuovo", "3B", 0, 1.0f, 5, 2.0f}, Now());
    const RosterRow fresh = ReadRosterFile(folder.File("new.sqlite"), Now());
    ASSERT_TRUE(fresh.Readable());
    EXPECT_FALSE(fresh.speedEarlier.has_value());

    // 30 sentences 40 days ago: the last 20 of them count; read 10 days
    // later, the recent ones fall before the cut too.
    MakePupilFile(folder.File("old.sqlite"), {"Vecchio", "3B", 30, 1.5f, 20, 2.5f}, Now());
    const RosterRow old = ReadRosterFile(folder.File("old.sqlite"), Now());
    ASSERT_TRUE(old.speedEarlier.has_value());
    EXPECT_NEAR(*old.speedEarlier, 1.5, 1e-6);
    const RosterRow later = ReadRosterFile(folder.File("old.sqlite"), Now() + 30 * kDay);
    ASSERT_TRUE(later.speedEarlier.has_value());
    EXPECT_NEAR(*later.speedEarlier, 2.5, 1e-6);
}

// Files the pupils' computers may leave in the class folder: each gives a
// row with its reason, and neither it nor anything else in the folder changes.
struct HostileCase {
    const char* name;
    RosterProblem expected;
    // Puts "<folder>/pupil.sqlite" (or whatever the case needs) in place.
    std::function<void(const TempFolder&)> make;
    bool needsNonRoot = false;
};

void GoodFile(const TempFolder& f, const std::string& name = "pupil.sqlite") {
    MakePupilFile(f.File(name), {"Marco", "3A", 0, 1.0f, 3, 2.0f}, Now());
}

void Truncate(const std::string& path, std::uintmax_t size) {
    fs::resize_file(path, size);
}

// A tutor killed in the middle of a write: its journal stays beside the file.
void LeaveHotJournal(const std::string& path) {
    const pid_t child = ::fork();
    if (child == 0) {
        sqlite3* db = nullptr;
        sqlite3_open(path.c_str(), &db);
        // A tiny cache makes the change reach the file before the commit.
        sqlite3_exec(db,
                     "PRAGMA cache_size = 1; BEGIN; "
                     "UPDATE sentences SET exercise = hex(randomblob(3000)); "
                     "INSERT INTO sentences SELECT NULL, pupil_id, finished_at, day, exercise, "
                     "level, number, difficulty, speed, points, correct, wrong, seconds "
                     "FROM sentences;",
                     nullptr, nullptr, nullptr);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
}

const HostileCase kHostileCases[] = {
    {"SymbolicLink", RosterProblem::SymbolicLink,
     [](const TempFolder& f) {
         GoodFile(f, "real.data");
         fs::create_symlink(f.File("real.data"), f.File("pupil.sqlite"));
     }},
    {"Folder", RosterProblem::NotAFile,
     [](const TempFolder& f) { fs::create_directory(f.File("pupil.sqlite")); }},
    {"Pipe", RosterProblem::NotAFile,
     [](const TempFolder& f) { ::mkfifo(f.File("pupil.sqlite").c_str(), 0600); }},
    {"EmptyFile", RosterProblem::Empty,
     [](const TempFolder& f) { WriteBytes(f.File("pupil.sqlite"), ""); }},
    {"TextFile", RosterProblem::NotADatabase,
     [](const TempFolder& f) { WriteBytes(f.File("pupil.sqlite"), "Giulia;3B;42\n"); }},
    {"HeaderOnly", RosterProblem::Truncated,
     [](const TempFolder& f) {
         GoodFile(f);
         Truncate(f.File("pupil.sqlite"), 60);
     }},
    {"CutInHalf", RosterProblem::Truncated,
     [](const TempFolder& f) {
         GoodFile(f);
         Truncate(f.File("pupil.sqlite"), fs::file_size(f.File("pupil.sqlite")) / 2);
     }},
    {"CutMidPage", RosterProblem::Truncated,
     [](const TempFolder& f) {
         GoodFile(f);
         Truncate(f.File("pupil.sqlite"), fs::file_size(f.File("pupil.sqlite")) - 100);
     }},
    {"Scrambled", RosterProblem::Damaged,
     [](const TempFolder& f) {
         GoodFile(f);
         std::string bytes = ReadBytes(f.File("pupil.sqlite"));
         for (std::size_t i = 100; i < bytes.size(); ++i)
             bytes[i] = static_cast<char>(i * 131 + 7);
         WriteBytes(f.File("pupil.sqlite"), bytes);
     }},
    {"Huge", RosterProblem::TooLarge,
     [](const TempFolder& f) {
         GoodFile(f);
         Truncate(f.File("pupil.sqlite"), kMaxPupilFileBytes + 4096);
     }},
    {"ForeignDatabase", RosterProblem::NotAPupilFile,
     [](const TempFolder& f) {
         HistoryDatabase db(f.File("pupil.sqlite"), false);
         db.Execute("PRAGMA journal_mode = DELETE; CREATE TABLE recipes(name TEXT)");
     }},
    {"OurIdWrongTables", RosterProblem::NotAPupilFile,
     [](const TempFolder& f) {
         HistoryDatabase db(f.File("pupil.sqlite"), false);
         db.Execute("PRAGMA journal_mode = DELETE; CREATE TABLE pupils(id INTEGER PRIMARY KEY);"
                    "PRAGMA application_id = 1517570163; PRAGMA user_version = 2");
     }},
    {"NewerWithoutOurColumns", RosterProblem::NewerSchema,
     [](const TempFolder& f) {
         GoodFile(f);
         HistoryDatabase db(f.File("pupil.sqlite"), false);
         db.Execute("ALTER TABLE pupil_summary RENAME COLUMN recent_speed TO speed_now;"
                    "PRAGMA user_version = 9");
     }},
    {"ViewInsteadOfTable", RosterProblem::NotAPupilFile,
     [](const TempFolder& f) {
         GoodFile(f);
         HistoryDatabase db(f.File("pupil.sqlite"), false);
         db.Execute("DROP TABLE key_totals; CREATE VIEW key_totals AS SELECT pupil_id, "
                    "expected, keystrokes, wrong, interval_sum, interval_count FROM key_days");
     }},
    {"WalJournal", RosterProblem::JournalMode,
     [](const TempFolder& f) {
         GoodFile(f);
         HistoryDatabase db(f.File("pupil.sqlite"), false);
         db.Execute("PRAGMA journal_mode = WAL");
     }},
    {"NoPupil", RosterProblem::NoPupil,
     [](const TempFolder& f) {
         GoodFile(f);
         HistoryDatabase db(f.File("pupil.sqlite"), false);
         db.Execute("DELETE FROM pupils");
     }},
    {"TwoPupils", RosterProblem::SeveralPupils,
     [](const TempFolder& f) {
         GoodFile(f);
         HistoryDatabase db(f.File("pupil.sqlite"), false);
         db.Execute("INSERT INTO pupils(name, class_name) VALUES('Intruso', '3B')");
     }},
    {"InterruptedWrite", RosterProblem::InterruptedWrite,
     [](const TempFolder& f) {
         GoodFile(f);
         LeaveHotJournal(f.File("pupil.sqlite"));
     }},
    {"NoPermission", RosterProblem::NoPermission,
     [](const TempFolder& f) {
         GoodFile(f);
         fs::permissions(f.File("pupil.sqlite"), fs::perms::none);
     },
     true},
};

class ClassRosterHostileFile : public ::testing::TestWithParam<HostileCase> {};

TEST_P(ClassRosterHostileFile, GivesAnUnreadableRowAndChangesNothing) {
    if (GetParam().needsNonRoot && ::geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    UseRomeTime();
    TempFolder folder;
    GetParam().make(folder);
    const auto before = FolderContents(folder.Path());

    const ClassRoster roster = ReadClassRoster(folder.Path(), Now());
    ASSERT_EQ(roster.problem, FolderProblem::None);
    ASSERT_EQ(roster.rows.size(), 1u);
    EXPECT_EQ(roster.rows[0].fileName, "pupil.sqlite");
    EXPECT_EQ(roster.rows[0].problem, GetParam().expected);
    EXPECT_TRUE(roster.rows[0].pupil.name.empty());
    EXPECT_EQ(FolderContents(folder.Path()), before);
    // Copying it for the progress window fails the same way.
    TempFolder elsewhere;
    RosterProblem problem = RosterProblem::None;
    EXPECT_FALSE(
        CopyPupilFile(folder.File("pupil.sqlite"), elsewhere.File("copy.sqlite"), &problem));
    EXPECT_EQ(problem, GetParam().expected);
    EXPECT_FALSE(Exists(elsewhere.File("copy.sqlite")));
}

INSTANTIATE_TEST_SUITE_P(Cases, ClassRosterHostileFile, ::testing::ValuesIn(kHostileCases),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(ClassRoster, AFileItsTutorKeepsLockedIsRetriedThenBusy) {
    UseRomeTime();
    TempFolder folder;
    GoodFile(folder);
    HistoryDatabase writer(folder.File("pupil.sqlite"), false);
    writer.Execute("BEGIN EXCLUSIVE");
    RosterReadOptions options;
    options.busyRetries = 3;
    int pauses = 0;
    CountPauses(options, pauses);
    EXPECT_EQ(ReadRosterFile(folder.File("pupil.sqlite"), Now(), options).problem,
              RosterProblem::Busy);
    EXPECT_EQ(pauses, 3);

    // Released during the retries, it is read.
    options.pause = [&](int) { writer.Execute("COMMIT"); };
    EXPECT_TRUE(ReadRosterFile(folder.File("pupil.sqlite"), Now(), options).Readable());

    // Gone while it was waited for.
    writer.Execute("BEGIN EXCLUSIVE");
    options.pause = [&](int) { fs::remove(folder.File("pupil.sqlite")); };
    EXPECT_EQ(ReadRosterFile(folder.File("pupil.sqlite"), Now(), options).problem,
              RosterProblem::Vanished);
    writer.Execute("COMMIT");
}

// Tutors writing while the class is read: every read sees a whole commit or
// waits, never a file that looks damaged or cut short mid-write.
TEST(ClassRoster, ReadsWhileTutorsWriteGiveFiguresOrBusyOnly) {
    UseRomeTime();
    TempFolder folder;
    constexpr int kWriters = 4;
    constexpr int kCommits = 400;
    std::vector<pid_t> writers;
    for (int w = 0; w < kWriters; ++w) {
        const std::string path = folder.File("pupil" + std::to_string(w) + ".sqlite");
        GoodFile(folder, "pupil" + std::to_string(w) + ".sqlite");
        const pid_t child = ::fork();
        if (child == 0) {
            sqlite3* db = nullptr;
            sqlite3_open(path.c_str(), &db);
            sqlite3_busy_timeout(db, 5000);
            // Each commit grows the file by a few pages and rewrites the summary.
            for (int i = 0; i < kCommits; ++i)
                sqlite3_exec(db,
                             "BEGIN IMMEDIATE; INSERT INTO sentences SELECT NULL, pupil_id, "
                             "finished_at + 1, day, hex(randomblob(3000)), level, number, "
                             "difficulty, speed, points, correct, wrong, seconds, "
                             "lower(hex(randomblob(16))) FROM sentences "
                             "ORDER BY id DESC LIMIT 1; UPDATE pupil_summary SET sentences = "
                             "sentences + 1; COMMIT;",
                             nullptr, nullptr, nullptr);
            sqlite3_close(db);
            ::_exit(0);
        }
        writers.push_back(child);
    }
    RosterReadOptions options;
    options.busyRetries = 0;
    std::map<RosterProblem, int> seen;
    bool running = true;
    while (running) {
        for (const RosterRow& row : ReadClassRoster(folder.Path(), Now(), options).rows)
            ++seen[row.problem];
        running = false;
        for (const pid_t child : writers)
            running = running || ::waitpid(child, nullptr, WNOHANG) == 0;
    }
    for (const auto& [problem, count] : seen)
        EXPECT_TRUE(problem == RosterProblem::None || problem == RosterProblem::Busy)
            << "problem " << static_cast<int>(problem) << " seen " << count << " times";
    EXPECT_GT(seen[RosterProblem::None], 0);
    for (const RosterRow& row : ReadClassRoster(folder.Path(), Now()).rows)
        EXPECT_EQ(row.sentences, 3 + kCommits);
}

TEST(ClassRoster, AFileGoneBeforeItsTurnIsVanished) {
    TempFolder folder;
    EXPECT_EQ(ReadRosterFile(folder.File("gone.sqlite"), Now()).problem, RosterProblem::Vanished);
}

TEST(ClassRoster, ListsOnlyPupilFilesOfTheFolderInNameOrder) {
    UseRomeTime();
    TempFolder folder;
    GoodFile(folder, "b.sqlite");
    GoodFile(folder, "a.sqlite");
    WriteBytes(folder.File("notes.txt"), "x");
    WriteBytes(folder.File("a.sqlite-journal"), "");
    fs::create_directories(folder.File("sub"));
    GoodFile(folder, "sub/c.sqlite");

    const ClassRoster roster = ReadClassRoster(folder.Path(), Now());
    ASSERT_EQ(roster.rows.size(), 2u);
    EXPECT_EQ(roster.rows[0].fileName, "a.sqlite");
    EXPECT_EQ(roster.rows[1].fileName, "b.sqlite");
    // An empty journal beside a file is no interrupted write; it stays.
    EXPECT_TRUE(roster.rows[0].Readable());
    EXPECT_TRUE(Exists(folder.File("a.sqlite-journal")));

    EXPECT_EQ(ReadClassRoster("", Now()).problem, FolderProblem::NotSet);
    EXPECT_EQ(ReadClassRoster(folder.File("missing"), Now()).problem, FolderProblem::Missing);
    EXPECT_EQ(ReadClassRoster(folder.File("notes.txt"), Now()).problem, FolderProblem::NotAFolder);
}

TEST(ClassRoster, CopiesAPupilFileForTheProgressWindow) {
    UseRomeTime();
    TempFolder folder;
    TempFolder elsewhere;
    GoodFile(folder);
    const std::string before = ReadBytes(folder.File("pupil.sqlite"));
    ASSERT_TRUE(CopyPupilFile(folder.File("pupil.sqlite"), elsewhere.File("copy.sqlite")));
    EXPECT_EQ(ReadBytes(folder.File("pupil.sqlite")), before);
    HistoryStore copy;
    copy.Open(elsewhere.File("copy.sqlite"), "");
    ASSERT_EQ(copy.Pupils().size(), 1u);
    EXPECT_EQ(copy.Pupils()[0].name, "Marco");
    EXPECT_EQ(copy.Figures(copy.Pupils()[0].id, Period::All, Now()).sentences, 3);
    // An existing file is never replaced.
    EXPECT_FALSE(CopyPupilFile(folder.File("pupil.sqlite"), elsewhere.File("copy.sqlite")));
}

RosterRow Row(const std::string& file, const std::string& name, const std::string& className,
              double speedNow, std::optional<double> earlier, std::int64_t exercises) {
    RosterRow row;
    row.fileName = file;
    row.pupil.name = name;
    row.pupil.className = className;
    row.speedNow = speedNow;
    row.speedEarlier = earlier;
    row.exercisesFinished = exercises;
    return row;
}

std::string FilesOf(const std::vector<RosterRow>& rows) {
    std::string files;
    for (const RosterRow& row : rows)
        files += row.fileName;
    return files;
}

struct SortCase {
    RosterColumn column;
    bool descending;
    const char* order;
};

TEST(ClassRoster, SortsByEveryColumnWithUnreadableRowsLast) {
    std::vector<RosterRow> rows = {Row("a", "bruno", "3B", 2.0, 1.0, 4),
                                   Row("b", "Anna", "3A", 3.0, std::nullopt, 4),
                                   Row("c", "\xC8va", "3A", 1.0, 2.0, 9), // Èva
                                   Row("d", "carla", "3B", 2.0, 0.5, 1)};
    RosterRow broken;
    broken.fileName = "0";
    broken.problem = RosterProblem::Damaged;
    rows.insert(rows.begin(), broken);

    const SortCase cases[] = {
        {RosterColumn::Name, false, "badc0"}, // without regard to case, È after the letters
        {RosterColumn::Name, true, "cdab0"},
        {RosterColumn::Class, false, "bcad0"}, // ties by name
        {RosterColumn::SpeedNow, false, "cadb0"},
        {RosterColumn::SpeedNow, true, "badc0"},
        {RosterColumn::SpeedEarlier, false, "bdac0"}, // none before every speed
        {RosterColumn::ExercisesFinished, true, "cbad0"},
        {RosterColumn::File, true, "dcba0"},
    };
    for (const SortCase& c : cases) {
        std::vector<RosterRow> sorted = rows;
        SortRoster(sorted, c.column, c.descending);
        EXPECT_EQ(FilesOf(sorted), c.order)
            << "column " << static_cast<int>(c.column) << (c.descending ? " descending" : "");
    }
}

TEST(ClassRoster, FiltersByClassKeepingUnreadableRows) {
    std::vector<RosterRow> rows = {Row("a", "x", "3B", 1, {}, 0), Row("b", "y", "3A", 1, {}, 0),
                                   Row("c", "z", "", 1, {}, 0), Row("d", "w", "3A", 1, {}, 0)};
    RosterRow broken;
    broken.fileName = "e";
    broken.problem = RosterProblem::Busy;
    rows.push_back(broken);
    EXPECT_EQ(ClassesOf(rows), (std::vector<std::string>{"3A", "3B"}));
    EXPECT_EQ(FilesOf(RowsOfClass(rows, "3A")), "bde");
    EXPECT_EQ(FilesOf(RowsOfClass(rows, "")), "abcde");
}

TEST(ClassRoster, SummaryAddsTheKeysOfTheReadablePupils) {
    RosterRow first = Row("a", "x", "3B", 1, {}, 0);
    first.keys = {{'a', 100, 10}, {'e', 50, 1}, {'o', 40, 0}};
    RosterRow second = Row("b", "y", "3B", 1, {}, 0);
    second.keys = {{'a', 20, 2}, {'e', 60, 13}, {'\xE0', 10, 5}};
    RosterRow broken;
    broken.problem = RosterProblem::Damaged;
    broken.keys = {{'z', 100, 100}};

    const ClassSummary summary = SummariseClass({first, second, broken}, 2);
    EXPECT_EQ(summary.pupils, 2);
    EXPECT_EQ(summary.unreadable, 1);
    ASSERT_EQ(summary.keys.size(), 4u);
    ASSERT_EQ(summary.mostWrong.size(), 2u);
    // e: 14 of 110, a: 12 of 120, à: 5 of 10; the limit keeps the first two.
    EXPECT_EQ(summary.mostWrong[0].character, 'e');
    EXPECT_EQ(summary.mostWrong[0].wrong, 14);
    EXPECT_EQ(summary.mostWrong[0].keystrokes, 110);
    EXPECT_EQ(summary.mostWrong[1].character, 'a');
}

} // namespace
