#include "tutor/core/PracticeRecorder.h"

#include "TutorHarness.h"
#include "history/HistoryDatabase.h"
#include "tutor/core/ProgressStoreMessage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

// The exercise run with a recorder on a real history in the test's folder;
// every sentence of the exercise "prova" is "Ab c".
struct RecordingHarness {
    RecordingHarness() {
        t.folder.Write("Esercizi/prova.ftd",
                       ExerciseBytes({{"1", "Ab c"}, {"2", "Ab c"}, {"3", "Ab c"}}));
        store.Open(HistoryPath(), "giulia");
        recorder.SetPupil(store.CurrentPupil());
        t.run.SetPracticeObserver(&recorder);
        t.Open();
        t.catalogue.ChooseEntry(1);
    }
    std::string HistoryPath() const { return t.folder.Path() + "history/history.sqlite"; }
    // Each sentence draws an index of its own: a drawn index stays used
    // until the exercise ends, also when it was given up.
    void StartSentence() {
        t.WillDraw(++m_drawn, 1);
        t.run.KeyPressed('\r');
    }
    // Types a key `ms` milliseconds after the previous one.
    void TypeAfter(std::int64_t ms, char key) {
        t.clock.ms += ms;
        t.run.KeyPressed(key);
    }
    void FinishWith(char key) {
        t.WillPraise(1, 0);
        TypeAfter(100, key);
        t.Pause();
    }
    ProgressFigures Figures() const {
        return store.Figures(*store.CurrentPupil(), Period::All, t.clock.now);
    }

    TutorHarness t;
    HistoryStore store;
    std::vector<std::pair<StoreStatus, std::string>> reports;
    PracticeRecorder recorder{store, [this](StoreStatus status, const std::string& kept) {
                                  reports.emplace_back(status, kept);
                              }};

private:
    int m_drawn = 0;
};

const KeyFigures& Key(const ProgressFigures& f, char c) {
    const auto it = std::find_if(f.keys.begin(), f.keys.end(),
                                 [c](const KeyFigures& k) { return k.character == c; });
    if (it == f.keys.end())
        throw std::runtime_error(std::string("no figures for ") + c);
    return *it;
}

TEST(PracticeRecorder, AFinishedSentenceIsRecordedWithItsKeystrokes) {
    RecordingHarness h;
    h.StartSentence();
    h.TypeAfter(5000, 'a'); // before the clock runs: neither counted nor recorded
    h.TypeAfter(700, 'A');
    h.TypeAfter(300, 'x'); // instead of b
    h.TypeAfter(200, 'b');
    h.TypeAfter(150, ' ');
    EXPECT_EQ(h.recorder.Gathered().size(), 4u);
    h.t.clock.now += 4;
    h.FinishWith('c');
    EXPECT_TRUE(h.recorder.Gathered().empty());

    const ProgressFigures f = h.Figures();
    EXPECT_EQ(f.sentences, 1);
    EXPECT_EQ(f.correct, 4);
    EXPECT_EQ(f.wrong, 1);
    EXPECT_EQ(f.seconds, 4);
    EXPECT_DOUBLE_EQ(f.bestSpeed, 1.0); // 4 characters in 4 seconds
    ASSERT_EQ(f.keys.size(), 4u);
    EXPECT_EQ(Key(f, 'A').keystrokes, 1);
    EXPECT_DOUBLE_EQ(Key(f, 'A').averageIntervalMs, 0.0); // the first keystroke has none
    EXPECT_EQ(Key(f, 'b').keystrokes, 2);
    EXPECT_EQ(Key(f, 'b').wrong, 1);
    EXPECT_DOUBLE_EQ(Key(f, 'b').averageIntervalMs, 250.0);
    EXPECT_DOUBLE_EQ(Key(f, 'c').averageIntervalMs, 100.0);
    EXPECT_EQ(f.topConfusions, (std::vector<ConfusionFigures>{{'b', 'x', 1}}));
    EXPECT_TRUE(h.reports.empty());

    h.store.Close();
    HistoryDatabase db(h.HistoryPath(), true);
    EXPECT_EQ(db.QueryText("SELECT exercise || '/' || level || '/' || number || '/' || points "
                           "FROM sentences"),
              "prova.ftd/1/1/40");
}

