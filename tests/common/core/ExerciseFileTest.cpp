#include "common/core/ExerciseFile.h"

#include "common/core/IniFormat.h"
#include "common/core/IniManager.h"

#include "TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

// The header as the format fixes it, spelled out here independently of the
// code under test.
std::string ExpectedHeader() {
    const std::string equals(46, '=');
    return equals + "\r\n" +
           "*** Attenzione ***   Non  modificare  manualmente  questo file.\r\n"
           "Il file DEVE essere modificato solo con l'Editor di Zentavo\r\n"
           "    *** Attention ***     Do  not  modify  improperly  this  file.\r\n"
           "This   file   MUST  be  modified  only   using  EditorZentavo.exe\r\n" +
           equals + "\r\n" + "\r\n";
}

TEST(ExerciseFile, CreatedFileMatchesTheFormatByteForByte) {
    TempFolder folder;
    const std::string path = folder.File("nuovo.ftd");
    ASSERT_TRUE(CreateExerciseFile(path, "3.0.0"));
    const std::string bytes = ReadBytes(path);
    const std::string header = ExpectedHeader();
    ASSERT_GE(bytes.size(), header.size());
    for (std::size_t i = 0; i < header.size(); ++i)
        ASSERT_EQ(bytes[i], header[i]) << "header byte " << i;
    EXPECT_EQ(bytes.substr(header.size()), "[Editor Zentavo]\r\nVersione=3.0.0\r\n"
                                           "[Livello1]\r\n1=\r\n[Livello2]\r\n1=\r\n"
                                           "[Livello3]\r\n1=\r\n");
    std::string joined;
    for (const std::string_view line : ExerciseFileHeader())
        joined.append(line).append("\r\n");
    EXPECT_EQ(joined, header);
}

TEST(ExerciseFile, CreationMatchesOneScriviAfterAnother) {
    TempFolder folder;
    const std::string created = folder.File("a.ftd");
    const std::string stepwise = folder.File("b.ftd");
    ASSERT_TRUE(CreateExerciseFile(created, "3.0.0"));
    WriteBytes(stepwise, ExpectedHeader());
    IniManager ini;
    ini.nome = stepwise;
    ini.sezione = "Editor Zentavo";
    ASSERT_NE(ini.Scrivi("Versione", "3.0.0"), 0);
    for (const char* level : {"Livello1", "Livello2", "Livello3"}) {
        ini.sezione = level;
        ASSERT_NE(ini.Scrivi("1", ""), 0);
    }
    EXPECT_EQ(ReadBytes(created), ReadBytes(stepwise));
}

TEST(ExerciseFile, FreshFileHasNoSentences) {
    TempFolder folder;
    const std::string path = folder.File("f.ftd");
    ASSERT_TRUE(CreateExerciseFile(path, "3.0.0"));
    for (int level = 1; level <= 3; ++level)
        for (int number = 1; number <= 15; ++number)
            EXPECT_EQ(ReadSentence(path, level, number), "") << level << "/" << number;
    EXPECT_EQ(CountSentences(path, 15), (std::array<int, 3>{0, 0, 0}));
}

TEST(ExerciseFile, CreationFailsWithoutTouchingAnything) {
    TempFolder folder;
    EXPECT_FALSE(CreateExerciseFile(folder.File("missing/x.ftd"), "3.0.0"));
    EXPECT_FALSE(Exists(folder.File("missing")));

    const std::string readOnly = folder.File("ro.ftd");
    WriteBytes(readOnly, "old");
    ::chmod(readOnly.c_str(), 0444);
    EXPECT_FALSE(CreateExerciseFile(readOnly, "3.0.0"));
    EXPECT_EQ(ReadBytes(readOnly), "old");

    EXPECT_FALSE(CreateExerciseFile(folder.File("bad.ftd"), "3.0\r\n[Livello1]"));
    EXPECT_FALSE(Exists(folder.File("bad.ftd")));
    EXPECT_EQ(CountEntries(folder.Path()), 1);
}

TEST(ExerciseFile, ExistingFileIsReplacedWhole) {
    TempFolder folder;
    const std::string path = folder.File("again.ftd");
    WriteBytes(path, "[Livello1]\r\n3=old sentence\r\n");
    ASSERT_TRUE(CreateExerciseFile(path, "3.0.0"));
    EXPECT_EQ(ReadSentence(path, 1, 3), "");
}

