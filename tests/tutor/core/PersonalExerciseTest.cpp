#include "tutor/core/PersonalExercise.h"

#include "PracticeFixtures.h"
#include "TestFolder.h"
#include "tutor/core/BuiltInSentence.h"

#include <gtest/gtest.h>

#include "history/HistoryTypes.h"

#include <filesystem>
#include <limits>

namespace {

TEST(PersonalExercise, NamedByTheLanguage) {
    const UiTexts italian = UiTexts::BuiltIn(UiProgram::Tutor);
    EXPECT_EQ(PersonalExerciseName(italian), "Allenamento personale");
    EXPECT_EQ(PersonalExercisePath({"/home/p/.local/share/Zentavo/", "/opt/zentavo/"}, italian),
              "/home/p/.local/share/Zentavo/Esercizi/Allenamento personale.ftd");

    TempFolder folder;
    const auto named = [&](const std::string& line) {
        folder.Write("Lang/X.lng", "[Strings]\r\n" + line + "\r\n");
        return PersonalExerciseName(
            UiTexts::FromFile(UiProgram::Tutor, folder.Path() + "Lang/X.lng"));
    };
    EXPECT_EQ(named("0500=Personal training"), "Personal training");
    EXPECT_EQ(named("0500=Entra\xEEnement personnel"), "Entra\xEEnement personnel");
    EXPECT_EQ(PersonalExercisePath(
                  {"/p/"}, UiTexts::FromFile(UiProgram::Tutor, folder.Path() + "Lang/X.lng")),
              "/p/Esercizi/Entra\xC3\xAEnement personnel.ftd");
    // The list cuts a name at its first dot and cannot open a path.
    EXPECT_EQ(named("0500=Mr. A/B\\C"), "Mr  A B C");
    EXPECT_EQ(named("0500=  ..  "), "Allenamento personale");
    EXPECT_EQ(named("0001=x"), "Allenamento personale");
}

TEST(PersonalExercise, WrittenAsAnOrdinaryExerciseTheListShowsAndReadsAsGenerated) {
    TempFolder user;
    TempFolder shipped;
    shipped.Write("Esercizi/Animali.ftd", ExerciseBytes({{"1", "il cane"}}));
    std::filesystem::create_directories(user.Path() + "Esercizi");
    const std::vector<std::string> places = {user.Path(), shipped.Path()};
    const UiTexts texts = UiTexts::BuiltIn(UiProgram::Tutor);

    const PracticeGenerator generator(ShippedMaterial(), LetterMeasure(), TutorLine());
    const PracticeExercise exercise =
        generator.Generate(CharacterWeights::FromStatistics(PupilWeakOnQAndOGrave()), 5);
    const std::string path = PersonalExercisePath(places, texts);
    ASSERT_TRUE(WritePracticeExercise(path, exercise));
    // Only the exercise is left in the folder, no temporary file.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(user.Path() + "Esercizi"),
                            std::filesystem::directory_iterator()),
              1);
    EXPECT_EQ(ReadSentence(path, 1, 6), "");

    ExerciseCatalogue catalogue(places, texts, LetterMeasure(), TutorLine(), "");
    catalogue.FillExerciseList();
    const auto& entries = catalogue.Entries();
    ASSERT_NE(std::find(entries.begin(), entries.end(), "Allenamento personale"), entries.end());
    catalogue.SelectExerciseFile("Allenamento personale.ftd");
    for (int level = 1; level <= 3; ++level) {
        const auto& sentences = exercise.levels[static_cast<std::size_t>(level - 1)];
        ASSERT_EQ(sentences.size(), 5u);
        for (int n = 1; n <= 5; ++n)
            EXPECT_EQ(catalogue.ReadExerciseSentence(static_cast<std::int16_t>(level),
                                                     static_cast<std::int16_t>(n)),
                      sentences[static_cast<std::size_t>(n - 1)]);
    }

    // Renewed: the new exercise replaces the old one whole.
    const PracticeExercise renewed =
        generator.Generate(CharacterWeights::FromStatistics(PupilWeakOnQAndOGrave()), 6);
    ASSERT_TRUE(WritePracticeExercise(path, renewed));
    EXPECT_EQ(ReadSentence(path, 1, 1), renewed.levels[0][0]);
}

TEST(PersonalExercise, AFolderThatCannotBeWrittenLeavesNothing) {
    TempFolder user;
    EXPECT_FALSE(WritePracticeExercise(user.Path() + "missing/Allenamento personale.ftd",
                                       PracticeExercise{}));
    EXPECT_FALSE(std::filesystem::exists(user.Path() + "missing"));
}

TEST(PersonalExercise, MaterialIsEveryListedExerciseButItselfAndTheBuiltInSentences) {
    TempFolder place;
    place.Write("Esercizi/Animali.ftd",
                ExerciseBytes({{"1", "  il cane  "}, {"2", ""}}, {}, {{"1", "Uno\xA6\xA6 due "}}));
    place.Write("CorsoZentavo/01.ftd", ExerciseBytes({{"1", "asdf jkl"}}));
    place.Write("Esercizi/Allenamento personale.ftd", ExerciseBytes({{"1", "vecchio"}}));
    place.Write("Esercizi/Grande.ftd",
                ExerciseBytes({{"1", "grande"}}) + std::string(300 * 1024, '#'));
    place.Write("Esercizi/note.txt", ExerciseBytes({{"1", "nota"}}));
    const auto sentences = CollectPracticeSentences({place.Path()}, "allenamento personale.ftd");
    ASSERT_EQ(sentences.size(), 3u + kBuiltInSentenceCount);
    EXPECT_EQ(sentences[0], "il cane");
    EXPECT_EQ(sentences[1], "Uno\r\ndue");
    EXPECT_EQ(sentences[2], "asdf jkl");
    EXPECT_EQ(sentences[3], BuiltInSentence(1));
}