TEST(PracticeRecorder, ARestartDropsTheSentenceBeingTyped) {
    RecordingHarness h;
    h.StartSentence();
    h.TypeAfter(100, 'A');
    h.TypeAfter(100, 'x');
    h.t.run.Restart();
    EXPECT_TRUE(h.recorder.Gathered().empty());
    EXPECT_EQ(h.Figures().sentences, 0);
    EXPECT_TRUE(h.Figures().keys.empty());

    // The next sentence is recorded alone, and its first keystroke has no
    // interval reaching back into the dropped one.
    h.t.run.EnterStartScreen();
    h.t.catalogue.ChooseEntry(1);
    h.StartSentence();
    h.TypeAfter(100, 'A');
    h.TypeAfter(100, 'b');
    h.TypeAfter(100, ' ');
    h.FinishWith('c');
    const ProgressFigures f = h.Figures();
    EXPECT_EQ(f.sentences, 1);
    EXPECT_EQ(f.wrong, 0);
    EXPECT_TRUE(f.topConfusions.empty());
    EXPECT_DOUBLE_EQ(Key(f, 'A').averageIntervalMs, 0.0);
}

TEST(PracticeRecorder, ClosingMidSentenceLeavesNoTrace) {
    TempFolder folder;
    const std::string path = folder.Path() + "history.sqlite";
    {
        RecordingHarness h;
        h.store.Close();
        h.store.Open(path, "giulia");
        h.StartSentence();
        h.TypeAfter(100, 'A');
        h.TypeAfter(100, 'b');
    }
    HistoryStore store;
    ASSERT_EQ(store.Open(path, "giulia"), StoreStatus::Ok);
    EXPECT_EQ(store.Summary(*store.CurrentPupil())->sentences, 0);
    EXPECT_TRUE(store.PracticeProfileOf(*store.CurrentPupil()).keys.empty());
}

TEST(PracticeRecorder, APauseIsNoInterval) {
    RecordingHarness h;
    h.StartSentence();
    h.TypeAfter(100, 'A');
    h.TypeAfter(PracticeRecorder::kLongestIntervalMs + 1, 'b');
    h.TypeAfter(PracticeRecorder::kLongestIntervalMs, ' ');
    h.FinishWith('c');
    const ProgressFigures f = h.Figures();
    EXPECT_EQ(Key(f, 'b').keystrokes, 1);
    EXPECT_DOUBLE_EQ(Key(f, 'b').averageIntervalMs, 0.0);
    EXPECT_DOUBLE_EQ(Key(f, ' ').averageIntervalMs,
                     static_cast<double>(PracticeRecorder::kLongestIntervalMs));
}

TEST(PracticeRecorder, WithoutAPupilNothingIsRecorded) {
    RecordingHarness h;
    h.recorder.SetPupil(std::nullopt);
    h.StartSentence();
    h.TypeAfter(100, 'A');
    h.TypeAfter(100, 'b');
    h.TypeAfter(100, ' ');
    h.FinishWith('c');
    EXPECT_EQ(h.Figures().sentences, 0);
    EXPECT_TRUE(h.reports.empty());
}

TEST(PracticeRecorder, AStoreThatCannotSaveIsReportedOnceAndPractiseGoesOn) {
    RecordingHarness h;
    const PupilId pupil = *h.store.CurrentPupil();
    h.store.Close();
    {
        HistoryDatabase db(h.HistoryPath(), false);
        db.Execute("PRAGMA user_version = 9");
    }
    ASSERT_EQ(h.store.Open(h.HistoryPath(), "giulia"), StoreStatus::NewerSchema);
    h.recorder.SetPupil(pupil);
    h.recorder.ReportStoreStatus();
    ASSERT_EQ(h.reports.size(), 1u);
    EXPECT_EQ(h.reports[0].first, StoreStatus::NewerSchema);

    for (int sentence = 0; sentence < 2; ++sentence) {
        h.StartSentence();
        h.TypeAfter(100, 'A');
        h.TypeAfter(100, 'b');
        h.TypeAfter(100, ' ');
        h.FinishWith('c');
    }
    EXPECT_EQ(h.reports.size(), 1u);
    EXPECT_EQ(h.t.run.SentenceNumber(), 2);
    EXPECT_EQ(h.t.run.TotalCorrect(), 8);
}

