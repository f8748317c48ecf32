#include "common/core/UiTexts.h"

#include "TempFolder.h"

#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>
#include <set>

namespace {

const UiProgram kPrograms[] = {UiProgram::Tutor, UiProgram::Editor};

bool IsFourDigits(const std::string& id) {
    return id.size() == 4 &&
           std::all_of(id.begin(), id.end(), [](char c) { return c >= '0' && c <= '9'; });
}

TEST(UiTexts, IdsAreFourDigitsSortedAndInTheirProgramsRange) {
    for (const UiProgram program : kPrograms) {
        const auto& ids = UiTexts::Ids(program);
        ASSERT_FALSE(ids.empty());
        EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
        EXPECT_EQ(std::set<std::string>(ids.begin(), ids.end()).size(), ids.size());
        for (const std::string& id : ids) {
            EXPECT_TRUE(IsFourDigits(id)) << id;
            // Texts added to the original tables take IDs further on in the
            // same thousand: the tutor's below 1000, the editor's in 2000s.
            if (program == UiProgram::Tutor)
                EXPECT_TRUE((id >= "0001" && id <= "0999") || id == "1003" || id == "1006") << id;
            else
                EXPECT_TRUE(id >= "2001" && id <= "2999") << id;
        }
    }
}

TEST(UiTexts, TutorUsesEveryIdOfItsRangeButTheUnusedOnes) {
    const auto& ids = UiTexts::Ids(UiProgram::Tutor);
    const std::set<std::string> unused = {"0084", "0085", "0087", "0106", "0113"};
    for (int n = 1; n <= 119; ++n) {
        char id[5];
        std::snprintf(id, sizeof id, "%04d", n);
        const bool listed = std::binary_search(ids.begin(), ids.end(), std::string(id));
        EXPECT_EQ(listed, unused.count(id) == 0) << id;
    }
    for (int n = 200; n <= 208; ++n)
        EXPECT_TRUE(std::binary_search(ids.begin(), ids.end(), "0" + std::to_string(n)));
    const auto& editor = UiTexts::Ids(UiProgram::Editor);
    for (int n = 2001; n <= 2021; ++n)
        EXPECT_TRUE(std::binary_search(editor.begin(), editor.end(), std::to_string(n))) << n;
    for (int n = 2100; n <= 2140; ++n)
        EXPECT_TRUE(std::binary_search(editor.begin(), editor.end(), std::to_string(n))) << n;
}

TEST(UiTexts, BuiltInTextsAreNonEmptyWindows1252) {
    for (const UiProgram program : kPrograms) {
        const UiTexts texts = UiTexts::BuiltIn(program);
        EXPECT_FALSE(texts.FromLanguageFile());
        for (const std::string& id : UiTexts::Ids(program)) {
            const std::string& text = texts.Text(id);
            EXPECT_FALSE(text.empty()) << id;
            // A UTF-8 lead byte followed by a continuation byte would betray an
            // unconverted source text.
            for (std::size_t i = 0; i + 1 < text.size(); ++i) {
                const auto a = static_cast<unsigned char>(text[i]);
                const auto b = static_cast<unsigned char>(text[i + 1]);
                EXPECT_FALSE(a >= 0xC2 && a <= 0xDF && b >= 0x80 && b <= 0xBF) << id;
            }
            EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << id;
        }
    }
    const UiTexts tutor = UiTexts::BuiltIn(UiProgram::Tutor);
    EXPECT_NE(tutor.Text("0005").find("non \xE8 disponibile"), std::string::npos);
    EXPECT_NE(tutor.Text("0045").find("1\xB0 livello"), std::string::npos);
}

TEST(UiTexts, UnknownIdsAndSlotsAreEmpty) {
    for (const UiProgram program : kPrograms) {
        const UiTexts texts = UiTexts::BuiltIn(program);
        for (const char* id : {"", "0000", "0084", "0209", "2022", "2141", "abcd", "00010"})
            EXPECT_EQ(texts.Text(id), "") << id;
        EXPECT_EQ(texts.Slot(-1), "");
        EXPECT_EQ(texts.Slot(texts.SlotCount()), "");
    }
    EXPECT_EQ(UiTexts::BuiltIn(UiProgram::Tutor).Text("2001"), "");
    EXPECT_EQ(UiTexts::BuiltIn(UiProgram::Editor).Text("0001"), "");
}

struct SlotCase {
    UiProgram program;
    int slot;
    const char* id;
    const char* before; // added in front of the ID's text
    const char* after;  // added behind it
};

class SlotOfId : public ::testing::TestWithParam<SlotCase> {};

// Each slot is its ID's text, with the line breaks the program adds.
TEST_P(SlotOfId, HoldsItsIdsText) {
    const SlotCase c = GetParam();
    TempFolder folder;
    const std::string lng = folder.File("X.lng");
    WriteBytes(lng, std::string("[Strings]\r\n") + c.id + "=file text " + c.id + "\r\n");
    const UiTexts fromFile = UiTexts::FromFile(c.program, lng);
    const UiTexts builtIn = UiTexts::BuiltIn(c.program);
    EXPECT_EQ(fromFile.Slot(c.slot), std::string(c.before) + "file text " + c.id + c.after);
    EXPECT_EQ(builtIn.Slot(c.slot), std::string(c.before) + builtIn.Text(c.id) + c.after);
}

INSTANTIATE_TEST_SUITE_P(Tutor, SlotOfId,
                         ::testing::Values(SlotCase{UiProgram::Tutor, 0, "0001", "", ""},
                                           SlotCase{UiProgram::Tutor, 10, "0011", "", ""},
                                           SlotCase{UiProgram::Tutor, 11, "0012", "", "\r\n"},
                                           SlotCase{UiProgram::Tutor, 13, "0014", "\r\n", ""},
                                           SlotCase{UiProgram::Tutor, 14, "0019", "", ""},
                                           SlotCase{UiProgram::Tutor, 15, "0020", "", ""},
                                           SlotCase{UiProgram::Tutor, 16, "1003", "", ""},
                                           SlotCase{UiProgram::Tutor, 17, "0021", "", ""},
                                           SlotCase{UiProgram::Tutor, 22, "0026", "", ""},
                                           SlotCase{UiProgram::Tutor, 23, "0029", "", ""},
                                           SlotCase{UiProgram::Tutor, 24, "0030", "", ""},
                                           SlotCase{UiProgram::Tutor, 25, "0015", "", ""},
                                           SlotCase{UiProgram::Tutor, 28, "0018", "", ""},
                                           SlotCase{UiProgram::Tutor, 29, "0027", "", ""},
                                           SlotCase{UiProgram::Tutor, 30, "0028", "", ""},
                                           SlotCase{UiProgram::Tutor, 31, "1006", "", ""},
                                           SlotCase{UiProgram::Tutor, 32, "0117", "", ""},
                                           SlotCase{UiProgram::Tutor, 34, "0119", "", ""},
                                           SlotCase{UiProgram::Editor, 0, "2001", "", ""},
                                           SlotCase{UiProgram::Editor, 1, "2002", "", ""},
                                           SlotCase{UiProgram::Editor, 2, "2004", "", ""},
                                           SlotCase{UiProgram::Editor, 8, "2010", "", ""},
                                           SlotCase{UiProgram::Editor, 9, "2003", "", ""},
                                           SlotCase{UiProgram::Editor, 10, "2011", "", ""},
                                           SlotCase{UiProgram::Editor, 19, "2020", "", ""}));

TEST(UiTexts, StartHintSlotAddsTheKeyOnlyToTheFilesText) {
    TempFolder folder;
    const std::string lng = folder.File("X.lng");
    WriteBytes(lng, "[Strings]\r\n0013=To begin press\r\n");
    EXPECT_EQ(UiTexts::FromFile(UiProgram::Tutor, lng).Slot(12), "To begin press <Invio>");
    const UiTexts builtIn = UiTexts::BuiltIn(UiProgram::Tutor);
    EXPECT_EQ(builtIn.Slot(12), builtIn.Text("0013"));
    EXPECT_NE(builtIn.Slot(12).find("< Invio> "), std::string::npos);
}

TEST(UiTexts, SlotCounts) {
    EXPECT_EQ(UiTexts::BuiltIn(UiProgram::Tutor).SlotCount(), 35);
    EXPECT_EQ(UiTexts::BuiltIn(UiProgram::Editor).SlotCount(), 20);
}

TEST(UiTexts, FileTextsAreWhollyFromTheFile) {
    TempFolder folder;
    const std::string lng = folder.File("English.lng");
    WriteBytes(lng, "; translation\r\n[Strings]\r\n0001=  - Built-in sentences  \r\n"
                    "0027=Beginner\r\n0112=\"&Continue\"\r\n0208= \"  spaced  \" \r\n"
                    "InfoAuthor=Someone\r\n[Other]\r\n0028=Expert\r\n");
    const UiTexts texts = UiTexts::FromFile(UiProgram::Tutor, lng);
    EXPECT_TRUE(texts.FromLanguageFile());
    EXPECT_EQ(texts.Text("0001"), "- Built-in sentences");
    EXPECT_EQ(texts.Slot(0), "- Built-in sentences");
    EXPECT_EQ(texts.Text("0027"), "Beginner");
    EXPECT_EQ(texts.Slot(29), "Beginner");
    EXPECT_EQ(texts.Text("0028"), "");
    EXPECT_EQ(texts.Slot(30), "");
    EXPECT_EQ(texts.Text("0112"), "&Continue");
    EXPECT_EQ(texts.ToolTip("0112"), "&Continue");
    EXPECT_EQ(texts.Text("0208"), "spaced");
    EXPECT_EQ(texts.Text("0005"), "");
}

TEST(UiTexts, MissingFileGivesEmptyTexts) {
    TempFolder folder;
    const UiTexts texts = UiTexts::FromFile(UiProgram::Editor, folder.File("None.lng"));
    EXPECT_TRUE(texts.FromLanguageFile());
    for (const std::string& id : UiTexts::Ids(UiProgram::Editor))
        EXPECT_EQ(texts.Text(id), "") << id;
    for (int slot = 0; slot < texts.SlotCount(); ++slot)
        EXPECT_EQ(texts.Slot(slot), "");
}

TEST(UiTexts, LongFileTextKeepsItsFirst511Characters) {
    TempFolder folder;
    const std::string lng = folder.File("Long.lng");
    const std::string text600 = std::string(300, 'a') + std::string(300, 'b');
    WriteBytes(lng, "[Strings]\r\n2016=" + text600 + "\r\n");
    const UiTexts texts = UiTexts::FromFile(UiProgram::Editor, lng);
    EXPECT_EQ(texts.Text("2016"), text600.substr(0, 511));
    EXPECT_EQ(texts.Slot(15), text600.substr(0, 511));
}

TEST(UiTexts, CaptionAndToolTipSharingAnId) {
    const UiTexts tutor = UiTexts::BuiltIn(UiProgram::Tutor);
    EXPECT_EQ(tutor.Text("0112"), "&Continua");
    EXPECT_EQ(tutor.ToolTip("0112"), "Ritorna all'esercizio precedente");
    EXPECT_EQ(tutor.Text("0114"), "&Termina");
    EXPECT_EQ(tutor.ToolTip("0114"), "Chiude il programma");
    EXPECT_EQ(tutor.ToolTip("0035"), tutor.Text("0035"));
    const UiTexts editor = UiTexts::BuiltIn(UiProgram::Editor);
    EXPECT_EQ(editor.Text("2126"), "&Guida");
    EXPECT_EQ(editor.ToolTip("2126"), "Guida in linea");
    EXPECT_EQ(editor.ToolTip("9999"), "");
}

TEST(UiTexts, ChooserTextsComeFromEachProgramsIds) {
    TempFolder folder;
    const std::string lng = folder.File("L.lng");
    std::string file = "[Strings]\r\n";
    for (int n = 200; n <= 207; ++n)
        file += "0" + std::to_string(n) + "=t" + std::to_string(n) + "\r\n";
    for (int n = 2132; n <= 2139; ++n)
        file += std::to_string(n) + "=e" + std::to_string(n) + "\r\n";
    WriteBytes(lng, file);

    const LanguageChooserTexts tutor = UiTexts::FromFile(UiProgram::Tutor, lng).ChooserTexts();
    EXPECT_EQ(tutor.caption, "t200");
    EXPECT_EQ(tutor.confirmQuestion, "t201");
    EXPECT_EQ(tutor.message, "t202");
    EXPECT_EQ(tutor.closeCaption, "t203");
    EXPECT_EQ(tutor.closeToolTip, "t204");
    EXPECT_EQ(tutor.infoToolTip, "t205");
    EXPECT_EQ(tutor.currentLanguage, "t206");
    EXPECT_EQ(tutor.author, "t207");

    const LanguageChooserTexts editor = UiTexts::FromFile(UiProgram::Editor, lng).ChooserTexts();
    EXPECT_EQ(editor.caption, "e2132");
    EXPECT_EQ(editor.confirmQuestion, "e2133");
    EXPECT_EQ(editor.message, "e2134");
    EXPECT_EQ(editor.closeCaption, "e2135");
    EXPECT_EQ(editor.closeToolTip, "e2136");
    EXPECT_EQ(editor.infoToolTip, "e2137");
    EXPECT_EQ(editor.currentLanguage, "e2138");
    EXPECT_EQ(editor.author, "e2139");
}

TEST(UiTexts, BuiltInChooserIsTheSameInBothPrograms) {
    const LanguageChooserTexts tutor = UiTexts::BuiltIn(UiProgram::Tutor).ChooserTexts();
    const LanguageChooserTexts editor = UiTexts::BuiltIn(UiProgram::Editor).ChooserTexts();
    EXPECT_EQ(tutor.caption, "Scelta lingua");
    EXPECT_EQ(editor.caption, tutor.caption);
    EXPECT_EQ(editor.message, tutor.message);
    EXPECT_EQ(editor.closeCaption, tutor.closeCaption);
    EXPECT_EQ(editor.closeToolTip, tutor.closeToolTip);
    EXPECT_EQ(editor.infoToolTip, tutor.infoToolTip);
    EXPECT_EQ(editor.confirmQuestion, tutor.confirmQuestion);
    EXPECT_EQ(editor.currentLanguage, tutor.currentLanguage);
    EXPECT_EQ(editor.author, tutor.author);
    EXPECT_NE(UiTexts::BuiltIn(UiProgram::Editor).Text("2132"), editor.caption);
}

} // namespace