TEST(PersonalExercise, HistoryFiguresBecomeTheGeneratorsInput) {
    PracticeProfile profile;
    profile.keys.push_back({'q', 120, 30, 0.25, 410.0, true});
    profile.keys.push_back({'a', std::numeric_limits<std::int64_t>::max(), -4, 0.0, 0.0, true});
    profile.confusions.push_back({'\xE0', '\xF2', 7});
    const PracticeStatistics statistics = PracticeStatisticsOf(profile);
    ASSERT_EQ(statistics.characters.size(), 2u);
    EXPECT_EQ(statistics.characters[0].character, 'q');
    EXPECT_EQ(statistics.characters[0].keystrokes, 120);
    EXPECT_EQ(statistics.characters[0].wrong, 30);
    EXPECT_EQ(statistics.characters[0].averageIntervalMs, 410.0);
    EXPECT_EQ(statistics.characters[1].keystrokes, std::numeric_limits<int>::max());
    EXPECT_EQ(statistics.characters[1].wrong, 0);
    ASSERT_EQ(statistics.confusions.size(), 1u);
    EXPECT_EQ(statistics.confusions[0].typed, '\xF2');
    EXPECT_EQ(statistics.confusions[0].count, 7);
}

TEST(PersonalExercise, KeeperRenewsForEachPupil) {
    TempFolder user;
    std::filesystem::create_directories(user.Path() + "Esercizi");
    user.Write("words.txt", "quando\nacqua\nquadro\nquesto\nqui\nsole\nmare\nper\xC3\xB2\n"
                            "pu\xC3\xB2\nandr\xC3\xB2\ncasa\ncane\nlibro\nscuola\nverde\n");
    const UiTexts texts = UiTexts::BuiltIn(UiProgram::Tutor);
    PersonalExerciseKeeper keeper({user.Path(), kShippedData}, user.Path() + "words.txt",
                                  LetterMeasure(), TutorLine());
    ASSERT_TRUE(keeper.Renew(PupilWeakOnQAndOGrave(), texts, 1));
    EXPECT_EQ(keeper.Path(), user.Path() + "Esercizi/Allenamento personale.ftd");
    EXPECT_EQ(keeper.AimedCharacters().substr(0, 2), "\xF2q");
    EXPECT_NE(ReadSentence(keeper.Path(), 1, 1).find('q'), std::string::npos);
    EXPECT_FALSE(ReadSentence(keeper.Path(), 3, 5).empty());

    PracticeStatistics other = EvenPupil(300, 6);
    SetFigures(other, 'v', 300, 90);
    ASSERT_TRUE(keeper.Renew(other, texts, 1));
    EXPECT_EQ(keeper.AimedCharacters().front(), 'v');
    ASSERT_TRUE(keeper.Renew({}, texts, 1));
    EXPECT_EQ(keeper.AimedCharacters(), "");
}

TEST(PersonalExercise, KeeperWithoutWordListOrFolder) {
    TempFolder user;
    std::filesystem::create_directories(user.Path() + "Esercizi");
    const UiTexts texts = UiTexts::BuiltIn(UiProgram::Tutor);
    PersonalExerciseKeeper keeper({user.Path()}, user.Path() + "none", LetterMeasure(),
                                  TutorLine());
    ASSERT_TRUE(keeper.Renew(PupilWeakOnQAndOGrave(), texts, 2));
    EXPECT_EQ(CountSentences(keeper.Path(), 15), (std::array<int, 3>{5, 5, 5}));
    PersonalExerciseKeeper homeless({user.Path() + "gone/"}, user.Path() + "none", LetterMeasure(),
                                    TutorLine());
    EXPECT_FALSE(homeless.Renew({}, texts, 2));
}

TEST(PersonalExercise, KeeperRenamedByALanguageLeavesOneFile) {
    TempFolder user;
    std::filesystem::create_directories(user.Path() + "Esercizi");
    user.Write("Lang/English.lng", "[Strings]\r\n0500=Personal training\r\n");
    PersonalExerciseKeeper keeper({user.Path()}, user.Path() + "none", LetterMeasure(),
                                  TutorLine());
    ASSERT_TRUE(keeper.Renew({}, UiTexts::BuiltIn(UiProgram::Tutor), 1));
    ASSERT_TRUE(
        keeper.Renew({}, UiTexts::FromFile(UiProgram::Tutor, user.Path() + "Lang/English.lng"), 1));
    EXPECT_EQ(keeper.Path(), user.Path() + "Esercizi/Personal training.ftd");
    EXPECT_TRUE(std::filesystem::exists(keeper.Path()));
    EXPECT_FALSE(std::filesystem::exists(user.Path() + "Esercizi/Allenamento personale.ftd"));
}

} // namespace
