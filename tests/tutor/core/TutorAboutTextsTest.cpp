#include "tutor/core/TutorAboutTexts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

struct VersionCase {
    int major;
    int minor;
    int revision;
    std::string label;
};

class VersionLabelTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(VersionLabelTest, JoinsTheThreeNumbersWithDots) {
    const VersionCase& c = GetParam();
    EXPECT_EQ(VersionLabel(c.major, c.minor, c.revision), c.label);
}

INSTANTIATE_TEST_SUITE_P(Versions, VersionLabelTest,
                         ::testing::Values(VersionCase{5, 1, 0, "Versione 5.1.0"},
                                           VersionCase{3, 0, 0, "Versione 3.0.0"},
                                           VersionCase{10, 12, 304, "Versione 10.12.304"}));

TEST(TutorAboutTextsTest, TheTutorIsVersion510AndItsMailSubjectSaysSo) {
    EXPECT_EQ(TutorVersionLabel(), "Versione 5.1.0");
    EXPECT_EQ(TutorMailSubject(), "Zentavo (IT) - Versione 5.1.0");
}

TEST(TutorAboutTextsTest, LanguageFileTextsAreJoinedAsTheControlsNeedThem) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "zentavo-about-texts-test.lng";
    std::ofstream(path, std::ios::binary)
        << "[Strings]\r\n0066=Closes the window\r\n0067=Help\r\n0068=Visit the home page\r\n"
           "0069=Print the keyboard!\r\n0070=Free software\r\n0071=Minimum screen:\r\n"
           "0072=800 x 600 pixels\r\n0073=Keyboard layout:\r\n1003=Italian\r\n"
           "0074=Web site\r\n0075=&Close\r\n";
    const TutorAboutTexts about =
        LoadTutorAboutTexts(UiTexts::FromFile(UiProgram::Tutor, path.string()));
    std::filesystem::remove(path);

    EXPECT_EQ(about.closeToolTip, "Closes the window");
    EXPECT_EQ(about.helpToolTip, "Help");
    EXPECT_EQ(about.webToolTip, "Visit the home page");
    EXPECT_EQ(about.printCaption, "Print the keyboard!");
    EXPECT_EQ(about.freeware, "Free software");
    EXPECT_EQ(about.videoSetting, "Minimum screen:\r\n800 x 600 pixels");
    EXPECT_EQ(about.keyboardLayout, "Keyboard layout: Italian");
    EXPECT_EQ(about.webCaption, "Web site");
    EXPECT_EQ(about.closeCaption, "&Close");
}

} // namespace
