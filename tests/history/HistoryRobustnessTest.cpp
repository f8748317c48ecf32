#include "FullDiskVfs.h"
#include "HistoryTestSupport.h"

#include "history/HistoryDatabase.h"
#include "history/HistorySchema.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::int64_t kMoment = 1'772'000'000;

// A history with one pupil and `sentences` recorded sentences.
void MakeHistory(const std::string& path, int sentences) {
    HistoryStore store;
    ASSERT_EQ(store.Open(path, "giulia"), StoreStatus::Ok);
    std::vector<KeystrokeRecord> k;
    AddKeystrokes(k, 'a', 's', 5, 120);
    AddKeystrokes(k, 'b', 'b', 40, 150);
    for (int i = 0; i < sentences; ++i)
        ASSERT_EQ(store.RecordSentence(*store.CurrentPupil(),
                                       Sentence(kMoment + i * 60, 2.0f, 40, 5, 20), k),
                  StoreStatus::Ok);
}

std::int64_t RecordedSentences(const std::string& path) {
    HistoryDatabase db(path, true);
    return db.QueryInt("SELECT COUNT(*) FROM sentences");
}

std::vector<std::string> DamagedFiles(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.find(".damaged-") != std::string::npos)
            names.push_back(name);
    }
    return names;
}

// Files that are not a history this store can use: each is kept aside byte
// for byte and a new history is started in its place.
struct DamageCase {
    const char* name;
    std::function<void(const std::string& path)> spoil;
};

class HistoryDamagedFile : public ::testing::TestWithParam<DamageCase> {};

TEST_P(HistoryDamagedFile, IsKeptAsideAndANewOneStarted) {
    TempFolder folder;
    const std::string path = HistoryFile(folder);
    fs::create_directories(folder.File("Zentavo"));
    GetParam().spoil(path);
    const std::string before = ReadBytes(path);

    HistoryStore store;
    EXPECT_EQ(store.Open(path, "giulia"), StoreStatus::StartedAfresh);
    EXPECT_TRUE(store.CanSave());
    ASSERT_FALSE(store.KeptAsidePath().empty());
    EXPECT_EQ(ReadBytes(store.KeptAsidePath()), before);
    EXPECT_NE(store.KeptAsidePath().find("history.damaged-"), std::string::npos);
    EXPECT_EQ(store.KeptAsidePath().substr(store.KeptAsidePath().size() - 7), ".sqlite");
    ASSERT_EQ(store.Pupils().size(), 1u);
    EXPECT_EQ(store.RecordSentence(*store.CurrentPupil(), Sentence(kMoment, 1.0f, 1, 0, 1), {}),
              StoreStatus::StartedAfresh);
    store.Close();
    EXPECT_EQ(RecordedSentences(path), 1);
}

void WriteForeignDatabase(const std::string& path) {
    HistoryDatabase db(path, false);
    db.Execute("CREATE TABLE recipes(name TEXT); INSERT INTO recipes VALUES('pesto')");
}

