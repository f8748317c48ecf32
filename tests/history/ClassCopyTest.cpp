#include "HistoryTestSupport.h"
#include "KillingVfs.h"

#include "history/ClassCopyTask.h"
#include "history/HistoryDatabase.h"
#include "history/HistorySchema.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::int64_t kMoment = 1'772'000'000;
constexpr const char* kClassFileName = "3B - Anna.sqlite";

// A computer's local history with Anna of 3B.
class Computer {
public:
    explicit Computer(const TempFolder& folder, const std::string& name = "pc1")
        : m_path(folder.File(name + "/Zentavo/history.sqlite")) {}
    const std::string& Path() const { return m_path; }

    // Opens the history, with Anna as its only pupil, renamed when given.
    HistoryStore& Open(const std::string& pupil = "Anna", const std::string& className = "3B") {
        EXPECT_TRUE(CanSave(m_store.Open(m_path, "giulia")));
        m_pupil = *m_store.CurrentPupil();
        EXPECT_EQ(m_store.RenamePupil(m_pupil, pupil, className), PupilChange::Done);
        return m_store;
    }
    PupilId Pupil() const { return m_pupil; }
    HistoryStore& Store() { return m_store; }

    // `count` sentences, a minute apart from `first`, with a confusion in each.
    void Practise(int count, int first = 0) {
        for (int i = first; i < first + count; ++i) {
            std::vector<KeystrokeRecord> k;
            AddKeystrokes(k, 'a', 'a', 20 + i % 7, 150);
            AddKeystrokes(k, '\xE8', i % 3 == 0 ? '\xE9' : '\xE8', 3, 300);
            AddKeystrokes(k, 's', 'd', i % 2, 200);
            const auto number = static_cast<std::int16_t>(i % 15 + 1);
            ASSERT_EQ(
                m_store.RecordSentence(
                    m_pupil, Sentence(kMoment + i * 3600, 1.0f + i % 5, 25, 2, 20, number), k),
                StoreStatus::Ok);
        }
    }
    ClassCopyStatus CopyTo(const std::string& folder, std::size_t* copied = nullptr,
                           std::size_t batch = kClassCopyBatch) {
        return CopyToClassFolder(m_store, m_pupil, folder, kMoment, batch, copied);
    }

private:
    std::string m_path;
    HistoryStore m_store;
    PupilId m_pupil = 0;
};

using Rows = std::vector<std::vector<std::string>>;

Rows Query(HistoryDatabase& db, const std::string& sql, const std::string& pupil) {
    SqlStatement rows = db.Prepare(sql);
    rows.Bind(1, std::string_view(pupil));
    Rows result;
    while (rows.Step()) {
        std::vector<std::string> row;
        for (int c = 0; c < 8; ++c)
            row.push_back(rows.Text(c));
        result.push_back(row);
    }
    return result;
}

// Everything a reader of the pupil's history sees, sorted, from a closed file.
struct Contents {
    Rows uids, keyDays, keyTotals, confusionDays, confusionTotals, summary;
    friend bool operator==(const Contents&, const Contents&) = default;
};

Contents Read(const std::string& path, const std::string& pupil = "Anna") {
    HistoryDatabase db(path, SharedFileAccess::Read);
    const std::string of = " JOIN pupils p ON p.id = t.pupil_id WHERE p.name = ?1 ORDER BY ";
    Contents c;
    c.uids = Query(db, "SELECT uid FROM sentences t" + of + "uid", pupil);
    c.keyDays = Query(db,
                      "SELECT day, expected, keystrokes, t.wrong, interval_sum, interval_count "
                      "FROM key_days t" +
                          of + "day, expected",
                      pupil);
    c.keyTotals = Query(db,
                        "SELECT expected, keystrokes, t.wrong, interval_sum, interval_count "
                        "FROM key_totals t" +
                            of + "expected",
                        pupil);
    c.confusionDays =
        Query(db, "SELECT day, expected, typed, count FROM confusion_days t" + of + "day, expected",
              pupil);
    c.confusionTotals =
        Query(db, "SELECT expected, typed, count FROM confusion_totals t" + of + "expected", pupil);
    c.summary = Query(db,
                      "SELECT exercises_finished, sentences, last_practice, recent_speed, correct, "
                      "t.wrong, weakest_keys FROM pupil_summary t" +
                          of + "1",
                      pupil);
    return c;
}

