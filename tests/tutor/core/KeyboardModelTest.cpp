#include "tutor/core/KeyboardModel.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

std::set<int> sunkenKeys(const KeyboardModel& m) {
    std::set<int> keys;
    for (int k = 0; k < KeyTable::kKeyCount; ++k) {
        if (m.IsSunken(k))
            keys.insert(k);
    }
    return keys;
}

std::set<int> visibleFrames(const KeyboardModel& m) {
    std::set<int> frames;
    for (int f = 0; f < KeyboardModel::kFrameCount; ++f) {
        if (m.FrameVisible(f))
            frames.insert(f);
    }
    return frames;
}

// Takes the model's notes after each operation, as the exercise run does.
class Recorder {
public:
    void take(KeyboardModel& m) {
        KeyboardChanges c;
        m.TakeChanges(c);
        areas.insert(areas.end(), c.areas.begin(), c.areas.end());
        if (c.strip)
            strip.push_back(m.StripVisible());
        if (c.promptTimer)
            timer.push_back(m.PromptTimerRunning());
    }
    bool touched(const TwipsRect& r) const {
        for (const auto& a : areas) {
            if (a == r)
                return true;
        }
        return false;
    }
    std::vector<TwipsRect> areas;
    std::vector<bool> strip, timer;
};

struct HighlightCase {
    const char* name;
    bool highlight;
    std::string typed; // characters highlighted one after another
    std::set<int> sunken;
    std::set<int> frames;
    bool extra;
    int highlightedKey;
};

class HighlightSequence : public testing::TestWithParam<HighlightCase> {};

TEST_P(HighlightSequence, SinksTheKeysOfTheLastCharacter) {
    const HighlightCase& c = GetParam();
    KeyboardModel m;
    m.LoadOptions(c.highlight, false, KeySplit::Classic);
    for (char ch : c.typed)
        m.HighlightNextKey(ch);
    EXPECT_EQ(sunkenKeys(m), c.sunken);
    EXPECT_EQ(visibleFrames(m), c.frames);
    EXPECT_EQ(m.ExtraHighlight(), c.extra);
    EXPECT_EQ(m.HighlightedKey(), c.highlightedKey);
}

