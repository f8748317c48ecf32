// The results at a level's end answered after the run's operation has
// returned, as the results window answers once the pupil closes it.
#include "TutorHarness.h"

#include "tutor/core/BuiltInSentence.h"
#include "tutor/core/TutorSounds.h"

#include <gtest/gtest.h>

namespace {

class LevelEnd : public testing::Test {
protected:
    // Sentences 1 to 5 typed and their pauses waited out: the next Enter
    // ends the level.
    void PlayTheFirstLevel() {
        t.Open();
        for (int sentence = 1; sentence <= 5; ++sentence) {
            t.WillDraw(sentence, 1);
            t.run.KeyPressed('\r');
            ASSERT_EQ(t.run.SentenceNumber(), sentence);
            t.WillPraise(1, 0);
            t.Type(BuiltInSentence(static_cast<std::int16_t>(sentence)));
            ASSERT_TRUE(t.run.Sentence().SentenceDone);
            t.Pause();
        }
        t.presenter.later = true;
        t.run.KeyPressed('\r');
        ASSERT_TRUE(t.run.AwaitingResults());
        ASSERT_EQ(t.presenter.shown.size(), 1u);
    }
    TutorHarness t;
};

TEST_F(LevelEnd, NothingStartsUntilTheResultsAreAnswered) {
    ASSERT_NO_FATAL_FAILURE(PlayTheFirstLevel());
    EXPECT_EQ(t.presenter.shown[0].ResultsOutcome, 1);
    const auto sounds = t.observer.sounds.size();
    t.run.KeyPressed('\r');
    t.run.KeyPressed('a');
    t.run.StartRequest();
    t.run.Restart();
    EXPECT_TRUE(t.run.AwaitingResults());
    EXPECT_EQ(t.run.SentenceNumber(), 6);
    EXPECT_EQ(t.run.LevelsReached(), 1);
    EXPECT_EQ(t.observer.sounds.size(), sounds);
    EXPECT_EQ(t.presenter.shown.size(), 1u);

    t.WillDraw(16, 2);
    t.observer.changes.clear();
    t.presenter.pending(0);
    EXPECT_FALSE(t.run.AwaitingResults());
    EXPECT_EQ(t.run.LevelsReached(), 2);
    EXPECT_EQ(t.Screen().sentence, BuiltInSentence(16));
    EXPECT_EQ(t.observer.sounds.back(), kSoundStart);
    // The continued start is published like any operation: once.
    EXPECT_EQ(t.observer.changes.size(), 1u);
    // A second answer of the same window changes nothing.
    t.presenter.pending(1);
    EXPECT_EQ(t.run.LevelsReached(), 2);
    EXPECT_EQ(t.observer.closeRequests, 0);
}

TEST_F(LevelEnd, AnyOtherAnswerEndsTheProgram) {
    ASSERT_NO_FATAL_FAILURE(PlayTheFirstLevel());
    t.presenter.pending(-1);
    EXPECT_EQ(t.observer.closeRequests, 1);
    EXPECT_EQ(t.run.Results().ResultsAnswer, -1);
    // Closing: keys go nowhere.
    EXPECT_EQ(t.run.KeyPressed('\r'), 0);
    EXPECT_EQ(t.run.SentenceNumber(), 6);
}

} // namespace