std::int64_t Count(const std::string& path, const std::string& sql) {
    HistoryDatabase db(path, SharedFileAccess::Read);
    return db.QueryInt(sql);
}

std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ClassCopy, AFirstCopyHoldsThePupilsWholeHistory) {
    UseRomeTime();
    TempFolder folder;
    fs::create_directories(folder.File("class"));
    Computer pc(folder);
    pc.Open();
    pc.Practise(40);
    std::size_t copied = 0;
    ASSERT_EQ(pc.CopyTo(folder.File("class"), &copied, 7), ClassCopyStatus::Done);
    EXPECT_EQ(copied, 40u);
    pc.Store().Close();

    const std::string file = folder.File("class/") + kClassFileName;
    EXPECT_EQ(Names(folder.File("class")), std::vector<std::string>{kClassFileName});
    const Contents local = Read(pc.Path());
    ASSERT_EQ(local.uids.size(), 40u);
    EXPECT_EQ(Read(file), local);
    EXPECT_EQ(Count(file, "SELECT COUNT(*) FROM pupils"), 1);
    EXPECT_EQ(Count(file, "PRAGMA user_version"), HistoryStore::kSchemaVersion);
    // Rollback journal: bytes 18 and 19 of the header are 1.
    const std::string header = ReadBytes(file).substr(0, 20);
    EXPECT_EQ(header[18], 1);
    EXPECT_EQ(header[19], 1);
}

TEST(ClassCopy, CopyingAgainAddsOnlyWhatIsNew) {
    UseRomeTime();
    TempFolder folder;
    fs::create_directories(folder.File("class"));
    Computer pc(folder);
    pc.Open();
    pc.Practise(10);
    std::size_t copied = 0;
    ASSERT_EQ(pc.CopyTo(folder.File("class"), &copied), ClassCopyStatus::Done);
    ASSERT_EQ(pc.CopyTo(folder.File("class"), &copied), ClassCopyStatus::Done);
    EXPECT_EQ(copied, 0u);
    pc.Practise(5, 10);
    ASSERT_EQ(pc.CopyTo(folder.File("class"), &copied), ClassCopyStatus::Done);
    EXPECT_EQ(copied, 5u);
    pc.Store().Close();
    EXPECT_EQ(Read(folder.File("class/") + kClassFileName), Read(pc.Path()));
}

void Drive(ClassCopyTask& task, const HistoryStore& local) {
    while (task.Next() != ClassCopyTask::Side::Finished) {
        if (task.Next() == ClassCopyTask::Side::ClassFolder)
            task.RunClassFolderStep();
        else
            task.RunLocalStep(local);
    }
}

// A later copy of the run starts where the last one ended, unless the file
// holds fewer sentences than it left there (here: restored from a backup).
TEST(ClassCopy, ALaterCopyLooksOnlyAtWhatIsNewUnlessTheFileLostSome) {
    UseRomeTime();
    TempFolder folder;
    const std::string share = folder.File("class");
    const std::string file = share + "/" + kClassFileName;
    fs::create_directories(share);
    Computer pc(folder);
    const PupilInfo anna = *pc.Open().Pupil(pc.Pupil());
    pc.Practise(5);
    ClassCopyTask first(share, anna, kMoment);
    Drive(first, pc.Store());
    ASSERT_EQ(first.Status(), ClassCopyStatus::Done);
    EXPECT_TRUE(first.ComparedAll());
    const std::string backup = ReadBytes(file);

    pc.Practise(5, 5);
    ClassCopyTask second(share, anna, kMoment, first.Progress());
    Drive(second, pc.Store());
    EXPECT_FALSE(second.ComparedAll());
    EXPECT_EQ(second.Copied(), 5u);
    EXPECT_EQ(second.Progress().sentences, 10);

    WriteBytes(file, backup);
    pc.Practise(5, 10);
    ClassCopyTask third(share, anna, kMoment, second.Progress());
    Drive(third, pc.Store());
    EXPECT_TRUE(third.ComparedAll());
    EXPECT_EQ(third.Copied(), 10u);
    pc.Store().Close();
    EXPECT_EQ(Read(file), Read(pc.Path()));
}

