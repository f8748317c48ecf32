#include "tutor/core/ResultsFigures.h"

#include "EngineFakes.h"
#include "common/core/UiTexts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

ResultsFigures Figures(std::array<float, 16> speeds, float factor, std::int16_t levels) {
    ResultsFigures f;
    f.table.SentenceSpeeds = speeds;
    f.table.PointsFactor = factor;
    f.table.LevelsReached = levels;
    f.texts = ResultsTexts::From(UiTexts::BuiltIn(UiProgram::Tutor));
    return f;
}

TEST(ResultsTexts, BuiltInTextsAreUsedAsTheyAre) {
    const ResultsTexts t = ResultsTexts::From(UiTexts::BuiltIn(UiProgram::Tutor));
    EXPECT_EQ(t[0], "battute / sec");
    EXPECT_EQ(t[2], " Frase");
    EXPECT_EQ(t[10], "Risultati ottenuti da: ");
    EXPECT_EQ(t[11], " Livello");
    EXPECT_EQ(t[13], "L'esercizio corrente \xE8 stato eseguito utilizzando le frasi interne.");
    EXPECT_EQ(t[23], "Se vuoi continuare con l'esercizio precedente, premi il pulsante: Continua.");
    EXPECT_EQ(t[27], "Se, invece, vuoi uscire dal programma, premi il pulsante: Termina");
    EXPECT_EQ(t.SpeedSuffix(), " battute / min = ");
    EXPECT_EQ(t.speedUnit, "al minuto");
    EXPECT_EQ(t.LevelHeading(2, "Esperto"), " Risultati secondo livello - categoria: Esperto");
}

TEST(ResultsTexts, LanguageTextsGetTheirPrefixes) {
    const auto path = std::filesystem::temp_directory_path() / "zentavo-results-texts.lng";
    std::ofstream(path, std::ios::binary)
        << "[Strings]\r\n0092=strokes / min\r\n0093=Sentence\r\n0101=Results of: \r\n"
           "0102=Level\r\n0103=Category\r\n0094=Points\r\n0089=Second level results - "
           "category:\r\n0116=per minute\r\n";
    const UiTexts texts = UiTexts::FromFile(UiProgram::Tutor, path.string());
    std::filesystem::remove(path);
    const ResultsTexts t = ResultsTexts::From(texts);
    EXPECT_EQ(t[2], " Sentence");
    EXPECT_EQ(t[3], "Points");
    EXPECT_EQ(t[10], "   Results of:");
    EXPECT_EQ(t[11], " Level");
    EXPECT_EQ(t[12], " Category");
    EXPECT_EQ(t[0], ""); // missing from the file: empty, never Italian
    EXPECT_EQ(t.SpeedSuffix(), " strokes / min = ");
    EXPECT_EQ(t.LevelHeading(2, "Expert"), " Second level results - category: Expert");
    EXPECT_EQ(t.speedUnit, "per minute");
}

TEST(ResultsFigures, RowsOfALevel) {
    std::array<float, 16> speeds{};
    speeds[6] = 2.5f;  // 100 points
    speeds[7] = 3.0f;  // above 100: 100
    speeds[8] = 1.25f; // 50
    speeds[9] = 0.0f;  // nothing typed: 0, not 1
    speeds[10] = 0.5f; // 20
    const LevelResults level = Figures(speeds, 0.4f, 2).Level(2);
    EXPECT_EQ(level.firstSentence, 6);
    const std::array<std::int16_t, 5> points = {100, 100, 50, 0, 20};
    const std::array<const char*, 5> perMinute = {"150", "180", "75", "0", "30"};
    for (std::size_t r = 0; r < 5; ++r) {
        EXPECT_EQ(level.rows[r].number, static_cast<std::int16_t>(r + 1));
        EXPECT_EQ(level.rows[r].points, points[r]) << r;
        EXPECT_EQ(level.rows[r].speedPerMinute, perMinute[r]) << r;
    }
    EXPECT_EQ(level.rows[0].label, " Frase1 battute / min = 150");
    EXPECT_EQ(level.rows[3].pointsText, "0");
    EXPECT_EQ(level.pointsSum, 270);
    EXPECT_EQ(level.averagePoints, 54); // 270 / 5
    EXPECT_EQ(level.averageSpeed, 7.25f / 5.0f);
    EXPECT_EQ(level.averageSpeedPerMinute, "87"); // 1.45 x 60
    EXPECT_EQ(level.averageLabel, "Media: battute / min = 87");
    EXPECT_EQ(level.symbol, 2);
}

