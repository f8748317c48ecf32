#include "EditorTestSupport.h"

#include "common/core/Cp1252.h"
#include "common/core/ExerciseFile.h"
#include "common/core/IniFormat.h"

#include <gtest/gtest.h>

namespace {

const std::string kFile = "/esercizi/prova.ftd";
const EditorMessage kTooLongFirst{
    EditorMessageIcon::Information, "Errore",
    std::string("Attenzione\r\nla lunghezza della riga \xE8 superiore alle dimensioni "
                "consentite.\r\nProseguire nella riga successiva.")};
const EditorMessage kTooLongSecond{
    EditorMessageIcon::Information, "Errore",
    std::string("Attenzione\r\n\xE8 stata raggiunta la lunghezza max consentita.")};

template <class Case> std::string CaseName(const ::testing::TestParamInfo<Case>& param) {
    return param.param.name;
}

class SentenceEditorTest : public ::testing::Test {
protected:
    MemoryFiles files;
    FakeMeasure measure;
    RecordingObserver observer;
    SentenceEditor editor{files, measure, observer, BuiltInEditorSlots()};

    const EditorState& state() const { return editor.State(); }

    void createFile() {
        ASSERT_TRUE(editor.CreateNewFile(kFile));
        observer.Clear();
    }
    // Types the text one character at a time at the end of the line.
    void type(int line, const std::string& text) {
        for (char c : text)
            editor.LineEdited(line, state().lines[static_cast<std::size_t>(line)] + c);
    }
    void saveSentence(const std::string& first, const std::string& second = "") {
        editor.LineEdited(0, first);
        editor.LineEdited(1, second);
        editor.Save();
    }
};

TEST_F(SentenceEditorTest, StartsWithNoFileEditingOffAndTheIndicatorAtRest) {
    EXPECT_EQ(state().currentFile, "");
    EXPECT_EQ(state().positionsPerLevel, 15);
    EXPECT_FALSE(state().editing);
    EXPECT_FALSE(state().saveEnabled);
    EXPECT_FALSE(state().readEnabled);
    EXPECT_EQ(state().readCaption, ReadCaption::Design);
    EXPECT_EQ(state().writeLevel, 1);
    EXPECT_EQ(state().writePosition, 1);
    EXPECT_EQ(state().readLevel, 1);
    EXPECT_EQ(state().readPosition, 1);
    EXPECT_FALSE(state().indicatorRunning);
    EXPECT_EQ(state().shownIcon, 400);
    EXPECT_FALSE(state().counted);
}

TEST_F(SentenceEditorTest, LinesAreMeasuredInArialTwelvePoint) {
    createFile();
    type(0, "abc");
    EXPECT_EQ(measure.lastFont.family, "Arial");
    EXPECT_FLOAT_EQ(measure.lastFont.pointSize, 12.0f);
}

struct SaveEnableCase {
    const char* name;
    std::string first;
    std::string second;
    bool enabled;
};

class SaveEnableTest : public SentenceEditorTest,
                       public ::testing::WithParamInterface<SaveEnableCase> {};

TEST_P(SaveEnableTest, TheFirstLineDecidesFromItsThirdCharacter) {
    createFile();
    type(1, GetParam().second);
    type(0, GetParam().first);
    EXPECT_EQ(state().saveEnabled, GetParam().enabled);
}

INSTANTIATE_TEST_SUITE_P(Lines, SaveEnableTest,
                         ::testing::Values(SaveEnableCase{"empty", "", "", false},
                                           SaveEnableCase{"two", "ab", "", false},
                                           SaveEnableCase{"three", "abc", "", true},
                                           SaveEnableCase{"threeBlanks", "   ", "", true},
                                           SaveEnableCase{"accented", "\xE8\xE0", "", false},
                                           SaveEnableCase{"secondLineDoesNotCount", "ab",
                                                          "a long second line", false}),
                         CaseName<SaveEnableCase>);

TEST_F(SentenceEditorTest, DeletingBackToTwoCharactersDisablesSaveAgain) {
    createFile();
    type(0, "abcd");
    editor.LineEdited(0, "abc");
    EXPECT_TRUE(state().saveEnabled);
    editor.LineEdited(0, "ab");
    EXPECT_FALSE(state().saveEnabled);
}

struct WidthCase {
    const char* name;
    int line;
    std::string before; // already in the line
    std::string edit;   // the line's text after the user's edit
    std::string after;  // what the line holds afterwards
    int messages;
};

class WidthRuleTest : public SentenceEditorTest, public ::testing::WithParamInterface<WidthCase> {};

TEST_P(WidthRuleTest, ALineNeverOutgrowsItsBox) {
    const WidthCase& c = GetParam();
    createFile();
    if (c.line == 1)
        editor.LineEdited(0, "first");
    editor.LineEdited(c.line, c.before);
    observer.Clear();
    editor.LineEdited(c.line, c.edit);
    EXPECT_EQ(state().lines[static_cast<std::size_t>(c.line)], c.after);
    ASSERT_EQ(static_cast<int>(observer.messages.size()), c.messages);
    EXPECT_EQ(observer.beeps, c.messages);
    for (const EditorMessage& shown : observer.messages)
        EXPECT_EQ(shown, c.line == 0 ? kTooLongFirst : kTooLongSecond);
}

const std::string k57(57, 'a');

INSTANTIATE_TEST_SUITE_P(
    Edits, WidthRuleTest,
    ::testing::Values(
        WidthCase{"fullLineFits", 0, std::string(56, 'a'), k57, k57, 0},
        WidthCase{"typingPastTheEnd", 0, k57, k57 + "b", k57, 1},
        WidthCase{"typingPastTheEndSecondLine", 1, k57, k57 + "b", k57, 1},
        // Typed in the middle: the line loses its last character, not the typed one.
        WidthCase{"typingInTheMiddle", 0, std::string(56, 'a') + "z",
                  "x" + std::string(56, 'a') + "z", "x" + std::string(56, 'a'), 1},
        // A wide character typed in the middle needs two removals, each with its message.
        WidthCase{"wideCharacterInTheMiddle", 0, std::string(57, 'a'), "W" + std::string(57, 'a'),
                  "W" + std::string(55, 'a'), 2},
        WidthCase{"longPasteIsCutInOneStep", 0, "", std::string(400, 'p'), std::string(57, 'p'), 1},
        WidthCase{"pasteOfWideCharacters", 1, "ab", "ab" + std::string(100, 'W'),
                  "ab" + std::string(27, 'W'), 1},
        WidthCase{"pasteThatJustFits", 0, "ab", "ab" + std::string(55, 'c'),
                  "ab" + std::string(55, 'c'), 0}),
    CaseName<WidthCase>);

// A reader of exercise files takes back at most kIniValueLimit characters
// of a value. Lines of narrow letters ("|" is 2 pixels wide here) fit their
// boxes long before that, so the two lines together are held to the limit
// too, with the message of an over-long line, typed or pasted.
struct ReadBackCase {
    const char* name;
    int line;
    std::string first;  // already in the first line
    std::string second; // already in the second line
    std::string edit;   // the edited line's text after the user's edit
    std::string after;  // what the edited line holds afterwards
    int messages;
};

class ReadBackLimitTest : public SentenceEditorTest,
                          public ::testing::WithParamInterface<ReadBackCase> {};

TEST_P(ReadBackLimitTest, TheStoredSentenceNeverOutgrowsWhatAReaderTakesBack) {
    const ReadBackCase& c = GetParam();
    createFile();
    editor.LineEdited(0, c.first);
    editor.LineEdited(1, c.second);
    observer.Clear();
    editor.LineEdited(c.line, c.edit);
    EXPECT_EQ(state().lines[static_cast<std::size_t>(c.line)], c.after);
    ASSERT_EQ(static_cast<int>(observer.messages.size()), c.messages);
    for (const EditorMessage& shown : observer.messages)
        EXPECT_EQ(shown, c.line == 0 ? kTooLongFirst : kTooLongSecond);
    EXPECT_LE(ComposeSentenceValue(state().lines[0], state().lines[1]).size(), kIniValueLimit);
    if (c.messages == 0)
        return;
    // What is saved now reads back whole.
    const std::array<std::string, 2> saved = state().lines;
    editor.Save();
    editor.SelectReadPosition(1);
    editor.Read();
    EXPECT_EQ(state().lines, saved);
}

const std::string kNarrow100(100, '|');
const std::string kNarrow152(152, '|');

INSTANTIATE_TEST_SUITE_P(
    Lines, ReadBackLimitTest,
    ::testing::Values(
        // 100 + "¦¦" + 152 = 254 characters: the longest value a reader keeps whole.
        ReadBackCase{"secondLineThatJustFits", 1, kNarrow100, "", kNarrow152, kNarrow152, 0},
        ReadBackCase{"typingOnePast", 1, kNarrow100, kNarrow152, kNarrow152 + "|", kNarrow152, 1},
        ReadBackCase{"pasteIsCutInOneStep", 1, kNarrow100, "", std::string(250, '|'), kNarrow152,
                     1},
        ReadBackCase{"blanksAroundAreNotStored", 1, kNarrow100, "", "  " + kNarrow152 + " ",
                     "  " + kNarrow152 + " ", 0},
        ReadBackCase{"firstLineGrowingPastIt", 0, kNarrow100, kNarrow152, kNarrow100 + "|",
                     kNarrow100, 1}),
    CaseName<ReadBackCase>);

// The window behind a message is brought up to date first: the observer is
// told of the change before the message, with the state the message
// belongs to.
class SnapshotObserver : public RecordingObserver {
public:
    const SentenceEditor* editor = nullptr;
    EditorState lastRendered;
    std::vector<EditorState> behindMessages;
    void EditorChanged() override {
        RecordingObserver::EditorChanged();
        lastRendered = editor->State();
    }
    void ShowMessage(const EditorMessage& message) override {
        RecordingObserver::ShowMessage(message);
        behindMessages.push_back(lastRendered);
        EXPECT_EQ(lastRendered.levelCounts, editor->State().levelCounts);
        EXPECT_EQ(lastRendered.lines, editor->State().lines);
    }
};

TEST(SentenceEditorMessages, TheWindowIsUpToDateBeforeEachMessage) {
    MemoryFiles files;
    FakeMeasure measure;
    SnapshotObserver observer;
    SentenceEditor editor{files, measure, observer, BuiltInEditorSlots()};
    observer.editor = &editor;
    ASSERT_TRUE(editor.CreateNewFile(kFile));
    editor.SetPositionsPerLevel(5);
    editor.SetAutoStep(true);
    editor.SelectWriteLevel(3);
    editor.SelectWritePosition(5);
    editor.LineEdited(0, "ultima frase");
    editor.Save(); // "File completato!"
    ASSERT_EQ(observer.behindMessages.size(), 1u);
    EXPECT_EQ(observer.behindMessages[0].levelCounts[2], 1) << "the new count shows";

    ASSERT_TRUE(editor.OpenFile(kFile));
    files.readError = FileError{13, "Permission denied"};
    editor.LineEdited(0, "da perdere");
    editor.Read();
    ASSERT_EQ(observer.behindMessages.size(), 2u);
    EXPECT_EQ(observer.behindMessages[1].lines[0], "") << "the lines show cleared";
}

TEST_F(SentenceEditorTest, FitToBoxKeepsTheLongestPrefixThatFits) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", ""},
        {k57, k57},
        {k57 + "a", k57},
        {std::string(30, 'W'), std::string(28, 'W')},
        {std::string(28, 'W') + "a", std::string(28, 'W') + "a"},
        {std::string(28, 'W') + "aa", std::string(28, 'W') + "a"},
        {std::string(1000, 'x'), std::string(57, 'x')},
    };
    for (const auto& [text, fitted] : cases)
        EXPECT_EQ(editor.FitToBox(text), fitted) << text.size();
}

