#include "tutor/core/ExerciseCatalogue.h"

#include "EngineFakes.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

const UiTexts& Texts() {
    static const UiTexts texts = UiTexts::BuiltIn(UiProgram::Tutor);
    return texts;
}

const std::string kExercisesHeader = "[ Esercizi Zentavo ]";
const std::string kCourseHeader = "[ Corso di  dattilografia ]";

struct Catalogue {
    explicit Catalogue(std::vector<std::string> places, std::string bookmark = "",
                       int lineWidth = 100)
        : catalogue(std::move(places), Texts(), measure, {FontSpec{"Arial", 14.25f}, lineWidth},
                    std::move(bookmark)) {}
    FixedWidthMeasure measure{10};
    ExerciseCatalogue catalogue;
};

TEST(ExerciseCatalogue, HeadersComeFromTheTexts) {
    TempFolder folder;
    Catalogue c({folder.Path()});
    EXPECT_EQ(c.catalogue.ExercisesHeader(), kExercisesHeader);
    EXPECT_EQ(c.catalogue.CourseHeader(), kCourseHeader);
}

struct ListCase {
    const char* name;
    std::vector<std::string> exerciseFiles;
    std::vector<std::string> courseFiles;
    std::vector<std::string> expected;
};

class ExerciseList : public testing::TestWithParam<ListCase> {};

TEST_P(ExerciseList, ListsHeadersAndBaseNamesInByteOrder) {
    TempFolder folder;
    for (const std::string& name : GetParam().exerciseFiles)
        folder.Write("Esercizi/" + name, ExerciseBytes({}));
    for (const std::string& name : GetParam().courseFiles)
        folder.Write("CorsoZentavo/" + name, ExerciseBytes({}));
    Catalogue c({folder.Path()});
    c.catalogue.FillExerciseList();
    EXPECT_EQ(c.catalogue.Entries(), GetParam().expected);
    EXPECT_EQ(c.catalogue.SelectedIndex(), GetParam().expected.empty() ? -1 : 0);
    EXPECT_FALSE(c.catalogue.CourseMode());
}

INSTANTIATE_TEST_SUITE_P(
    Folders, ExerciseList,
    testing::Values(
        ListCase{"Nothing", {}, {}, {}},
        ListCase{"OnlyCourse", {}, {"b.ftd", "a.ftd"}, {kExercisesHeader, kCourseHeader}},
        ListCase{
            "OnlyExercises", {"zoo.ftd", "Animali.ftd"}, {}, {kExercisesHeader, "Animali", "zoo"}},
        ListCase{"Both", {"mare.ftd"}, {"l1.ftd"}, {kExercisesHeader, kCourseHeader, "mare"}},
        ListCase{"BaseNameUpToFirstDot",
                 {"lezione.1.ftd", "note.txt", "GRANDE.FTD", ".ftd", "ftd"},
                 {"readme.txt"},
                 {kExercisesHeader, "GRANDE", "lezione"}}),
    [](const testing::TestParamInfo<ListCase>& p) { return std::string(p.param.name); });

struct BookmarkCase {
    const char* name;
    std::string bookmark;
    int selected;
};

class CourseBookmark : public testing::TestWithParam<BookmarkCase> {};

TEST_P(CourseBookmark, SelectsTheFileAfterTheBookmark) {
    TempFolder folder;
    for (const char* name : {"lezione2.ftd", "lezione1.ftd", "lezione3.ftd"})
        folder.Write(std::string("CorsoZentavo/") + name, ExerciseBytes({}));
    Catalogue c({folder.Path()}, GetParam().bookmark);
    c.catalogue.FillExerciseList();
    c.catalogue.ChooseEntry(1); // the course header
    EXPECT_TRUE(c.catalogue.CourseMode());
    EXPECT_EQ(c.catalogue.Entries(),
              (std::vector<std::string>{"LEZIONE1", "LEZIONE2", "LEZIONE3", kExercisesHeader}));
    EXPECT_EQ(c.catalogue.SelectedIndex(), GetParam().selected);
}

