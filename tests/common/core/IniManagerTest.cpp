#include "common/core/IniManager.h"

#include "TempFolder.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

struct ReadCase {
    const char* name;
    std::string file;
    std::string section;
    std::string key;
    std::string expected;
};

class IniRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IniRead, FollowsTheProfileRules) {
    TempFolder folder;
    IniManager ini;
    ini.nome = folder.File("read.ini");
    WriteBytes(ini.nome, GetParam().file);
    ini.sezione = GetParam().section;
    EXPECT_EQ(ini.Leggi(GetParam().key, "<default>"), GetParam().expected);
}

const std::string k300(300, 'x');

INSTANTIATE_TEST_SUITE_P(
    Layouts, IniRead,
    ::testing::Values(
        ReadCase{"CrLf", "[S]\r\na=1\r\nb=2\r\n", "S", "b", "2"},
        ReadCase{"LfOnly", "[S]\na=1\nb=2\n", "S", "b", "2"},
        ReadCase{"NoFinalLineEnd", "[S]\r\na=1\r\nb=last", "S", "b", "last"},
        ReadCase{"ByteOrderMark", "\xEF\xBB\xBF[S]\r\na=1\r\n", "S", "a", "1"},
        ReadCase{"BlankLinesEverywhere", "\r\n\r\n[S]\r\n\r\n\r\na=1\r\n\r\n", "S", "a", "1"},
        ReadCase{"LinesBeforeFirstSection", "a=early\r\n[S]\r\nb=1\r\n", "S", "a", "<default>"},
        ReadCase{"HeaderWithEquals", "=====\r\n[S]\r\nx=1\r\n", "S", "", "<default>"},
        ReadCase{"LineWithoutEqualsIsNoEntry", "[S]\r\na\r\na=2\r\n", "S", "a", "2"},
        ReadCase{"CommentLine", "[S]\r\n; a note\r\na=1\r\n", "S", "a", "1"},
        ReadCase{"SectionCase", "[Options]\r\nSong=0\r\n", "OPTIONS", "song", "0"},
        ReadCase{"AccentedSectionCase", "[CITT\xC0]\r\n\xC8=1\r\n", "citt\xE0", "\xE8", "1"},
        ReadCase{"BlanksInHeaderAndKey", "[ S ]\r\n  a  =  v w  \r\n", "S", "a", "v w"},
        ReadCase{"TabsAroundValue", "[S]\r\na=\t v \t\r\n", "S", "a", "v"},
        ReadCase{"DoubleQuotes", "[S]\r\na=\" v \"\r\n", "S", "a", " v "},
        ReadCase{"SingleQuotes", "[S]\r\na='v'\r\n", "S", "a", "v"},
        ReadCase{"OnlyOnePairOfQuotes", "[S]\r\na=\"\"v\"\"\r\n", "S", "a", "\"v\""},
        ReadCase{"MismatchedQuotes", "[S]\r\na=\"v'\r\n", "S", "a", "\"v'"},
        ReadCase{"LoneQuote", "[S]\r\na=\"\r\n", "S", "a", "\""},
        ReadCase{"EqualsInValue", "[S]\r\na=b=c\r\n", "S", "a", "b=c"},
        ReadCase{"EmptyValueIsNotDefault", "[S]\r\na=\r\n", "S", "a", ""},
        ReadCase{"FirstDuplicateKeyWins", "[S]\r\na=1\r\nA=2\r\n", "S", "a", "1"},
        ReadCase{"FirstDuplicateSectionWins", "[S]\r\na=1\r\n[s]\r\na=2\r\n", "S", "a", "1"},
        ReadCase{"KeyOnlyInLaterDuplicate", "[S]\r\na=1\r\n[S]\r\nb=2\r\n", "S", "b", "<default>"},
        ReadCase{"OtherSectionsKeyNotTaken", "[A]\r\nk=1\r\n[B]\r\nk=2\r\n", "B", "k", "2"},
        ReadCase{"MissingSection", "[A]\r\nk=1\r\n", "B", "k", "<default>"},
        ReadCase{"MissingKey", "[A]\r\nk=1\r\n", "A", "j", "<default>"},
        ReadCase{"LongValueCut", "[S]\r\nk=" + k300 + "\r\n", "S", "k", std::string(254, 'x')},
        ReadCase{"LongQuotedValueCut", "[S]\r\nk=\"" + k300 + "\"\r\n", "S", "k",
                 std::string(254, 'x')},
        ReadCase{"NulEndsValue", std::string("[S]\r\nk=ab\0cd\r\n", 14), "S", "k", "ab"},
        ReadCase{"HeaderWithoutClosingBracket", "[S\r\nk=1\r\n", "S", "k", "1"}),
    CaseName());