TEST_F(SentenceEditorTest, PastedLineBreaksAndTabsBecomeBlanks) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"uno\r\ndue", "uno due"},
        {"uno\n\n\ndue\r", "uno due "},
        {"a\tb\x01"
         "c\x7F",
         "a b c "},
        {"\xE8 \x80 \xA6\xA6", "\xE8 \x80 \xA6\xA6"},
    };
    createFile();
    for (const auto& [pasted, kept] : cases) {
        editor.LineEdited(1, pasted);
        EXPECT_EQ(state().lines[1], kept);
    }
}

TEST_F(SentenceEditorTest, TheSecondLineCannotTakeTheFocusWhileTheFirstIsEmpty) {
    createFile();
    editor.LineFocused(1);
    EXPECT_EQ(observer.focus, std::vector<int>{0});
    observer.Clear();
    editor.LineEdited(0, "x");
    editor.LineFocused(1);
    editor.LineFocused(0);
    EXPECT_TRUE(observer.focus.empty());
}

TEST_F(SentenceEditorTest, ABlankFirstLineIsRefusedClearedAndFocused) {
    createFile();
    type(0, "   ");
    type(1, "second");
    ASSERT_TRUE(state().saveEnabled);
    observer.Clear();
    editor.Save();
    ASSERT_EQ(observer.messages.size(), 1u);
    EXPECT_EQ(observer.messages[0],
              (EditorMessage{EditorMessageIcon::Information, "Attenzione",
                             "Nessun testo presente nella prima riga.\r\nLa prima riga non "
                             "pu\xF2 essere vuota!"}));
    EXPECT_TRUE(files.writes.empty());
    EXPECT_EQ(state().lines[0], "");
    EXPECT_EQ(state().lines[1], "second");
    EXPECT_FALSE(state().saveEnabled);
    EXPECT_EQ(observer.focus, std::vector<int>{0});
}

