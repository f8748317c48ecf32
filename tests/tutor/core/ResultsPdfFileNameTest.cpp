#include "tutor/core/ResultsPdfFileName.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct StemCase {
    const char* what;
    std::string typed;
    std::string stem;
};

class SafeFileStemTest : public ::testing::TestWithParam<StemCase> {};

TEST_P(SafeFileStemTest, GivesOneReadableNameInsideTheFolder) {
    EXPECT_EQ(SafeFileStem(GetParam().typed), GetParam().stem) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Names, SafeFileStemTest,
    ::testing::Values(StemCase{"plain name", "Mario Rossi", "Mario Rossi"},
                      StemCase{"accented letters stay", "Nicol\xF2 Ferr\xE8", "Nicol\xF2 Ferr\xE8"},
                      StemCase{"euro sign stays", "Anna \x80", "Anna \x80"},
                      StemCase{"parentheses stay", "Luca (3B)", "Luca (3B)"},
                      StemCase{"slash", "3B/Luca", "3B_Luca"},
                      StemCase{"backslash", "3B\\Luca", "3B_Luca"},
                      StemCase{"climbing out", "../../.bashrc", "_._.bashrc"},
                      StemCase{"only dots", "..", "Zentavo"}, StemCase{"dots run", "a...b", "a.b"},
                      StemCase{"hidden file", ".profilo", "profilo"},
                      StemCase{"trailing dot and blanks", "  Sara.  ", "Sara"},
                      StemCase{"empty", "", "Zentavo"}, StemCase{"only blanks", "   ", "Zentavo"},
                      StemCase{"tab and newline", "Ugo\tBassi\r\n", "Ugo_Bassi__"},
                      StemCase{"only controls", "\x01\x02\x1F", "Zentavo"},
                      StemCase{"delete and C1 code", "Ada\x7F\x81", "Ada__"},
                      StemCase{"characters other systems refuse", "a:b*c?d\"e<f>g|h",
                               "a_b_c_d_e_f_g_h"},
                      StemCase{"non-breaking blanks trimmed",
                               "\xA0"
                               "Eva\xA0",
                               "Eva"}));

TEST(SafeFileStem, KeepsLongNamesShort) {
    const std::string stem = SafeFileStem(std::string(200, 'x'));
    EXPECT_EQ(stem, std::string(60, 'x'));
}

TEST(SafeFileStem, TrimsWhatTheCutLeavesAtTheEnd) {
    const std::string typed = std::string(59, 'x') + "....y";
    EXPECT_EQ(SafeFileStem(typed), std::string(59, 'x'));
}

TEST(SafeFileStem, NeverYieldsAFolderStepOrSeparator) {
    std::string everyByte;
    for (int c = 1; c < 256; ++c)
        everyByte.push_back(static_cast<char>(c));
    for (const std::string& typed : {everyByte, std::string("/"), std::string("\\..\\"),
                                     std::string(". ."), std::string("/./")}) {
        const std::string stem = SafeFileStem(typed);
        EXPECT_FALSE(stem.empty());
        EXPECT_EQ(stem.find('/'), std::string::npos) << stem;
        EXPECT_EQ(stem.find('\\'), std::string::npos) << stem;
        EXPECT_EQ(stem.find(".."), std::string::npos) << stem;
        EXPECT_NE(stem.front(), '.') << stem;
        for (const char ch : stem)
            EXPECT_GE(static_cast<unsigned char>(ch), 0x20) << stem;
    }
}

TEST(ResultsPdfFileName, AddsTheExtensionToTheSafeStem) {
    EXPECT_EQ(ResultsPdfFileName("Mario"), "Mario.pdf");
    EXPECT_EQ(ResultsPdfFileName(""), "Zentavo.pdf");
    EXPECT_EQ(ResultsPdfFileName("a/b"), "a_b.pdf");
}

} // namespace