TEST(IniManager, MissingFileGivesTheDefault) {
    TempFolder folder;
    IniManager ini;
    ini.nome = folder.File("none.ini");
    ini.sezione = "S";
    EXPECT_EQ(ini.Leggi("k", "dflt"), "dflt");
    EXPECT_FALSE(Exists(ini.nome));
}

struct WriteCase {
    const char* name;
    std::string before; // "<none>": no file yet
    std::string section;
    std::string key;
    std::string value;
    std::string after;
};

class IniWrite : public ::testing::TestWithParam<WriteCase> {};

TEST_P(IniWrite, ChangesOnlyWhatItMust) {
    TempFolder folder;
    IniManager ini;
    ini.nome = folder.File("write.ini");
    if (GetParam().before != "<none>")
        WriteBytes(ini.nome, GetParam().before);
    ini.sezione = GetParam().section;
    EXPECT_NE(ini.Scrivi(GetParam().key, GetParam().value), 0);
    EXPECT_EQ(ReadBytes(ini.nome), GetParam().after);
    EXPECT_EQ(CountEntries(folder.Path()), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, IniWrite,
    ::testing::Values(
        WriteCase{"CreatesFile", "<none>", "S", "k", "v", "[S]\r\nk=v\r\n"},
        WriteCase{"ReplacesValueKeepsOtherLines", "x\n[S]\na=1\nb=2\n", "S", "a", "9",
                  "x\n[S]\na=9\r\nb=2\n"},
        WriteCase{"KeepsSpellingOfKey", "[s]\r\nKEY = 1\r\nkey=2\r\n", "S", "key", "3",
                  "[s]\r\nKEY=3\r\nkey=2\r\n"},
        WriteCase{"AppendsAfterLastEntryBeforeBlankLines", "[A]\r\nx=1\r\n\r\n\r\n[B]\r\ny=2\r\n",
                  "A", "z", "3", "[A]\r\nx=1\r\nz=3\r\n\r\n\r\n[B]\r\ny=2\r\n"},
        WriteCase{"AppendsAfterTrailingComment", "[A]\r\nx=1\r\n;c\r\n\r\n", "A", "y", "2",
                  "[A]\r\nx=1\r\n;c\r\ny=2\r\n\r\n"},
        WriteCase{"AppendsIntoEmptySection", "[A]\r\n[B]\r\n", "A", "k", "v",
                  "[A]\r\nk=v\r\n[B]\r\n"},
        WriteCase{"AppendsToLastLineWithoutEnd", "[A]\r\nx=1", "A", "z", "3",
                  "[A]\r\nx=1\r\nz=3\r\n"},
        WriteCase{"NewSectionAfterLineWithoutEnd", "[A]\r\nx=1", "B", "k", "v",
                  "[A]\r\nx=1\r\n[B]\r\nk=v\r\n"},
        WriteCase{"NewSectionAtEnd", "[A]\r\nx=1\r\n\r\n", "B", "k", "v",
                  "[A]\r\nx=1\r\n\r\n[B]\r\nk=v\r\n"},
        WriteCase{"FirstOfDuplicateSections", "[A]\r\nx=1\r\n[a]\r\nx=2\r\n", "a", "x", "5",
                  "[A]\r\nx=5\r\n[a]\r\nx=2\r\n"},
        WriteCase{"AccentedNamesMatch", "[Citt\xE0]\r\n\xE8=1\r\n", "CITT\xC0", "\xC8", "2",
                  "[Citt\xE0]\r\n\xE8=2\r\n"},
        WriteCase{"KeepsByteOrderMark", "\xEF\xBB\xBF[S]\r\nk=1\r\n", "S", "k", "2",
                  "\xEF\xBB\xBF[S]\r\nk=2\r\n"},
        WriteCase{"LinesBeforeSectionsStay", "=== header ===\r\nk=0\r\n\r\n", "S", "k", "1",
                  "=== header ===\r\nk=0\r\n\r\n[S]\r\nk=1\r\n"},
        WriteCase{"EmptyValue", "[S]\r\nk=full\r\n", "S", "k", "", "[S]\r\nk=\r\n"},
        WriteCase{"LastLineReplacedGetsLineEnd", "[S]\r\nk=1", "S", "k", "2", "[S]\r\nk=2\r\n"}),
    CaseName());

struct RoundTrip {
    const char* name;
    std::string value;
    std::string readBack;
};

class IniRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(IniRoundTrip, ReadsBackWhatWasWritten) {
    TempFolder folder;
    IniManager ini;
    ini.nome = folder.File("rt.ini");
    ini.sezione = "Livello1";
    ASSERT_NE(ini.Scrivi("1", "first"), 0);
    ASSERT_NE(ini.Scrivi("2", GetParam().value), 0);
    ASSERT_NE(ini.Scrivi("3", "third"), 0);
    EXPECT_EQ(ini.Leggi("2", "<default>"), GetParam().readBack);
    EXPECT_EQ(ini.Leggi("1", ""), "first");
    EXPECT_EQ(ini.Leggi("3", ""), "third");
}

INSTANTIATE_TEST_SUITE_P(
    Values, IniRoundTrip,
    ::testing::Values(RoundTrip{"Plain", "Il gatto", "Il gatto"},
                      RoundTrip{"Accented", "citt\xE0 \x80 \xA6\xA6 pi\xF9",
                                "citt\xE0 \x80 \xA6\xA6 pi\xF9"},
                      RoundTrip{"InnerQuotes", "a \"b\" c", "a \"b\" c"},
                      RoundTrip{"Exactly254", std::string(254, 'q'), std::string(254, 'q')},
                      RoundTrip{"Longer300", std::string(300, 'q'), std::string(254, 'q')},
                      RoundTrip{"BlanksAroundAreDropped", "  v  ", "v"},
                      RoundTrip{"Empty", "", ""}),
    CaseName());

struct Refusal {
    const char* name;
    std::string section;
    std::string key;
    std::string value;
};

class IniRefusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(IniRefusal, WouldNotReadBackAndLeavesTheFile) {
    TempFolder folder;
    IniManager ini;
    ini.nome = folder.File("r.ini");
    const std::string before = "[S]\r\nk=1\r\n";
    WriteBytes(ini.nome, before);
    ini.sezione = GetParam().section;
    EXPECT_EQ(ini.Scrivi(GetParam().key, GetParam().value), 0);
    EXPECT_EQ(ReadBytes(ini.nome), before);
}

INSTANTIATE_TEST_SUITE_P(Inputs, IniRefusal,
                         ::testing::Values(Refusal{"LineBreakInValue", "S", "k", "a\r\n[X]\r\nb=c"},
                                           Refusal{"LfInValue", "S", "k", "a\nb"},
                                           Refusal{"NulInValue", "S", "k", std::string("a\0b", 3)},
                                           Refusal{"EqualsInKey", "S", "a=b", "v"},
                                           Refusal{"EmptyKey", "S", "", "v"},
                                           Refusal{"BlankKey", "S", "   ", "v"},
                                           Refusal{"KeyLooksLikeHeader", "S", "[k]", "v"},
                                           Refusal{"BracketInSection", "S]x", "k", "v"},
                                           Refusal{"LineBreakInSection", "S\r\n", "k", "v"}),
                         CaseName());

TEST(IniManager, ReadOnlyFileIsNotWritten) {
    TempFolder folder;
    IniManager ini;
    ini.nome = folder.File("ro.ini");
    ini.sezione = "S";
    const std::string before = "[S]\r\nk=1\r\n";
    WriteBytes(ini.nome, before);
    std::filesystem::permissions(ini.nome, std::filesystem::perms::owner_read |
                                               std::filesystem::perms::group_read);
    EXPECT_EQ(ini.Scrivi("k", "2"), 0);
    EXPECT_EQ(ini.Scrivi("new", "2"), 0);
    EXPECT_EQ(ini.CancellaValore("k"), 0);
    EXPECT_EQ(ReadBytes(ini.nome), before);
    EXPECT_EQ(Mode(ini.nome), 0440u);
    EXPECT_EQ(CountEntries(folder.Path()), 1);
}

TEST(IniManager, MissingFolderIsNotCreated) {
    TempFolder folder;
    IniManager ini;
    ini.nome = folder.File("missing/sub/x.ini");
    ini.sezione = "S";
    EXPECT_EQ(ini.Scrivi("k", "v"), 0);
    EXPECT_FALSE(Exists(folder.File("missing")));
    EXPECT_EQ(ini.Leggi("k", "d"), "d");
}

TEST(IniManager, PathThatIsAFolderIsNotReplaced) {
    TempFolder folder;
    std::filesystem::create_directory(folder.File("dir.ini"));
    IniManager ini;
    ini.nome = folder.File("dir.ini");
    ini.sezione = "S";
    EXPECT_EQ(ini.Scrivi("k", "v"), 0);
    EXPECT_TRUE(std::filesystem::is_directory(ini.nome));
}

TEST(IniManager, EmptyPathIsAFailure) {
    IniManager ini;
    ini.sezione = "S";
    EXPECT_EQ(ini.Scrivi("k", "v"), 0);
    EXPECT_EQ(ini.Leggi("k", "d"), "d");
}

// A file-size limit makes the disk refuse bytes the way a full disk does.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

TEST(IniManager, FullDiskLeavesTheOldFile) {
    TempFolder folder;
    IniManager ini;
    ini.nome = folder.File("full.ini");
    ini.sezione = "S";
    const std::string before = "[S]\r\nk=" + std::string(200, 'a') + "\r\n";
    WriteBytes(ini.nome, before);
    {
        FileSizeLimit limit(300);
        EXPECT_EQ(ini.Scrivi("k2", std::string(250, 'b')), 0);
        EXPECT_EQ(ini.Scrivi("k3", std::string(250, 'c')), 0);
    }
    EXPECT_EQ(ReadBytes(ini.nome), before);
    EXPECT_EQ(CountEntries(folder.Path()), 1);
}

TEST(IniManager, ReplacedFileKeepsItsPermissions) {
    TempFolder folder;
    IniManager ini;
    ini.nome = folder.File("perm.ini");
    ini.sezione = "S";
    WriteBytes(ini.nome, "[S]\r\nk=1\r\n");
    ::chmod(ini.nome.c_str(), 0640);
    ASSERT_NE(ini.Scrivi("k", "2"), 0);
    EXPECT_EQ(Mode(ini.nome), 0640u);
    ::chmod(ini.nome.c_str(), 0604);
    ASSERT_NE(ini.Scrivi("k", "3"), 0);
    EXPECT_EQ(Mode(ini.nome), 0604u);
    EXPECT_EQ(ini.Leggi("k", ""), "3");
}

TEST(IniManager, SymbolicLinkStaysALink) {
    TempFolder folder;
    const std::string target = folder.File("real.ini");
    const std::string link = folder.File("link.ini");
    WriteBytes(target, "[S]\r\nk=1\r\n");
    std::filesystem::create_symlink("real.ini", link);
    IniManager ini;
    ini.nome = link;
    ini.sezione = "S";
    ASSERT_NE(ini.Scrivi("k", "2"), 0);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadBytes(target), "[S]\r\nk=2\r\n");
}

