#include "EditorTestSupport.h"

#include "common/core/AtomicFile.h"
#include "common/core/UiTexts.h"
#include "editor/core/DiskEditorFiles.h"
#include "editor/core/EditorTexts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

const std::string kHeader = "==============================================\r\n"
                            "*** Attenzione ***   Non  modificare  manualmente  questo file.\r\n"
                            "Il file DEVE essere modificato solo con l'Editor di Zentavo\r\n"
                            "    *** Attention ***     Do  not  modify  improperly  this  file.\r\n"
                            "This   file   MUST  be  modified  only   using  EditorZentavo.exe\r\n"
                            "==============================================\r\n"
                            "\r\n";

class DiskEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder =
            fs::temp_directory_path() /
            ("zentavo-editor-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        path = (folder / "prova.ftd").string();
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(folder, ignored);
    }
    std::string bytes() const { return ReadWholeFile(path).value_or("<missing>"); }
    void save(const std::string& first, const std::string& second = "") {
        editor.LineEdited(0, first);
        editor.LineEdited(1, second);
        editor.Save();
    }

    fs::path folder;
    std::string path;
    DiskEditorFiles files;
    FakeMeasure measure;
    RecordingObserver observer;
    SentenceEditor editor{files, measure, observer, BuiltInEditorSlots()};
};

TEST_F(DiskEditorTest, ANewFileHoldsTheHeaderTheVersionAndThreeEmptyLevels) {
    ASSERT_TRUE(editor.CreateNewFile(path));
    EXPECT_EQ(bytes(), kHeader + "[Editor Zentavo]\r\nVersione=3.0.0\r\n"
                                 "[Livello1]\r\n1=\r\n[Livello2]\r\n1=\r\n[Livello3]\r\n1=\r\n");
    for (int level = 1; level <= 3; ++level) {
        for (int position = 1; position <= 15; ++position)
            EXPECT_EQ(files.ReadSentence(path, level, position).value, "");
    }
}

TEST_F(DiskEditorTest, SentencesAreWrittenInTheOrderTheyWereFirstSaved) {
    ASSERT_TRUE(editor.CreateNewFile(path));
    editor.SelectWritePosition(7);
    save("sette");
    editor.SelectWritePosition(2);
    save("Perch\xE9 no?", " costa 5 \x80 ");
    editor.SelectWriteLevel(3);
    editor.SelectWritePosition(1);
    save("terzo");
    editor.SelectWriteLevel(1);
    editor.SelectWritePosition(7);
    save("sette bis");
    EXPECT_EQ(bytes(), kHeader + "[Editor Zentavo]\r\nVersione=3.0.0\r\n"
                                 "[Livello1]\r\n1=\r\n7=sette bis\r\n2=Perch\xE9 no?\xA6\xA6"
                                 "costa 5 \x80\r\n"
                                 "[Livello2]\r\n1=\r\n[Livello3]\r\n1=terzo\r\n");
    EXPECT_EQ(editor.State().levelCounts, (std::array<int, 3>{2, 0, 1}));
}

TEST_F(DiskEditorTest, AReadOnlyFileIsMadeWritableWhenOpened) {
    ASSERT_TRUE(editor.CreateNewFile(path));
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    ASSERT_EQ(files.ReadOnlyAttribute(path), true);
    ASSERT_TRUE(editor.OpenFile(path));
    EXPECT_EQ(files.ReadOnlyAttribute(path), false);
    save("dopo");
    EXPECT_EQ(files.ReadSentence(path, 1, 1).value, "dopo");
}

TEST_F(DiskEditorTest, ANewFileReplacesAReadOnlyFileWhoseAttributeCanBeCleared) {
    {
        std::ofstream old(path, std::ios::binary);
        old << "[Livello1]\r\n3=vecchia\r\n";
    }
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::remove);
    ASSERT_TRUE(editor.CreateNewFile(path));
    EXPECT_EQ(bytes().rfind(kHeader, 0), 0u);
    EXPECT_EQ(files.ReadSentence(path, 1, 3).value, "");
}

TEST_F(DiskEditorTest, CreatingInAMissingFolderFailsWithTheSystemsReason) {
    const std::string missing = (folder / "manca" / "prova.ftd").string();
    EXPECT_FALSE(editor.CreateNewFile(missing));
    ASSERT_EQ(observer.messages.size(), 1u);
    EXPECT_EQ(observer.messages[0].text,
              "Attenzione\r\nImpossibile creare il file.\r\nErrore 2\r\nNo such file or directory");
    EXPECT_FALSE(fs::exists(missing));
    EXPECT_EQ(editor.State().currentFile, "");
}

TEST_F(DiskEditorTest, MissingFilesHaveNoAttributeAndReadAsEmpty) {
    const std::string missing = (folder / "nulla.ftd").string();
    EXPECT_FALSE(files.Exists(missing));
    EXPECT_EQ(files.ReadOnlyAttribute(missing), std::nullopt);
    EXPECT_TRUE(StaysReadOnly(files, missing));
    EXPECT_EQ(files.ReadSentence(missing, 1, 1).value, "");
    EXPECT_FALSE(files.ReadSentence(missing, 1, 1).error.has_value());
    EXPECT_EQ(files.CountSentences(missing, 15), (std::array<int, 3>{}));
    EXPECT_FALSE(files.Exists(folder.string())) << "a folder is not a file";
}

TEST_F(DiskEditorTest, TheBuiltInTextsGiveTheWindowsMessageSlots) {
    EXPECT_EQ(EditorMessageTexts(UiTexts::BuiltIn(UiProgram::Editor)), BuiltInEditorSlots());
}

TEST_F(DiskEditorTest, TheAboutBoxNamesVersionThree) {
    EXPECT_EQ(EditorVersionLabel(), "Versione 3.0.0");
    EXPECT_EQ(EditorMailSubject(), "Editor Zentavo - Versione 3.0.0");
}

} // namespace
