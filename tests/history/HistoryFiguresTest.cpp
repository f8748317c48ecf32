#include "HistoryTestSupport.h"

#include "history/KeyTallies.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr char kA = 'a';
constexpr char kAGrave = '\xE0'; // à
constexpr char kOGrave = '\xF2'; // ò

const KeyFigures* Key(const std::vector<KeyFigures>& keys, char c) {
    const auto it = std::find_if(keys.begin(), keys.end(),
                                 [c](const KeyFigures& k) { return k.character == c; });
    return it == keys.end() ? nullptr : &*it;
}

// Four sentences: two on 2 March (one late in the evening), one just after
// midnight on 3 March, one on 21 January; "now" is 3 March at noon.
class HistoryFigures : public ::testing::Test {
protected:
    void SetUp() override {
        UseRomeTime();
        ASSERT_EQ(store.Open(HistoryFile(folder), "maria"), StoreStatus::Ok);
        pupil = *store.CurrentPupil();

        std::vector<KeystrokeRecord> k1;
        AddKeystrokes(k1, kAGrave, kAGrave, 1, 200);
        AddKeystrokes(k1, kAGrave, kAGrave, 1, 300);
        AddKeystrokes(k1, kAGrave, kAGrave, 1, 400);
        AddKeystrokes(k1, kAGrave, kOGrave, 1, 100);
        AddKeystrokes(k1, kAGrave, kOGrave, 1, kNoInterval);
        AddKeystrokes(k1, kA, kA, 5, 100);
        Record(Sentence(At(2026, 3, 2, 10), 2.0f, 10, 2, 5), k1);

        std::vector<KeystrokeRecord> k2;
        AddKeystrokes(k2, kA, kA, 4, 300);
        AddKeystrokes(k2, kA, 's', 1, 500);
        Record(Sentence(At(2026, 3, 2, 23, 30), 3.0f, 20, 0, 7, 15), k2);

        std::vector<KeystrokeRecord> k3;
        AddKeystrokes(k3, kAGrave, kOGrave, 1, 600);
        AddKeystrokes(k3, kAGrave, kAGrave, 1, 800);
        Record(Sentence(At(2026, 3, 3, 0, 30), 4.0f, 30, 1, 9, 2), k3);

        std::vector<KeystrokeRecord> k4;
        AddKeystrokes(k4, 'e', 'r', 2, 1000);
        Record(Sentence(At(2026, 1, 21, 9), 1.0f, 8, 2, 8, 3), k4);
    }
    void Record(const SentenceRecord& s, const std::vector<KeystrokeRecord>& k) {
        ASSERT_EQ(store.RecordSentence(pupil, s, k), StoreStatus::Ok);
    }

    TempFolder folder;
    HistoryStore store;
    PupilId pupil = 0;
    const std::int64_t now = At(2026, 3, 3, 12);
};

TEST_F(HistoryFigures, DaysAreBucketedByLocalDate) {
    const ProgressFigures f = store.Figures(pupil, Period::LastWeek, now);
    ASSERT_EQ(f.days.size(), 2u);
    EXPECT_EQ(f.days[0].date, (LocalDate{2026, 3, 2}));
    EXPECT_EQ(f.days[0].sentences, 2);
    EXPECT_DOUBLE_EQ(f.days[0].averageSpeed, 2.5);
    EXPECT_DOUBLE_EQ(f.days[0].bestSpeed, 3.0);
    EXPECT_EQ(f.days[0].correct, 30);
    EXPECT_EQ(f.days[0].wrong, 2);
    EXPECT_DOUBLE_EQ(f.days[0].accuracy, 30.0 / 32.0);
    EXPECT_EQ(f.days[0].seconds, 12);
    EXPECT_EQ(f.days[1].date, (LocalDate{2026, 3, 3}));
    EXPECT_EQ(f.days[1].sentences, 1);
    EXPECT_DOUBLE_EQ(f.days[1].averageSpeed, 4.0);
    EXPECT_DOUBLE_EQ(f.days[1].accuracy, 30.0 / 31.0);
}

TEST_F(HistoryFigures, TotalsOfThePeriod) {
    const ProgressFigures f = store.Figures(pupil, Period::LastMonth, now);
    EXPECT_EQ(f.period, Period::LastMonth);
    EXPECT_EQ(f.sentences, 3);
    EXPECT_EQ(f.exercisesFinished, 1);
    EXPECT_DOUBLE_EQ(f.averageSpeed, 3.0);
    EXPECT_DOUBLE_EQ(f.bestSpeed, 4.0);
    EXPECT_EQ(f.correct, 60);
    EXPECT_EQ(f.wrong, 3);
    EXPECT_DOUBLE_EQ(f.accuracy, 60.0 / 63.0);
    EXPECT_EQ(f.seconds, 21);
}

