// File and folder names in scripts the code page of the texts cannot
// write: Greek, Cyrillic, Chinese. A name is the system's, kept byte for
// byte from the list or the dialog to the disk; only a text that the code
// page must carry (a caption, a report, the bookmark in the settings) turns
// the characters it lacks into "?".
#include "HostileFiles.h"

#include "../editor/core/EditorTestSupport.h"
#include "common/core/ExerciseFile.h"
#include "common/core/LanguageFiles.h"
#include "common/core/ProgramPaths.h"
#include "common/core/Settings.h"
#include "common/core/UiTexts.h"
#include "editor/core/DiskEditorFiles.h"
#include "editor/core/EditorTexts.h"
#include "tutor/core/ExerciseCatalogue.h"

namespace {

using hostile::Folder;

struct NameCase {
    std::string name;
    std::string fileName;  // as the system holds it (UTF-8)
    std::string capitals;  // the course list's entry
    std::string otherName; // another name of the same length
    std::string asText;    // the name in a Windows-1252 text
};

void PrintTo(const NameCase& c, std::ostream* os) {
    *os << c.name;
}

class EvenMeasure : public TextMeasure {
public:
    int Width(const std::string& text, const FontSpec&) const override {
        return static_cast<int>(text.size());
    }
};

const std::string kExercise = "[Livello1]\r\n1=ciao mondo\r\n";

class ForeignName : public testing::TestWithParam<NameCase> {
protected:
    // A program folder whose own name is in the same script.
    std::string Program() const { return m_folder.Path() + GetParam().fileName + " 2/"; }

    Folder m_folder;
};

TEST_P(ForeignName, TheTutorListsAndReadsTheFile) {
    const NameCase& c = GetParam();
    hostile::Write(Program() + "Esercizi/" + c.fileName + ".ftd", kExercise);
    hostile::Write(Program() + "CorsoZentavo/" + c.fileName + ".ftd", kExercise);
    const EvenMeasure measure;
    ExerciseCatalogue catalogue({Program()}, UiTexts::BuiltIn(UiProgram::Tutor), measure,
                                {{}, 1000}, "");
    catalogue.FillExerciseList();
    ASSERT_EQ(catalogue.Entries().size(), 3u);
    EXPECT_EQ(catalogue.Entries()[2], c.fileName);
    EXPECT_FALSE(catalogue.EntryIsFileName(0));
    EXPECT_FALSE(catalogue.EntryIsFileName(1));
    EXPECT_TRUE(catalogue.EntryIsFileName(2));
    catalogue.SelectExerciseFile(catalogue.Entries()[2] + ".ftd");
    EXPECT_EQ(catalogue.ExerciseFile(), Program() + "Esercizi/" + c.fileName + ".ftd");
    EXPECT_EQ(catalogue.ReadLevelSentence(1, 1, 1), "ciao mondo");
    EXPECT_EQ(catalogue.ExerciseFileName(), c.asText + ".ftd");

    catalogue.ChooseEntry(1);
    ASSERT_TRUE(catalogue.CourseMode());
    EXPECT_EQ(catalogue.Entries()[0], c.capitals);
    EXPECT_TRUE(catalogue.EntryIsFileName(0));
    EXPECT_FALSE(catalogue.EntryIsFileName(1));
    catalogue.SelectExerciseFile(catalogue.Entries()[0] + ".ftd");
    EXPECT_EQ(catalogue.ReadLevelSentence(1, 1, 1), "ciao mondo");

    catalogue.ClearExerciseFile();
    catalogue.SelectFromCommandLine(Program() + "Esercizi/" + c.fileName + ".ftd");
    EXPECT_TRUE(catalogue.HasCommandLine());
    EXPECT_EQ(catalogue.ReadExerciseSentence(1, 1), "ciao mondo");
}

TEST_P(ForeignName, TheProgramFolderFindsItsLanguages) {
    hostile::Write(Program() + "Lang/English.lng", "[Strings]\r\n0027=Beginner\r\n");
    EXPECT_EQ(ListLanguages(Program()), std::vector<std::string>{"English"});
    ASSERT_TRUE(LanguageFileExists(Program(), "English"));
    EXPECT_EQ(GetLangString(Program(), "English", "0027"), "Beginner");
}

// Two names the code page cannot tell apart name two files.
TEST_P(ForeignName, TheEditorMakesTheFileNamedAndLosesNoOther) {
    const NameCase& c = GetParam();
    DiskEditorFiles files;
    FakeMeasure measure;
    RecordingObserver observer;
    SentenceEditor editor(files, measure, observer,
                          EditorMessageTexts(UiTexts::BuiltIn(UiProgram::Editor)));
    const std::string first = Program() + c.fileName + ".ftd";
    const std::string second = Program() + c.otherName + ".ftd";
    std::filesystem::create_directories(Program());
    ASSERT_TRUE(editor.CreateNewFile(first));
    ASSERT_TRUE(files.WriteSentence(first, 1, 1, "ciao mondo"));
    ASSERT_TRUE(editor.CreateNewFile(second));
    EXPECT_EQ(ReadSentence(first, 1, 1), "ciao mondo");
    EXPECT_TRUE(std::filesystem::is_regular_file(second));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Program()),
                            std::filesystem::directory_iterator()),
              2);

    EXPECT_TRUE(editor.OpenFile(first));
    EXPECT_EQ(editor.State().currentFile, first);
    EXPECT_TRUE(observer.messages.empty()) << observer.messages[0].text;
}

class Yes : public BookmarkQuestion {
    BookmarkAnswer Ask(const std::string&) override { return BookmarkAnswer::Yes; }
};

TEST_P(ForeignName, TheBookmarkIsWrittenAsText) {
    const NameCase& c = GetParam();
    const std::string ini = m_folder.File("Zentavo.ini");
    Yes yes;
    ASSERT_TRUE(SaveTutorSettings(ini, LoadTutorSettings(ini), true,
                                  Program() + "CorsoZentavo/" + c.capitals + ".ftd", yes,
                                  UiTexts::BuiltIn(UiProgram::Tutor)));
    EXPECT_EQ(LoadTutorSettings(ini).Bookmark,
              FileNameToCp1252(c.capitals)); // "?" for what the code page lacks
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, ForeignName,
    testing::Values(
        NameCase{"Greek", "\xCE\xac\xCF\x83\xCE\xba\xCE\xb7\xCF\x83\xCE\xb7",
                 "\xCE\x86\xCE\xA3\xCE\x9A\xCE\x97\xCE\xA3\xCE\x97",
                 "\xCE\xbb\xCE\xad\xCE\xbe\xCE\xb5\xCE\xb9\xCF\x82", "??????"},
        NameCase{"Cyrillic", "\xD1\x83\xD1\x80\xD0\xBE\xD0\xBA", "\xD0\xA3\xD0\xA0\xD0\x9E\xD0\x9A",
                 "\xD1\x82\xD0\xB5\xD0\xBA\xD1\x81", "????"},
        NameCase{"Chinese", "\xE7\xBB\x83\xE4\xB9\xA0", "\xE7\xBB\x83\xE4\xB9\xA0",
                 "\xE8\xAF\xBE\xE6\x96\x87", "??"},
        NameCase{"LatinWithAccents", "citt\xC3\xA0", "CITT\xC3\x80", "virt\xC3\xB9", "citt\xE0"}),
    hostile::CaseName());

} // namespace