void SpoilMiddle(const std::string& path) {
    MakeHistory(path, 300);
    std::string bytes = ReadBytes(path);
    for (std::size_t i = bytes.size() / 3; i < bytes.size() / 3 + 9000; ++i)
        bytes[i] = static_cast<char>(i * 7);
    WriteBytes(path, bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Files, HistoryDamagedFile,
    ::testing::Values(DamageCase{"NotADatabase",
                                 [](const std::string& p) {
                                     WriteBytes(p, "Zentavo history, or so it says\n");
                                 }},
                      DamageCase{"BadHeader",
                                 [](const std::string& p) {
                                     WriteBytes(p, "SQLite format 3" + std::string(1, '\0') +
                                                       std::string(4000, '\xFF'));
                                 }},
                      DamageCase{"Truncated",
                                 [](const std::string& p) {
                                     MakeHistory(p, 300);
                                     std::string bytes = ReadBytes(p);
                                     WriteBytes(p, bytes.substr(0, bytes.size() / 2));
                                 }},
                      DamageCase{"PagesOverwritten", SpoilMiddle},
                      DamageCase{"AnotherProgramsDatabase", WriteForeignDatabase},
                      DamageCase{"AVersionWithoutTables",
                                 [](const std::string& p) {
                                     HistoryDatabase db(p, false);
                                     db.Execute("PRAGMA user_version = 2");
                                 }},
                      DamageCase{"OursWithoutItsTables",
                                 [](const std::string& p) {
                                     HistoryDatabase db(p, false);
                                     db.Execute("CREATE TABLE pupils(id INTEGER PRIMARY KEY)");
                                     db.Execute("PRAGMA application_id = " +
                                                std::to_string(history_schema::kApplicationId));
                                     db.Execute("PRAGMA user_version = 2");
                                 }}),
    CaseName());

TEST(HistoryRobustness, TheJournalOfADamagedFileGoesAsideWithIt) {
    TempFolder folder;
    const std::string path = HistoryFile(folder);
    fs::create_directories(folder.File("Zentavo"));
    WriteBytes(path, "not a database at all");
    WriteBytes(path + "-wal", "a journal of the damaged file");
    HistoryStore store;
    ASSERT_EQ(store.Open(path, "giulia"), StoreStatus::StartedAfresh);
    EXPECT_EQ(ReadBytes(store.KeptAsidePath() + "-wal"), "a journal of the damaged file");
}

TEST(HistoryRobustness, ASecondDamageOnTheSameSecondGetsAnotherName) {
    TempFolder folder;
    const std::string path = HistoryFile(folder);
    fs::create_directories(folder.File("Zentavo"));
    std::vector<std::string> kept;
    for (const char* bytes : {"first damaged file", "second damaged file"}) {
        WriteBytes(path, bytes);
        HistoryStore store;
        ASSERT_EQ(store.Open(path, "giulia"), StoreStatus::StartedAfresh);
        kept.push_back(store.KeptAsidePath());
    }
    ASSERT_NE(kept[0], kept[1]);
    EXPECT_EQ(ReadBytes(kept[0]), "first damaged file");
    EXPECT_EQ(ReadBytes(kept[1]), "second damaged file");
}

TEST(HistoryRobustness, ANewerSchemaIsLeftUntouched) {
    TempFolder folder;
    const std::string path = HistoryFile(folder);
    MakeHistory(path, 3);
    {
        HistoryDatabase db(path, false);
        db.Execute("PRAGMA user_version = " + std::to_string(HistoryStore::kSchemaVersion + 1));
    }
    const std::string before = ReadBytes(path);
    HistoryStore store;
    EXPECT_EQ(store.Open(path, "giulia"), StoreStatus::NewerSchema);
    EXPECT_FALSE(store.CanSave());
    EXPECT_TRUE(store.Pupils().empty());
    EXPECT_EQ(store.RecordSentence(1, Sentence(kMoment, 1.0f, 1, 0, 1), {}),
              StoreStatus::NewerSchema);
    EXPECT_EQ(store.AddPupil("Anna", ""), PupilChange::NotSaved);
    store.Close();
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_TRUE(DamagedFiles(folder.File("Zentavo")).empty());
}

// A history that may not be written is read, never changed.
struct ReadOnlyCase {
    const char* name;
    bool fileReadOnly;
    bool folderReadOnly;
};

class HistoryReadOnly : public ::testing::TestWithParam<ReadOnlyCase> {};

TEST_P(HistoryReadOnly, IsReadButNotWritten) {
    TempFolder folder;
    const std::string path = HistoryFile(folder);
    MakeHistory(path, 4);
    const std::string before = ReadBytes(path);
    if (GetParam().fileReadOnly)
        fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
    if (GetParam().folderReadOnly)
        fs::permissions(folder.File("Zentavo"), fs::perms::owner_read | fs::perms::owner_exec);

    HistoryStore store;
    EXPECT_EQ(store.Open(path, "giulia"), StoreStatus::ReadOnly);
    EXPECT_FALSE(store.CanSave());
    ASSERT_EQ(store.Pupils().size(), 1u);
    const PupilId pupil = store.Pupils()[0].id;
    EXPECT_EQ(store.Figures(pupil, Period::All, kMoment + 3600).sentences, 4);
    EXPECT_EQ(store.RecordSentence(pupil, Sentence(kMoment, 1.0f, 1, 0, 1), {}),
              StoreStatus::ReadOnly);
    EXPECT_EQ(store.AddPupil("Anna", ""), PupilChange::NotSaved);
    EXPECT_EQ(store.RemovePupil(pupil), PupilChange::NotSaved);
    store.Close();
    fs::permissions(folder.File("Zentavo"), fs::perms::owner_all);
    EXPECT_EQ(ReadBytes(path), before);
}

INSTANTIATE_TEST_SUITE_P(Permissions, HistoryReadOnly,
                         ::testing::Values(ReadOnlyCase{"File", true, false},
                                           ReadOnlyCase{"Folder", false, true},
                                           ReadOnlyCase{"Both", true, true}),
                         CaseName());

TEST(HistoryRobustness, AReadOnlyFolderWithoutAFileGivesNoHistory) {
    TempFolder folder;
    fs::create_directories(folder.File("Zentavo"));
    fs::permissions(folder.File("Zentavo"), fs::perms::owner_read | fs::perms::owner_exec);
    HistoryStore store;
    EXPECT_EQ(store.Open(HistoryFile(folder), "giulia"), StoreStatus::ReadOnly);
    EXPECT_TRUE(store.Pupils().empty());
    EXPECT_FALSE(Exists(HistoryFile(folder)));
}

TEST(HistoryRobustness, AFolderThatCannotBeMadeGivesNoHistory) {
    TempFolder folder;
    WriteBytes(folder.File("Zentavo"), "a file where the folder should be");
    HistoryStore store;
    EXPECT_EQ(store.Open(HistoryFile(folder), "giulia"), StoreStatus::Unavailable);
    EXPECT_FALSE(store.CanSave());
    EXPECT_EQ(ReadBytes(folder.File("Zentavo")), "a file where the folder should be");
}

TEST(HistoryRobustness, AFullDiskLosesOnlyTheSentenceBeingWritten) {
    UseRomeTime();
    TempFolder folder;
    const std::string path = HistoryFile(folder);
    FullDiskVfs vfs;
    HistoryStore store;
    ASSERT_EQ(store.Open(path, "giulia"), StoreStatus::Ok);
    const PupilId pupil = *store.CurrentPupil();
    std::vector<KeystrokeRecord> k;
    AddKeystrokes(k, 'a', 's', 2, 100);
    ASSERT_EQ(store.RecordSentence(pupil, Sentence(kMoment, 1.0f, 3, 2, 4), k), StoreStatus::Ok);

    vfs.SetFull(true);
    EXPECT_EQ(store.RecordSentence(pupil, Sentence(kMoment + 60, 2.0f, 3, 2, 4), k),
              StoreStatus::DiskFull);
    EXPECT_EQ(store.Status(), StoreStatus::DiskFull);
    EXPECT_FALSE(store.CanSave());
    EXPECT_EQ(store.AddPupil("Anna", ""), PupilChange::NotSaved);

    // Space freed: writing goes on, and nothing of the lost sentence remains.
    vfs.SetFull(false);
    EXPECT_EQ(store.RecordSentence(pupil, Sentence(kMoment + 120, 3.0f, 3, 2, 4), k),
              StoreStatus::Ok);
    const ProgressFigures f = store.Figures(pupil, Period::All, kMoment + 3600);
    EXPECT_EQ(f.sentences, 2);
    EXPECT_DOUBLE_EQ(f.bestSpeed, 3.0);
    ASSERT_EQ(f.topConfusions.size(), 1u);
    EXPECT_EQ(f.topConfusions[0].count, 4);
    EXPECT_EQ(store.Summary(pupil)->sentences, 2);
    store.Close();

    HistoryStore again;
    EXPECT_EQ(again.Open(path, "giulia"), StoreStatus::Ok);
    EXPECT_TRUE(DamagedFiles(folder.File("Zentavo")).empty());
}

TEST(HistoryRobustness, AFullDiskAtTheFirstStartGivesNoHistory) {
    TempFolder folder;
    FullDiskVfs vfs;
    vfs.SetFull(true);
    HistoryStore store;
    EXPECT_EQ(store.Open(HistoryFile(folder), "giulia"), StoreStatus::DiskFull);
    EXPECT_FALSE(store.CanSave());
    EXPECT_TRUE(store.Pupils().empty());
}

// Runs `child` in a process of its own; returns its exit code.
class ChildProcess {
public:
    explicit ChildProcess(const std::function<int(int readFd, int writeFd)>& child) {
        int toChild[2], toParent[2];
        if (::pipe(toChild) != 0 || ::pipe(toParent) != 0)
            throw std::runtime_error("pipe");
        m_pid = ::fork();
        if (m_pid == 0) {
            ::close(toChild[1]);
            ::close(toParent[0]);
            ::_exit(child(toChild[0], toParent[1]));
        }
        ::close(toChild[0]);
        ::close(toParent[1]);
        m_write = toChild[1];
        m_read = toParent[0];
    }
    ~ChildProcess() {
        ::close(m_write);
        ::close(m_read);
        if (m_pid > 0)
            ::waitpid(m_pid, nullptr, 0);
    }
    char Receive() {
        char c = 0;
        return ::read(m_read, &c, 1) == 1 ? c : '\0';
    }
    void Send(char c) { ASSERT_EQ(::write(m_write, &c, 1), 1); }
    int Wait() {
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t m_pid = -1;
    int m_read = -1;
    int m_write = -1;
};

char ReceiveFrom(int fd) {
    char c = 0;
    return ::read(fd, &c, 1) == 1 ? c : '\0';
}

void SendTo(int fd, char c) {
    [[maybe_unused]] const auto n = ::write(fd, &c, 1);
}

TEST(HistoryRobustness, TwoTutorsOfTheSameAccountNeverBothWrite) {
    TempFolder folder;
    const std::string path = HistoryFile(folder);
    MakeHistory(path, 0);
    // The first tutor: opens the history, records one sentence, and keeps
    // it open until told to end.
    ChildProcess first([&](int in, int out) {
        HistoryStore store;
        if (store.Open(path, "giulia") != StoreStatus::Ok)
            return 1;
        if (store.RecordSentence(*store.CurrentPupil(), Sentence(kMoment, 1.0f, 1, 0, 1), {}) !=
            StoreStatus::Ok)
            return 2;
        SendTo(out, 'R');
        ReceiveFrom(in);
        if (store.RecordSentence(*store.CurrentPupil(), Sentence(kMoment + 9, 1.0f, 1, 0, 1), {}) !=
            StoreStatus::Ok)
            return 3;
        return 0;
    });
    ASSERT_EQ(first.Receive(), 'R');

    HistoryStore second;
    EXPECT_EQ(second.Open(path, "giulia"), StoreStatus::Locked);
    EXPECT_FALSE(second.CanSave());
    EXPECT_EQ(second.RecordSentence(1, Sentence(kMoment + 5, 1.0f, 1, 0, 1), {}),
              StoreStatus::Locked);
    EXPECT_EQ(second.AddPupil("Anna", ""), PupilChange::NotSaved);
    EXPECT_TRUE(DamagedFiles(folder.File("Zentavo")).empty());
    second.Close();

    first.Send('E');
    EXPECT_EQ(first.Wait(), 0);
    // Once the first tutor has ended, the history opens again with its two
    // sentences only.
    HistoryStore after;
    ASSERT_EQ(after.Open(path, "giulia"), StoreStatus::Ok);
    EXPECT_EQ(after.Figures(*after.CurrentPupil(), Period::All, kMoment + 60).sentences, 2);
    EXPECT_EQ(after.Pupils().size(), 1u);
}

TEST(HistoryRobustness, AKillLosesAtMostTheSentenceInProgress) {
    TempFolder folder;
    const std::string path = HistoryFile(folder);
    MakeHistory(path, 0);
    ChildProcess tutor([&](int, int out) {
        HistoryStore store;
        if (store.Open(path, "giulia") != StoreStatus::Ok)
            return 1;
        for (int i = 0; i < 3; ++i)
            store.RecordSentence(*store.CurrentPupil(), Sentence(kMoment + i, 1.0f, 1, 0, 1), {});
        SendTo(out, 'R');
        // Killed here, without closing anything.
        ::kill(::getpid(), SIGKILL);
        return 0;
    });
    ASSERT_EQ(tutor.Receive(), 'R');
    EXPECT_EQ(tutor.Wait(), -1);
    HistoryStore store;
    ASSERT_EQ(store.Open(path, "giulia"), StoreStatus::Ok);
    EXPECT_EQ(store.Figures(*store.CurrentPupil(), Period::All, kMoment + 60).sentences, 3);
}

} // namespace
