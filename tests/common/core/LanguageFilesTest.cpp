#include "common/core/LanguageFiles.h"

#include "common/core/ProgramPaths.h"
#include "common/core/Settings.h"
#include "common/core/UiTexts.h"

#include "TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

// A program folder with a Lang/ folder to fill.
class LanguageFolder : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directory(m_folder.File("Lang")); }
    void AddLanguage(const std::string& fileName, const std::string& bytes) {
        WriteBytes(m_folder.File("Lang/" + fileName), bytes);
    }
    const std::string& Program() const { return m_folder.Path(); }

    TempFolder m_folder;
};

struct LocaleCase {
    std::string locale;
    std::string installer;
};

class LocaleToInstaller : public ::testing::TestWithParam<LocaleCase> {};

TEST_P(LocaleToInstaller, MapsTheLanguagePart) {
    EXPECT_EQ(InstallerLanguageFromLocale(GetParam().locale), GetParam().installer);
}

INSTANTIATE_TEST_SUITE_P(
    Locales, LocaleToInstaller,
    ::testing::Values(LocaleCase{"de_DE.UTF-8", "1031"}, LocaleCase{"de", "1031"},
                      LocaleCase{"en_US", "1033"}, LocaleCase{"EN_gb", "1033"},
                      LocaleCase{"es_ES@euro", "1034"}, LocaleCase{"fr-CA", "1036"},
                      LocaleCase{"it_IT.UTF-8", "1040"}, LocaleCase{"pt_BR", ""},
                      LocaleCase{"C", ""}, LocaleCase{"POSIX", ""}, LocaleCase{"", ""},
                      LocaleCase{"deu", ""}, LocaleCase{"e", ""}));

struct FirstCase {
    std::string installer;
    std::string language;
};

class FirstLanguageTable : public ::testing::TestWithParam<FirstCase> {};

TEST_P(FirstLanguageTable, NamesTheLanguage) {
    EXPECT_EQ(FirstLanguage(GetParam().installer), GetParam().language);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FirstLanguageTable,
    ::testing::Values(FirstCase{"", "Italian"}, FirstCase{"1031", "German"},
                      FirstCase{"1033", "English"}, FirstCase{"1034", "Spanish"},
                      FirstCase{"1036", "French"}, FirstCase{"1040", "Italian"},
                      FirstCase{"2057", "Italian"}, FirstCase{"1033 ", "Italian"},
                      FirstCase{"English", "Italian"}));

TEST_F(LanguageFolder, ListsLngFilesInByteOrder) {
    AddLanguage("German.lng", "");
    AddLanguage("english.lng", "");
    AddLanguage("English.lng", "");
    AddLanguage("Fran\xC3\xA7"
                "ais.lng",
                "");
    AddLanguage("Upper.LNG", "");
    AddLanguage("notes.txt", "");
    AddLanguage(".lng", "");
    AddLanguage("Two.lng.bak", "");
    std::filesystem::create_directory(m_folder.File("Lang/Folder.lng"));
    const std::vector<std::string> expected = {"English",
                                               "Fran\xE7"
                                               "ais",
                                               "German", "english"};
    EXPECT_EQ(ListLanguages(Program()), expected);
}

TEST(LanguageFiles, NoLangFolderListsNothing) {
    TempFolder folder;
    EXPECT_TRUE(ListLanguages(folder.Path()).empty());
    EXPECT_FALSE(LanguageFileExists(folder.Path(), "Italian"));
}

TEST_F(LanguageFolder, ExistenceNeedsARegularFileOfThatName) {
    AddLanguage("English.lng", "[Strings]\r\n");
    std::filesystem::create_directory(m_folder.File("Lang/Folder.lng"));
    EXPECT_TRUE(LanguageFileExists(Program(), "English"));
    EXPECT_FALSE(LanguageFileExists(Program(), "Folder"));
    EXPECT_FALSE(LanguageFileExists(Program(), "German"));
    EXPECT_FALSE(LanguageFileExists(Program(), ""));
    WriteBytes(m_folder.File("Outside.lng"), "[Strings]\r\n");
    EXPECT_FALSE(LanguageFileExists(Program(), "../Outside"));
    EXPECT_EQ(LanguageFilePath(Program(), "English"), Program() + "Lang/English.lng");
}

TEST_F(LanguageFolder, AccentedLanguageNameReachesItsFile) {
    AddLanguage("Fran\xC3\xA7"
                "ais.lng",
                "[Strings]\r\n0027=D\xC3\xA9"
                "butant\r\n");
    const std::string language = ListLanguages(Program()).at(0);
    EXPECT_TRUE(LanguageFileExists(Program(), language));
    EXPECT_EQ(GetLangString(Program(), language, "0027"), "D\xC3\xA9"
                                                          "butant");
}

struct LangStringCase {
    const char* name;
    std::string file;
    std::string id;
    std::string expected;
};

class LangString : public ::testing::TestWithParam<LangStringCase> {};

TEST_P(LangString, ReadsTheTrimmedTextOfTheId) {
    TempFolder folder;
    std::filesystem::create_directory(folder.File("Lang"));
    WriteBytes(folder.File("Lang/English.lng"), GetParam().file);
    EXPECT_EQ(GetLangString(folder.Path(), "English", GetParam().id), GetParam().expected);
}

const std::string k600 = std::string(511, 'x') + std::string(89, 'y');

