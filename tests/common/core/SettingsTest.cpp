#include "common/core/Settings.h"

#include "common/core/IniManager.h"
#include "common/core/UiTexts.h"

#include "TempFolder.h"

#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace {

TutorSettings LoadOptions(const std::string& optionLines) {
    TempFolder folder;
    const std::string ini = folder.File("Zentavo.ini");
    WriteBytes(ini, "[Options]\r\n" + optionLines);
    return LoadTutorSettings(ini);
}

struct FlagCase {
    const char* name;
    std::string options; // lines of section "Options"
    bool TutorSettings::*flag;
    bool on;
};

class LoadFlag : public ::testing::TestWithParam<FlagCase> {};

TEST_P(LoadFlag, AnythingButZeroIsOn) {
    EXPECT_EQ(LoadOptions(GetParam().options).*(GetParam().flag), GetParam().on);
}

INSTANTIATE_TEST_SUITE_P(
    Options, LoadFlag,
    ::testing::Values(
        FlagCase{"SongMissingIsOn", "", &TutorSettings::SoundsOn, true},
        FlagCase{"SongZeroIsOff", "Song=0\r\n", &TutorSettings::SoundsOn, false},
        FlagCase{"SongNoIsOn", "Song=no\r\n", &TutorSettings::SoundsOn, true},
        FlagCase{"SongEmptyIsDefaultOn", "Song=\r\n", &TutorSettings::SoundsOn, true},
        FlagCase{"SongQuotedZeroIsOff", "Song=\"0\"\r\n", &TutorSettings::SoundsOn, false},
        FlagCase{"KeyMapMissingIsOff", "", &TutorSettings::KeyMap, false},
        FlagCase{"KeyMapOne", "KeyMap=1\r\n", &TutorSettings::KeyMap, true},
        FlagCase{"KeyMapAnythingButZero", "KeyMap=x\r\n", &TutorSettings::KeyMap, true},
        FlagCase{"HighlightZero", "Highlight=0\r\n", &TutorSettings::Highlight, false},
        FlagCase{"HighlightTwo", "Highlight=2\r\n", &TutorSettings::Highlight, true},
        FlagCase{"ErgonomicMissing", "", &TutorSettings::Ergonomic, false},
        FlagCase{"ErgonomicOn", "Ergonomic=1\r\n", &TutorSettings::Ergonomic, true},
        FlagCase{"ErgonomicEmpty", "Ergonomic=\r\n", &TutorSettings::Ergonomic, false}),
    CaseName());

struct NumberCase {
    const char* name;
    std::string value;
    int backColor;
};

class LoadBackColor : public ::testing::TestWithParam<NumberCase> {};

TEST_P(LoadBackColor, IsAThemeIndexOrZero) {
    EXPECT_EQ(LoadOptions("BackColor=" + GetParam().value + "\r\n").BackColor,
              GetParam().backColor);
}

INSTANTIATE_TEST_SUITE_P(
    Values, LoadBackColor,
    ::testing::Values(NumberCase{"Empty", "", 0}, NumberCase{"Number", "7", 7},
                      NumberCase{"LastTheme", "10", 10}, NumberCase{"Abc", "abc", 0},
                      NumberCase{"DigitsThenLetters", "3x", 0}, NumberCase{"Signed", "+4", 4},
                      NumberCase{"HalfToEven", "2.5", 2}, NumberCase{"RoundsUp", "3.6", 4},
                      NumberCase{"Exponent", "1e1", 10}, NumberCase{"BeyondThemes", "11", 0},
                      NumberCase{"Negative", "-1", 0},
                      NumberCase{"Huge", "99999999999999999999", 0}, NumberCase{"LoneSign", "-", 0},
                      NumberCase{"LonePoint", ".", 0}, NumberCase{"BareExponent", "1e", 0}),
    CaseName());

struct CategoryCase {
    const char* name;
    std::string options;
    CategoryLevel category;
};

class LoadCategory : public ::testing::TestWithParam<CategoryCase> {};

TEST_P(LoadCategory, OnlyOneSelectsEsperto) {
    EXPECT_EQ(LoadOptions(GetParam().options).Category, GetParam().category);
}

INSTANTIATE_TEST_SUITE_P(
    Values, LoadCategory,
    ::testing::Values(CategoryCase{"Missing", "", CategoryLevel::Principiante},
                      CategoryCase{"One", "Category=1\r\n", CategoryLevel::Esperto},
                      CategoryCase{"OneWithBlanks", "Category= 1 \r\n", CategoryLevel::Esperto},
                      CategoryCase{"Two", "Category=2\r\n", CategoryLevel::Principiante},
                      CategoryCase{"OnePointZero", "Category=1.0\r\n",
                                   CategoryLevel::Principiante}),
    CaseName());