TEST_F(SentenceEditorTest, SavingWritesTheComposedValueAndClearsTheLines) {
    createFile();
    editor.SelectWriteLevel(2);
    editor.SelectWritePosition(7);
    saveSentence("  Prima riga ", "  seconda \x80 ");
    EXPECT_EQ(files.Value(kFile, 2, 7), "Prima riga\xA6\xA6seconda \x80");
    EXPECT_EQ(state().lines[0], "");
    EXPECT_EQ(state().lines[1], "");
    EXPECT_FALSE(state().indicatorRunning);
    EXPECT_EQ(state().shownIcon, 400);
    EXPECT_EQ(state().levelCounts, (std::array<int, 3>{0, 1, 0}));
    EXPECT_EQ(state().writeLevel, 2);
    EXPECT_EQ(state().writePosition, 7) << "without automatic stepping the position stays";
    EXPECT_TRUE(observer.messages.empty());
}

TEST_F(SentenceEditorTest, ASecondLineOfBlanksLeavesTheSeparatorAtTheEnd) {
    createFile();
    saveSentence("uno", "   ");
    EXPECT_EQ(files.Value(kFile, 1, 1), "uno\xA6\xA6");
}

TEST_F(SentenceEditorTest, AFailedSaveKeepsTheLinesAndSaysSo) {
    createFile();
    files.failWrites = true;
    editor.LineEdited(0, "abc");
    editor.LineEdited(1, "def");
    editor.Save();
    ASSERT_EQ(observer.messages.size(), 1u);
    EXPECT_EQ(observer.messages[0], (EditorMessage{EditorMessageIcon::Critical, "Errore",
                                                   "Impossibile aggiornare il file."}));
    EXPECT_EQ(state().lines[0], "abc");
    EXPECT_EQ(state().lines[1], "def");
    EXPECT_TRUE(state().indicatorRunning);
}