INSTANTIATE_TEST_SUITE_P(
    Cases, LangString,
    ::testing::Values(
        LangStringCase{"Plain", "[Strings]\r\n0027=Beginner\r\n", "0027", "Beginner"},
        LangStringCase{"Trimmed", "[Strings]\r\n0027=   Beginner  \t\r\n", "0027", "Beginner"},
        LangStringCase{"BlanksInsideQuotes", "[Strings]\r\n0007=\"  You scored \"\r\n", "0007",
                       "You scored"},
        LangStringCase{"MissingId", "[Strings]\r\n0027=Beginner\r\n", "0028", ""},
        LangStringCase{"OtherSection", "[Texts]\r\n0027=Beginner\r\n", "0027", ""},
        LangStringCase{"SectionCase", "[STRINGS]\r\n0027=Beginner\r\n", "0027", "Beginner"},
        LangStringCase{"Text600", "[Strings]\r\n0119=" + k600 + "\r\n", "0119",
                       std::string(511, 'x')},
        LangStringCase{"LfOnlyNoFinalEnd", "[Strings]\n0001=a\n0002=b", "0002", "b"},
        LangStringCase{"Bom", "\xEF\xBB\xBF[Strings]\r\n0001=a\r\n", "0001", "a"},
        LangStringCase{"NulEndsText", std::string("[Strings]\r\n0001=ab\0c\r\n", 22), "0001",
                       "ab"}),
    CaseName());

TEST(LanguageFiles, MissingFileGivesEmptyTextNeverItalian) {
    TempFolder folder;
    EXPECT_EQ(GetLangString(folder.Path(), "English", "0027"), "");
    EXPECT_EQ(ReadIniString(folder.File("none.lng"), "Strings", "0027"), "");
}

TEST(LanguageFiles, RawReadKeepsInnerBlanksAndCutsAt511) {
    TempFolder folder;
    const std::string file = folder.File("raw.ini");
    WriteBytes(file, "[S]\r\nk=\" a  b \"\r\nlong=" + k600 + "\r\n");
    EXPECT_EQ(ReadIniString(file, "S", "k"), " a  b ");
    EXPECT_EQ(ReadIniString(file, "s", "LONG").size(), 511u);
}

struct AuthorCase {
    const char* name;
    std::string file;
    std::string author;
    std::string mail;
};

class Author : public ::testing::TestWithParam<AuthorCase> {};

TEST_P(Author, ComesFromTheStringsSection) {
    TempFolder folder;
    std::filesystem::create_directory(folder.File("Lang"));
    WriteBytes(folder.File("Lang/German.lng"), GetParam().file);
    const LanguageAuthor author = ReadLanguageAuthor(folder.Path(), "German");
    EXPECT_EQ(author.name, GetParam().author);
    EXPECT_EQ(author.mail, GetParam().mail);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Author,
    ::testing::Values(AuthorCase{"Both",
                                 "[Strings]\r\nInfoAuthor= Anna \r\nMailAuthor=a@example.org\r\n",
                                 "Anna", "a@example.org"},
                      AuthorCase{"OnlyMail",
                                 "[Strings]\r\nInfoAuthor=\r\nMailAuthor=a@example.org\r\n", "",
                                 "a@example.org"},
                      AuthorCase{"KeyCase", "[Strings]\r\ninfoauthor=Anna\r\n", "Anna", ""},
                      AuthorCase{"None", "[Strings]\r\n0001=x\r\n", "", ""}),
    CaseName());

// The first start as a whole: installer choice, file or no file, texts.
TEST_F(LanguageFolder, FirstStartWithEnglishInstalled) {
    AddLanguage("English.lng", "[Strings]\r\n0027=Beginner\r\n");
    const std::string ini = SettingsFilePath(Program());
    const TutorSettings settings = LoadTutorSettings(ini, InstallerLanguageFromLocale("en_GB"));
    ASSERT_EQ(settings.CurrentLanguage, "English");
    ASSERT_TRUE(LanguageFileExists(Program(), settings.CurrentLanguage));
    const UiTexts texts =
        UiTexts::FromFile(UiProgram::Tutor, LanguageFilePath(Program(), settings.CurrentLanguage));
    EXPECT_EQ(texts.Slot(29), "Beginner");
}

TEST_F(LanguageFolder, FirstStartWithoutTheInstalledLanguagesFile) {
    const std::string ini = SettingsFilePath(Program());
    const TutorSettings settings = LoadTutorSettings(ini, "1033");
    EXPECT_EQ(settings.CurrentLanguage, "English");
    EXPECT_FALSE(LanguageFileExists(Program(), settings.CurrentLanguage));
}

TEST(ProgramPaths, FoldersEndInSlash) {
    EXPECT_EQ(WithTrailingSlash("/opt/zentavo"), "/opt/zentavo/");
    EXPECT_EQ(WithTrailingSlash("/opt/zentavo/"), "/opt/zentavo/");
    EXPECT_EQ(ProgramFolderOf("/opt/zentavo/bin/Zentavo"), "/opt/zentavo/bin/");
    EXPECT_EQ(ProgramFolderOf("Zentavo"), "./");
    EXPECT_EQ(SettingsFilePath("/opt/z"), "/opt/z/Zentavo.ini");
}

// A path keeps its bytes; only a name shown in a text of the code page, or a
// name kept as such a text, is converted.
TEST(ProgramPaths, PathsKeepTheirBytesTextsAreConverted) {
    EXPECT_EQ(NativePath("/tmp/\xCE\xB1\xCE\xB2").native(), "/tmp/\xCE\xB1\xCE\xB2");
    EXPECT_EQ(FromNativePath("/tmp/citt\xC3\xA0"), "/tmp/citt\xC3\xA0");
    EXPECT_EQ(FileNameToCp1252("citt\xC3\xA0"), "citt\xE0");
    EXPECT_EQ(FileNameToCp1252("\xCE\xB1\xCE\xB2.ftd"), "??.ftd");
    EXPECT_EQ(Cp1252ToFileName("Fran\xE7"
                               "ais"),
              "Fran\xC3\xA7"
              "ais");
}

} // namespace