TEST_F(HistoryFigures, KeyRatesAndIntervals) {
    const ProgressFigures f = store.Figures(pupil, Period::LastWeek, now);
    ASSERT_EQ(f.keys.size(), 2u); // 'a' and 'à'; 'e' lies outside the week
    const KeyFigures* a = Key(f.keys, kA);
    const KeyFigures* aGrave = Key(f.keys, kAGrave);
    ASSERT_TRUE(a && aGrave);
    EXPECT_EQ(a->keystrokes, 10);
    EXPECT_EQ(a->wrong, 1);
    EXPECT_DOUBLE_EQ(a->errorRate, 0.1);
    EXPECT_DOUBLE_EQ(a->averageIntervalMs, 2200.0 / 10.0);
    EXPECT_EQ(aGrave->keystrokes, 7);
    EXPECT_EQ(aGrave->wrong, 3);
    // The keystroke without an interval counts in the rate but not the average.
    EXPECT_DOUBLE_EQ(aGrave->averageIntervalMs, 2400.0 / 6.0);
    EXPECT_FALSE(aGrave->judged); // fewer than kMinKeystrokesToJudge
    EXPECT_TRUE(f.weakestKeys.empty());
}

TEST_F(HistoryFigures, ConfusionsMostFrequentFirst) {
    const ProgressFigures f = store.Figures(pupil, Period::All, now);
    const std::vector<ConfusionFigures> expected = {
        {kAGrave, kOGrave, 3}, {'e', 'r', 2}, {kA, 's', 1}};
    EXPECT_EQ(f.topConfusions, expected);
    const ProgressFigures week = store.Figures(pupil, Period::LastWeek, now);
    EXPECT_EQ(week.topConfusions,
              (std::vector<ConfusionFigures>{{kAGrave, kOGrave, 3}, {kA, 's', 1}}));
}

struct PeriodCase {
    const char* name;
    Period period;
    std::int64_t sentences;
    std::size_t keys;
};

class HistoryPeriods : public HistoryFigures, public ::testing::WithParamInterface<PeriodCase> {};

TEST_P(HistoryPeriods, TakeTheDaysEndingToday) {
    const ProgressFigures f = store.Figures(pupil, GetParam().period, now);
    EXPECT_EQ(f.sentences, GetParam().sentences);
    EXPECT_EQ(f.keys.size(), GetParam().keys);
}

INSTANTIATE_TEST_SUITE_P(All, HistoryPeriods,
                         ::testing::Values(PeriodCase{"Week", Period::LastWeek, 3, 2},
                                           PeriodCase{"Month", Period::LastMonth, 3, 2},
                                           PeriodCase{"Year", Period::LastYear, 4, 3},
                                           PeriodCase{"All", Period::All, 4, 3}),
                         CaseName());

TEST_F(HistoryFigures, WeekStartsSixDaysBeforeToday) {
    const PupilId other = [&] {
        PupilId id = 0;
        EXPECT_EQ(store.AddPupil("luca", ""), PupilChange::Done);
        for (const PupilInfo& p : store.Pupils())
            if (p.name == "luca")
                id = p.id;
        return id;
    }();
    Record(Sentence(At(2026, 2, 25, 8), 1.0f, 1, 0, 1), {});  // 6 days before: inside
    Record(Sentence(At(2026, 2, 24, 20), 1.0f, 1, 0, 1), {}); // 7 days before: outside
    EXPECT_EQ(store.Figures(pupil, Period::LastWeek, now).sentences, 4);
    EXPECT_EQ(store.Figures(other, Period::All, now).sentences, 0);
}

TEST_F(HistoryFigures, PracticeProfileHasEveryKeyAndConfusion) {
    const PracticeProfile p = store.PracticeProfileOf(pupil);
    ASSERT_EQ(p.keys.size(), 3u);
    EXPECT_EQ(p.keys[0].character, kA); // by character code
    EXPECT_EQ(p.keys[1].character, 'e');
    EXPECT_EQ(p.keys[2].character, kAGrave);
    EXPECT_EQ(p.keys[1].wrong, 2);
    EXPECT_DOUBLE_EQ(p.keys[1].averageIntervalMs, 1000.0);
    EXPECT_EQ(p.confusions.size(), 3u);
    EXPECT_EQ(p.confusions.front(), (ConfusionFigures{kAGrave, kOGrave, 3}));
}