INSTANTIATE_TEST_SUITE_P(
    Characters, HighlightSequence,
    testing::Values(
        HighlightCase{"capital_a_with_right_shift", true, "A", {10, 36}, {0, 1}, false, 10},
        HighlightCase{"then_small_s_raises_both", true, "As", {11}, {0}, false, 11},
        HighlightCase{"highlight_off_still_sinks", false, "A", {10, 36}, {}, false, 10},
        HighlightCase{"h_with_left_shift", true, "H", {15, 30}, {0, 1}, false, 15},
        HighlightCase{"euro_with_altgr", true, "\x80", {2, 38}, {0, 1}, true, 2},
        HighlightCase{"after_euro_every_key_raised",
                      true,
                      "\x80"
                      "a",
                      {10},
                      {0},
                      false,
                      10},
        HighlightCase{"at_sign_with_altgr", false, "@", {19, 38}, {}, true, 19},
        HighlightCase{"enter_sinks_both_parts", true, "\r", {48, 62}, {0, 2, 3}, true, 48},
        HighlightCase{"after_enter_both_parts_raised", true, "\rx", {22}, {0}, false, 22},
        HighlightCase{"space_bar", true, " ", {35}, {0}, false, 35},
        // e grave has no modifier, e acute needs the left Shift on the same key
        HighlightCase{"e_grave_then_e_acute", false, "\xE8\xE9", {42, 30}, {}, false, 42},
        // a character without a key leaves every key up and the key unchanged
        HighlightCase{"no_key_for_tab", true, "a\t", {}, {}, false, 10}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(KeyboardModel, FramesLieOnTheKeyAndTheShiftToHold) {
    KeyboardModel m;
    m.LoadOptions(true, false, KeySplit::Classic);
    m.HighlightNextKey('A');
    const TwipsRect a = KeyboardModel::KeyRect(10);
    const TwipsRect shift = KeyboardModel::KeyRect(36);
    EXPECT_EQ(m.FrameRect(0), a);
    EXPECT_EQ(m.FrameRect(1), (TwipsRect{shift.left, shift.top, shift.width, 495}));
    EXPECT_EQ(m.FrameRect(2), KeyboardModel::KeyRect(62));
    EXPECT_EQ(m.FrameRect(3), KeyboardModel::KeyRect(48));
}

TEST(KeyboardModel, ColourValuesAreTheStoredOnes) {
    EXPECT_EQ(kPlainKeyColour.Stored(), 14737632u);
    EXPECT_EQ(FingerColour(FingerGroup::Little).Stored(), 14733241u);
    EXPECT_EQ(FingerColour(FingerGroup::Ring).Stored(), 11919062u);
    EXPECT_EQ(FingerColour(FingerGroup::Middle).Stored(), 12963055u);
    EXPECT_EQ(FingerColour(FingerGroup::Index).Stored(), 12111010u);
    EXPECT_EQ(FingerColour(FingerGroup::Thumb).Stored(), 15461346u);
    EXPECT_EQ(kHighlightFrameFill.Stored(), 12632256u);
}

struct BevelCase {
    Colour base;
    Colour dark;
    Colour light;
};

class BevelColours : public testing::TestWithParam<BevelCase> {};

TEST_P(BevelColours, Are50AwayWithinRange) {
    EXPECT_EQ(DarkBevelOf(GetParam().base), GetParam().dark);
    EXPECT_EQ(LightBevelOf(GetParam().base), GetParam().light);
}

INSTANTIATE_TEST_SUITE_P(
    Bases, BevelColours,
    testing::Values(BevelCase{Colour{224, 224, 224}, Colour{174, 174, 174}, Colour{255, 255, 255}},
                    BevelCase{Colour{30, 100, 255}, Colour{0, 50, 205}, Colour{80, 150, 255}},
                    BevelCase{Colour{162, 204, 184}, Colour{112, 154, 134},
                              Colour{212, 254, 234}}));

TEST(KeyboardModel, FingerMapColoursEveryKeyBySplit) {
    KeyboardModel m;
    m.LoadOptions(false, true, KeySplit::Classic);
    for (int k = 0; k < KeyTable::kKeyCount; ++k)
        ASSERT_EQ(m.KeyColour(k),
                  FingerColour(FingerOf(static_cast<std::int16_t>(k), KeySplit::Classic)))
            << "key " << k;
    EXPECT_EQ(m.KeyColour(21), FingerColour(FingerGroup::Ring));
    EXPECT_EQ(m.KeyColour(35), FingerColour(FingerGroup::Thumb));
    EXPECT_TRUE(m.FingerImagesVisible());
    EXPECT_EQ(m.BumpColour(0), DarkBevelOf(FingerColour(FingerGroup::Index)));
    EXPECT_EQ(m.BumpColour(1), LightBevelOf(FingerColour(FingerGroup::Index)));
}

TEST(KeyboardModel, DoubleClickOnBSwitchesTheSplitButNotTheShift) {
    KeyboardModel m;
    m.LoadOptions(false, true, KeySplit::Classic);
    m.MarkSentenceRunning();
    EXPECT_TRUE(m.KeyDoubleClicked(25, 'B'));
    EXPECT_EQ(m.Split(), KeySplit::Ergonomic);
    EXPECT_EQ(m.KeyColour(21), FingerColour(FingerGroup::Little));
    EXPECT_EQ(sunkenKeys(m), (std::set<int>{25, 30}));
    EXPECT_TRUE(m.KeyDoubleClicked(25, std::nullopt));
    EXPECT_EQ(m.Split(), KeySplit::Classic);
    EXPECT_EQ(m.KeyColour(21), FingerColour(FingerGroup::Ring));
}

struct IgnoredDoubleClick {
    const char* name;
    bool keyMap;
    int key;
};

class DoubleClicksThatDoNothing : public testing::TestWithParam<IgnoredDoubleClick> {};

TEST_P(DoubleClicksThatDoNothing, LeaveTheKeyboardAlone) {
    KeyboardModel m;
    m.LoadOptions(false, GetParam().keyMap, KeySplit::Classic);
    const Colour z = m.KeyColour(21);
    Recorder r;
    KeyboardChanges before;
    m.TakeChanges(before);
    EXPECT_FALSE(m.KeyDoubleClicked(GetParam().key, 'a'));
    r.take(m);
    EXPECT_EQ(m.Split(), KeySplit::Classic);
    EXPECT_EQ(m.KeyColour(21), z);
    EXPECT_TRUE(r.areas.empty());
}

INSTANTIATE_TEST_SUITE_P(Clicks, DoubleClicksThatDoNothing,
                         testing::Values(IgnoredDoubleClick{"b_without_map", false, 25},
                                         IgnoredDoubleClick{"n_with_map", true, 26},
                                         IgnoredDoubleClick{"space_with_map", true, 35}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(KeyboardModel, SwitchingTheMapOffGreysEverything) {
    KeyboardModel m;
    m.LoadOptions(false, true, KeySplit::Classic);
    m.MarkSentenceRunning();
    m.SetKeyMap(false, 'a');
    for (int k = 0; k < KeyTable::kKeyCount; ++k)
        ASSERT_EQ(m.KeyColour(k), kPlainKeyColour);
    EXPECT_FALSE(m.FingerImagesVisible());
    EXPECT_EQ(m.BumpColour(2), (Colour{174, 174, 174}));
    EXPECT_EQ(m.BumpColour(3), (Colour{255, 255, 255}));
    EXPECT_EQ(sunkenKeys(m), (std::set<int>{10}));
}

TEST(KeyboardModel, MapToggleBetweenSentencesShowsTheEnterPrompt) {
    KeyboardModel m;
    m.FlashBotton();
    m.SetKeyMap(true, std::nullopt);
    EXPECT_EQ(sunkenKeys(m), (std::set<int>{48, 62}));
}

TEST(KeyboardModel, HighlightToggle) {
    KeyboardModel m;
    m.MarkSentenceRunning();
    m.HighlightNextKey('A');
    EXPECT_TRUE(visibleFrames(m).empty());
    m.SetHighlight(true, 'A');
    EXPECT_EQ(visibleFrames(m), (std::set<int>{0, 1}));
    m.SetHighlight(false, 'A');
    EXPECT_TRUE(visibleFrames(m).empty());
    EXPECT_EQ(sunkenKeys(m), (std::set<int>{10, 36}));
}

TEST(KeyboardModel, FingerMapMovesBetweenStripAndKeys) {
    KeyboardModel m;
    Recorder r;
    m.LoadOptions(false, true, KeySplit::Classic);
    r.take(m);
    ASSERT_TRUE(m.FingerImagesVisible());
    m.FingerImageDoubleClicked('J');
    r.take(m);
    EXPECT_FALSE(m.FingerImagesVisible());
    EXPECT_TRUE(m.StripVisible());
    EXPECT_EQ(sunkenKeys(m), (std::set<int>{16, 30}));
    // recolouring while the strip is out keeps the images off the keys
    m.KeyDoubleClicked(25, std::nullopt);
    r.take(m);
    EXPECT_FALSE(m.FingerImagesVisible());
    m.StripDoubleClicked();
    r.take(m);
    EXPECT_TRUE(m.FingerImagesVisible());
    EXPECT_FALSE(m.StripVisible());
    EXPECT_EQ(r.strip, (std::vector<bool>{true, false}));
}

TEST(KeyboardModel, EnterPromptBlinksUntilTheSentenceRuns) {
    KeyboardModel m;
    Recorder r;
    m.FlashBotton();
    r.take(m);
    EXPECT_TRUE(m.EnterCaptionBold());
    EXPECT_EQ(sunkenKeys(m), (std::set<int>{48, 62}));
    std::vector<bool> shown;
    for (int i = 0; i < 3; ++i) {
        m.PromptTick();
        r.take(m);
        shown.push_back(m.PromptImageVisible());
    }
    EXPECT_EQ(shown, (std::vector<bool>{true, false, true}));
    m.MarkSentenceRunning();
    m.PromptTick();
    r.take(m);
    EXPECT_FALSE(m.PromptImageVisible());
    EXPECT_FALSE(m.EnterCaptionBold());
    EXPECT_FALSE(m.PromptTimerRunning());
    EXPECT_EQ(r.timer, (std::vector<bool>{true, false}));
}

TEST(KeyboardModel, ReportsOnlyTheKeysThatChange) {
    KeyboardModel m;
    m.MarkSentenceRunning();
    m.HighlightNextKey('a');
    Recorder r;
    KeyboardChanges before;
    m.TakeChanges(before);
    m.HighlightNextKey('s');
    r.take(m);
    EXPECT_TRUE(r.touched(m.KeyAreaWithBevel(10)));
    EXPECT_TRUE(r.touched(m.KeyAreaWithBevel(11)));
    EXPECT_FALSE(r.touched(m.KeyAreaWithBevel(12)));
    EXPECT_EQ(r.areas.size(), 2u);
}

struct ImageCase {
    int image;
    TwipsRect rect;
};

class FingerImagePlaces : public testing::TestWithParam<ImageCase> {};

TEST_P(FingerImagePlaces, SitOnTheirKeys) {
    EXPECT_EQ(KeyboardModel::FingerImageRect(GetParam().image), GetParam().rect);
}

// Images 0-7 end 4 pixels (60 twips) right of and below the key's corner;
// the thumbs sit at the ends of the space bar, bottom-aligned.
INSTANTIATE_TEST_SUITE_P(Images, FingerImagePlaces,
                         testing::Values(ImageCase{0, {1020, 1410, 480, 480}},
                                         ImageCase{3, {2775, 1410, 480, 480}},
                                         ImageCase{7, {6285, 1410, 480, 480}},
                                         ImageCase{8, {2805, 2610, 480, 480}},
                                         ImageCase{9, {4740, 2610, 480, 480}}));

TEST(KeyboardModel, BevelAreaGrowsWithTheEnlargedLayout) {
    const KeyboardModel normal(false);
    const KeyboardModel large(true);
    EXPECT_EQ(normal.BevelWidth(), 3);
    EXPECT_EQ(large.BevelWidth(), 4);
    EXPECT_EQ(normal.KeyAreaWithBevel(0), (TwipsRect{840, 645, 555, 615}));
    EXPECT_EQ(large.KeyAreaWithBevel(0), (TwipsRect{825, 630, 585, 645}));
}

} // namespace