struct AverageCase {
    std::array<float, 5> speeds; // Principiante: points = speed x 40
    std::int16_t average;
    int symbol;
};

class AveragePoints : public testing::TestWithParam<AverageCase> {};

TEST_P(AveragePoints, SumOverFiveRoundedToNearest) {
    std::array<float, 16> speeds{};
    for (std::size_t i = 0; i < 5; ++i)
        speeds[11 + i] = GetParam().speeds[i];
    const LevelResults level = Figures(speeds, 0.4f, 3).Level(3);
    EXPECT_EQ(level.averagePoints, GetParam().average);
    EXPECT_EQ(level.symbol, GetParam().symbol);
}

// Principiante: 0.25 per second gives 10 points, 0.3 gives 12, 0.328125
// gives 13, 0.5 gives 20, 0.53125 gives 21, 2.0 gives 80, 2.03125 gives 81.
INSTANTIATE_TEST_SUITE_P(
    Sums, AveragePoints,
    testing::Values(AverageCase{{0.25f, 0.25f, 0.25f, 0.25f, 0.3f}, 10, 0},      // 52 / 5
                    AverageCase{{0.25f, 0.25f, 0.25f, 0.25f, 0.328125f}, 11, 0}, // 53 / 5
                    AverageCase{{0.5f, 0.5f, 0.5f, 0.5f, 0.5f}, 20, 0},
                    AverageCase{{0.53125f, 0.53125f, 0.53125f, 0.5f, 0.5f}, 21, 1}, // 103 / 5
                    AverageCase{{2.0f, 2.0f, 2.0f, 2.0f, 2.0f}, 80, 3},
                    AverageCase{{2.03125f, 2.03125f, 2.03125f, 2.0f, 2.0f}, 81, 4})); // 403 / 5

TEST(ResultsFigures, TotalsCountOnlyTheLevelsReached) {
    std::array<float, 16> speeds{};
    for (std::size_t s = 1; s <= 5; ++s)
        speeds[s] = 2.0f; // level 1: 80 points, 120 per minute
    for (std::size_t s = 6; s <= 10; ++s)
        speeds[s] = 1.0f; // level 2: 40 points, 60 per minute
    for (std::size_t s = 11; s <= 15; ++s)
        speeds[s] = 0.25f; // level 3: 10 points
    ResultsFigures one = Figures(speeds, 0.4f, 1);
    one.table.TotalWrong = 3;
    one.table.TotalCorrect = 100;
    const ResultsTotals t1 = one.Totals();
    EXPECT_EQ(t1.points, 80);
    EXPECT_EQ(t1.speedPerMinute, "120");
    EXPECT_EQ(t1.symbol, 3);
    EXPECT_EQ(t1.speedLine, "Digitazioni al minuto:  120");
    EXPECT_EQ(t1.pointsLine, "Punteggio: 80");
    EXPECT_EQ(t1.wrongLine, "- Totali errori di battitura: 3");
    EXPECT_EQ(t1.correctLine, "- Totali  numero  battute: 100");
    EXPECT_EQ(t1.ratioLine, "- Rapporto errori/battute: 3,0%");
    EXPECT_EQ(t1.errorRating, "J0");

    const ResultsTotals t2 = Figures(speeds, 0.4f, 2).Totals();
    EXPECT_EQ(t2.averagePointsSum, 120);
    EXPECT_EQ(t2.points, 60);
    EXPECT_EQ(t2.speedPerMinute, "90");

    const ResultsTotals t3 = Figures(speeds, 0.4f, 3).Totals();
    EXPECT_EQ(t3.points, 43);           // 130 / 3
    EXPECT_EQ(t3.speedPerMinute, "65"); // (2 + 1 + 0.25) x 60 / 3
    EXPECT_EQ(t3.symbol, 2);
}