TEST(PracticeRecorder, AFailedWriteIsReportedWhenItHappens) {
    RecordingHarness h;
    h.recorder.SetPupil(4242); // no such pupil: the history refuses the sentence
    h.recorder.ReportStoreStatus();
    EXPECT_TRUE(h.reports.empty());
    h.StartSentence();
    h.TypeAfter(100, 'A');
    h.TypeAfter(100, 'b');
    h.TypeAfter(100, ' ');
    h.FinishWith('c');
    ASSERT_EQ(h.reports.size(), 1u);
    EXPECT_EQ(h.reports[0].first, StoreStatus::Unavailable);
}

TEST(PracticeRecorder, FollowsTheCurrentPupilOrElseTheFirst) {
    RecordingHarness h;
    PupilId anna = 0;
    ASSERT_EQ(h.store.AddPupil("Anna", "", &anna), PupilChange::Done);
    ASSERT_EQ(h.store.SetCurrentPupil(anna), PupilChange::Done);
    h.recorder.FollowStorePupil();
    EXPECT_EQ(h.recorder.Pupil(), anna);
    const PupilId giulia = h.store.Pupils()[1].id;
    ASSERT_EQ(h.store.RemovePupil(anna), PupilChange::Done); // no current pupil now
    h.recorder.FollowStorePupil();
    EXPECT_EQ(h.recorder.Pupil(), giulia);
    ASSERT_EQ(h.store.RemovePupil(giulia), PupilChange::Done);
    h.recorder.FollowStorePupil();
    EXPECT_EQ(h.recorder.Pupil(), std::nullopt);
}

struct MessageCase {
    const char* name;
    StoreStatus status;
    std::string text;
};

class ProgressMessage : public ::testing::TestWithParam<MessageCase> {};

TEST_P(ProgressMessage, NamesTheReason) {
    const UiTexts texts = UiTexts::BuiltIn(UiProgram::Tutor);
    EXPECT_EQ(ProgressStoreMessage(GetParam().status, "/h/old.sqlite", texts), GetParam().text);
}

const std::string kCannot = "I progressi non possono essere salvati.\r\n";
const std::string kGoOn = "\r\nPuoi comunque continuare a esercitarti.";

INSTANTIATE_TEST_SUITE_P(
    Statuses, ProgressMessage,
    ::testing::Values(
        MessageCase{"Ok", StoreStatus::Ok, ""},
        MessageCase{"Locked", StoreStatus::Locked,
                    kCannot +
                        "L'archivio dei progressi \xE8 gi\xE0 usato da un altro Zentavo "
                        "aperto." +
                        kGoOn},
        MessageCase{"ReadOnly", StoreStatus::ReadOnly,
                    kCannot + "L'archivio dei progressi \xE8 di sola lettura." + kGoOn},
        MessageCase{"DiskFull", StoreStatus::DiskFull, kCannot + "Il disco \xE8 pieno." + kGoOn},
        MessageCase{"NewerSchema", StoreStatus::NewerSchema,
                    kCannot +
                        "L'archivio dei progressi \xE8 stato scritto da una versione pi\xF9 "
                        "recente di Zentavo." +
                        kGoOn},
        MessageCase{"Unavailable", StoreStatus::Unavailable,
                    kCannot + "L'archivio dei progressi non pu\xF2 essere aperto." + kGoOn},
        MessageCase{"StartedAfresh", StoreStatus::StartedAfresh,
                    "L'archivio dei progressi era danneggiato ed \xE8 stato messo da parte "
                    "come:\r\n/h/old.sqlite\r\nDa ora i progressi vengono salvati in un archivio "
                    "nuovo."}),
    [](const ::testing::TestParamInfo<MessageCase>& param) { return param.param.name; });

} // namespace