// A tutor killed in the middle of a copy, at the n-th write to the class
// file: the file stays whole, and the next copy completes it.
class ClassCopyInterrupted : public ::testing::TestWithParam<int> {};

TEST_P(ClassCopyInterrupted, TheNextCopyCompletesIt) {
    UseRomeTime();
    TempFolder folder;
    fs::create_directories(folder.File("class"));
    Computer pc(folder);
    pc.Open();
    pc.Practise(60);
    pc.Store().Close();

    const pid_t child = ::fork();
    if (child == 0) {
        KillingVfs vfs("/class/", GetParam());
        Computer again(folder);
        again.Open();
        again.CopyTo(folder.File("class"), nullptr, 8);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the copy ended before its write " << GetParam();

    const std::string file = folder.File("class/") + kClassFileName;
    Computer again(folder);
    again.Open();
    ASSERT_EQ(again.CopyTo(folder.File("class")), ClassCopyStatus::Done);
    again.Store().Close();
    EXPECT_EQ(Read(file), Read(pc.Path()));
    HistoryDatabase db(file, SharedFileAccess::Read);
    EXPECT_EQ(db.QueryText("PRAGMA integrity_check"), "ok");
}

INSTANTIATE_TEST_SUITE_P(AtWrite, ClassCopyInterrupted, ::testing::Values(1, 4, 15, 40));

// The share goes away while the pupil practises, and comes back.
struct AwayCase {
    const char* name;
    ClassCopyStatus status;
    std::function<void(const std::string& folder)> away;
    std::function<void(const std::string& folder)> back;
};

class ClassShareAway : public ::testing::TestWithParam<AwayCase> {};

TEST_P(ClassShareAway, TheCopyCatchesUpWhenItComesBack) {
    UseRomeTime();
    TempFolder folder;
    const std::string share = folder.File("class");
    fs::create_directories(share);
    Computer pc(folder);
    pc.Open();
    pc.Practise(3);
    ASSERT_EQ(pc.CopyTo(share), ClassCopyStatus::Done);

    GetParam().away(share);
    pc.Practise(4, 3);
    EXPECT_EQ(pc.CopyTo(share), GetParam().status);
    GetParam().back(share);
    pc.Practise(2, 7);
    std::size_t copied = 0;
    ASSERT_EQ(pc.CopyTo(share, &copied), ClassCopyStatus::Done);
    EXPECT_EQ(copied, 6u);
    pc.Store().Close();
    EXPECT_EQ(Read(share + "/" + kClassFileName), Read(pc.Path()));
}

const auto kReadOnly = fs::perms::owner_read | fs::perms::owner_exec;

// Stands for the editor of another computer holding the file's lock.
std::unique_ptr<HistoryDatabase> g_otherComputer;

INSTANTIATE_TEST_SUITE_P(
    Shares, ClassShareAway,
    ::testing::Values(AwayCase{"Unmounted", ClassCopyStatus::FolderMissing,
                               [](const std::string& f) { fs::rename(f, f + ".away"); },
                               [](const std::string& f) { fs::rename(f + ".away", f); }},
                      AwayCase{
                          "FolderReadOnly", ClassCopyStatus::ReadOnly,
                          [](const std::string& f) { fs::permissions(f, kReadOnly); },
                          [](const std::string& f) { fs::permissions(f, fs::perms::owner_all); }},
                      AwayCase{"FileReadOnly", ClassCopyStatus::ReadOnly,
                               [](const std::string& f) {
                                   fs::permissions(f + "/" + kClassFileName, fs::perms::owner_read);
                               },
                               [](const std::string& f) {
                                   fs::permissions(f + "/" + kClassFileName,
                                                   fs::perms::owner_read | fs::perms::owner_write);
                               }},
                      AwayCase{"LockedByAnotherComputer", ClassCopyStatus::Busy,
                               [](const std::string& f) {
                                   g_otherComputer = std::make_unique<HistoryDatabase>(
                                       f + "/" + kClassFileName, SharedFileAccess::Write);
                                   g_otherComputer->Execute("BEGIN EXCLUSIVE");
                               },
                               [](const std::string&) { g_otherComputer.reset(); }}),
    CaseName());

TEST(ClassCopy, TheSamePupilOnTwoComputersMeetsInOneFile) {
    UseRomeTime();
    TempFolder folder;
    fs::create_directories(folder.File("class"));
    Computer first(folder, "pc1");
    Computer second(folder, "pc2");
    first.Open();
    second.Open();
    first.Practise(5);
    second.Practise(3, 100);
    ASSERT_EQ(first.CopyTo(folder.File("class")), ClassCopyStatus::Done);
    ASSERT_EQ(second.CopyTo(folder.File("class")), ClassCopyStatus::Done);
    ASSERT_EQ(first.CopyTo(folder.File("class")), ClassCopyStatus::Done);
    const std::string file = folder.File("class/") + kClassFileName;
    EXPECT_EQ(Count(file, "SELECT COUNT(DISTINCT uid) FROM sentences"), 8);
    EXPECT_EQ(Count(file, "SELECT sentences FROM pupil_summary"), 8);
    EXPECT_EQ(Count(file, "SELECT SUM(keystrokes) FROM key_totals WHERE expected = 232"), 24);
}

TEST(ClassCopy, NamesThatMakeTheSameFileNameGetTwoFiles) {
    UseRomeTime();
    TempFolder folder;
    const std::string share = folder.File("class");
    fs::create_directories(share);
    // "3B" + "Anna" and "" + "3B - Anna" both make "3B - Anna".
    Computer first(folder, "pc1");
    Computer second(folder, "pc2");
    first.Open("Anna", "3B");
    second.Open("3B - Anna", "");
    first.Practise(2);
    second.Practise(3);
    ASSERT_EQ(second.CopyTo(share), ClassCopyStatus::Done);
    ASSERT_EQ(first.CopyTo(share), ClassCopyStatus::Done);
    const std::vector<std::string> annaOf3B = ClassFileNames({1, "Anna", "3B"});
    EXPECT_EQ(Names(share).size(), 2u);
    EXPECT_EQ(annaOf3B[0], kClassFileName);
    EXPECT_EQ(Count(share + "/" + annaOf3B[0], "SELECT COUNT(*) FROM sentences"), 3);
    EXPECT_EQ(Count(share + "/" + annaOf3B[1], "SELECT COUNT(*) FROM sentences"), 2);
    EXPECT_EQ(ClassFileNames({1, "Anna", "3C"})[0], "3C - Anna.sqlite");
    EXPECT_EQ(ClassFileNames({1, "Nicol\xF2/1", ""})[0], "Nicol\xC3\xB2_1.sqlite");
}

// What another computer may have left where the pupil's file belongs: it is
// set aside as it is (a link renamed, never followed) and a new file started.
struct HostileCase {
    const char* name;
    std::function<void(const std::string& file, const std::string& outside)> make;
};

class ClassHostileFile : public ::testing::TestWithParam<HostileCase> {};

TEST_P(ClassHostileFile, IsSetAsideAndANewFileStarted) {
    UseRomeTime();
    TempFolder folder;
    const std::string share = folder.File("class");
    const std::string outside = folder.File("outside.sqlite");
    fs::create_directories(share);
    Computer pc(folder);
    pc.Open();
    pc.Practise(4);
    {
        // A real history outside the folder, which links may point at.
        HistoryStore other;
        ASSERT_EQ(other.Open(outside, "mario"), StoreStatus::Ok);
    }
    const std::string file = share + "/" + kClassFileName;
    GetParam().make(file, outside);
    const std::string outsideBefore = ReadBytes(outside);

    ASSERT_EQ(pc.CopyTo(share), ClassCopyStatus::Done);
    pc.Store().Close();
    EXPECT_EQ(ReadBytes(outside), outsideBefore);
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(file)));
    EXPECT_EQ(Read(file), Read(pc.Path()));
    const std::vector<std::string> names = Names(share);
    EXPECT_TRUE(std::any_of(names.begin(), names.end(), [](const std::string& n) {
        return n.find(".damaged-") != std::string::npos && n.find(".aside") != std::string::npos &&
               n.find(".sqlite") == std::string::npos;
    }));
}