TEST(ExerciseFile, KeysStayInTheOrderFirstWritten) {
    TempFolder folder;
    const std::string path = folder.File("order.ftd");
    ASSERT_TRUE(CreateExerciseFile(path, "3.0.0"));
    ASSERT_NE(WriteSentence(path, 2, 7, "Sette"), 0);
    ASSERT_NE(WriteSentence(path, 2, 2, "Due"), 0);
    ASSERT_NE(WriteSentence(path, 2, 7, "Sette bis"), 0);
    const std::string bytes = ReadBytes(path);
    std::vector<std::string> keys;
    for (const auto& [key, value] : IniText(bytes).Entries("Livello2"))
        keys.emplace_back(key);
    EXPECT_EQ(keys, (std::vector<std::string>{"1", "7", "2"}));
    EXPECT_EQ(ReadSentence(path, 2, 7), "Sette bis");
    EXPECT_EQ(ReadSentence(path, 2, 2), "Due");
    EXPECT_EQ(ReadSentence(path, 1, 7), "");
    EXPECT_NE(bytes.find("[Livello2]\r\n1=\r\n7=Sette bis\r\n2=Due\r\n[Livello3]"),
              std::string::npos);
}

TEST(ExerciseFile, HandWrittenLayoutsRead) {
    TempFolder folder;
    const std::string path = folder.File("hand.ftd");
    WriteBytes(path, "==== 1=header ====\n1=not a sentence\n\n[livello1]\n 1 = Primo \n\n"
                     "[LIVELLO2]\n2=\"Secondo\"\n[Livello3]\n3=Terzo\xA6\xA6riga due");
    EXPECT_EQ(ReadSentence(path, 1, 1), "Primo");
    EXPECT_EQ(ReadSentence(path, 2, 2), "Secondo");
    EXPECT_EQ(ReadSentence(path, 3, 3), "Terzo\xA6\xA6riga due");
    EXPECT_EQ(ReadSentence(path, 2, 1), "");
    EXPECT_EQ(CountSentences(path, 15), (std::array<int, 3>{1, 1, 1}));
}

TEST(ExerciseFile, LongValueReadsBackAs254Characters) {
    TempFolder folder;
    const std::string path = folder.File("long.ftd");
    ASSERT_TRUE(CreateExerciseFile(path, "3.0.0"));
    const std::string value = std::string(200, 'a') + "\xA6\xA6" + std::string(100, 'b');
    ASSERT_NE(WriteSentence(path, 3, 15, value), 0);
    EXPECT_EQ(ReadSentence(path, 3, 15), value.substr(0, 254));
}

struct PositionCase {
    int level;
    int number;
};

class BadPosition : public ::testing::TestWithParam<PositionCase> {};

TEST_P(BadPosition, IsNeitherWrittenNorRead) {
    TempFolder folder;
    const std::string path = folder.File("pos.ftd");
    ASSERT_TRUE(CreateExerciseFile(path, "3.0.0"));
    const std::string before = ReadBytes(path);
    EXPECT_EQ(WriteSentence(path, GetParam().level, GetParam().number, "x"), 0);
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(ReadSentence(path, GetParam().level, GetParam().number), "");
}

INSTANTIATE_TEST_SUITE_P(Positions, BadPosition,
                         ::testing::Values(PositionCase{0, 1}, PositionCase{4, 1},
                                           PositionCase{1, 0}, PositionCase{1, 16},
                                           PositionCase{-1, -1}));

TEST(ExerciseFile, FailedWriteLeavesTheFile) {
    TempFolder folder;
    const std::string path = folder.File("ro.ftd");
    ASSERT_TRUE(CreateExerciseFile(path, "3.0.0"));
    ASSERT_NE(WriteSentence(path, 1, 1, "Prima"), 0);
    const std::string before = ReadBytes(path);
    ::chmod(path.c_str(), 0444);
    EXPECT_EQ(WriteSentence(path, 1, 2, "Seconda"), 0);
    EXPECT_EQ(WriteSentence(path, 1, 1, "Nuova"), 0);
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(ReadSentence(path, 1, 1), "Prima");
}

struct CountCase {
    int positions;
    std::array<int, 3> counts;
};

class Count : public ::testing::TestWithParam<CountCase> {};

TEST_P(Count, CountsNonEmptyValuesUpToThePositionsOffered) {
    TempFolder folder;
    const std::string path = folder.File("count.ftd");
    ASSERT_TRUE(CreateExerciseFile(path, "3.0.0"));
    for (int number : {1, 2, 5, 6, 10, 11, 15})
        ASSERT_NE(WriteSentence(path, 1, number, "frase " + std::to_string(number)), 0);
    ASSERT_NE(WriteSentence(path, 2, 3, "x"), 0);
    ASSERT_NE(WriteSentence(path, 2, 4, "  "), 0);
    ASSERT_NE(WriteSentence(path, 2, 12, "y"), 0);
    ASSERT_NE(WriteSentence(path, 3, 1, ""), 0);
    EXPECT_EQ(CountSentences(path, GetParam().positions), GetParam().counts);
}

