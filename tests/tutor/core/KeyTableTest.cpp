#include "tutor/core/KeyTable.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>
#include <vector>

namespace {

struct LookupCase {
    const char* name;
    char character;
    std::int16_t key;
    KeyModifier modifier;
};

class KeyLookup : public testing::TestWithParam<LookupCase> {};

TEST_P(KeyLookup, GivesKeyAndModifier) {
    const LookupCase& c = GetParam();
    const auto entry = FindKeyEntry(c.character);
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(KeyTable::Entry(*entry).KeyNumber, c.key);
    EXPECT_EQ(KeyTable::Entry(*entry).Modifier, c.modifier);
    EXPECT_EQ(KeyTable::Entry(*entry).Character, static_cast<unsigned char>(c.character));
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyLookup,
                         testing::Values(LookupCase{"CapitalA", 'A', 10, KeyModifier::RightShift},
                                         LookupCase{"CapitalH", 'H', 15, KeyModifier::LeftShift},
                                         LookupCase{"CapitalY", 'Y', 5, KeyModifier::RightShift},
                                         LookupCase{"Percent", '%', 49, KeyModifier::RightShift},
                                         LookupCase{"Ampersand", '&', 46, KeyModifier::RightShift},
                                         LookupCase{"Slash", '/', 45, KeyModifier::LeftShift},
                                         LookupCase{"Euro", '\x80', 2, KeyModifier::AltGr},
                                         LookupCase{"At", '@', 19, KeyModifier::AltGr},
                                         LookupCase{"CCedilla", '\xE7', 19, KeyModifier::LeftShift},
                                         LookupCase{"OGrave", '\xF2', 19, KeyModifier::None},
                                         LookupCase{"CarriageReturn", '\r', 48, KeyModifier::None},
                                         LookupCase{"Space", ' ', 35, KeyModifier::None},
                                         LookupCase{"EAcute", '\xE9', 42, KeyModifier::LeftShift},
                                         LookupCase{"Hash", '#', 40, KeyModifier::AltGr},
                                         LookupCase{"CapitalB", 'B', 25, KeyModifier::LeftShift}),
                         [](const testing::TestParamInfo<LookupCase>& p) {
                             return std::string(p.param.name);
                         });

TEST(KeyTable, CharactersWithoutKeyAreNotFoundAndFilteredOut) {
    for (char c : std::string("{}~\t\xC8\n\x01\xFF")) {
        EXPECT_FALSE(FindKeyEntry(c).has_value())
            << static_cast<int>(static_cast<unsigned char>(c));
    }
    EXPECT_EQ(FilterToKeyboard("a{b}~c\td\xC8"
                               "e\r\n\xE8\x80"),
              "abcde\r\xE8\x80");
    EXPECT_EQ(FilterToKeyboard(""), "");
    EXPECT_EQ(FilterToKeyboard("{~}"), "");
}

TEST(KeyTable, HasExactly103EntriesWithNoCharacterTwiceAndOnlyCrAsControl) {
    const auto& entries = KeyTable::Entries();
    ASSERT_EQ(entries.size(), 103u);
    std::set<std::int16_t> seen;
    for (const KeyEntry& e : entries) {
        EXPECT_TRUE(seen.insert(e.Character).second) << "twice: " << e.Character;
        EXPECT_GE(e.KeyNumber, 0);
        EXPECT_LT(e.KeyNumber, KeyTable::kKeyCount);
        const std::set<std::int16_t> undefinedCodes{0x81, 0x8D, 0x8F, 0x90, 0x9D};
        const bool control =
            e.Character < 32 || e.Character == 127 || undefinedCodes.count(e.Character) > 0;
        if (control) {
            EXPECT_EQ(e.Character, 13);
            EXPECT_EQ(e.KeyNumber, KeyTable::kEnterKey);
        }
    }
    EXPECT_TRUE(seen.count(13));
}

TEST(KeyTable, EveryCodeFindsTheEntryHoldingIt) {
    int found = 0;
    for (int code = 0; code < 256; ++code) {
        const auto entry = FindKeyEntry(static_cast<char>(code));
        if (entry) {
            EXPECT_EQ(KeyTable::Entry(*entry).Character, code);
            ++found;
        }
    }
    EXPECT_EQ(found, 103);
}

TEST(KeyTable, KeysAreNumberedInOrderAndLieInsideTheirRows) {
    const auto& keys = KeyTable::Keys();
    ASSERT_EQ(keys.size(), 63u);
    const std::set<int> rowTops{75, 705, 1200, 1335, 1965, 2595};
    for (std::size_t n = 0; n < keys.size(); ++n) {
        EXPECT_EQ(keys[n].number, static_cast<std::int16_t>(n));
        EXPECT_TRUE(rowTops.count(keys[n].top)) << n;
        EXPECT_GT(keys[n].width, 0);
    }
    // Within a row no two keys overlap.
    for (const KeyInfo& a : keys) {
        for (const KeyInfo& b : keys) {
            if (a.number >= b.number || a.top != b.top)
                continue;
            const bool apart = a.left + a.width <= b.left || b.left + b.width <= a.left;
            EXPECT_TRUE(apart) << a.number << " and " << b.number;
        }
    }
    EXPECT_EQ(KeyTable::Key(48).height, 630);
    EXPECT_EQ(KeyTable::Key(48).top, 1200);
    EXPECT_EQ(KeyTable::Key(35).width, 2415);
}

TEST(KeyTable, ModifierIsTheShiftOfTheOtherHand) {
    // Hand boundaries: number row between 6 and 7, upper row between Y and U,
    // home row between G and H, lower row between V and B.
    const std::set<std::int16_t> leftHand{52, 60, 61, 58, 57, 49, 46, 0,  1,  2,  3, 4,
                                          5,  10, 11, 12, 13, 14, 20, 21, 22, 23, 24};
    for (const KeyEntry& e : KeyTable::Entries()) {
        if (e.Modifier == KeyModifier::LeftShift) {
            EXPECT_FALSE(leftHand.count(e.KeyNumber)) << e.Character;
        }
        if (e.Modifier == KeyModifier::RightShift) {
            EXPECT_TRUE(leftHand.count(e.KeyNumber)) << e.Character;
        }
    }
}

TEST(KeyTable, ModifierKeys) {
    EXPECT_EQ(KeyTable::ModifierKey(KeyModifier::None), -1);
    EXPECT_EQ(KeyTable::ModifierKey(KeyModifier::LeftShift), 30);
    EXPECT_EQ(KeyTable::ModifierKey(KeyModifier::RightShift), 36);
    EXPECT_EQ(KeyTable::ModifierKey(KeyModifier::AltGr), 38);
}

TEST(KeyTable, ErgonomicSplitChangesExactlySixKeys) {
    std::set<int> changed;
    for (std::int16_t n = 0; n < KeyTable::kKeyCount; ++n) {
        if (FingerOf(n, KeySplit::Classic) != FingerOf(n, KeySplit::Ergonomic))
            changed.insert(n);
    }
    EXPECT_EQ(changed, (std::set<int>{21, 22, 23, 27, 28, 29}));
}

TEST(KeyTable, FingersOfTheLowerRowUnderBothSplits) {
    // Classic: Z ring, X middle, C index, M middle, "," ring, "." little;
    // Ergonomic: one key further right.
    const std::vector<std::tuple<std::int16_t, FingerGroup, FingerGroup>> cases = {
        {21, FingerGroup::Ring, FingerGroup::Little},
        {22, FingerGroup::Middle, FingerGroup::Ring},
        {23, FingerGroup::Index, FingerGroup::Middle},
        {27, FingerGroup::Middle, FingerGroup::Index},
        {28, FingerGroup::Ring, FingerGroup::Middle},
        {29, FingerGroup::Little, FingerGroup::Ring},
        {25, FingerGroup::Index, FingerGroup::Index},
        {35, FingerGroup::Thumb, FingerGroup::Thumb},
        {31, FingerGroup::Ring, FingerGroup::Ring}};
    for (const auto& [key, classic, ergonomic] : cases) {
        EXPECT_EQ(FingerOf(key, KeySplit::Classic), classic) << key;
        EXPECT_EQ(FingerOf(key, KeySplit::Ergonomic), ergonomic) << key;
    }
}

TEST(KeyTable, EveryRowHasFourIndexFingerKeysInTheClassicSplit) {
    std::map<int, int> indexKeysByTop;
    for (const KeyInfo& key : KeyTable::Keys()) {
        if (key.classicFinger == FingerGroup::Index)
            ++indexKeysByTop[key.top];
    }
    EXPECT_EQ(indexKeysByTop, (std::map<int, int>{{75, 4}, {705, 4}, {1335, 4}, {1965, 4}}));
}

struct CaptionCase {
    std::int16_t key;
    const char* caption;
    CaptionFont font;
};

class Captions : public testing::TestWithParam<CaptionCase> {};

TEST_P(Captions, TextAndFont) {
    const CaptionCase& c = GetParam();
    EXPECT_EQ(KeyTable::Key(c.key).caption, c.caption);
    EXPECT_EQ(KeyTable::Key(c.key).captionFont, c.font);
}

INSTANTIATE_TEST_SUITE_P(Keys, Captions,
                         testing::Values(CaptionCase{52, " |\r\n  \\", CaptionFont::Small},
                                         CaptionCase{50, " ?\r\n   '", CaptionFont::Small},
                                         CaptionCase{42, " \xE9\r\n  \xE8   [", CaptionFont::Small},
                                         CaptionCase{2, "E\r\n      \x80", CaptionFont::Small},
                                         CaptionCase{62, "    Invio", CaptionFont::Small},
                                         CaptionCase{10, "A", CaptionFont::Window},
                                         CaptionCase{54, "", CaptionFont::Large}));

TEST(KeyTable, CaptionFonts) {
    EXPECT_EQ(KeyTable::CaptionFontSpec(CaptionFont::Small).pointSize, 9.75f);
    EXPECT_EQ(KeyTable::CaptionFontSpec(CaptionFont::Window).pointSize, 12.0f);
    EXPECT_EQ(KeyTable::CaptionFontSpec(CaptionFont::Large).pointSize, 18.0f);
    EXPECT_EQ(KeyTable::CaptionFontSpec(CaptionFont::Large).family, "Arial");
}

} // namespace