TEST(Settings, MissingFileGivesEveryDefault) {
    TempFolder folder;
    const TutorSettings s = LoadTutorSettings(folder.File("Zentavo.ini"));
    EXPECT_FALSE(s.Ergonomic);
    EXPECT_TRUE(s.SoundsOn);
    EXPECT_FALSE(s.KeyMap);
    EXPECT_FALSE(s.Highlight);
    EXPECT_EQ(s.BackColor, 0);
    EXPECT_EQ(s.Category, CategoryLevel::Principiante);
    EXPECT_EQ(s.Bookmark, "");
    EXPECT_EQ(s.CurrentLanguage, "Italian");
    EXPECT_FALSE(Exists(folder.File("Zentavo.ini")));
}

TEST(Settings, BookmarkIsKeptAsRead) {
    TempFolder folder;
    const std::string ini = folder.File("Zentavo.ini");
    WriteBytes(ini, "[Options]\r\nBookmark=Lezione 03.bis\r\n");
    EXPECT_EQ(LoadTutorSettings(ini).Bookmark, "Lezione 03.bis");
}

struct LanguageCase {
    const char* name;
    std::string file;
    std::string installer;
    std::string tutor;
    std::string editor;
};

class FirstStartLanguage : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(FirstStartLanguage, ComesFromTheFileOrTheInstaller) {
    TempFolder folder;
    const std::string ini = folder.File("Zentavo.ini");
    if (!GetParam().file.empty())
        WriteBytes(ini, GetParam().file);
    EXPECT_EQ(LoadTutorSettings(ini, GetParam().installer).CurrentLanguage, GetParam().tutor);
    EXPECT_EQ(LoadEditorLanguage(ini, GetParam().installer), GetParam().editor);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FirstStartLanguage,
    ::testing::Values(LanguageCase{"NothingAnywhere", "", "", "Italian", "Italian"},
                      LanguageCase{"InstallerEnglish", "", "1033", "English", "English"},
                      LanguageCase{"InstallerUnknown", "", "2052", "Italian", "Italian"},
                      LanguageCase{"ChosenBefore",
                                   "[Language]\r\nCurrentLanguage=French\r\n[EditorLanguage]\r\n"
                                   "CurrentLanguage=German\r\n",
                                   "1033", "French", "German"},
                      LanguageCase{"EmptyMeansNotChosen", "[Language]\r\nCurrentLanguage=\r\n",
                                   "1034", "Spanish", "Spanish"},
                      LanguageCase{"OnlyTutorChosen", "[Language]\r\nCurrentLanguage=Deutsch\r\n",
                                   "1036", "Deutsch", "French"}),
    CaseName());

// Answers the bookmark question as told and remembers what it was asked.
class FakeQuestion : public BookmarkQuestion {
public:
    explicit FakeQuestion(BookmarkAnswer answer) : m_answer(answer) {}
    BookmarkAnswer Ask(const std::string& text) override {
        asked.push_back(text);
        return m_answer;
    }
    std::vector<std::string> asked;

private:
    BookmarkAnswer m_answer;
};

TutorSettings Sample() {
    TutorSettings s;
    s.Ergonomic = true;
    s.SoundsOn = false;
    s.KeyMap = true;
    s.Highlight = false;
    s.BackColor = 4;
    s.Category = CategoryLevel::Esperto;
    s.Bookmark = "ignored";
    s.CurrentLanguage = "English";
    return s;
}

TEST(Settings, SavesInTheFixedOrderWithoutAskingOutsideTheCourse) {
    TempFolder folder;
    const std::string ini = folder.File("Zentavo.ini");
    FakeQuestion question(BookmarkAnswer::Yes);
    EXPECT_TRUE(SaveTutorSettings(ini, Sample(), false, "/x/Lez1.ftd", question,
                                  UiTexts::BuiltIn(UiProgram::Tutor)));
    EXPECT_TRUE(question.asked.empty());
    EXPECT_EQ(ReadBytes(ini),
              "[Options]\r\nErgonomic=1\r\nSong=0\r\nKeyMap=1\r\nHighlight=0\r\n"
              "BackColor=4\r\nCategory=1\r\n[Language]\r\nCurrentLanguage=English\r\n");
}

struct BookmarkCase {
    const char* name;
    BookmarkAnswer answer;
    std::string expected;
};

class BookmarkSave : public ::testing::TestWithParam<BookmarkCase> {};

