#include "common/ui/LanguageChooser.h"
#include "common/core/ProgramPaths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class LanguageChooserTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 (std::string("zentavo-chooser-") +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        programFolder = folder.string() + "/";
    }
    void TearDown() override { fs::remove_all(folder); }
    void language(const std::string& name, const std::string& content = "[Strings]\r\n") {
        fs::create_directories(folder / "Lang");
        std::ofstream(folder / "Lang" / Cp1252ToFileName(name + ".lng"), std::ios::binary)
            << content;
    }
    UiTexts fileTexts(const std::string& name, UiProgram program = UiProgram::Editor) const {
        return UiTexts::FromFile(program, (folder / "Lang" / (name + ".lng")).string());
    }

    fs::path folder;
    std::string programFolder;
};

struct ListCase {
    const char* name;
    std::vector<std::string> files;
    std::string current;
    int selected;
    std::string listText;
};

class LanguageListTest : public LanguageChooserTest,
                         public ::testing::WithParamInterface<ListCase> {};

TEST_P(LanguageListTest, TheCurrentLanguageIsPreselectedWithoutRegardToCase) {
    for (const std::string& file : GetParam().files)
        language(file);
    const LanguageChooser chooser(programFolder, GetParam().current,
                                  UiTexts::BuiltIn(UiProgram::Editor));
    EXPECT_EQ(chooser.Entries().size(), GetParam().files.size());
    EXPECT_EQ(chooser.SelectedIndex(), GetParam().selected);
    EXPECT_EQ(chooser.ListText(), GetParam().listText);
    EXPECT_EQ(chooser.Chosen(), GetParam().current);
    EXPECT_FALSE(chooser.ClosingQuestion().has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Folders, LanguageListTest,
    ::testing::Values(ListCase{"noFolder", {}, "Italian", -1, "Italian [Default]"},
                      ListCase{"exactName", {"English", "French"}, "French", 1, "French"},
                      ListCase{"otherCase", {"english"}, "English", 0, "english"},
                      ListCase{"accentedCase", {"\xC9sperant"}, "\xE9SPERANT", 0, "\xC9sperant"},
                      ListCase{"notListed", {"English"}, "Italian", -1, "Italian [Default]"}),
    [](const ::testing::TestParamInfo<ListCase>& param) { return std::string(param.param.name); });

TEST_F(LanguageChooserTest, ANameThatDiffersOnlyInCaseStillAsks) {
    language("english");
    LanguageChooser chooser(programFolder, "English", UiTexts::BuiltIn(UiProgram::Editor));
    chooser.Choose(0);
    EXPECT_EQ(chooser.Chosen(), "english");
    EXPECT_EQ(chooser.ClosingQuestion(),
              "Confermi l'impostazione della lingua selezionata? ( english )");
    EXPECT_FALSE(chooser.Changed());
    chooser.Confirm();
    EXPECT_TRUE(chooser.Changed());
    EXPECT_EQ(chooser.Current(), "english");
    EXPECT_FALSE(chooser.ClosingQuestion().has_value());
}

TEST_F(LanguageChooserTest, ChoicesOutsideTheListAreIgnored) {
    language("German");
    LanguageChooser chooser(programFolder, "Italian", UiTexts::BuiltIn(UiProgram::Editor));
    chooser.Choose(3);
    chooser.Choose(-1);
    EXPECT_EQ(chooser.Chosen(), "Italian");
    EXPECT_EQ(chooser.SelectedIndex(), -1);
}

TEST_F(LanguageChooserTest, TheTitleNamesTheProgram) {
    EXPECT_EQ(
        LanguageChooser(programFolder, "Italian", UiTexts::BuiltIn(UiProgram::Editor)).Title(),
        "Editor Zentavo");
    EXPECT_EQ(LanguageChooser(programFolder, "Italian", UiTexts::BuiltIn(UiProgram::Tutor)).Title(),
              "Zentavo");
}

TEST_F(LanguageChooserTest, TheQuestionUsesTheLanguageFilesText) {
    language("English", "[Strings]\r\n2133=Do you confirm the language?\r\n"
                        "0201=Tutor question\r\n");
    language("German");
    LanguageChooser editor(programFolder, "English", fileTexts("English"));
    editor.Choose(1);
    EXPECT_EQ(editor.ClosingQuestion(), "Do you confirm the language? ( German )");
    LanguageChooser tutor(programFolder, "English", fileTexts("English", UiProgram::Tutor));
    tutor.Choose(1);
    EXPECT_EQ(tutor.ClosingQuestion(), "Tutor question ( German )");
}

struct AuthorCase {
    const char* name;
    std::string file;
    std::string message;
};

class AuthorMessageTest : public LanguageChooserTest,
                          public ::testing::WithParamInterface<AuthorCase> {};

TEST_P(AuthorMessageTest, NamesTheTranslator) {
    language("English",
             "[Strings]\r\n2138=Current language:\r\n2139=Author:\r\n" + GetParam().file);
    const LanguageChooser chooser(programFolder, "English", fileTexts("English"));
    EXPECT_EQ(chooser.AuthorMessage(), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Authors, AuthorMessageTest,
    ::testing::Values(
        AuthorCase{"nameAndMail", "InfoAuthor=  Jane Doe \r\nMailAuthor=jane@example.org\r\n",
                   "Current language: English\r\n\r\nAuthor: Jane Doe\r\njane@example.org"},
        AuthorCase{"nameOnly", "InfoAuthor=Jane Doe\r\n",
                   "Current language: English\r\n\r\nAuthor: Jane Doe"},
        AuthorCase{"mailWithoutName", "InfoAuthor=\r\nMailAuthor=jane@example.org\r\n",
                   "Current language: English\r\n\r\nAuthor: Unknown"}),
    [](const ::testing::TestParamInfo<AuthorCase>& param) {
        return std::string(param.param.name);
    });

TEST_F(LanguageChooserTest, WithTheBuiltInTextsTheAuthorIsTheDefault) {
    language("English", "[Strings]\r\nInfoAuthor=Jane Doe\r\n");
    const LanguageChooser chooser(programFolder, "English", UiTexts::BuiltIn(UiProgram::Editor));
    EXPECT_EQ(chooser.AuthorMessage(),
              "Lingua attuale: Italiano [Default]\r\n\r\nAutore: [Default]");
}

} // namespace