INSTANTIATE_TEST_SUITE_P(Bookmarks, CourseBookmark,
                         testing::Values(BookmarkCase{"None", "", 0},
                                         BookmarkCase{"First", "LEZIONE1", 1},
                                         BookmarkCase{"Second", "LEZIONE2", 2},
                                         BookmarkCase{"LastStartsAgain", "LEZIONE3", 0},
                                         BookmarkCase{"Unknown", "LEZIONE9", 0},
                                         BookmarkCase{"LetterCaseCounts", "lezione2", 0},
                                         BookmarkCase{"HeaderIsNoCourseFile", kExercisesHeader, 0}),
                         [](const testing::TestParamInfo<BookmarkCase>& p) {
                             return std::string(p.param.name);
                         });

TEST(ExerciseCatalogue, HeadersSwitchBetweenTheTwoLists) {
    TempFolder folder;
    folder.Write("Esercizi/mare.ftd", ExerciseBytes({}));
    folder.Write("CorsoZentavo/uno.ftd", ExerciseBytes({}));
    Catalogue c({folder.Path()});
    c.catalogue.FillExerciseList();
    c.catalogue.ChooseEntry(2);
    EXPECT_EQ(c.catalogue.SelectedEntry(), "mare");
    EXPECT_FALSE(c.catalogue.CourseMode());
    c.catalogue.ChooseEntry(1);
    EXPECT_EQ(c.catalogue.Entries(), (std::vector<std::string>{"UNO", kExercisesHeader}));
    EXPECT_TRUE(c.catalogue.CourseMode());
    c.catalogue.ChooseEntry(1);
    EXPECT_EQ(c.catalogue.Entries(),
              (std::vector<std::string>{kExercisesHeader, kCourseHeader, "mare"}));
    EXPECT_EQ(c.catalogue.SelectedIndex(), 0);
    EXPECT_FALSE(c.catalogue.CourseMode());
    c.catalogue.ChooseEntry(7); // no such entry
    EXPECT_EQ(c.catalogue.SelectedIndex(), 0);
}

TEST(ExerciseCatalogue, CourseListWithoutCourseFilesLeavesTheListAlone) {
    TempFolder folder;
    folder.Write("Esercizi/mare.ftd", ExerciseBytes({}));
    Catalogue c({folder.Path()});
    c.catalogue.FillExerciseList();
    c.catalogue.FillCourseList();
    EXPECT_EQ(c.catalogue.Entries(), (std::vector<std::string>{kExercisesHeader, "mare"}));
}

struct SelectCase {
    const char* name;
    bool courseMode;
    std::string entry;
    std::string expectedFile; // relative to the program folder, "" for none
};

class SelectFile : public testing::TestWithParam<SelectCase> {};