TEST_P(BookmarkSave, FollowsTheAnswer) {
    TempFolder folder;
    const std::string ini = folder.File("Zentavo.ini");
    WriteBytes(ini, "[Options]\r\nBookmark=Lezione02\r\nSong=1\r\n");
    FakeQuestion question(GetParam().answer);
    const UiTexts texts = UiTexts::BuiltIn(UiProgram::Tutor);
    EXPECT_TRUE(
        SaveTutorSettings(ini, Sample(), true, "C:\\Corso\\Lezione03.ftd", question, texts));
    ASSERT_EQ(question.asked.size(), 1u);
    EXPECT_EQ(question.asked[0], BookmarkQuestionText(texts));
    IniManager reader;
    reader.nome = ini;
    reader.sezione = "Options";
    EXPECT_EQ(reader.Leggi("Bookmark", "<missing>"), GetParam().expected);
    EXPECT_EQ(LoadTutorSettings(ini).Bookmark, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Answers, BookmarkSave,
                         ::testing::Values(BookmarkCase{"Yes", BookmarkAnswer::Yes, "Lezione03"},
                                           BookmarkCase{"No", BookmarkAnswer::No, ""},
                                           BookmarkCase{"Cancel", BookmarkAnswer::Cancel,
                                                        "Lezione02"}),
                         CaseName());

// While the bookmark question waits for the pupil, the editor saves its
// language and someone else's key appears: the tutor's save keeps both, and
// writes its own keys over what the file holds at that moment.
class EditorSavesMeanwhile : public BookmarkQuestion {
public:
    explicit EditorSavesMeanwhile(std::string ini) : m_ini(std::move(ini)) {}
    BookmarkAnswer Ask(const std::string&) override {
        EXPECT_TRUE(SaveEditorLanguage(m_ini, "German"));
        IniManager other;
        other.nome = m_ini;
        other.sezione = "Options";
        EXPECT_NE(other.Scrivi("Song", "1"), 0);
        return BookmarkAnswer::Yes;
    }

private:
    std::string m_ini;
};

TEST(Settings, TheTutorsSaveKeepsWhatTheEditorSavedDuringTheQuestion) {
    TempFolder folder;
    const std::string ini = folder.File("Zentavo.ini");
    WriteBytes(ini, "[EditorLanguage]\r\nCurrentLanguage=English\r\n");
    EditorSavesMeanwhile question(ini);
    ASSERT_TRUE(SaveTutorSettings(ini, Sample(), true, "/c/Lezione03.ftd", question,
                                  UiTexts::BuiltIn(UiProgram::Tutor)));
    EXPECT_EQ(LoadEditorLanguage(ini), "German");
    const TutorSettings saved = LoadTutorSettings(ini);
    EXPECT_FALSE(saved.SoundsOn) << "the tutor's own key is the tutor's value";
    EXPECT_EQ(saved.Bookmark, "Lezione03");
    EXPECT_EQ(saved.CurrentLanguage, "English");
}

TEST(Settings, BookmarkQuestionJoinsItsSixTextsWithLineBreaks) {
    const UiTexts texts = UiTexts::BuiltIn(UiProgram::Tutor);
    const std::string text = BookmarkQuestionText(texts);
    std::string expected;
    for (const char* id : {"0021", "0022", "0023", "0024", "0025", "0026"})
        expected += texts.Text(id) + (std::string(id) == "0026" ? "" : "\r\n");
    EXPECT_EQ(text, expected);
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);
    EXPECT_NE(text.find("S\xEC"), std::string::npos);
}

// A language file that lacks some of the six texts still gives six lines:
// the missing ones are empty lines in their places, the first ones too.
TEST(Settings, BookmarkQuestionKeepsTheLinesOfMissingTexts) {
    struct Case {
        const char* name;
        std::string strings;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"FirstTwoMissing", "0023=c\r\n0024=d\r\n0025=e\r\n0026=f\r\n", "\r\n\r\nc\r\nd\r\ne\r\nf"},
        {"MiddleMissing", "0021=a\r\n0022=b\r\n0025=e\r\n0026=f\r\n", "a\r\nb\r\n\r\n\r\ne\r\nf"},
        {"LastMissing", "0021=a\r\n0022=b\r\n0023=c\r\n0024=d\r\n0025=e\r\n",
         "a\r\nb\r\nc\r\nd\r\ne\r\n"},
        {"AllMissing", "", "\r\n\r\n\r\n\r\n\r\n"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const std::string lng = folder.File("English.lng");
        WriteBytes(lng, "[Strings]\r\n" + c.strings);
        EXPECT_EQ(BookmarkQuestionText(UiTexts::FromFile(UiProgram::Tutor, lng)), c.expected);
    }
}

