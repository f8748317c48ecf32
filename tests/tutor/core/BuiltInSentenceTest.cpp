#include "tutor/core/BuiltInSentence.h"

#include "tutor/core/KeyTable.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

int LevelOf(int index) {
    return (index - 1) / 15 + 1;
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

class EveryBuiltInSentence : public testing::TestWithParam<int> {};

TEST_P(EveryBuiltInSentence, KeepsTheRulesOfItsLevel) {
    const int index = GetParam();
    const std::string s = BuiltInSentence(static_cast<std::int16_t>(index));
    ASSERT_FALSE(s.empty());
    for (char c : s) {
        EXPECT_TRUE(c == '\n' || FindKeyEntry(c).has_value())
            << "index " << index << " code " << int(static_cast<unsigned char>(c));
        EXPECT_NE(c, 'j') << index;
        EXPECT_NE(c, 'J') << index;
        EXPECT_NE(c, '\x80') << index;
    }
    EXPECT_EQ(s.front() == ' ' || s.back() == ' ', false) << index;
    EXPECT_EQ(s.find("  "), std::string::npos) << index;
    switch (LevelOf(index)) {
    case 1:
        EXPECT_GE(s.size(), 26u) << index;
        EXPECT_LE(s.size(), 43u) << index;
        for (char c : s)
            EXPECT_TRUE(c == ' ' || (c >= 'a' && c <= 'z')) << index << ": " << c;
        break;
    case 2:
        EXPECT_GE(s.size(), 54u) << index;
        EXPECT_LE(s.size(), 72u) << index;
        EXPECT_EQ(s.find_first_of("\r\n"), std::string::npos) << index;
        EXPECT_TRUE(s.front() >= 'A' && s.front() <= 'Z') << index;
        break;
    default: {
        EXPECT_EQ(Count(s, "\r\n"), 1u) << index;
        EXPECT_EQ(Count(s, "\r"), 1u) << index;
        EXPECT_EQ(Count(s, "\n"), 1u) << index;
        const auto cut = s.find("\r\n");
        EXPECT_GT(cut, 0u) << index;
        EXPECT_LT(cut + 2, s.size()) << index;
        // No line is longer than the longest line of the given sentences.
        EXPECT_LE(cut, 87u) << index;
        EXPECT_LE(s.size() - cut - 2, 87u) << index;
        break;
    }
    }
}

INSTANTIATE_TEST_SUITE_P(Indexes, EveryBuiltInSentence, testing::Range(1, 46));

struct ExactCase {
    std::int16_t index;
    const char* text;
};

class GivenSentences : public testing::TestWithParam<ExactCase> {};

TEST_P(GivenSentences, AreExact) {
    EXPECT_EQ(BuiltInSentence(GetParam().index), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, GivenSentences,
    testing::Values(
        ExactCase{1, "il mio amico legge un libro di avventure"},
        ExactCase{2, "la mia mamma cucina il pranzo"}, ExactCase{4, "ci vediamo domani a scuola"},
        ExactCase{15, "gli uccelli volano alti e liberi nel cielo"},
        ExactCase{16, "William sbucci\xF2 un'albicocca per la sua cara amica Karin."},
        ExactCase{18, "Michele \xE8 uno scolaro di quinta. Io, invece, frequento la quarta."},
        ExactCase{28, "Quest'anno a scuola ci insegnano l'inglese: very good!"},
        ExactCase{31, "I giorni della settimana sono 7: luned\xEC, marted\xEC, mercoled\xEC, "
                      "gioved\xEC, venerd\xEC, sabato e\r\ndomenica."},
        ExactCase{34, "Questa \xE8 un'addizione: 35 + 75 = 110. Questa \xE8 una sottrazione: "
                      "47 - 29 = 18.\r\nFacile l'aritmetica, vero?"},
        ExactCase{36,
                  "50% si legge \"cinquanta per cento\" e significa: la met\xE0.\r\nLo sapevi?"},
        ExactCase{38, "Il simbolo delle lire \xE8 questo: \xA3; il simbolo del dollaro, invece, "
                      "\xE8 questo: $;\r\nlo sapevi?"},
        ExactCase{44, "Il simbolo \"#\", che \xE8 presente anche nella tastiera del "
                      "telefono,\r\nviene chiamato: cancelletto."}));

TEST(BuiltInSentence, IndexesOutsideOneToFortyFiveGiveNothing) {
    for (int index : {0, 46, -1, -45, 100, 32767, -32768})
        EXPECT_EQ(BuiltInSentence(static_cast<std::int16_t>(index)), "") << index;
}

TEST(BuiltInSentence, GivenShortestSentencesAreTheShortestOfTheirLevel) {
    EXPECT_EQ(BuiltInSentence(4).size(), 26u);
    EXPECT_EQ(BuiltInSentence(28).size(), 54u);
    for (std::int16_t i = 1; i <= 15; ++i)
        EXPECT_TRUE(i == 4 || BuiltInSentence(i).size() > 26u) << i;
    for (std::int16_t i = 16; i <= 30; ++i)
        EXPECT_TRUE(i == 28 || BuiltInSentence(i).size() > 54u) << i;
}

TEST(BuiltInSentence, FirstLineOfThirtyOneHas87Characters) {
    const std::string s = BuiltInSentence(31);
    EXPECT_EQ(s.find("\r\n"), 87u);
    EXPECT_EQ(s.substr(89), "domenica.");
}

TEST(BuiltInSentence, AllFortyFiveAreDifferent) {
    std::set<std::string> seen;
    for (std::int16_t i = 1; i <= 45; ++i)
        EXPECT_TRUE(seen.insert(BuiltInSentence(i)).second) << i;
}

TEST(BuiltInSentence, TogetherUseExactlyTheListedCharacters) {
    std::set<char> used;
    for (std::int16_t i = 1; i <= 45; ++i) {
        for (char c : BuiltInSentence(i))
            used.insert(c);
    }
    const std::string required = "0123456789 \r\n\xE0\xE8\xE9\xEC\xF2\xF9\xA3!\"#$%'()+,-./:;=?@";
    for (char c : required)
        EXPECT_TRUE(used.count(c)) << "never used: " << int(static_cast<unsigned char>(c));
    for (char c : used) {
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        EXPECT_TRUE(letter || required.find(c) != std::string::npos)
            << "not listed: " << int(static_cast<unsigned char>(c));
    }
}

} // namespace
