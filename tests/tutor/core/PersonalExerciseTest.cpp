#include "tutor/core/PersonalExercise.h"

#include "PracticeFixtures.h"
#include "TestFolder.h"
#include "tutor/core/BuiltInSentence.h"

#include <gtest/gtest.h>

#include <filesystem>

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

} // namespace