TEST(Settings, SaveThenLoadGivesTheSameOptions) {
    TempFolder folder;
    const std::string ini = folder.File("Zentavo.ini");
    FakeQuestion question(BookmarkAnswer::Yes);
    const UiTexts texts = UiTexts::BuiltIn(UiProgram::Tutor);
    for (int variant = 0; variant < 4; ++variant) {
        TutorSettings s;
        s.Ergonomic = variant & 1;
        s.SoundsOn = variant & 2;
        s.KeyMap = !(variant & 1);
        s.Highlight = variant == 3;
        s.BackColor = variant * 3;
        s.Category = variant & 1 ? CategoryLevel::Esperto : CategoryLevel::Principiante;
        s.CurrentLanguage = variant == 2 ? "Fran\xE7"
                                           "ais"
                                         : "Italian";
        ASSERT_TRUE(SaveTutorSettings(ini, s, true, "Corso/L" + std::to_string(variant) + ".ftd",
                                      question, texts));
        const TutorSettings back = LoadTutorSettings(ini);
        EXPECT_EQ(back.Ergonomic, s.Ergonomic);
        EXPECT_EQ(back.SoundsOn, s.SoundsOn);
        EXPECT_EQ(back.KeyMap, s.KeyMap);
        EXPECT_EQ(back.Highlight, s.Highlight);
        EXPECT_EQ(back.BackColor, s.BackColor);
        EXPECT_EQ(back.Category, s.Category);
        EXPECT_EQ(back.Bookmark, "L" + std::to_string(variant));
        EXPECT_EQ(back.CurrentLanguage, s.CurrentLanguage);
    }
}

TEST(Settings, SaveKeepsOtherSectionsAndReportsAReadOnlyFile) {
    TempFolder folder;
    const std::string ini = folder.File("Zentavo.ini");
    WriteBytes(ini, "[EditorLanguage]\r\nCurrentLanguage=German\r\n");
    FakeQuestion question(BookmarkAnswer::Cancel);
    const UiTexts texts = UiTexts::BuiltIn(UiProgram::Tutor);
    ASSERT_TRUE(SaveTutorSettings(ini, Sample(), false, "", question, texts));
    EXPECT_EQ(LoadEditorLanguage(ini), "German");
    EXPECT_EQ(LoadTutorSettings(ini).CurrentLanguage, "English");

    const std::string before = ReadBytes(ini);
    ::chmod(ini.c_str(), 0444);
    TutorSettings changed = Sample();
    changed.BackColor = 9;
    EXPECT_FALSE(SaveTutorSettings(ini, changed, false, "", question, texts));
    EXPECT_FALSE(SaveEditorLanguage(ini, "Spanish"));
    EXPECT_EQ(ReadBytes(ini), before);
}

TEST(Settings, EditorAndTutorKeepDifferentLanguages) {
    TempFolder folder;
    const std::string ini = folder.File("Zentavo.ini");
    FakeQuestion question(BookmarkAnswer::Cancel);
    ASSERT_TRUE(SaveEditorLanguage(ini, "Spanish"));
    ASSERT_TRUE(
        SaveTutorSettings(ini, Sample(), false, "", question, UiTexts::BuiltIn(UiProgram::Tutor)));
    ASSERT_TRUE(SaveEditorLanguage(ini, "German"));
    EXPECT_EQ(LoadEditorLanguage(ini), "German");
    EXPECT_EQ(LoadTutorSettings(ini).CurrentLanguage, "English");
}

TEST(Settings, TheClassFolderSurvivesBothProgramsSaves) {
    TempFolder folder;
    const std::string ini = folder.File("Zentavo.ini");
    EXPECT_EQ(LoadClassFolder(ini), "");
    const std::string share = "/mnt/scuola/3\xCE\xB1 classe"; // not Windows-1252: bytes kept
    ASSERT_TRUE(SaveClassFolder(ini, share));
    FakeQuestion question(BookmarkAnswer::Cancel);
    ASSERT_TRUE(
        SaveTutorSettings(ini, Sample(), false, "", question, UiTexts::BuiltIn(UiProgram::Tutor)));
    ASSERT_TRUE(SaveEditorLanguage(ini, "German"));
    EXPECT_EQ(LoadClassFolder(ini), share);
    ASSERT_TRUE(SaveClassFolder(ini, ""));
    EXPECT_EQ(LoadClassFolder(ini), "");
}

struct BaseNameCase {
    std::string path;
    std::string base;
};

class BookmarkName : public ::testing::TestWithParam<BaseNameCase> {};

TEST_P(BookmarkName, IsTheFileNameUpToItsFirstDot) {
    EXPECT_EQ(BookmarkBaseName(GetParam().path), GetParam().base);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, BookmarkName,
    ::testing::Values(BaseNameCase{"/opt/z/CorsoZentavo/Lezione01.ftd", "Lezione01"},
                      BaseNameCase{"C:\\Zentavo\\CorsoZentavo\\Lezione02.ftd", "Lezione02"},
                      BaseNameCase{"/a/b.c/Lez.ione.ftd", "Lez"},
                      BaseNameCase{"mixed\\dir/name.ftd", "name"},
                      BaseNameCase{"noextension", "noextension"},
                      BaseNameCase{"/dir/.hidden.ftd", ""}, BaseNameCase{"", ""},
                      BaseNameCase{"/dir/", ""}));

} // namespace
