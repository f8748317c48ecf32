#include "tutor/core/KeyboardPrintTexts.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

TEST(KeyboardPrintTextsTest, BuiltInQuestionAsksForZentavoOnTwoLines) {
    const UiTexts texts = UiTexts::BuiltIn(UiProgram::Tutor);
    EXPECT_EQ(KeyboardPrintQuestion(texts),
              "Vuoi stampare la tastiera di Zentavo?\r\n"
              "(la tastiera verr\xE0 stampata esattamente come la vedi in questo momento)");
}

TEST(KeyboardPrintTextsTest, BuiltInCaptionNamesTheLayoutThenTheProgram) {
    const KeyboardCaption caption = KeyboardPrintCaption(UiTexts::BuiltIn(UiProgram::Tutor));
    EXPECT_EQ(caption.layoutRun, "Tastiera italiana (0410)  ");
    EXPECT_EQ(caption.creditRun.substr(0, 17), "          Zentavo");
    EXPECT_GT(caption.creditRun.size(), 17u);
}

class KeyboardPrintTextsFromFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_path = std::filesystem::temp_directory_path() /
                 ("zentavo-print-texts-" +
                  std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".lng");
    }
    void TearDown() override { std::filesystem::remove(m_path); }

    UiTexts Load(const std::string& body) {
        std::ofstream(m_path, std::ios::binary) << "[Strings]\r\n" << body;
        return UiTexts::FromFile(UiProgram::Tutor, m_path.string());
    }

    std::filesystem::path m_path;
};

TEST_F(KeyboardPrintTextsFromFileTest, TranslatedTextsTakeTheirPlaces) {
    const UiTexts texts = Load("0029=Do you want to print the keyboard of \r\n"
                               "0030=(exactly as you see it now)\r\n"
                               "1006=Italian keyboard\r\n");
    EXPECT_EQ(KeyboardPrintQuestion(texts),
              "Do you want to print the keyboard of Zentavo?\r\n(exactly as you see it now)");
    EXPECT_EQ(KeyboardPrintCaption(texts).layoutRun, "Italian keyboard (0410)  ");
}

TEST_F(KeyboardPrintTextsFromFileTest, MissingIdsLeaveTheirPartsEmpty) {
    const UiTexts texts = Load("0030=(as it looks)\r\n");
    EXPECT_EQ(KeyboardPrintQuestion(texts), "Zentavo?\r\n(as it looks)");
    EXPECT_EQ(KeyboardPrintCaption(texts).layoutRun, " (0410)  ");
}

} // namespace