TEST_P(SelectFile, FindsTheFileInTheFolderOfTheList) {
    TempFolder folder;
    folder.Write("Esercizi/mare.ftd", ExerciseBytes({}));
    folder.Write("CorsoZentavo/lezione1.ftd", ExerciseBytes({}));
    Catalogue c({folder.Path()});
    c.catalogue.SetCourseMode(GetParam().courseMode);
    c.catalogue.SelectExerciseFile(GetParam().entry);
    const std::string expected =
        GetParam().expectedFile.empty() ? "" : folder.Path() + GetParam().expectedFile;
    EXPECT_EQ(c.catalogue.ExerciseFile(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Names, SelectFile,
    testing::Values(SelectCase{"Exercise", false, "mare.ftd", "Esercizi/mare.ftd"},
                    SelectCase{"CourseInCapitals", true, "LEZIONE1.ftd",
                               "CorsoZentavo/LEZIONE1.ftd"},
                    SelectCase{"CourseFileNotInExercises", false, "lezione1.ftd", ""},
                    SelectCase{"ExerciseNotInCourse", true, "mare.ftd", ""},
                    SelectCase{"Missing", false, "monti.ftd", ""},
                    SelectCase{"ExtensionMustBeLowerCase", false, "mare.FTD", ""},
                    SelectCase{"NoExtension", false, "mare", ""},
                    SelectCase{"NoFoldersInTheName", false, "../Esercizi/mare.ftd", ""}),
    [](const testing::TestParamInfo<SelectCase>& p) { return std::string(p.param.name); });

TEST(ExerciseCatalogue, CourseFileIsReadThroughItsCapitalisedName) {
    TempFolder folder;
    folder.Write("CorsoZentavo/lezione1.ftd", ExerciseBytes({{"1", "ciao"}}));
    Catalogue c({folder.Path()});
    c.catalogue.SetCourseMode(true);
    c.catalogue.SelectExerciseFile("LEZIONE1.ftd");
    EXPECT_EQ(c.catalogue.ExerciseFileName(), "LEZIONE1.ftd");
    EXPECT_EQ(c.catalogue.ReadExerciseSentence(1, 1), "ciao");
}

struct CommandLineCase {
    const char* name;
    std::string commandLine;
    bool found;
};

class CommandLine : public testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLine, TakesAnExerciseOfTheExercisesFolder) {
    TempFolder folder;
    folder.Write("Esercizi/mare.ftd", ExerciseBytes({}));
    folder.Write("CorsoZentavo/corso.ftd", ExerciseBytes({}));
    Catalogue c({folder.Path()});
    c.catalogue.SelectFromCommandLine(GetParam().commandLine);
    EXPECT_EQ(c.catalogue.HasCommandLine(), GetParam().found);
    EXPECT_EQ(c.catalogue.ExerciseFile(),
              GetParam().found ? folder.Path() + "Esercizi/mare.ftd" : "");
}

INSTANTIATE_TEST_SUITE_P(Lines, CommandLine,
                         testing::Values(CommandLineCase{"Empty", "", false},
                                         CommandLineCase{"Switch", "/mare.ftd", true},
                                         CommandLineCase{"SwitchWithBlanks", "/  mare.ftd  ", true},
                                         CommandLineCase{"Path", "some/where/mare.ftd", true},
                                         CommandLineCase{"PlainName", "mare.ftd", true},
                                         CommandLineCase{"Missing", "/monti.ftd", false},
                                         CommandLineCase{"CourseFile", "/corso.ftd", false},
                                         CommandLineCase{"OtherExtension", "/mare.txt", false}),
                         [](const testing::TestParamInfo<CommandLineCase>& p) {
                             return std::string(p.param.name);
                         });

TEST(ExerciseCatalogue, ALaterCommandLineWithoutExerciseClearsTheRecordedOne) {
    TempFolder folder;
    folder.Write("Esercizi/mare.ftd", ExerciseBytes({}));
    Catalogue c({folder.Path()});
    c.catalogue.SelectFromCommandLine("/mare.ftd");
    ASSERT_TRUE(c.catalogue.HasCommandLine());
    c.catalogue.SelectFromCommandLine("/nulla.ftd");
    EXPECT_FALSE(c.catalogue.HasCommandLine());
}

struct SentenceCase {
    const char* name;
    std::string stored; // value in the file, Windows-1252
    std::string expected;
};

class ReadSentence : public testing::TestWithParam<SentenceCase> {};

TEST_P(ReadSentence, FitsAndFiltersTheStoredValue) {
    TempFolder folder;
    folder.Write("Esercizi/prova.ftd", ExerciseBytes({{"3", GetParam().stored}}));
    Catalogue c({folder.Path()}, "", 100); // ten characters of 10 pixels fit
    c.catalogue.SelectExerciseFile("prova.ftd");
    ASSERT_FALSE(c.catalogue.ExerciseFile().empty());
    EXPECT_EQ(c.catalogue.ReadExerciseSentence(1, 3), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ReadSentence,
    testing::Values(SentenceCase{"TwoLettersTwice", "ab", "abab"},
                    SentenceCase{"OneLetterFourTimes", "a", "aaaa"},
                    SentenceCase{"ThreeLettersAsTheyAre", "abc", "abc"},
                    SentenceCase{"TwoLinesEachRepeated", "x\xA6\xA6y", "xxxx\r\nyyyy"},
                    SentenceCase{"LinesTrimmed", "  prima \xA6\xA6  seconda  ", "prima\r\nseconda"},
                    SentenceCase{"TooWideLosesItsEnd", "abcdefghijklmno", "abcdefghij"},
                    SentenceCase{"EachLineFittedAlone", "abcdefghijkl\xA6\xA6mnopqrstuvwxyz",
                                 "abcdefghij\r\nmnopqrstuv"},
                    SentenceCase{"OnlyKeylessCharacters", "{~}", ""},
                    SentenceCase{"FilteredAfterFitting", "a{b", "ab"},
                    SentenceCase{"AccentsKeptCapitalAccentsDropped", "\xE8 \xC8 \xE0",
                                 "\xE8  \xE0"},
                    SentenceCase{"OnlyTheFirstSeparatorSplits",
                                 "uno\xA6\xA6"
                                 "due\xA6\xA6tre",
                                 "uno\r\nduetre"},
                    SentenceCase{"EmptySecondLine", "abc\xA6\xA6", "abc\r\n"},
                    SentenceCase{"EmptyFirstLine", "\xA6\xA6xyz", "\r\nxyz"},
                    SentenceCase{"NothingToTypeOnEitherLine", "\xA6\xA6", ""},
                    SentenceCase{"EmptyValue", "", ""},
                    SentenceCase{"StrayCarriageReturnDropped", "ab\rcd", "abcd"},
                    SentenceCase{"StrayCarriageReturnInSecondLine",
                                 "ab\xA6\xA6"
                                 "c\rd",
                                 "abab\r\ncd"}),
    [](const testing::TestParamInfo<SentenceCase>& p) { return std::string(p.param.name); });

TEST(ExerciseCatalogue, MissingNumbersLevelsAndFileReadAsNothing) {
    TempFolder folder;
    folder.Write("Esercizi/prova.ftd", ExerciseBytes({{"1", "ciao"}}));
    Catalogue c({folder.Path()});
    EXPECT_EQ(c.catalogue.ReadExerciseSentence(1, 1), ""); // no file selected yet
    c.catalogue.SelectExerciseFile("prova.ftd");
    EXPECT_EQ(c.catalogue.ReadExerciseSentence(1, 1), "ciao");
    EXPECT_EQ(c.catalogue.ReadExerciseSentence(1, 2), "");
    EXPECT_EQ(c.catalogue.ReadExerciseSentence(2, 1), "");
    EXPECT_EQ(c.catalogue.ReadExerciseSentence(4, 1), "");
    EXPECT_EQ(c.catalogue.ReadExerciseSentence(1, 16), "");
    fs::remove(folder.Path() + "Esercizi/prova.ftd");
    EXPECT_EQ(c.catalogue.ReadExerciseSentence(1, 1), "");
}

TEST(ExerciseCatalogue, LooksInEveryPlaceAndTakesTheFirst) {
    TempFolder program;
    TempFolder user;
    program.Write("Esercizi/mare.ftd", ExerciseBytes({{"1", "dal programma"}}));
    user.Write("Esercizi/mare.ftd", ExerciseBytes({{"1", "dall'utente"}}));
    user.Write("Esercizi/monti.ftd", ExerciseBytes({{"1", "monti"}}));
    Catalogue c({program.Path(), user.Path()}, "", 1000);
    c.catalogue.FillExerciseList();
    EXPECT_EQ(c.catalogue.Entries(), (std::vector<std::string>{kExercisesHeader, "mare", "monti"}));
    c.catalogue.SelectExerciseFile("mare.ftd");
    EXPECT_EQ(c.catalogue.ReadExerciseSentence(1, 1), "dal programma");
    c.catalogue.SelectExerciseFile("monti.ftd");
    EXPECT_EQ(c.catalogue.ExerciseFile(), user.Path() + "Esercizi/monti.ftd");
}

TEST(ExerciseCatalogue, NamesHelpers) {
    EXPECT_EQ(BaseName("lezione.1.ftd"), "lezione");
    EXPECT_EQ(BaseName("mare.ftd"), "mare");
    EXPECT_EQ(BaseName("senza"), "senza");
    EXPECT_EQ(Cp1252Upper("lezione \xE0\xE8\xF9\xFF\x9A"), "LEZIONE \xC0\xC8\xD9\x9F\x8A");
    EXPECT_EQ(Cp1252Upper("\xDF\xF7"), "\xDF\xF7");
}

} // namespace