TEST_F(HistoryFigures, SummaryIsKeptCurrent) {
    const std::optional<PupilSummary> s = store.Summary(pupil);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->pupil.name, "maria");
    EXPECT_EQ(s->sentences, 4);
    EXPECT_EQ(s->exercisesFinished, 1);
    EXPECT_EQ(s->lastPractice, At(2026, 3, 3, 0, 30));
    EXPECT_DOUBLE_EQ(s->recentSpeed, (2.0 + 3.0 + 4.0 + 1.0) / 4.0);
    EXPECT_DOUBLE_EQ(s->accuracy, 68.0 / 73.0);
}

TEST(HistorySummary, RecentSpeedTakesTheLastTwentySentences) {
    UseRomeTime();
    TempFolder folder;
    HistoryStore store;
    ASSERT_EQ(store.Open(HistoryFile(folder), "anna"), StoreStatus::Ok);
    const PupilId pupil = *store.CurrentPupil();
    // Ten slow sentences, then twenty fast ones recorded out of time order.
    for (int i = 0; i < 10; ++i)
        store.RecordSentence(pupil, Sentence(At(2026, 1, 5, 9, i), 1.0f, 1, 0, 1), {});
    for (int i = 0; i < 20; ++i)
        store.RecordSentence(pupil, Sentence(At(2026, 2, 5, 9, 20 - i), 3.0f, 1, 0, 1), {});
    EXPECT_DOUBLE_EQ(store.Summary(pupil)->recentSpeed, 3.0);
}

TEST(HistorySummary, WeakestKeysAreJudgedKeysWithErrorsWorstFirst) {
    UseRomeTime();
    TempFolder folder;
    HistoryStore store;
    ASSERT_EQ(store.Open(HistoryFile(folder), "anna"), StoreStatus::Ok);
    const PupilId pupil = *store.CurrentPupil();
    std::vector<KeystrokeRecord> k;
    // rates: x 50 %, y 10 %, z 0 %, w 50 % of too few keystrokes, v 10 % of more
    AddKeystrokes(k, 'x', 'c', 10, 100);
    AddKeystrokes(k, 'x', 'x', 10, 100);
    AddKeystrokes(k, 'y', 'u', 2, 100);
    AddKeystrokes(k, 'y', 'y', 18, 100);
    AddKeystrokes(k, 'z', 'z', 20, 100);
    AddKeystrokes(k, 'w', 'q', 5, 100);
    AddKeystrokes(k, 'w', 'w', 5, 100);
    AddKeystrokes(k, 'v', 'b', 3, 100);
    AddKeystrokes(k, 'v', 'v', 27, 100);
    ASSERT_EQ(store.RecordSentence(pupil, Sentence(At(2026, 3, 1, 9), 1.0f, 80, 20, 50), k),
              StoreStatus::Ok);
    EXPECT_EQ(store.Figures(pupil, Period::All, At(2026, 3, 1, 10)).weakestKeys, "xvy");
    EXPECT_EQ(store.Summary(pupil)->weakestKeys, "xvy");
}

TEST(HistoryKeyTallies, CharactersSurviveAsCodePoints) {
    for (int byte = 0; byte < 256; ++byte) {
        const char c = static_cast<char>(byte);
        EXPECT_EQ(CharacterOfCode(CodeOfCharacter(c)), c) << byte;
    }
    EXPECT_EQ(CodeOfCharacter('\x80'), 0x20AC); // the euro sign
    EXPECT_FALSE(CharacterOfCode(0x4E00).has_value());
    EXPECT_FALSE(CharacterOfCode(-1).has_value());
}

TEST(HistoryKeyTallies, DamagedCountsAreMadeSane) {
    const KeyFigures k = MakeKeyFigures('a', 10, 50, -5, 0);
    EXPECT_EQ(k.wrong, 10);
    EXPECT_DOUBLE_EQ(k.errorRate, 1.0);
    EXPECT_DOUBLE_EQ(k.averageIntervalMs, 0.0);
    const KeyFigures n = MakeKeyFigures('a', -3, -3, 100, -2);
    EXPECT_EQ(n.keystrokes, 0);
    EXPECT_DOUBLE_EQ(n.errorRate, 0.0);
    EXPECT_DOUBLE_EQ(n.averageIntervalMs, 0.0);
}

} // namespace