TEST_F(SentenceEditorTest, WithoutAFileASaveFailsAndTouchesNoFile) {
    files.files.insert("");
    editor.LineEdited(0, "abc");
    editor.Save();
    ASSERT_EQ(observer.messages.size(), 1u);
    EXPECT_EQ(observer.messages[0].text, "Impossibile aggiornare il file.");
    EXPECT_TRUE(files.writes.empty());
}

struct StepCase {
    const char* name;
    int positions;
    int level;
    int position;
    int nextLevel;
    int nextPosition;
    int colour;
};

class AutoStepTest : public SentenceEditorTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(AutoStepTest, SavingMovesToTheNextPosition) {
    const StepCase& c = GetParam();
    createFile();
    editor.SetPositionsPerLevel(c.positions);
    editor.SetAutoStep(true);
    editor.SelectWriteLevel(c.level);
    editor.SelectWritePosition(c.position);
    saveSentence("una frase");
    EXPECT_EQ(files.Value(kFile, c.level, c.position), "una frase");
    EXPECT_EQ(state().writeLevel, c.nextLevel);
    EXPECT_EQ(state().writePosition, c.nextPosition);
    EXPECT_EQ(editor.WriteLevelColour(), c.colour);
    EXPECT_TRUE(state().editing);
    EXPECT_TRUE(observer.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Positions, AutoStepTest,
                         ::testing::Values(StepCase{"insideLevel1", 15, 1, 3, 1, 4, 0xC0FFC0},
                                           StepCase{"endOfLevel1Of5", 5, 1, 5, 2, 1, 0xC0FFFF},
                                           StepCase{"endOfLevel2Of10", 10, 2, 10, 3, 1, 0xC0C0FF},
                                           StepCase{"insideLevel3", 15, 3, 14, 3, 15, 0xC0C0FF}),
                         CaseName<StepCase>);

TEST_F(SentenceEditorTest, SavingTheLastPositionOfLevel3CompletesTheFile) {
    createFile();
    editor.SetPositionsPerLevel(5);
    editor.SetAutoStep(true);
    editor.SelectWriteLevel(3);
    editor.SelectWritePosition(5);
    editor.SelectReadLevel(2);
    saveSentence("ultima frase", "riga due");
    EXPECT_EQ(files.Value(kFile, 3, 5), "ultima frase\xA6\xA6riga due");
    ASSERT_EQ(observer.messages.size(), 1u);
    EXPECT_EQ(observer.messages[0], (EditorMessage{EditorMessageIcon::Information, "Editor Zentavo",
                                                   "File completato!"}));
    EXPECT_EQ(observer.beeps, 1);
    EXPECT_FALSE(state().editing);
    EXPECT_FALSE(state().readEnabled);
    EXPECT_EQ(state().currentFile, kFile) << "the file stays current";
    EXPECT_EQ(state().writeLevel, 1);
    EXPECT_EQ(state().writePosition, 1);
    EXPECT_EQ(state().readLevel, 1);
    EXPECT_EQ(state().lines[0], "");
    EXPECT_FALSE(state().saveEnabled);
    EXPECT_EQ(state().shownIcon, 400);

    // Opening a file switches editing on again.
    ASSERT_TRUE(editor.OpenFile(kFile));
    EXPECT_TRUE(state().editing);
    EXPECT_TRUE(state().readEnabled);
}

TEST_F(SentenceEditorTest, WithoutAutoStepTheLastPositionDoesNotCompleteTheFile) {
    createFile();
    editor.SelectWriteLevel(3);
    editor.SelectWritePosition(15);
    saveSentence("frase");
    EXPECT_TRUE(observer.messages.empty());
    EXPECT_TRUE(state().editing);
    EXPECT_EQ(state().writePosition, 15);
}

TEST_F(SentenceEditorTest, SelectingAWriteLevelWithAutoStepReturnsToPositionOne) {
    createFile();
    editor.SelectWritePosition(9);
    editor.SelectWriteLevel(2);
    EXPECT_EQ(state().writePosition, 9);
    editor.SetAutoStep(true);
    editor.SelectWriteLevel(3);
    EXPECT_EQ(state().writePosition, 1);
    EXPECT_EQ(observer.focus.back(), 0);
}

TEST_F(SentenceEditorTest, LevelColoursAreLightGreenYellowAndRed) {
    EXPECT_EQ(SentenceEditor::LevelColour(1), 192 + 256 * 255 + 65536 * 192);
    EXPECT_EQ(SentenceEditor::LevelColour(2), 255 + 256 * 255 + 65536 * 192);
    EXPECT_EQ(SentenceEditor::LevelColour(3), 255 + 256 * 192 + 65536 * 192);
}

TEST_F(SentenceEditorTest, ReadingAnEmptyPositionSaysSoAndLeavesTheLinesEmpty) {
    createFile();
    editor.LineEdited(0, "qualcosa");
    editor.SelectReadPosition(4);
    editor.Read();
    ASSERT_EQ(observer.messages.size(), 1u);
    EXPECT_EQ(observer.messages[0], (EditorMessage{EditorMessageIcon::Information, "Attenzione",
                                                   "Nessuna frase presente in questa posizione."}));
    EXPECT_EQ(state().lines[0], "");
    EXPECT_EQ(state().lines[1], "");
    EXPECT_EQ(state().readCaption, ReadCaption::Leggi);
}

TEST_F(SentenceEditorTest, ReadingFillsBothLinesAndOffersTheNextOne) {
    createFile();
    files.values[{kFile, 2, 3}] = "prima\xA6\xA6seconda\xA6\xA6resto";
    editor.SelectReadLevel(2);
    editor.SelectReadPosition(3);
    editor.Read();
    EXPECT_TRUE(observer.messages.empty());
    EXPECT_EQ(state().lines[0], "prima");
    EXPECT_EQ(state().lines[1], "seconda\xA6\xA6resto");
    EXPECT_EQ(state().readCaption, ReadCaption::Successiva);
    EXPECT_TRUE(state().saveEnabled);
    EXPECT_TRUE(state().indicatorRunning) << "a loaded sentence counts as an unsaved edit";
    EXPECT_EQ(observer.focus.back(), 0);
    EXPECT_EQ(state().writeLevel, 1) << "the save position follows only when asked";
}

TEST_F(SentenceEditorTest, AStoredLineWiderThanTheBoxIsShortenedFromItsEnd) {
    createFile();
    files.values[{kFile, 1, 1}] = std::string(70, 'a') + "\xA6\xA6" + std::string(60, 'b');
    editor.Read();
    EXPECT_EQ(state().lines[0], std::string(57, 'a'));
    EXPECT_EQ(state().lines[1], std::string(57, 'b'));
    EXPECT_TRUE(observer.messages.empty()) << "shortening a read line is silent";
}

TEST_F(SentenceEditorTest, AOneLetterValueWithSeparatorFillsOnlyTheFirstLine) {
    createFile();
    files.values[{kFile, 1, 1}] = "a\xA6\xA6";
    editor.Read();
    EXPECT_EQ(state().lines[0], "a");
    EXPECT_EQ(state().lines[1], "");
}

TEST_F(SentenceEditorTest, SuccessivaWalksThroughLevelsAndStopsAtTheLastPosition) {
    createFile();
    editor.SetPositionsPerLevel(5);
    for (int level = 1; level <= 3; ++level) {
        for (int position = 1; position <= 5; ++position)
            files.values[{kFile, level, position}] =
                "L" + std::to_string(level) + "P" + std::to_string(position);
    }
    std::vector<std::string> read;
    editor.Read();
    read.push_back(state().lines[0]);
    while (state().readEnabled) {
        editor.Read();
        read.push_back(state().lines[0]);
    }
    const std::vector<std::string> expected = {"L1P1", "L1P2", "L1P3", "L1P4", "L1P5", "L2P1",
                                               "L2P2", "L2P3", "L2P4", "L2P5", "L3P1", "L3P2",
                                               "L3P3", "L3P4", "L3P5", "L3P5"};
    EXPECT_EQ(read, expected) << "after the last position the button goes off and the "
                                 "same sentence is read once more";
    EXPECT_EQ(state().readLevel, 3);
    EXPECT_EQ(state().readPosition, 5);
    EXPECT_TRUE(observer.messages.empty());
}

TEST_F(SentenceEditorTest, SuccessivaOverAnEmptyPositionReturnsToLeggi) {
    createFile();
    files.values[{kFile, 1, 1}] = "uno";
    editor.Read();
    ASSERT_EQ(state().readCaption, ReadCaption::Successiva);
    editor.Read();
    EXPECT_EQ(state().readPosition, 2);
    EXPECT_EQ(state().readCaption, ReadCaption::Leggi);
    ASSERT_EQ(observer.messages.size(), 1u);
    EXPECT_EQ(observer.messages[0].text, "Nessuna frase presente in questa posizione.");
}

TEST_F(SentenceEditorTest, ChoosingAReadPositionResetsTheReadButton) {
    createFile();
    files.values[{kFile, 1, 1}] = "uno";
    editor.Read();
    editor.SelectReadPosition(6);
    EXPECT_EQ(state().readCaption, ReadCaption::Leggi);
    EXPECT_TRUE(state().readEnabled);
    editor.SelectReadPosition(1);
    editor.Read();
    editor.SelectReadLevel(3);
    EXPECT_EQ(state().readCaption, ReadCaption::Leggi);
}

TEST_F(SentenceEditorTest, UpdateSaveKeepsTheWritePositionOnTheReadPosition) {
    createFile();
    editor.SetAutoStep(true);
    editor.SetUpdateSave(true);
    files.values[{kFile, 2, 4}] = "frase";
    editor.SelectReadLevel(2);
    editor.SelectReadPosition(4);
    EXPECT_EQ(state().writeLevel, 2);
    EXPECT_EQ(state().writePosition, 4) << "the position is copied after the level";
    editor.Read();
    EXPECT_EQ(state().writeLevel, 2);
    EXPECT_EQ(state().writePosition, 4);
    editor.Read(); // Successiva: position 5, empty
    EXPECT_EQ(state().writePosition, 5);
}

TEST_F(SentenceEditorTest, AReadErrorIsReportedWithItsNumberAndDescription) {
    createFile();
    files.readError = FileError{13, "Permission denied"};
    editor.LineEdited(0, "da perdere");
    editor.Read();
    ASSERT_EQ(observer.messages.size(), 1u);
    EXPECT_EQ(observer.messages[0],
              (EditorMessage{EditorMessageIcon::Critical, "Errore",
                             "Attenzione\r\nimpossibile leggere il file.\r\nErrore "
                             "13\r\nPermission denied"}));
    EXPECT_EQ(state().lines[0], "") << "a failed read leaves the lines cleared";
}

TEST_F(SentenceEditorTest, FewerPositionsPerLevelLeaveTheFileAndCountOnlyTheReachable) {
    createFile();
    for (int position : {2, 5, 6, 15})
        files.values[{kFile, 1, position}] = "x";
    editor.SelectWritePosition(9);
    editor.SelectReadPosition(12);
    editor.SetPositionsPerLevel(5);
    EXPECT_EQ(state().positionsPerLevel, 5);
    EXPECT_EQ(state().writePosition, 1);
    EXPECT_EQ(state().readPosition, 1);
    editor.LineEdited(0, "nuova");
    editor.Save();
    EXPECT_EQ(state().levelCounts, (std::array<int, 3>{3, 0, 0}));
    EXPECT_EQ(files.Value(kFile, 1, 15), "x");
    EXPECT_EQ(files.writes.size(), 1u);
    editor.SelectWritePosition(8);
    EXPECT_EQ(state().writePosition, 5) << "positions past N are out of reach";
}

TEST_F(SentenceEditorTest, TheIndicatorCyclesThroughFourIconsWhileEditsAreUnsaved) {
    editor.Tick();
    EXPECT_EQ(state().shownIcon, 400) << "at rest the timer does not run";
    createFile();
    editor.LineEdited(0, "a");
    ASSERT_TRUE(state().indicatorRunning);
    std::vector<int> icons;
    for (int i = 0; i < 6; ++i) {
        editor.Tick();
        icons.push_back(state().shownIcon);
    }
    EXPECT_EQ(icons, (std::vector<int>{400, 401, 402, 403, 400, 401}));
    editor.LineEdited(0, "abc");
    editor.Save();
    EXPECT_FALSE(state().indicatorRunning);
    EXPECT_EQ(state().shownIcon, 400);
}

TEST_F(SentenceEditorTest, EveryOperationTellsTheObserverOnce) {
    createFile();
    editor.SetAutoStep(true);
    observer.Clear();
    saveSentence("abc");
    EXPECT_EQ(observer.changes, 3) << "two line edits and one save";
}

TEST_F(SentenceEditorTest, CreatingAFileSwitchesEditingOnAndResetsPositions) {
    editor.SelectWriteLevel(3);
    editor.SelectReadLevel(2);
    editor.SelectReadPosition(7);
    ASSERT_TRUE(editor.CreateNewFile(kFile));
    EXPECT_EQ(files.created, std::vector<std::string>{kFile});
    EXPECT_EQ(state().currentFile, kFile);
    EXPECT_TRUE(state().editing);
    EXPECT_TRUE(state().readEnabled);
    EXPECT_EQ(state().writeLevel, 1);
    EXPECT_EQ(state().readLevel, 1);
    EXPECT_EQ(state().readPosition, 1);
    EXPECT_TRUE(state().counted);
    EXPECT_EQ(state().levelCounts, (std::array<int, 3>{0, 0, 0}));
}

struct CreateCase {
    const char* name;
    bool exists;
    bool readOnly;
    bool stuck;
    bool created;
};

class CreateFileTest : public SentenceEditorTest,
                       public ::testing::WithParamInterface<CreateCase> {};

TEST_P(CreateFileTest, AnExistingFileIsReplacedUnlessItStaysReadOnly) {
    const CreateCase& c = GetParam();
    if (c.exists) {
        files.files.insert(kFile);
        files.values[{kFile, 2, 2}] = "vecchia";
    }
    if (c.readOnly)
        files.readOnly.insert(kFile);
    if (c.stuck)
        files.stuckReadOnly.insert(kFile);
    EXPECT_EQ(editor.CreateNewFile(kFile), c.created);
    EXPECT_EQ(state().currentFile, c.created ? kFile : "");
    if (c.created) {
        EXPECT_EQ(files.Value(kFile, 2, 2), "");
        EXPECT_FALSE(files.readOnly.count(kFile));
        EXPECT_TRUE(observer.messages.empty());
    } else {
        EXPECT_EQ(files.Value(kFile, 2, 2), "vecchia");
        ASSERT_EQ(observer.messages.size(), 1u);
        EXPECT_EQ(observer.messages[0].icon, EditorMessageIcon::Critical);
        EXPECT_EQ(observer.messages[0].title, "Errore");
        EXPECT_EQ(observer.messages[0].text.rfind("Attenzione\r\nImpossibile creare il "
                                                  "file.\r\nErrore 13\r\n",
                                                  0),
                  0u)
            << observer.messages[0].text;
    }
}

INSTANTIATE_TEST_SUITE_P(Files, CreateFileTest,
                         ::testing::Values(CreateCase{"fresh", false, false, false, true},
                                           CreateCase{"existing", true, false, false, true},
                                           CreateCase{"readOnlyCleared", true, true, false, true},
                                           CreateCase{"readOnlyStuck", true, true, true, false}),
                         CaseName<CreateCase>);

TEST_F(SentenceEditorTest, AFailedCreationReportsTheErrorAndLeavesNoCurrentFile) {
    createFile();
    files.createError = FileError{28, "No space left on device"};
    EXPECT_FALSE(editor.CreateNewFile("/altro.ftd"));
    ASSERT_EQ(observer.messages.size(), 1u);
    EXPECT_EQ(observer.messages[0],
              (EditorMessage{EditorMessageIcon::Critical, "Errore",
                             "Attenzione\r\nImpossibile creare il file.\r\nErrore 28\r\nNo "
                             "space left on device"}));
    EXPECT_EQ(state().currentFile, "");
    EXPECT_TRUE(state().editing) << "a failed creation leaves editing as it was";
    observer.Clear();
    editor.LineEdited(0, "abc");
    editor.Save();
    ASSERT_EQ(observer.messages.size(), 1u);
    EXPECT_EQ(observer.messages[0].text, "Impossibile aggiornare il file.");
}

TEST_F(SentenceEditorTest, OpeningSelectsTheFirstPositionsAndCounts) {
    files.files.insert(kFile);
    files.values[{kFile, 1, 1}] = "a";
    files.values[{kFile, 3, 2}] = "b";
    files.values[{kFile, 3, 9}] = "c";
    editor.SelectWriteLevel(2);
    editor.SelectWritePosition(4);
    ASSERT_TRUE(editor.OpenFile(kFile));
    EXPECT_EQ(state().currentFile, kFile);
    EXPECT_TRUE(state().editing);
    EXPECT_EQ(state().writeLevel, 1);
    EXPECT_EQ(state().writePosition, 1);
    EXPECT_EQ(state().levelCounts, (std::array<int, 3>{1, 0, 2}));
    EXPECT_EQ(observer.focus.back(), 0);
}

TEST_F(SentenceEditorTest, AReadOnlyFileIsOpenedWhenItsAttributeCanBeCleared) {
    files.files.insert(kFile);
    files.readOnly.insert(kFile);
    ASSERT_TRUE(editor.OpenFile(kFile));
    EXPECT_FALSE(files.readOnly.count(kFile));
    EXPECT_TRUE(observer.messages.empty());
}

TEST_F(SentenceEditorTest, AFileThatStaysReadOnlyIsRefused) {
    createFile();
    const std::string locked = "/esercizi/bloccato.ftd";
    files.files.insert(locked);
    files.readOnly.insert(locked);
    files.stuckReadOnly.insert(locked);
    EXPECT_FALSE(editor.OpenFile(locked));
    ASSERT_EQ(observer.messages.size(), 1u);
    EXPECT_EQ(observer.messages[0],
              (EditorMessage{EditorMessageIcon::Warning, "Errore",
                             "impossibile modificare il file: file di sola lettura.\r\nCambiare "
                             "l'attributo del file e riprovare."}));
    EXPECT_EQ(state().currentFile, "");
    EXPECT_TRUE(state().editing) << "editing keeps its previous state";
}

TEST_F(SentenceEditorTest, AMissingFileCountsAsReadOnly) {
    EXPECT_FALSE(editor.OpenFile("/nowhere.ftd"));
    EXPECT_EQ(observer.messages.size(), 1u);
}

// The message names the page of the help folder that was looked for.
TEST_F(SentenceEditorTest, TheHelpMessageNamesThePageInTheHelpFolder) {
    EXPECT_EQ(editor.HelpMissingMessage(1000),
              (EditorMessage{EditorMessageIcon::Information, "Errore",
                             "impossibile trovare il file della guida: help/1000.html"}));
    EXPECT_EQ(editor.HelpMissingMessage(0).text,
              "impossibile trovare il file della guida: help/index.html");
}

TEST_F(SentenceEditorTest, NewMessageTextsAreUsedAtOnce) {
    SentenceEditor::MessageTexts english = BuiltInEditorSlots();
    english[0] = "Warning";
    english[10] = "No sentence at this position.";
    editor.SetMessageTexts(english);
    createFile();
    editor.Read();
    ASSERT_EQ(observer.messages.size(), 1u);
    EXPECT_EQ(observer.messages[0].title, "Warning");
    EXPECT_EQ(observer.messages[0].text, "No sentence at this position.");
}

} // namespace
