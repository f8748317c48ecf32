#include "tutor/core/ClassCopier.h"

#include "EngineFakes.h"
#include "TestFolder.h"
#include "common/core/Settings.h"
#include "history/HistoryDatabase.h"
#include "tutor/core/ClassFolderMessage.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// Holds the work handed off the thread until the test lets it run.
class HeldWork : public BackgroundWork {
public:
    void Run(std::function<void()> work, std::function<void()> done) override {
        m_jobs.push_back({std::move(work), std::move(done)});
    }
    std::size_t Waiting() const { return m_jobs.size(); }
    // Runs everything handed off, including what the finished jobs hand off.
    void RunAll() {
        while (!m_jobs.empty()) {
            auto [work, done] = std::move(m_jobs.front());
            m_jobs.pop_front();
            work();
            done();
        }
    }

private:
    std::deque<std::pair<std::function<void()>, std::function<void()>>> m_jobs;
};

struct Tutor {
    Tutor() {
        store.Open(folder.Path() + "history/history.sqlite", "giulia");
        pupil = *store.CurrentPupil();
        store.RenamePupil(pupil, "Anna", "3B");
        store.SetRecordListener(
            [this](PupilId p, const SentenceRecord& s) { copier.SentenceRecorded(p, s); });
    }
    ~Tutor() { store.SetRecordListener(nullptr); }
    // An exercise's last sentences, the last one numbered 15.
    void Finish(int sentences) { Record(16 - sentences, 15); }
    void Record(int firstNumber, int lastNumber) {
        for (int number = firstNumber; number <= lastNumber; ++number) {
            SentenceRecord s;
            s.finishedAt = clock.now += 60;
            s.number = static_cast<std::int16_t>(number);
            s.speed = 2.5f;
            s.correct = 30;
            store.RecordSentence(pupil, s, {{'a', 'a', 100}, {'b', 'v', 120}});
        }
    }
    std::int64_t ClassSentences() const {
        HistoryDatabase db(folderPath + "/3B - Anna.sqlite", SharedFileAccess::Read);
        return db.QueryInt("SELECT sentences FROM pupil_summary");
    }

    TempFolder folder;
    std::string folderPath = folder.Path() + "class";
    FakeClock clock;
    HeldWork work;
    HistoryStore store;
    PupilId pupil = 0;
    std::vector<ClassCopyStatus> reports;
    ClassCopier copier{store, folderPath, work, clock,
                       [this](ClassCopyStatus s) { reports.push_back(s); }};
};

TEST(ClassCopier, CopiesOffTheThreadAfterEachLevel) {
    Tutor t;
    fs::create_directories(t.folderPath);
    t.Record(1, 4);
    EXPECT_EQ(t.work.Waiting(), 0u) << "nothing before the level's end";
    t.Record(5, 5);
    EXPECT_EQ(t.work.Waiting(), 1u);
    EXPECT_FALSE(fs::exists(t.folderPath + "/3B - Anna.sqlite"));
    t.work.RunAll();
    EXPECT_EQ(t.ClassSentences(), 5);
    t.Record(6, 10);
    t.work.RunAll();
    EXPECT_EQ(t.ClassSentences(), 10);
    EXPECT_EQ(t.copier.LastStatus(), ClassCopyStatus::Done);
    EXPECT_FALSE(t.copier.Busy());
    EXPECT_TRUE(t.reports.empty());
}

TEST(ClassCopier, TellsOnceAndCatchesUpWhenTheFolderComesBack) {
    Tutor t;
    t.Finish(15);
    t.copier.CopyAll();
    t.work.RunAll();
    t.Finish(15);
    t.work.RunAll();
    EXPECT_EQ(t.reports, std::vector<ClassCopyStatus>{ClassCopyStatus::FolderMissing});

    fs::create_directories(t.folderPath);
    t.Finish(15);
    t.work.RunAll();
    EXPECT_EQ(t.ClassSentences(), 45);
    EXPECT_EQ(t.reports.size(), 1u);
}

TEST(ClassCopier, AFolderThatHangsIsToldOnceAndNeverWaitedFor) {
    Tutor t;
    fs::create_directories(t.folderPath);
    t.Finish(15);
    ASSERT_EQ(t.work.Waiting(), 1u);
    t.clock.ms += ClassCopier::kNotRespondingAfterMs - 1;
    t.copier.Watch();
    EXPECT_TRUE(t.reports.empty());
    // More exercises while the share hangs: no second copy is started.
    t.Finish(15);
    t.clock.ms += 1;
    t.copier.Watch();
    t.copier.Watch();
    EXPECT_EQ(t.reports, std::vector<ClassCopyStatus>{ClassCopyStatus::NotResponding});
    EXPECT_EQ(t.work.Waiting(), 1u);
    EXPECT_TRUE(t.copier.Busy());
    // The share answers at last: the waiting exercise is copied too.
    t.work.RunAll();
    EXPECT_EQ(t.ClassSentences(), 30);
}

TEST(ClassCopier, PupilsWhoNeverPractisedGetNoFile) {
    Tutor t;
    fs::create_directories(t.folderPath);
    PupilId luca = 0;
    ASSERT_EQ(t.store.AddPupil("Luca", "3B", &luca), PupilChange::Done);
    t.Finish(3);
    t.copier.CopyAll();
    t.work.RunAll();
    EXPECT_EQ(t.ClassSentences(), 3);
    EXPECT_FALSE(fs::exists(t.folderPath + "/3B - Luca.sqlite"));
}

TEST(ClassCopier, TheComputersSettingRulesTheUsers) {
    TempFolder folder;
    const std::string computer = folder.Path() + "computer.ini";
    const std::string user = folder.Path() + "user.ini";
    const struct {
        std::string computerFolder, userFolder, expected;
    } cases[] = {
        {"/mnt/classe", "/home/anna/classe", "/mnt/classe"},
        {"", "/home/anna/classe", "/home/anna/classe"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(SaveClassFolder(computer, c.computerFolder));
        ASSERT_TRUE(SaveClassFolder(user, c.userFolder));
        EXPECT_EQ(ClassFolderSetting(computer, user), c.expected) << c.userFolder;
    }
    // A portable folder has one settings file for both.
    ASSERT_TRUE(SaveClassFolder(computer, "/mnt/classe"));
    EXPECT_EQ(ClassFolderSetting(computer, computer), "/mnt/classe");
}

TEST(ClassFolderMessage, SaysWhyAndThatPractisingGoesOn) {
    const UiTexts texts = UiTexts::BuiltIn(UiProgram::Tutor);
    EXPECT_EQ(ClassFolderMessage(ClassCopyStatus::Done, "/mnt/classe", texts), "");
    EXPECT_EQ(ClassFolderMessage(ClassCopyStatus::FolderMissing, "/mnt/classe", texts),
              texts.Text("0510") + "\r\n/mnt/classe\r\n" + texts.Text("0511") + "\r\n" +
                  texts.Text("0519"));
    EXPECT_NE(ClassFolderMessage(ClassCopyStatus::NotResponding, "/mnt/classe", texts)
                  .find(texts.Text("0518")),
              std::string::npos);
}

} // namespace
