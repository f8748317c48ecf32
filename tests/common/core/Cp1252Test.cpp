#include "common/core/Cp1252.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp1252, AccentedLettersAndEuroAreSingleBytes) {
    EXPECT_EQ(Utf8ToCp1252("è"), "\xE8");
    EXPECT_EQ(Utf8ToCp1252("€"), "\x80");
    EXPECT_EQ(Cp1252ToUtf8("\xE8"), "è");
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "€");
    EXPECT_EQ("è"_cp1252, "\xE8");
    EXPECT_EQ("€"_cp1252, "\x80");
    EXPECT_EQ("N° più ¦¦ città"_cp1252, "N\xB0 pi\xF9 \xA6\xA6 citt\xE0");
}

struct CodePoint {
    unsigned char byte;
    char32_t unicode;
};

class Cp1252Table : public ::testing::TestWithParam<CodePoint> {};

TEST_P(Cp1252Table, MapsBothWays) {
    const CodePoint c = GetParam();
    EXPECT_EQ(Cp1252ToUnicode(c.byte), c.unicode);
    EXPECT_EQ(UnicodeToCp1252(c.unicode), c.byte);
}

INSTANTIATE_TEST_SUITE_P(
    HighHalf, Cp1252Table,
    ::testing::Values(CodePoint{0x80, 0x20AC}, CodePoint{0x81, 0x0081}, CodePoint{0x82, 0x201A},
                      CodePoint{0x8A, 0x0160}, CodePoint{0x8C, 0x0152}, CodePoint{0x8D, 0x008D},
                      CodePoint{0x8E, 0x017D}, CodePoint{0x8F, 0x008F}, CodePoint{0x90, 0x0090},
                      CodePoint{0x93, 0x201C}, CodePoint{0x96, 0x2013}, CodePoint{0x99, 0x2122},
                      CodePoint{0x9D, 0x009D}, CodePoint{0x9F, 0x0178}, CodePoint{0xA0, 0x00A0},
                      CodePoint{0xA6, 0x00A6}, CodePoint{0xB0, 0x00B0}, CodePoint{0xE8, 0x00E8},
                      CodePoint{0xFF, 0x00FF}, CodePoint{0x41, 0x0041}, CodePoint{0x00, 0x0000}));

TEST(Cp1252, EveryByteSurvivesARoundTripThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string utf8 = Cp1252ToUtf8(all);
    EXPECT_EQ(Utf8ToCp1252(utf8), all);
    EXPECT_EQ(Cp1252ToUtf8(Utf8ToCp1252(utf8)), utf8);
}

TEST(Cp1252, CodePointsTheCodePageLacksHaveNoByte) {
    for (const char32_t cp : {char32_t{0x80}, char32_t{0x9F}, char32_t{0x100}, char32_t{0x2028},
                              char32_t{0x4E2D}, char32_t{0xFFFD}, char32_t{0x1F600}})
        EXPECT_EQ(UnicodeToCp1252(cp), -1) << std::hex << static_cast<unsigned>(cp);
}

struct Conversion {
    const char* name;
    std::string utf8;
    std::string cp1252;
};

class Utf8Input : public ::testing::TestWithParam<Conversion> {};

TEST_P(Utf8Input, GivesOneDefinedResult) {
    EXPECT_EQ(Utf8ToCp1252(GetParam().utf8), GetParam().cp1252);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf8Input,
    ::testing::Values(Conversion{"Plain", "Livello1", "Livello1"},
                      Conversion{"Accents", "Città è più", "Citt\xE0 \xE8 pi\xF9"},
                      Conversion{"Typographic", "\u201Cok\u201D \u2026", "\x93ok\x94 \x85"},
                      Conversion{"MissingCharacter", "a\u4E2Db", "a?b"},
                      Conversion{"MissingAstral", "x\U0001F600y", "x?y"},
                      Conversion{"C1NotInPage", "\u0080", "?"},
                      Conversion{"TruncatedSequence", "ab\xC3", "ab?"},
                      Conversion{"StrayContinuation", "a\x80z", "a?z"},
                      Conversion{"Overlong", "\xC0\xAF", "??"},
                      Conversion{"Surrogate", "\xED\xA0\x80", "???"},
                      Conversion{"AboveUnicode", "\xF4\x90\x80\x80", "????"},
                      Conversion{"LatinOneByte", "\xE8", "?"}, Conversion{"Empty", "", ""}),
    CaseName());

struct CasePair {
    std::string a;
    std::string b;
    bool equal;
};

class NoCase : public ::testing::TestWithParam<CasePair> {};

TEST_P(NoCase, ComparesLettersOfTheCodePage) {
    EXPECT_EQ(Cp1252EqualNoCase(GetParam().a, GetParam().b), GetParam().equal);
    EXPECT_EQ(Cp1252EqualNoCase(GetParam().b, GetParam().a), GetParam().equal);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NoCase,
    ::testing::Values(CasePair{"Livello1", "LIVELLO1", true}, CasePair{"\xC8", "\xE8", true},
                      CasePair{"CITT\xC0", "citt\xE0", true},
                      CasePair{"\x8A\x8C\x8E", "\x9A\x9C\x9E", true},
                      CasePair{"\x9F", "\xFF", true}, CasePair{"\xD7", "\xF7", false},
                      CasePair{"\xDF", "\xDF", true}, CasePair{"\xC8", "E", false},
                      CasePair{"[", "{", false}, CasePair{"@", "`", false},
                      CasePair{"abc", "abcd", false}, CasePair{"", "", true}));

} // namespace