TEST(ResultsFigures, NoKeystrokesGiveARatioOfNothingWithoutChangingTheCount) {
    ResultsFigures f = Figures({}, 0.2f, 1);
    const ResultsTotals t = f.Totals();
    EXPECT_EQ(t.ratioLine, "- Rapporto errori/battute: 0,0%");
    EXPECT_EQ(t.correctLine, "- Totali  numero  battute: 0");
    EXPECT_EQ(t.errorRating, "J0");
    EXPECT_EQ(f.table.TotalCorrect, 0);
}

struct RatingCase {
    std::int16_t wrong;
    std::int16_t correct;
    float factor;
    const char* rating;
    const char* ratio;
};

class TotalsRating : public testing::TestWithParam<RatingCase> {};

TEST_P(TotalsRating, FaceAndRatio) {
    ResultsFigures f = Figures({}, GetParam().factor, 1);
    f.table.TotalWrong = GetParam().wrong;
    f.table.TotalCorrect = GetParam().correct;
    f.decimalSeparator = '.';
    EXPECT_EQ(f.Totals().errorRating, GetParam().rating);
    EXPECT_EQ(f.Totals().ratioLine, std::string("- Rapporto errori/battute: ") + GetParam().ratio);
}

INSTANTIATE_TEST_SUITE_P(Keystrokes, TotalsRating,
                         testing::Values(RatingCase{3, 100, 0.2f, "K0", "3.0%"},
                                         RatingCase{3, 100, 0.4f, "J0", "3.0%"},
                                         RatingCase{11, 100, 0.4f, "L1", "11.0%"},
                                         RatingCase{1, 3, 0.4f, "L1", "33.3%"}));

TEST(ResultsFigures, EndMessages) {
    ResultsFigures f = Figures({}, 0.4f, 2);
    f.table.ResultsOutcome = 1;
    EXPECT_EQ(f.EndMessage(), "Molto bene! Hai terminato l'esercizio di livello  2.\r\n\r\n"
                              "Se vuoi continuare premi il pulsante: Continua.\r\n"
                              "Se, invece, vuoi uscire dal programma, premi il pulsante: Termina");
    f.table.ResultsOutcome = 2;
    f.table.LevelsReached = 3;
    EXPECT_EQ(f.EndMessage(), "Complimenti! Hai terminato l'eserczio di dattilografia.\r\n\r\n"
                              "Se vuoi iniziare da capo premi il pulsante: Continua.\r\n"
                              "Se, invece, vuoi uscire dal programma, premi il pulsante: Termina");
    for (std::int16_t outcome : {0, 3, -1}) {
        f.table.ResultsOutcome = outcome;
        EXPECT_EQ(f.EndMessage(), "") << outcome;
    }
}

TEST(ResultsFigures, FooterNamesTheExerciseFile) {
    ResultsFigures f = Figures({}, 0.4f, 1);
    EXPECT_EQ(f.Footer(), "L'esercizio corrente \xE8 stato eseguito utilizzando le frasi interne.");
    f.exerciseFileName = "mare.ftd";
    EXPECT_EQ(f.Footer(), "L'esercizio corrente \xE8 stato eseguito utilizzando il file  mare.ftd");
}

TEST(ResultsFigures, NumberWidthInTheUnitsOfTheSurface) {
    const FixedWidthMeasure measure(7);
    const FontSpec font{"Arial", 10.0f};
    EXPECT_EQ(NumberWidth(100, measure, font), 21);
    EXPECT_EQ(NumberWidth(5, measure, font), 7);
    EXPECT_EQ(NumberWidth(100, measure, font, 25.4 / 96.0), 6); // 5.56 mm
    EXPECT_EQ(NumberWidth(5, measure, font, 25.4 / 96.0), 2);   // 1.85 mm
    EXPECT_EQ(NumberWidth(0, measure, font, 0.5), 4);           // 3.5 to even
}

} // namespace
