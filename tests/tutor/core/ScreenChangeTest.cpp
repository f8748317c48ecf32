// The run publishes once per operation what the operation changed: the
// parts of the screen and the areas of the keyboard picture.
#include "TutorHarness.h"

#include "tutor/core/TutorSounds.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct PartCase {
    const char* name;
    std::function<void(TutorScreen&)> change;
    ScreenPart part;
};

class ScreenParts : public testing::TestWithParam<PartCase> {};

TEST_P(ScreenParts, AFieldChangesItsOwnPartOnly) {
    const TutorScreen before;
    TutorScreen after;
    GetParam().change(after);
    std::bitset<kScreenPartCount> expected;
    expected.set(static_cast<std::size_t>(GetParam().part));
    EXPECT_EQ(ChangedParts(before, after), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ScreenParts,
    testing::Values(
        PartCase{"caption", [](TutorScreen& s) { s.caption += "x"; }, ScreenPart::Caption},
        PartCase{"aligned", [](TutorScreen& s) { s.sentenceLeftAligned = true; },
                 ScreenPart::Sentence},
        PartCase{"typed_line", [](TutorScreen& s) { s.typedLine = 1; }, ScreenPart::TypedPart},
        PartCase{"typed_colour", [](TutorScreen& s) { s.typedColour.red = 1; },
                 ScreenPart::TypedPart},
        PartCase{"locked", [](TutorScreen& s) { s.inputLocked = false; }, ScreenPart::Input},
        PartCase{"wrong", [](TutorScreen& s) { s.wrongCounter = "1/1"; }, ScreenPart::Counters},
        PartCase{"face", [](TutorScreen& s) { s.face.red = true; }, ScreenPart::Face},
        PartCase{"clock", [](TutorScreen& s) { s.clockRunning = true; }, ScreenPart::Clock},
        PartCase{"slow_icon", [](TutorScreen& s) { s.slowEndIcon = 421; }, ScreenPart::Gauge},
        PartCase{"marker", [](TutorScreen& s) { s.recordMarkerWidth = 5; }, ScreenPart::Gauge},
        PartCase{"average", [](TutorScreen& s) { s.levelAverages[2] = "9"; }, ScreenPart::Lamps},
        PartCase{"picture", [](TutorScreen& s) { s.picture.value = 431; }, ScreenPart::Message},
        PartCase{"animation", [](TutorScreen& s) { s.recordAnimation = true; },
                 ScreenPart::Message},
        PartCase{"prompt", [](TutorScreen& s) { s.enterPrompt = true; }, ScreenPart::Controls},
        PartCase{"type_for_me", [](TutorScreen& s) { s.typeForMeVisible = true; },
                 ScreenPart::Controls}),
    [](const auto& p) { return std::string(p.param.name); });

class Publishing : public testing::Test {
protected:
    // The notices the operation sends.
    std::vector<ScreenChange> During(const std::function<void()>& operation) {
        t.observer.changes.clear();
        operation();
        return t.observer.changes;
    }
    TutorHarness t;
};

TEST_F(Publishing, EnterThatStartsASentenceIsOneNotice) {
    t.Open();
    t.WillDraw(4, 1);
    const auto changes = During([this] { t.run.KeyPressed('\r'); });
    ASSERT_EQ(changes.size(), 1u);
    const ScreenChange& c = changes[0];
    for (ScreenPart part : {ScreenPart::Caption, ScreenPart::Sentence, ScreenPart::Input,
                            ScreenPart::Lamps, ScreenPart::Controls})
        EXPECT_TRUE(c.Has(part)) << static_cast<int>(part);
    // The prompt is told to stop (at its next tick) and the key of 'c'
    // went down.
    EXPECT_TRUE(t.keyboard.SentenceRunning());
    EXPECT_TRUE(t.keyboard.IsSunken(23));
    EXPECT_FALSE(c.keyboard.areas.empty());
    EXPECT_EQ(t.observer.screen.sentence, "ci vediamo domani a scuola");
}

TEST_F(Publishing, ACorrectKeystrokeCarriesTheTwoKeysItMoves) {
    t.run.BeginSentence("asd");
    t.run.KeyPressed('a'); // the clock starts
    const auto changes = During([this] { t.run.KeyPressed('s'); });
    ASSERT_EQ(changes.size(), 1u);
    const ScreenChange& c = changes[0];
    std::bitset<kScreenPartCount> parts;
    for (ScreenPart part : {ScreenPart::TypedPart, ScreenPart::Input, ScreenPart::Counters})
        parts.set(static_cast<std::size_t>(part));
    EXPECT_EQ(c.parts, parts);
    // 'd' sank, 's' rose: exactly their areas are to be repainted.
    EXPECT_EQ(c.keyboard.areas, (std::vector<TwipsRect>{t.keyboard.KeyAreaWithBevel(11),
                                                        t.keyboard.KeyAreaWithBevel(12)}));
    EXPECT_FALSE(c.keyboard.strip);
    EXPECT_FALSE(c.keyboard.promptTimer);
}

TEST_F(Publishing, ATickThatChangesNothingSaysSo) {
    t.run.BeginSentence("as");
    t.run.KeyPressed('a');
    const auto changes = During([this] { t.run.ClockTick(); });
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_TRUE(changes[0].parts.none());
    EXPECT_TRUE(changes[0].keyboard.Empty());
}

TEST_F(Publishing, TheEnterPromptFollowsTheScreen) {
    const auto ready = During([this] { t.Open(); });
    ASSERT_FALSE(ready.empty());
    EXPECT_TRUE(ready.back().keyboard.promptTimer);
    EXPECT_TRUE(t.keyboard.PromptTimerRunning());
    EXPECT_TRUE(t.keyboard.EnterCaptionBold());
    t.WillDraw(4, 1);
    t.run.KeyPressed('\r');
    // The blink ends at its next tick, published like any change.
    const auto tick = During([this] { t.run.PromptTick(); });
    ASSERT_EQ(tick.size(), 1u);
    EXPECT_TRUE(tick[0].keyboard.promptTimer);
    EXPECT_FALSE(t.keyboard.PromptTimerRunning());
    EXPECT_FALSE(t.keyboard.EnterCaptionBold());
}

TEST_F(Publishing, KeyboardClicksArePublishedToo) {
    t.run.LoadKeyboardOptions(false, true, KeySplit::Classic);
    const auto strip = During([this] { t.run.FingerImageDoubleClicked(); });
    ASSERT_EQ(strip.size(), 1u);
    EXPECT_TRUE(strip[0].keyboard.strip);
    EXPECT_TRUE(t.keyboard.StripVisible());
    const auto split = During([this] { t.run.KeyDoubleClicked(25); });
    ASSERT_EQ(split.size(), 1u);
    EXPECT_FALSE(split[0].keyboard.areas.empty());
    EXPECT_EQ(t.keyboard.Split(), KeySplit::Ergonomic);
    EXPECT_EQ(t.observer.sounds.back(), kSoundSplit);
}

} // namespace
