#include "tutor/core/WordList.h"

#include "TestFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace std::string_literals;

namespace {

struct WordCase {
    const char* word; // Windows-1252
    bool kept;
};

class DrillWordFilter : public testing::TestWithParam<WordCase> {};

TEST_P(DrillWordFilter, KeepsWhatAChildReadsAndTheKeysType) {
    EXPECT_EQ(IsDrillWord(GetParam().word), GetParam().kept) << GetParam().word;
}

INSTANTIATE_TEST_SUITE_P(
    Words, DrillWordFilter,
    testing::Values(WordCase{"casa", true}, WordCase{"di", true}, WordCase{"perch\xE9", true},
                    WordCase{"citt\xE0", true}, WordCase{"pi\xF9", true},
                    WordCase{"quaderno", true}, WordCase{"triste", true}, WordCase{"passi", true},
                    WordCase{"classe", true}, WordCase{"e", false}, // too short
                    WordCase{"sottolineatura", false},              // too long
                    WordCase{"Roma", false},                        // a name
                    WordCase{"l'acqua", false},                     // elided
                    WordCase{"kg", false},                          // no vowel
                    WordCase{"caf\xE9s", false},                    // inner accent
                    WordCase{"na\xEFve", false},                    // a letter no key types
                    WordCase{"cantaste", false}, WordCase{"parlarono", false},
                    WordCase{"cantassero", false}, WordCase{"canteremo", false},
                    WordCase{"portalo", true}, WordCase{"dateglieli", false}, WordCase{"", false}));

TEST(WordList, ConvertsUtf8AtTheEdgeAndKeepsOneWordALine) {
    const auto words = FilterWordList("casa\r\ncitt\xC3\xA0\nperch\xC3\xA9\ncasa\ncasa\nmare");
    EXPECT_EQ(words, (std::vector<std::string>{"casa", "citt\xE0", "perch\xE9", "casa", "mare"}));
}

TEST(WordList, LinesThatCannotBeWordsAreSkippedNotCut) {
    const std::string longLine(100, 'a');
    const auto words = FilterWordList("citt\xC3\nca\xE0sa\n\xFF\xFE\n" + longLine +
                                      "\nca\0sa\n\n\r\nmare\xE2\x82\xAC\nsole"s);
    EXPECT_EQ(words, (std::vector<std::string>{"sole"}));
}

TEST(WordList, MissingOrOdd) {
    TempFolder folder;
    EXPECT_EQ(ReadWordList(folder.Path() + "none").status, WordListStatus::Missing);
    EXPECT_EQ(ReadWordList(folder.Path()).status, WordListStatus::Missing);
    folder.Write("empty", "");
    const WordList empty = ReadWordList(folder.Path() + "empty");
    EXPECT_EQ(empty.status, WordListStatus::Read);
    EXPECT_TRUE(empty.words.empty());
}

TEST(WordList, AFileOverTheLimitIsNotRead) {
    TempFolder folder;
    folder.Write("big", "casa\n");
    std::filesystem::resize_file(folder.Path() + "big", kMaxWordListBytes + 1);
    const WordList big = ReadWordList(folder.Path() + "big");
    EXPECT_EQ(big.status, WordListStatus::TooLarge);
    EXPECT_TRUE(big.words.empty());
    std::filesystem::resize_file(folder.Path() + "big", kMaxWordListBytes);
    EXPECT_EQ(ReadWordList(folder.Path() + "big").words, std::vector<std::string>{"casa"});
}

TEST(WordList, DebianItalianList) {
    const WordList list = ReadWordList(kDebianItalianWordList);
    ASSERT_EQ(list.status, WordListStatus::Read) << "witalian is one of scripts/install-deps";
    // About 117,000 entries, of which the filter keeps a little over half.
    EXPECT_GT(list.words.size(), 50000u);
    EXPECT_LT(list.words.size(), 80000u);
    for (const char* word : {"acqua", "quando", "per\xF2", "citt\xE0", "scuola"})
        EXPECT_NE(std::find(list.words.begin(), list.words.end(), word), list.words.end()) << word;
    EXPECT_TRUE(std::all_of(list.words.begin(), list.words.end(),
                            [](const std::string& w) { return IsDrillWord(w); }));
}

} // namespace