INSTANTIATE_TEST_SUITE_P(Positions, Count,
                         ::testing::Values(CountCase{5, {3, 1, 0}}, CountCase{10, {5, 1, 0}},
                                           CountCase{15, {7, 2, 0}}, CountCase{0, {0, 0, 0}},
                                           CountCase{99, {7, 2, 0}}));

TEST(ExerciseFile, CountOfMissingFileIsZero) {
    TempFolder folder;
    EXPECT_EQ(CountSentences(folder.File("none.ftd"), 15), (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(ReadSentence(folder.File("none.ftd"), 1, 1), "");
}

struct ComposeCase {
    std::string line1;
    std::string line2;
    std::string value;
};

class Compose : public ::testing::TestWithParam<ComposeCase> {};

TEST_P(Compose, TrimsAndJoinsTheLines) {
    EXPECT_EQ(ComposeSentenceValue(GetParam().line1, GetParam().line2), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Lines, Compose,
                         ::testing::Values(ComposeCase{"Il gatto", "", "Il gatto"},
                                           ComposeCase{"  Il gatto  ", "", "Il gatto"},
                                           ComposeCase{"a", "b",
                                                       "a\xA6\xA6"
                                                       "b"},
                                           ComposeCase{" a ", "  b c  ",
                                                       "a\xA6\xA6"
                                                       "b c"},
                                           ComposeCase{"a", "   ", "a\xA6\xA6"},
                                           ComposeCase{"   ", "b", ""}, ComposeCase{"", "", ""},
                                           ComposeCase{"x\xA6\xA6y", "", "x\xA6\xA6y"}));

struct SplitCase {
    std::string value;
    std::string first;
    std::string second;
    bool hasSecond;
};

class Split : public ::testing::TestWithParam<SplitCase> {};

TEST_P(Split, CutsAtTheFirstSeparator) {
    const SentenceLines lines = SplitSentenceValue(GetParam().value);
    EXPECT_EQ(lines.first, GetParam().first);
    EXPECT_EQ(lines.second, GetParam().second);
    EXPECT_EQ(lines.hasSecond, GetParam().hasSecond);
}

INSTANTIATE_TEST_SUITE_P(Values, Split,
                         ::testing::Values(SplitCase{"a\xA6\xA6", "a", "", true},
                                           SplitCase{std::string(400, 'z'), std::string(400, 'z'),
                                                     "", false},
                                           SplitCase{"a\xA6\xA6"
                                                     "b\xA6\xA6"
                                                     "c",
                                                     "a",
                                                     "b\xA6\xA6"
                                                     "c",
                                                     true},
                                           SplitCase{" a \xA6\xA6 b ", " a ", " b ", true},
                                           SplitCase{"\xA6\xA6", "", "", true},
                                           SplitCase{"a\xA6"
                                                     "b",
                                                     "a\xA6"
                                                     "b",
                                                     "", false},
                                           SplitCase{"a\xA6\xA6\xA6"
                                                     "b",
                                                     "a",
                                                     "\xA6"
                                                     "b",
                                                     true},
                                           SplitCase{"", "", "", false}));

TEST(ExerciseFile, ComposedValueSplitsBackIntoItsLines) {
    for (const auto& [l1, l2] : std::vector<std::pair<std::string, std::string>>{
             {"Uno", "Due"}, {"Solo", ""}, {"Citt\xE0", "pi\xF9 \x80"}}) {
        const SentenceLines lines = SplitSentenceValue(ComposeSentenceValue(l1, l2));
        EXPECT_EQ(lines.first, l1);
        EXPECT_EQ(lines.second, l2);
        EXPECT_EQ(lines.hasSecond, !l2.empty());
    }
}

struct TrimCase {
    std::string text;
    std::string trimmed;
};

class Trim : public ::testing::TestWithParam<TrimCase> {};

TEST_P(Trim, DropsOuterSpacesOnly) {
    EXPECT_EQ(TrimBlanks(GetParam().text), GetParam().trimmed);
}

INSTANTIATE_TEST_SUITE_P(Texts, Trim,
                         ::testing::Values(TrimCase{"  a b  ", "a b"}, TrimCase{"   ", ""},
                                           TrimCase{"", ""}, TrimCase{"\ta\t", "\ta\t"},
                                           TrimCase{"x", "x"}));

} // namespace