void WriteDatabase(const std::string& file, const std::string& sql) {
    HistoryDatabase db(file, false);
    db.Execute(sql);
}

// The history outside as a rollback-journal file at f, as a class file is.
void RollbackCopy(const std::string& outside, const std::string& f) {
    WriteBytes(f, ReadBytes(outside));
    WriteDatabase(f, "PRAGMA journal_mode = DELETE");
}

INSTANTIATE_TEST_SUITE_P(
    Files, ClassHostileFile,
    ::testing::Values(
        HostileCase{"Garbage",
                    [](const std::string& f, const std::string&) {
                        WriteBytes(f, std::string(5000, '\x5A'));
                    }},
        HostileCase{"Truncated",
                    [](const std::string& f, const std::string& outside) {
                        RollbackCopy(outside, f);
                        WriteBytes(f, ReadBytes(f).substr(0, ReadBytes(f).size() / 2));
                    }},
        HostileCase{"LinkToAFileOutside",
                    [](const std::string& f, const std::string& outside) {
                        fs::create_symlink(outside, f);
                    }},
        HostileCase{"JournalLinkedOutside",
                    [](const std::string& f, const std::string& outside) {
                        WriteBytes(f, "");
                        fs::create_symlink(outside, f + "-journal");
                    }},
        HostileCase{"AFolder", [](const std::string& f,
                                  const std::string&) { fs::create_directories(f + "/inside"); }},
        HostileCase{"WalMode",
                    [](const std::string& f, const std::string&) {
                        WriteDatabase(f, "PRAGMA journal_mode = WAL; CREATE TABLE t(x)");
                    }},
        HostileCase{"ForeignDatabase",
                    [](const std::string& f, const std::string&) {
                        WriteDatabase(f, "CREATE TABLE recipes(name TEXT)");
                    }},
        HostileCase{"TwoPupils",
                    [](const std::string& f, const std::string& outside) {
                        RollbackCopy(outside, f);
                        WriteDatabase(f, "INSERT INTO pupils(name, class_name) VALUES"
                                         "('Anna', '3B'), ('Luca', '3B')");
                    }},
        HostileCase{
            "Huge",
            [](const std::string& f, const std::string& outside) {
                RollbackCopy(outside, f);
                fs::resize_file(f, kMaxClassFileBytes + 1);
            }}),
    CaseName());

TEST(ClassCopy, ANewerSchemaIsLeftUntouched) {
    TempFolder folder;
    const std::string share = folder.File("class");
    fs::create_directories(share);
    Computer pc(folder);
    pc.Open();
    pc.Practise(2);
    ASSERT_EQ(pc.CopyTo(share), ClassCopyStatus::Done);
    const std::string file = share + "/" + kClassFileName;
    WriteDatabase(file,
                  "PRAGMA user_version = " + std::to_string(HistoryStore::kSchemaVersion + 1));
    pc.Practise(1, 2);
    const std::string before = ReadBytes(file);
    EXPECT_EQ(pc.CopyTo(share), ClassCopyStatus::NewerSchema);
    EXPECT_EQ(ReadBytes(file), before);
    EXPECT_EQ(Names(share).size(), 1u);
}

} // namespace