struct DeleteCase {
    const char* name;
    std::string before;
    std::string section;
    std::string key; // empty: delete the section
    std::string after;
};

class IniDelete : public ::testing::TestWithParam<DeleteCase> {};

TEST_P(IniDelete, RemovesOnlyItsLines) {
    TempFolder folder;
    IniManager ini;
    ini.nome = folder.File("del.ini");
    WriteBytes(ini.nome, GetParam().before);
    ini.sezione = GetParam().section;
    const long result =
        GetParam().key.empty() ? ini.CancellaSezione() : ini.CancellaValore(GetParam().key);
    EXPECT_NE(result, 0);
    EXPECT_EQ(ReadBytes(ini.nome), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniDelete,
    ::testing::Values(
        DeleteCase{"Section", "[A]\r\na=1\r\n\r\n[B]\r\nb=2\r\n", "a", "", "[B]\r\nb=2\r\n"},
        DeleteCase{"LastSection", "[A]\r\na=1\r\n[B]\r\nb=2", "B", "", "[A]\r\na=1\r\n"},
        DeleteCase{"OnlyFirstDuplicate", "[A]\r\na=1\r\n[A]\r\na=2\r\n", "A", "", "[A]\r\na=2\r\n"},
        DeleteCase{"MissingSection", "[A]\r\na=1\r\n", "C", "", "[A]\r\na=1\r\n"},
        DeleteCase{"Key", "[A]\r\na=1\r\nb=2\r\n", "A", "A", "[A]\r\nb=2\r\n"},
        DeleteCase{"KeyOfOtherSectionStays", "[A]\r\nk=1\r\n[B]\r\nk=2\r\n", "B", "k",
                   "[A]\r\nk=1\r\n[B]\r\n"},
        DeleteCase{"MissingKey", "[A]\r\na=1\r\n", "A", "z", "[A]\r\na=1\r\n"}),
    CaseName());

TEST(IniManager, DeletingFromAMissingFileCreatesNothing) {
    TempFolder folder;
    IniManager ini;
    ini.nome = folder.File("none.ini");
    ini.sezione = "S";
    EXPECT_NE(ini.CancellaSezione(), 0);
    EXPECT_NE(ini.CancellaValore("k"), 0);
    EXPECT_FALSE(Exists(ini.nome));
}

} // namespace
