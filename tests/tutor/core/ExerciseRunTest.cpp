#include "tutor/core/ExerciseRun.h"

#include "TutorHarness.h"
#include "tutor/core/BuiltInSentence.h"

#include <gtest/gtest.h>

#include <set>

namespace {

const std::string kCaptionLevel1 = "Zentavo - Frasi interne  -  Primo livello: frase ";

TEST(ExerciseRun, EnterOnTheStartScreenStartsTheFirstSentence) {
    TutorHarness t;
    t.Open();
    EXPECT_TRUE(t.Screen().startEnabled);
    EXPECT_TRUE(t.Screen().enterPrompt);
    EXPECT_TRUE(t.Screen().levelPanelVisible);
    EXPECT_FALSE(t.Screen().listVisible); // no exercise files
    t.WillDraw(4, 1);
    EXPECT_EQ(t.run.KeyPressed('\r'), 0);

    const TutorScreen& s = t.Screen();
    EXPECT_EQ(s.sentence, "ci vediamo domani a scuola");
    EXPECT_TRUE(s.sentenceLeftAligned);
    EXPECT_EQ(s.caption, kCaptionLevel1 + "1");
    EXPECT_EQ(s.sentenceNumber, "1");
    EXPECT_EQ(s.litLamp, 1);
    EXPECT_EQ(s.correctCounter, "0/0");
    EXPECT_EQ(s.wrongCounter, "0/0");
    EXPECT_FALSE(s.startEnabled);
    EXPECT_FALSE(s.enterPrompt);
    EXPECT_FALSE(s.inputLocked);
    EXPECT_FALSE(s.levelPanelVisible);
    EXPECT_FALSE(s.languageMenuEnabled);
    EXPECT_FALSE(s.clockRunning);
    EXPECT_EQ(s.recordMarkerWidth, 300);
    EXPECT_EQ(t.run.Sentence().ExpectedChar, "c");
    EXPECT_EQ(t.run.Sentence().Position, 1);
    EXPECT_TRUE(t.run.Sentence().FirstOfLevel);
    EXPECT_EQ(t.run.UsedIndexes()[1], 4);
    EXPECT_EQ(t.observer.sounds, std::vector<int>{104});
    EXPECT_EQ(t.observer.keyMapClosed, 1);
    // The key of 'c' is down on the keyboard, published with the screen.
    EXPECT_EQ(t.keyboard.HighlightedKey(), 23);
    EXPECT_TRUE(t.keyboard.IsSunken(23));
    EXPECT_FALSE(t.observer.changes.back().keyboard.areas.empty());
}

TEST(ExerciseRun, ExactlyTheExpectedCharactersAreTyped) {
    TutorHarness t;
    t.folder.Write("Esercizi/prova.ftd", ExerciseBytes({{"1", "Ab c"}}));
    t.Open();
    t.catalogue.ChooseEntry(1);
    ASSERT_EQ(t.catalogue.SelectedEntry(), "prova");
    t.WillDraw(3, 1);
    t.run.KeyPressed('\r');
    ASSERT_EQ(t.Screen().sentence, "Ab c");
    t.observer.sounds.clear();

    // A small a before the first correct keystroke: signalled, not counted.
    EXPECT_EQ(t.run.KeyPressed('a'), 0);
    EXPECT_EQ(t.observer.sounds, std::vector<int>{101});
    EXPECT_EQ(t.observer.flashes, 1);
    EXPECT_EQ(t.Screen().wrongCounter, "0/0");
    EXPECT_EQ(t.Screen().input, "");

    EXPECT_EQ(t.run.KeyPressed('A'), 'A');
    EXPECT_TRUE(t.Screen().clockRunning);
    EXPECT_EQ(t.run.KeyPressed('b'), 'b');
    EXPECT_EQ(t.run.KeyPressed(' '), ' ');
    EXPECT_EQ(t.Screen().input, "Ab ");
    t.WillPraise(1, 0);
    EXPECT_EQ(t.run.KeyPressed('c'), 0); // the last character ends the sentence
    EXPECT_TRUE(t.run.Sentence().SentenceDone);
    EXPECT_EQ(t.Screen().correctCounter, "4/4");
    EXPECT_EQ(t.Screen().wrongCounter, "0/0");
    EXPECT_EQ(t.Screen().input, "Ab c");
    EXPECT_EQ(t.observer.sounds, (std::vector<int>{101, 107, 107, 107, 107, 102}));
}

struct WrongKeyCase {
    bool largeScreen;
    const char* counter;
};

class WrongKeyCounted : public testing::TestWithParam<WrongKeyCase> {};

TEST_P(WrongKeyCounted, OnceTheClockRuns) {
    TutorHarness t(GetParam().largeScreen);
    t.Open();
    t.WillDraw(2, 1); // "la mia mamma cucina il pranzo"
    t.run.KeyPressed('\r');
    t.run.KeyPressed('l');
    EXPECT_EQ(t.run.KeyPressed('x'), 0);
    EXPECT_EQ(t.run.Sentence().SentenceWrong, 1);
    EXPECT_EQ(t.run.TotalWrong(), 1);
    EXPECT_EQ(t.Screen().wrongCounter, GetParam().counter);
    EXPECT_EQ(t.Screen().correctCounter, GetParam().counter);
    EXPECT_EQ(t.Screen().input, "l");
    EXPECT_EQ(t.run.Sentence().Position, 2);
}

INSTANTIATE_TEST_SUITE_P(Screens, WrongKeyCounted,
                         testing::Values(WrongKeyCase{false, "1/1"}, WrongKeyCase{true, "1 / 1"}));

struct SilentCase {
    const char* name;
    char key;
    bool clockRunning;
    bool signalled;
    bool counted;
};

class WrongKeys : public testing::TestWithParam<SilentCase> {};

TEST_P(WrongKeys, SignalAndCount) {
    TutorHarness t;
    t.run.BeginSentence("abc");
    if (GetParam().clockRunning)
        t.run.EvaluateKeystroke('a');
    t.observer.sounds.clear();
    EXPECT_EQ(t.run.EvaluateKeystroke(GetParam().key), 0);
    EXPECT_EQ(t.observer.sounds.size(), GetParam().signalled ? 1u : 0u);
    EXPECT_EQ(t.observer.flashes, GetParam().signalled ? 1 : 0);
    EXPECT_EQ(t.run.TotalWrong(), GetParam().counted ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, WrongKeys,
    testing::Values(SilentCase{"EnterBeforeTheClock", '\r', false, false, false},
                    SilentCase{"EnterOnceTheClockRuns", '\r', true, true, true},
                    SilentCase{"LetterBeforeTheClock", 'x', false, true, false},
                    SilentCase{"EscapeWhileTheClockRuns", '\x1B', true, true, true},
                    SilentCase{"BackspaceWhileTheClockRuns", '\b', true, true, true},
                    SilentCase{"TabWhileTheClockRuns", '\t', true, true, true},
                    SilentCase{"CapitalForSmall", 'B', true, true, true}),
    [](const testing::TestParamInfo<SilentCase>& p) { return std::string(p.param.name); });

TEST(ExerciseRun, ALineBreakIsOneEnterAndTheBarRestartsOnTheSecondLine) {
    TutorHarness t;
    // The key sunk after each step: the next character's.
    std::vector<int> highlighted;
    const auto noteKey = [&t, &highlighted] { highlighted.push_back(t.keyboard.HighlightedKey()); };
    t.run.BeginSentence("ab\r\ncd");
    noteKey();
    t.Type("a");
    noteKey();
    t.Type("b");
    noteKey();
    EXPECT_EQ(t.run.Sentence().ExpectedChar, "\r");
    EXPECT_EQ(t.run.Sentence().Position, 4); // already on the LF
    EXPECT_EQ(t.Screen().typedLine, 0);
    EXPECT_EQ(t.Screen().typedOnLine, "ab");
    EXPECT_EQ(t.run.KeyPressed('\r'), '\r');
    noteKey();
    EXPECT_EQ(t.run.Sentence().SentenceCorrect, 3);
    EXPECT_EQ(t.run.Sentence().ExpectedChar, "c");
    EXPECT_EQ(t.run.Sentence().Position, 5);
    EXPECT_EQ(t.Screen().typedLine, 1);
    EXPECT_EQ(t.Screen().typedOnLine, "");
    EXPECT_EQ(t.run.KeyPressed('c'), 'c');
    noteKey();
    EXPECT_EQ(t.Screen().typedOnLine, "c");
    EXPECT_EQ(t.Screen().input, "ab\r\nc");
    // a, b, Enter, c, d
    EXPECT_EQ(highlighted, (std::vector<int>{10, 25, KeyTable::kEnterKey, 23, 12}));
}

TEST(ExerciseRun, KeysAfterTheLastCharacterAreDroppedUntilEnter) {
    TutorHarness t;
    t.Open();
    t.WillDraw(4, 1);
    t.run.KeyPressed('\r');
    t.WillPraise(1, 0);
    t.Type("ci vediamo domani a scuola");
    ASSERT_TRUE(t.run.Sentence().SentenceDone);
    EXPECT_TRUE(t.Screen().busy);
    EXPECT_TRUE(t.Screen().startEnabled);
    const int sounds = static_cast<int>(t.observer.sounds.size());
    EXPECT_EQ(t.run.KeyPressed('x'), 0);
    EXPECT_EQ(t.run.KeyPressed('\r'), 0); // busy: swallowed
    t.run.StartRequest();                 // the button too
    EXPECT_EQ(t.run.SentenceNumber(), 1);
    t.clock.now += 2;
    t.run.PauseTick();
    EXPECT_TRUE(t.Screen().busy);
    t.clock.now += 1;
    t.run.PauseTick();
    EXPECT_FALSE(t.Screen().busy);
    EXPECT_TRUE(t.Screen().enterPrompt);
    EXPECT_EQ(t.run.KeyPressed('x'), 0); // done: dropped without a sound
    EXPECT_EQ(static_cast<int>(t.observer.sounds.size()), sounds);
    EXPECT_EQ(t.run.TotalWrong(), 0);
    t.WillDraw(2, 1);
    t.run.KeyPressed('\r');
    EXPECT_EQ(t.run.SentenceNumber(), 2);
    EXPECT_EQ(t.Screen().sentence, "la mia mamma cucina il pranzo");
    EXPECT_EQ(t.Screen().correctCounter, "0/26");
}

TEST(ExerciseRun, NoBuiltInSentenceTwiceInAnExercise) {
    TutorHarness t;
    t.Open();
    // Each draw first repeats every index used so far; only the new one sticks.
    std::set<int> seen;
    for (int n = 1; n <= 15; ++n) {
        const int level = (n - 1) / 5 + 1;
        for (int used : seen) {
            if ((used - 1) / 15 + 1 == level)
                t.WillDraw(used, level);
        }
        const int fresh = 15 * (level - 1) + ((n - 1) % 5) * 3 + 2;
        t.WillDraw(fresh, level);
        t.presenter.answers.push_back(0);
        t.run.KeyPressed('\r');
        ASSERT_EQ(t.run.UsedIndexes()[static_cast<std::size_t>(n)], fresh) << n;
        EXPECT_TRUE(seen.insert(fresh).second);
        EXPECT_EQ(t.Screen().sentence, BuiltInSentence(static_cast<std::int16_t>(fresh)));
        t.WillPraise(1, 0);
        t.run.TypeForMe(); // nothing to type for me: no effect
        t.Type(t.Screen().sentence);
        t.Pause();
    }
    EXPECT_TRUE(t.random.script.empty());
}

TEST(ExerciseRun, ARandomSourceStuckOnUsedIndexesCannotHangTheTutor) {
    TutorHarness t;
    t.Open();
    t.WillDraw(7, 1);
    t.run.KeyPressed('\r');
    t.WillPraise(1, 0);
    t.Type(t.Screen().sentence);
    t.Pause();
    for (int i = 0; i < 1000; ++i)
        t.WillDraw(7, 1);
    t.run.KeyPressed('\r');
    EXPECT_EQ(t.run.UsedIndexes()[2], 1); // the first free index of the level
}

TEST(ExerciseRun, TypeForMeTypesACharacterWithoutKey) {
    TutorHarness t;
    t.run.BeginSentence("a{b");
    EXPECT_FALSE(t.Screen().typeForMeVisible);
    t.run.KeyPressed('a');
    EXPECT_TRUE(t.Screen().typeForMeVisible);
    t.run.TypeForMe();
    EXPECT_FALSE(t.Screen().typeForMeVisible);
    EXPECT_EQ(t.run.Sentence().SentenceCorrect, 2);
    EXPECT_EQ(t.run.Sentence().ExpectedChar, "b");
    EXPECT_EQ(t.Screen().input, "a{");
    t.run.TypeForMe(); // hidden: nothing happens
    EXPECT_EQ(t.run.Sentence().SentenceCorrect, 2);
}

TEST(ExerciseRun, TheTypeForMeButtonOnlyShowsForACharacterWithoutKey) {
    TutorHarness t;
    t.run.BeginSentence("{ab");
    EXPECT_TRUE(t.Screen().typeForMeVisible);
    t.run.KeyPressed('{'); // a keyboard that has the key types it
    EXPECT_FALSE(t.Screen().typeForMeVisible);
}

TEST(ExerciseRun, CapsLockIsSwitchedOffByAWrongKeyAndAtEachStart) {
    TutorHarness t;
    t.Open();
    t.capsLock.on = true;
    t.WillDraw(2, 1);
    t.run.KeyPressed('\r');
    EXPECT_FALSE(t.capsLock.on);
    EXPECT_EQ(t.capsLock.switchedOff, 1);
    t.run.KeyPressed('l');
    t.capsLock.on = true;
    t.run.KeyPressed('L');
    EXPECT_FALSE(t.capsLock.on);
    EXPECT_EQ(t.capsLock.switchedOff, 2);
    t.run.KeyPressed('a');
    EXPECT_EQ(t.capsLock.switchedOff, 2);
}

TEST(ExerciseRun, SoundsOffSilencesAllButTheToggleClick) {
    TutorHarness t;
    t.Open();
    t.run.ToggleSounds();
    EXPECT_FALSE(t.run.SoundsOn());
    EXPECT_EQ(t.observer.sounds, std::vector<int>{111});
    t.WillDraw(4, 1);
    t.run.KeyPressed('\r');
    t.run.KeyPressed('x');
    t.WillPraise(1, 0);
    t.Type("ci vediamo domani a scuola");
    t.run.PlayClick();
    t.run.ChooseDifficulty(1);
    EXPECT_EQ(t.observer.sounds, std::vector<int>{111});
    t.run.ToggleSounds();
    EXPECT_EQ(t.observer.sounds, (std::vector<int>{111, 111}));
}

TEST(ExerciseRun, ChoosingADifficultyClicksOnlyWhileTheLevelPanelShows) {
    TutorHarness t;
    t.run.ChooseDifficulty(1);
    EXPECT_TRUE(t.observer.sounds.empty());
    EXPECT_EQ(t.run.Results().PointsFactor, 0.2f);
    EXPECT_EQ(t.run.Results().CategoryName, "Esperto");
    EXPECT_EQ(t.Screen().typedColour.Stored(), 255u);
    EXPECT_EQ(t.Screen().fastEndIcon, 429);
    t.Open();
    t.run.ChooseDifficulty(0);
    EXPECT_EQ(t.observer.sounds, std::vector<int>{111});
    EXPECT_EQ(t.run.Results().PointsFactor, 0.4f);
    EXPECT_EQ(t.run.Results().CategoryName, "Principiante");
    EXPECT_EQ(t.Screen().slowEndIcon, 420);
}

TEST(ExerciseRun, ClockTicksShowTimeAndGauge) {
    TutorHarness t;
    t.run.BeginSentence("abcdefghik");
    t.run.ClockTick(); // not running yet
    EXPECT_EQ(t.Screen().clockText, "00:00");
    t.run.KeyPressed('a');
    t.run.KeyPressed('b');
    t.run.KeyPressed('c'); // position 4: three typed
    t.clock.now += 3;
    t.run.ClockTick();
    EXPECT_EQ(t.Screen().clockText, "00:03");
    EXPECT_EQ(t.Screen().gaugeLength, 75); // 1 s per character
    t.clock.now += 3599 - 3;
    t.run.ClockTick();
    EXPECT_EQ(t.Screen().clockText, "59:59");
    EXPECT_EQ(t.Screen().gaugeLength, 300);
    t.clock.now += 1;
    t.run.ClockTick();
    EXPECT_EQ(t.Screen().clockText, "00:00");
}

TEST(ExerciseRun, ASentenceOpeningWithALineBreakStartsTheClockWithItsEnter) {
    TutorHarness t;
    t.folder.Write("Esercizi/prova.ftd", ExerciseBytes({{"1", "\xA6\xA6xyz"}}));
    t.Open();
    t.catalogue.ChooseEntry(1);
    t.WillDraw(5, 1);
    t.run.KeyPressed('\r'); // starts the sentence, types nothing
    ASSERT_EQ(t.Screen().sentence, "\r\nxyz");
    EXPECT_EQ(t.run.Sentence().SentenceCorrect, 0);
    EXPECT_EQ(t.run.Sentence().ExpectedChar, "\r");
    EXPECT_FALSE(t.Screen().clockRunning);
    t.clock.now += 7;
    t.run.KeyPressed('\r');
    EXPECT_TRUE(t.Screen().clockRunning);
    EXPECT_EQ(t.run.Timing().StartTime(), t.clock.now);
    t.clock.now += 3;
    t.WillPraise(1, 0);
    t.Type("xyz");
    EXPECT_EQ(t.run.Results().SentenceSpeeds[1], 5.0f / 3.0f);
}

TEST(ExerciseRun, RecordsNeedAShorterGaugeAndNeverComeFirstInALevel) {
    TutorHarness t;
    t.Open();
    // Sentence 1, "ci vediamo domani a scuola" (26): 25 s, gauge 75.
    t.WillDraw(4, 1);
    t.run.KeyPressed('\r');
    t.WillPraise(2, 1);
    t.run.KeyPressed('c');
    t.clock.now += 25;
    t.Type("i vediamo domani a scuola");
    EXPECT_EQ(t.Screen().recordMarkerWidth, 75); // narrowed, still not a record
    EXPECT_EQ(t.observer.sounds.back(), 102);
    EXPECT_EQ(t.Screen().picture, (MessagePicture{MessagePicture::Kind::Icon, 431}));
    EXPECT_FALSE(t.Screen().recordAnimation);
    t.Pause();

    // Sentence 2, "la mia mamma cucina il pranzo" (29): 14 s, gauge 38: a record.
    t.WillDraw(2, 1);
    t.run.KeyPressed('\r');
    EXPECT_EQ(t.Screen().recordMarkerWidth, 75);
    t.WillPraise(3);
    t.run.KeyPressed('l');
    t.clock.now += 14;
    t.Type("a mia mamma cucina il pranzo");
    EXPECT_EQ(t.Screen().recordMarkerWidth, 38);
    EXPECT_EQ(t.observer.sounds.back(), 103);
    EXPECT_TRUE(t.Screen().recordAnimation);
    EXPECT_EQ(t.Screen().picture, (MessagePicture{MessagePicture::Kind::RecordFrame, 1}));
    EXPECT_EQ(t.Screen().message.substr(0, 12), "Sei grande! ");
    t.run.RecordAnimationTick();
    EXPECT_EQ(t.Screen().picture.value, 0);
    t.run.RecordAnimationTick();
    EXPECT_EQ(t.Screen().picture.value, 1);
    t.Pause();
    EXPECT_FALSE(t.Screen().recordAnimation);

    // Sentence 3, "il gatto dorme sul divano rosso" (31): 30 s, gauge 75: ordinary.
    t.WillDraw(3, 1);
    t.run.KeyPressed('\r');
    t.WillPraise(1, 2);
    t.run.KeyPressed('i');
    t.clock.now += 30;
    t.Type("l gatto dorme sul divano rosso");
    EXPECT_EQ(t.Screen().recordMarkerWidth, 38);
    EXPECT_EQ(t.observer.sounds.back(), 102);
}

TEST(ExerciseRun, TheResultMessageIsJoinedFromItsTexts) {
    TutorHarness t;
    t.Open();
    t.WillDraw(4, 1);
    t.run.KeyPressed('\r');
    t.WillPraise(1, 0);
    t.run.KeyPressed('c');
    t.clock.now += 13; // 26 characters: 2 per second, 80 points, 120 per minute
    t.Type("i vediamo domani a scuola");
    EXPECT_EQ(t.Screen().message, "Bene! Hai totalizzato  80 punti, digitando alla media di 120 "
                                  "battute al minuto\r\n Premi il tasto Invio per continuare.");
    EXPECT_TRUE(t.Screen().messageVisible);
    EXPECT_EQ(t.Screen().pointsIcon, 423);
    EXPECT_EQ(t.Screen().levelAverages[0], "80");
}

struct LevelEndCase {
    const char* name;
    std::int16_t answer;
    bool closes;
};

class AfterLevelOne : public testing::TestWithParam<LevelEndCase> {};

TEST_P(AfterLevelOne, TheResultsAnswerDecides) {
    TutorHarness t;
    t.Open();
    for (int n = 1; n <= 5; ++n) {
        t.WillDraw(n, 1);
        t.run.KeyPressed('\r');
        t.WillPraise(1, 0);
        t.Type(t.Screen().sentence);
        t.Pause();
    }
    t.presenter.answers.push_back(GetParam().answer);
    if (!GetParam().closes)
        t.WillDraw(16, 2);
    t.run.KeyPressed('\r');
    ASSERT_EQ(t.presenter.shown.size(), 1u);
    EXPECT_EQ(t.presenter.shown[0].ResultsOutcome, 1);
    EXPECT_EQ(t.presenter.shown[0].LevelsReached, 1);
    EXPECT_EQ(t.run.Results().ResultsAnswer, GetParam().answer);
    EXPECT_EQ(t.observer.closeRequests, GetParam().closes ? 1 : 0);
    if (GetParam().closes) {
        EXPECT_EQ(t.run.KeyPressed('\r'), 0);
        EXPECT_EQ(t.presenter.shown.size(), 1u);
        return;
    }
    EXPECT_EQ(t.run.SentenceNumber(), 6);
    EXPECT_EQ(t.run.LevelsReached(), 2);
    EXPECT_EQ(t.Screen().sentenceNumber, "1");
    EXPECT_EQ(t.Screen().caption, "Zentavo - Frasi interne  -  Secondo livello: frase  1");
    EXPECT_EQ(t.Screen().litLamp, 2);
    EXPECT_EQ(t.Screen().sentence, BuiltInSentence(16));
    EXPECT_TRUE(t.run.Sentence().FirstOfLevel);
}

INSTANTIATE_TEST_SUITE_P(Answers, AfterLevelOne,
                         testing::Values(LevelEndCase{"Continua", 0, false},
                                         LevelEndCase{"Termina", 1, true},
                                         LevelEndCase{"ClosedOtherwise", -1, true}),
                         [](const testing::TestParamInfo<LevelEndCase>& p) {
                             return std::string(p.param.name);
                         });

// Plays sentences 1-15 typing each in 10 s.
void PlayWholeExercise(TutorHarness& t) {
    for (int n = 1; n <= 15; ++n) {
        const int level = (n - 1) / 5 + 1;
        t.WillDraw(15 * (level - 1) + (n - 1) % 5 + 1, level);
        t.run.KeyPressed('\r');
        t.WillPraise(1, 0);
        const std::string sentence = t.Screen().sentence;
        t.run.KeyPressed(sentence[0]);
        t.clock.now += 10;
        t.Type(sentence.substr(1));
        t.Pause();
    }
}

TEST(ExerciseRun, AfterSentence15WithACommandLineTheSameExerciseStartsAgain) {
    TutorHarness t;
    t.folder.Write("Esercizi/mare.ftd", ExerciseBytes({}));
    t.catalogue.SelectFromCommandLine("/mare.ftd");
    ASSERT_TRUE(t.catalogue.HasCommandLine());
    t.Open();
    PlayWholeExercise(t);
    t.WillDraw(9, 1);
    t.run.KeyPressed('\r');
    ASSERT_EQ(t.presenter.shown.size(), 3u);
    EXPECT_EQ(t.presenter.shown[2].ResultsOutcome, 2);
    EXPECT_EQ(t.presenter.shown[2].LevelsReached, 3);
    EXPECT_EQ(t.run.SentenceNumber(), 1);
    EXPECT_EQ(t.run.LevelsReached(), 1);
    EXPECT_EQ(t.run.TotalCorrect(), 0);
    EXPECT_EQ(t.Screen().correctCounter, "0/0");
    EXPECT_EQ(t.Screen().levelAverages, (std::array<std::string, 3>{}));
    EXPECT_EQ(t.run.Results().SentenceSpeeds, (std::array<float, 16>{}));
    EXPECT_EQ(t.run.UsedIndexes()[1], 9);
    EXPECT_EQ(t.run.UsedIndexes()[2], 0);
    EXPECT_EQ(t.Screen().sentence, BuiltInSentence(9)); // the file holds no sentence
    EXPECT_EQ(t.Screen().caption, "Zentavo  - mare.ftd -  Primo livello: frase 1");
    EXPECT_FALSE(t.run.RestartAvailable());
}

TEST(ExerciseRun, AfterSentence15WithAListTheStartScreenReturns) {
    TutorHarness t;
    t.folder.Write("Esercizi/mare.ftd", ExerciseBytes({}));
    t.Open();
    PlayWholeExercise(t);
    const auto usedBefore = t.run.UsedIndexes();
    t.run.KeyPressed('\r');
    EXPECT_EQ(t.presenter.shown.size(), 3u);
    EXPECT_EQ(t.observer.welcomes, 1);
    EXPECT_TRUE(t.Screen().listVisible);
    EXPECT_TRUE(t.Screen().levelPanelVisible);
    EXPECT_EQ(t.Screen().face, (ErrorFace{'K', false}));
    EXPECT_EQ(t.Screen().caption, "Zentavo");
    EXPECT_EQ(t.Screen().sentence, "");
    EXPECT_TRUE(t.Screen().inputLocked);
    EXPECT_FALSE(t.Screen().gaugeVisible);
    EXPECT_EQ(t.Screen().litLamp, 0);
    EXPECT_EQ(t.Screen().correctCounter, "0/0");
    EXPECT_TRUE(t.Screen().languageMenuEnabled);
    EXPECT_EQ(t.run.SentenceNumber(), 0);
    EXPECT_EQ(t.run.Sentence().ExpectedChar, "");
    // the restart after sentence 15 cleared the used indexes before returning
    EXPECT_EQ(t.run.UsedIndexes(), (std::array<std::int16_t, 16>{}));
    EXPECT_NE(usedBefore, t.run.UsedIndexes());
    t.run.ShowStartChoices();
    t.run.EnableStart();
    EXPECT_TRUE(t.Screen().startEnabled);
}

TEST(ExerciseRun, AfterSentence15WithAnEmptyListTheExerciseStartsAgain) {
    TutorHarness t;
    t.Open();
    PlayWholeExercise(t);
    t.WillDraw(12, 1);
    t.run.KeyPressed('\r');
    EXPECT_EQ(t.run.SentenceNumber(), 1);
    EXPECT_EQ(t.Screen().sentence, BuiltInSentence(12));
    EXPECT_EQ(t.observer.welcomes, 0);
}

TEST(ExerciseRun, RestartKeepsSpeedsAndUsedIndexes) {
    TutorHarness t;
    t.Open();
    t.WillDraw(6, 1);
    t.run.KeyPressed('\r');
    t.WillPraise(1, 0);
    t.Type(t.Screen().sentence);
    t.Pause();
    t.WillDraw(8, 1);
    t.run.KeyPressed('\r');
    t.run.KeyPressed(t.Screen().sentence[0]);
    ASSERT_TRUE(t.Screen().clockRunning);
    const float speed1 = t.run.Results().SentenceSpeeds[1];
    ASSERT_GT(speed1, 0.0f);

    t.run.Restart(); // abandons sentence 2
    EXPECT_FALSE(t.Screen().clockRunning);
    EXPECT_EQ(t.observer.welcomes, 1);
    EXPECT_EQ(t.run.SentenceNumber(), 0);
    EXPECT_EQ(t.run.TotalCorrect(), 0);
    EXPECT_EQ(t.run.Results().SentenceSpeeds[1], speed1);
    EXPECT_EQ(t.run.Results().SentenceSpeeds[2], 0.0f);
    EXPECT_EQ(t.run.UsedIndexes()[1], 6);
    EXPECT_EQ(t.run.UsedIndexes()[2], 8);
    EXPECT_TRUE(t.presenter.shown.empty());

    // The next exercise avoids the indexes left from the abandoned one.
    t.run.ShowStartChoices();
    t.run.EnableStart();
    t.WillDraw(6, 1);
    t.WillDraw(8, 1);
    t.WillDraw(1, 1);
    t.run.KeyPressed('\r');
    EXPECT_EQ(t.run.UsedIndexes()[1], 1);
}

TEST(ExerciseRun, RestartWhileTheLastSentenceOfALevelShowsTheResultsFirst) {
    TutorHarness t;
    t.Open();
    for (int n = 1; n <= 5; ++n) {
        t.WillDraw(n, 1);
        t.run.KeyPressed('\r');
        t.WillPraise(1, 0);
        t.Type(t.Screen().sentence);
        t.Pause();
    }
    t.run.Restart();
    ASSERT_EQ(t.presenter.shown.size(), 1u);
    EXPECT_EQ(t.presenter.shown[0].ResultsOutcome, 1);
    EXPECT_EQ(t.observer.welcomes, 1);
    EXPECT_EQ(t.run.SentenceNumber(), 0);
}

TEST(ExerciseRun, RestartDuringThePauseEndsThePause) {
    TutorHarness t;
    t.Open();
    t.WillDraw(6, 1);
    t.run.KeyPressed('\r');
    t.WillPraise(1, 0);
    t.Type(t.Screen().sentence);
    ASSERT_TRUE(t.Screen().busy);
    t.run.Restart();
    EXPECT_FALSE(t.Screen().busy);
    EXPECT_EQ(t.observer.welcomes, 1);
}

// Where a return to the start screen can come from: Enter must start nothing
// until the start screen has been typed out again, wherever the start button
// stood before.
struct ReturnCase {
    const char* name;
    void (*before)(TutorHarness&); // brings the run to the moment of the restart
};

class ReturnToStart : public testing::TestWithParam<ReturnCase> {};

TEST_P(ReturnToStart, EnterStartsNothingUntilTheStartScreenIsBack) {
    TutorHarness t;
    t.Open();
    GetParam().before(t);
    t.run.Restart();
    ASSERT_EQ(t.observer.welcomes, 1);
    EXPECT_FALSE(t.Screen().startEnabled);
    EXPECT_FALSE(t.Screen().enterPrompt);

    // While the welcome is typed out, and after the choices appear.
    for (int phase = 0; phase < 2; ++phase) {
        EXPECT_EQ(t.run.KeyPressed('\r'), '\r') << phase; // goes nowhere
        t.run.StartRequest();
        EXPECT_EQ(t.run.SentenceNumber(), 0) << phase;
        EXPECT_TRUE(t.run.Sentence().ExpectedChar.empty()) << phase;
        EXPECT_EQ(t.Screen().caption, "Zentavo") << phase;
        t.run.ShowStartChoices();
        EXPECT_FALSE(t.Screen().startEnabled) << phase;
    }
    EXPECT_TRUE(t.Screen().levelPanelVisible);

    t.run.EnableStart();
    EXPECT_TRUE(t.Screen().startEnabled);
    t.WillDraw(3, 1);
    EXPECT_EQ(t.run.KeyPressed('\r'), 0);
    EXPECT_EQ(t.run.SentenceNumber(), 1);
    EXPECT_EQ(t.Screen().caption, kCaptionLevel1 + "1");
    EXPECT_EQ(t.Screen().sentence, BuiltInSentence(3));
}

INSTANTIATE_TEST_SUITE_P(Restarts, ReturnToStart,
                         testing::Values(ReturnCase{"FromTheStartScreen", [](TutorHarness&) {}},
                                         ReturnCase{"WhileTyping",
                                                    [](TutorHarness& h) {
                                                        h.WillDraw(6, 1);
                                                        h.run.KeyPressed('\r');
                                                        h.Type(h.Screen().sentence.substr(0, 3));
                                                    }},
                                         ReturnCase{"DuringThePause",
                                                    [](TutorHarness& h) {
                                                        h.WillDraw(6, 1);
                                                        h.run.KeyPressed('\r');
                                                        h.WillPraise(1, 0);
                                                        h.Type(h.Screen().sentence);
                                                    }},
                                         ReturnCase{"WaitingForTheNextSentence",
                                                    [](TutorHarness& h) {
                                                        h.WillDraw(6, 1);
                                                        h.run.KeyPressed('\r');
                                                        h.WillPraise(1, 0);
                                                        h.Type(h.Screen().sentence);
                                                        h.Pause();
                                                    }}),
                         [](const testing::TestParamInfo<ReturnCase>& p) {
                             return std::string(p.param.name);
                         });

TEST(ExerciseRun, TheStartButtonWaitsWhileASentenceRuns) {
    TutorHarness t;
    t.Open();
    t.WillDraw(6, 1);
    t.run.KeyPressed('\r');
    // A late step of a start screen cannot enable Enter under a sentence.
    t.run.EnableStart();
    EXPECT_FALSE(t.Screen().startEnabled);
    EXPECT_EQ(t.run.KeyPressed('\r'), 0);
    EXPECT_EQ(t.run.SentenceNumber(), 1);
}

TEST(ExerciseRun, TheWelcomeTextAsksForAnExerciseOnlyWhenThereIsAList) {
    TutorHarness t;
    t.Open();
    const std::string welcome = "-  Benvenuti nel tutore di dattilografia  - \r\nPer iniziare gli "
                                "esercizi scegli il livello di difficolt\xE0 e premi il "
                                "pulsante < Invio> ";
    EXPECT_EQ(t.run.WelcomeText(), welcome);
    t.folder.Write("Esercizi/mare.ftd", ExerciseBytes({}));
    t.catalogue.FillExerciseList();
    EXPECT_EQ(t.run.WelcomeText(),
              welcome + "\r\nSeleziona dalla lista il file con cui esercitarti");
    t.run.ShowStartChoices();
    t.run.EnableStart();
    EXPECT_TRUE(t.Screen().listVisible);
}

struct FileCase {
    const char* name;
    SentenceEntries level1;
    int drawn;
    std::vector<std::string> expected; // sentences 1 and 2
};

class FromAFile : public testing::TestWithParam<FileCase> {};

TEST_P(FromAFile, FiveInOrderFifteenByTheDrawAndBuiltInForGaps) {
    TutorHarness t;
    t.folder.Write("Esercizi/prova.ftd", ExerciseBytes(GetParam().level1));
    t.Open();
    t.catalogue.ChooseEntry(1);
    for (std::size_t n = 0; n < GetParam().expected.size(); ++n) {
        t.WillDraw(GetParam().drawn + static_cast<int>(n), 1);
        t.run.KeyPressed('\r');
        EXPECT_EQ(t.Screen().sentence, GetParam().expected[n]) << n;
        t.WillPraise(1, 0);
        t.Type(t.Screen().sentence);
        t.Pause();
    }
    EXPECT_EQ(t.Screen().caption.substr(0, 24), "Zentavo  - prova.ftd -  ");
}

INSTANTIATE_TEST_SUITE_P(
    Files, FromAFile,
    testing::Values(FileCase{"FiveInOrder", {{"1", "uno"}, {"2", "due"}}, 9, {"uno", "due"}},
                    FileCase{"FifteenByTheDraw",
                             {{"1", "uno"}, {"6", "sei"}, {"9", "nove"}, {"10", "dieci"}},
                             9,
                             {"nove", "dieci"}},
                    FileCase{"GapsFromTheBuiltInSentences",
                             {{"1", "uno"}, {"6", "sei"}, {"9", "nove"}},
                             9,
                             {"nove", "in estate andiamo in montagna"}},
                    FileCase{"UnreadableSentenceFromTheBuiltIn",
                             {{"1", "{}"}},
                             4,
                             {"ci vediamo domani a scuola"}}),
    [](const testing::TestParamInfo<FileCase>& p) { return std::string(p.param.name); });

TEST(ExerciseRun, TheTitleOfAFileIsCutToThirtyCharacters) {
    TutorHarness t;
    t.folder.Write("Esercizi/un nome davvero molto lungo.ftd", ExerciseBytes({{"1", "abc"}}));
    t.Open();
    t.catalogue.ChooseEntry(1);
    t.WillDraw(1, 1);
    t.run.KeyPressed('\r');
    EXPECT_EQ(t.Screen().caption,
              "Zentavo  - un nome davvero molto lungo -  Primo livello: frase 1");
}

} // namespace

namespace {

TEST(ExerciseRun, NewTextsReachTheCategoryAndTheListHeaders) {
    TutorHarness t;
    const auto path = std::filesystem::temp_directory_path() / "zentavo-run-texts.lng";
    std::ofstream(path, std::ios::binary)
        << "[Strings]\r\n0027=Beginner\r\n0028=Expert\r\n0063=[ Exercises\r\n";
    const UiTexts english = UiTexts::FromFile(UiProgram::Tutor, path.string());
    std::filesystem::remove(path);
    t.run.SetDifficulty(1);
    t.run.SetTexts(english);
    EXPECT_EQ(t.run.Results().CategoryName, "Expert");
    EXPECT_EQ(t.run.Results().Difficulty, 1);
    EXPECT_EQ(t.catalogue.ExercisesHeader(), "[ Exercises Zentavo ]");
}

} // namespace
