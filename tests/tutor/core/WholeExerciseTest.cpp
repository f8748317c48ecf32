// One exercise of 15 built-in sentences played through the exercise run
// with a fake clock: wrong keys before and after the clock starts, line
// breaks, a sentence typed within one second, records, and "Continua" at
// every results window. Every expected figure below is worked out from the
// rules by hand (Principiante: factor 0.4, gauge 300, k = 75).
#include "TutorHarness.h"
#include "tutor/core/BuiltInSentence.h"
#include "tutor/core/ResultsFigures.h"

#include <gtest/gtest.h>

namespace {

struct SentencePlan {
    int index;               // built-in sentence drawn
    std::size_t length;      // characters, CR LF counted as two
    int keystrokes;          // correct keystrokes: one Enter per line break
    int seconds;             // from the first to the last correct keystroke
    std::string wrongBefore; // typed before the first correct keystroke
    int wrongAfter;          // correct keystrokes typed before `wrong`
    std::string wrong;       // counted wrong keystrokes
    int praise;              // 1..7
    int picture;             // 0..2; -1 for a record
    float speed;
    int points;
    int gauge;  // 75 x seconds per character, halves to even
    int marker; // record marker after the sentence
    const char* levelAverage;
    const char* counters; // correct "this/total", wrong "this/total"
    const char* wrongCounter;
};

// Level 1: speeds 2, 3, 1.25, 2, 2.25; capped 2, 2.5, 1.25, 2, 2.25 sum to 10,
// average 2.0: 80 points.
// Level 2: speeds 2, 3, 1.25, 1.25, 1; capped sum 8, average 1.6: 64.
// Level 3: speeds 2, 2, 2, 1.25, 5 (under one second); capped sum 9.75,
// average 1.95: 78.
const std::vector<SentencePlan> kPlan = {
    // idx len keys s  before    at wrong praise pic speed  pts gauge marker avg
    {4, 26, 26, 13, "", 0, "", 1, 0, 2.0f, 80, 39, 39, "80", "26/26", "0/0"},
    {5, 33, 33, 11, "", 0, "", 3, -1, 3.0f, 100, 26, 26, "90", "33/59", "0/0"},
    {1, 40, 40, 32, "q\r", 1, "xZ", 2, 1, 1.25f, 50, 62, 26, "76", "40/99", "2/2"},
    {15, 42, 42, 21, "", 0, "", 7, 2, 2.0f, 80, 38, 26, "77", "42/141", "0/2"},
    {11, 36, 36, 16, "", 0, "", 4, 0, 2.25f, 90, 34, 26, "80", "36/177", "0/2"},
    {28, 54, 54, 27, "", 0, "", 1, 0, 2.0f, 80, 38, 38, "80", "54/231", "0/2"},
    {22, 60, 60, 20, "", 0, "", 2, -1, 3.0f, 100, 25, 25, "90", "60/291", "0/2"},
    {18, 65, 65, 52, "", 10, "abc", 5, 1, 1.25f, 50, 61, 25, "76", "65/356", "3/5"},
    {26, 60, 60, 48, "", 0, "", 6, 2, 1.25f, 50, 61, 25, "70", "60/416", "0/5"},
    {24, 58, 58, 58, "", 0, "", 1, 0, 1.0f, 40, 76, 25, "64", "58/474", "0/5"},
    {36, 68, 67, 34, "", 0, "", 1, 0, 2.0f, 80, 38, 38, "80", "67/541", "0/5"},
    {42, 104, 103, 52, "", 0, "", 1, 0, 2.0f, 80, 38, 38, "80", "103/644", "0/5"},
    {31, 98, 97, 49, "", 90, "\r", 1, 0, 2.0f, 80, 38, 38, "80", "97/741", "1/6"},
    {34, 105, 104, 84, "", 0, "", 1, 0, 1.25f, 50, 61, 38, "72", "104/845", "0/6"},
    {38, 91, 90, 0, "", 0, "", 7, -1, 5.0f, 100, 0, 0, "78", "90/935", "0/6"},
};

// The keystrokes that type a sentence: one Enter for each CR LF.
std::string Keystrokes(const std::string& sentence) {
    std::string keys;
    for (std::size_t i = 0; i < sentence.size(); ++i) {
        if (sentence[i] == '\n' && i > 0 && sentence[i - 1] == '\r')
            continue;
        keys += sentence[i];
    }
    return keys;
}

void ExpectLevel(const ResultsFigures& figures, std::int16_t level,
                 const std::array<int, 5>& points, const std::array<const char*, 5>& perMinute,
                 int average, const char* averagePerMinute) {
    const LevelResults results = figures.Level(level);
    for (std::size_t r = 0; r < 5; ++r) {
        EXPECT_EQ(results.rows[r].points, points[r]) << "level " << level << " row " << r;
        EXPECT_EQ(results.rows[r].speedPerMinute, perMinute[r])
            << "level " << level << " row " << r;
    }
    EXPECT_EQ(results.averagePoints, average) << level;
    EXPECT_EQ(results.averageSpeedPerMinute, averagePerMinute) << level;
    EXPECT_EQ(results.symbol, 3) << level;
}

ResultsFigures FiguresOf(const ResultsTable& table) {
    ResultsFigures figures;
    figures.table = table;
    figures.texts = ResultsTexts::From(UiTexts::BuiltIn(UiProgram::Tutor));
    return figures;
}

TEST(WholeExercise, FifteenSentencesThreeLevelsAndTheResults) {
    TutorHarness t;
    t.Open();
    t.presenter.answers = {0, 0, 0};

    for (std::size_t i = 0; i < kPlan.size(); ++i) {
        const SentencePlan& p = kPlan[i];
        const int n = static_cast<int>(i) + 1;
        const int level = (n - 1) / 5 + 1;
        SCOPED_TRACE("sentence " + std::to_string(n));
        if (n == 4)
            t.WillDraw(4, 1); // already used at sentence 1: drawn again
        t.WillDraw(p.index, level);
        t.run.KeyPressed('\r');

        const std::string sentence = BuiltInSentence(static_cast<std::int16_t>(p.index));
        ASSERT_EQ(t.Screen().sentence, sentence);
        ASSERT_EQ(sentence.size(), p.length);
        EXPECT_EQ(t.run.SentenceNumber(), n);
        EXPECT_EQ(t.run.LevelsReached(), level);
        EXPECT_EQ(t.Screen().sentenceNumber, std::to_string((n - 1) % 5 + 1));
        EXPECT_EQ(t.run.Sentence().FirstOfLevel, n % 5 == 1);

        const std::string keys = Keystrokes(sentence);
        ASSERT_EQ(static_cast<int>(keys.size()), p.keystrokes);
        for (char c : p.wrongBefore)
            t.run.KeyPressed(c);
        if (p.picture >= 0)
            t.WillPraise(p.praise, p.picture);
        else
            t.WillPraise(p.praise);
        for (int k = 0; k < p.keystrokes; ++k) {
            if (k == p.wrongAfter) {
                for (char c : p.wrong)
                    t.run.KeyPressed(c);
            }
            if (k == 1) {
                t.clock.now += p.seconds;
                t.run.ClockTick();
            }
            t.run.KeyPressed(keys[static_cast<std::size_t>(k)]);
        }
        ASSERT_TRUE(t.run.Sentence().SentenceDone);

        EXPECT_EQ(t.run.Results().SentenceSpeeds[static_cast<std::size_t>(n)], p.speed);
        EXPECT_NE(t.Screen().message.find("  " + std::to_string(p.points) + " punti"),
                  std::string::npos)
            << t.Screen().message;
        EXPECT_EQ(t.Screen().pointsIcon, PointsIcon(p.points, 0));
        EXPECT_EQ(t.run.Timing().GaugeLength(), p.gauge);
        EXPECT_EQ(t.Screen().recordMarkerWidth, p.marker);
        const bool record = p.picture < 0;
        EXPECT_EQ(t.observer.sounds.back(), record ? 103 : 102);
        EXPECT_EQ(t.Screen().recordAnimation, record);
        if (!record) {
            EXPECT_EQ(t.Screen().picture.value, 430 + p.picture);
        }
        EXPECT_EQ(t.Screen().levelAverages[static_cast<std::size_t>(level - 1)], p.levelAverage);
        EXPECT_EQ(t.Screen().correctCounter, p.counters);
        EXPECT_EQ(t.Screen().wrongCounter, p.wrongCounter);
        EXPECT_EQ(t.Screen().face, (ErrorFace{'J', false}));
        EXPECT_EQ(t.Screen().input, sentence);
        t.Pause();
    }

    EXPECT_TRUE(t.random.script.empty());
    ASSERT_EQ(t.presenter.shown.size(), 2u);

    const ResultsTable& level1 = t.presenter.shown[0];
    EXPECT_EQ(level1.ResultsOutcome, 1);
    EXPECT_EQ(level1.LevelsReached, 1);
    EXPECT_EQ(level1.TotalCorrect, 177);
    EXPECT_EQ(level1.TotalWrong, 2);
    EXPECT_EQ(level1.CategoryName, "Principiante");
    const ResultsFigures figures1 = FiguresOf(level1);
    ExpectLevel(figures1, 1, {80, 100, 50, 80, 90}, {"120", "180", "75", "120", "135"}, 80, "126");
    EXPECT_EQ(figures1.Totals().points, 80);
    EXPECT_EQ(figures1.Totals().speedPerMinute, "126");
    EXPECT_EQ(figures1.Totals().ratioLine, "- Rapporto errori/battute: 1,1%"); // 2 / 177

    const ResultsTable& level2 = t.presenter.shown[1];
    EXPECT_EQ(level2.LevelsReached, 2);
    EXPECT_EQ(level2.TotalCorrect, 474);
    EXPECT_EQ(level2.TotalWrong, 5);
    const ResultsFigures figures2 = FiguresOf(level2);
    ExpectLevel(figures2, 2, {80, 100, 50, 50, 40}, {"120", "180", "75", "75", "60"}, 64, "102");
    EXPECT_EQ(figures2.Totals().points, 72);            // (80 + 64) / 2
    EXPECT_EQ(figures2.Totals().speedPerMinute, "114"); // (2.1 + 1.7) x 60 / 2

    // The Enter after sentence 15 opens the results of the whole exercise;
    // with no list and no command line the same exercise starts again.
    t.WillDraw(3, 1);
    t.run.KeyPressed('\r');
    ASSERT_EQ(t.presenter.shown.size(), 3u);
    const ResultsTable& whole = t.presenter.shown[2];
    EXPECT_EQ(whole.ResultsOutcome, 2);
    EXPECT_EQ(whole.LevelsReached, 3);
    EXPECT_EQ(whole.TotalCorrect, 935);
    EXPECT_EQ(whole.TotalWrong, 6);
    const ResultsFigures figures3 = FiguresOf(whole);
    ExpectLevel(figures3, 1, {80, 100, 50, 80, 90}, {"120", "180", "75", "120", "135"}, 80, "126");
    ExpectLevel(figures3, 2, {80, 100, 50, 50, 40}, {"120", "180", "75", "75", "60"}, 64, "102");
    ExpectLevel(figures3, 3, {80, 80, 80, 50, 100}, {"120", "120", "120", "75", "300"}, 78, "147");
    const ResultsTotals totals = figures3.Totals();
    EXPECT_EQ(totals.averagePointsSum, 222);
    EXPECT_EQ(totals.points, 74);
    EXPECT_EQ(totals.speedPerMinute, "125"); // (2.1 + 1.7 + 2.45) x 60 / 3
    EXPECT_EQ(totals.symbol, 3);
    EXPECT_EQ(totals.wrongLine, "- Totali errori di battitura: 6");
    EXPECT_EQ(totals.correctLine, "- Totali  numero  battute: 935");
    EXPECT_EQ(totals.ratioLine, "- Rapporto errori/battute: 0,6%");
    EXPECT_EQ(totals.errorRating, "J0");
    EXPECT_EQ(figures3.EndMessage(),
              "Complimenti! Hai terminato l'eserczio di dattilografia.\r\n\r\n"
              "Se vuoi iniziare da capo premi il pulsante: Continua.\r\n"
              "Se, invece, vuoi uscire dal programma, premi il pulsante: Termina");

    EXPECT_EQ(t.run.SentenceNumber(), 1);
    EXPECT_EQ(t.Screen().sentence, BuiltInSentence(3));
    EXPECT_EQ(t.Screen().correctCounter, "0/0");
    EXPECT_EQ(t.Screen().wrongCounter, "0/0");
    EXPECT_EQ(t.Screen().levelAverages, (std::array<std::string, 3>{}));
    EXPECT_EQ(t.run.Results().SentenceSpeeds, (std::array<float, 16>{}));
    EXPECT_EQ(t.run.UsedIndexes()[1], 3);
    EXPECT_EQ(t.run.UsedIndexes()[15], 0);
    EXPECT_EQ(t.observer.closeRequests, 0);
}

TEST(WholeExercise, MessagesOfAnOrdinaryResultAndOfARecord) {
    TutorHarness t;
    t.Open();
    for (std::size_t i = 0; i < 2; ++i) {
        const SentencePlan& p = kPlan[i];
        t.WillDraw(p.index, 1);
        t.run.KeyPressed('\r');
        p.picture >= 0 ? t.WillPraise(p.praise, p.picture) : t.WillPraise(p.praise);
        const std::string keys = Keystrokes(t.Screen().sentence);
        t.run.KeyPressed(keys[0]);
        t.clock.now += p.seconds;
        t.Type(keys.substr(1));
        if (i == 0) {
            EXPECT_EQ(t.Screen().message,
                      "Bene! Hai totalizzato  80 punti, digitando alla media di 120 battute al "
                      "minuto\r\n Premi il tasto Invio per continuare.");
        } else {
            EXPECT_EQ(t.Screen().message,
                      "Sei grande! Hai totalizzato  100 punti e, digitando alla media di 180 "
                      "battute al minuto\r\nhai anche superato il tuo record precedente. Premi il "
                      "tasto Invio per continuare.");
        }
        t.Pause();
    }
}

} // namespace
