#include "common/core/ProgramLocations.h"

#include "common/core/Settings.h"
#include "common/core/UiTexts.h"

#include "TempFolder.h"

#include <gtest/gtest.h>
#include <map>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Folders = std::vector<std::string>;

struct DecisionCase {
    const char* name;
    LocationInputs inputs;
    std::string settingsFile;
    Folders exercisePlaces;
    std::string editorFolder;
    Folders foldersToCreate;
};

class Decision : public ::testing::TestWithParam<DecisionCase> {};

TEST_P(Decision, PlacesEveryFile) {
    const DecisionCase& c = GetParam();
    const ProgramLocations where = DecideProgramLocations(c.inputs);
    EXPECT_EQ(where.settingsFile, c.settingsFile);
    EXPECT_EQ(where.exercisePlaces, c.exercisePlaces);
    EXPECT_EQ(where.editorFolder, c.editorFolder);
    EXPECT_EQ(where.foldersToCreate, c.foldersToCreate);
    EXPECT_EQ(where.programFolder.back(), '/');
}

const std::string kOpt = "/opt/zentavo/";

INSTANTIATE_TEST_SUITE_P(
    Layouts, Decision,
    ::testing::Values(
        DecisionCase{"PortableFolderKeepsEverythingBesideThePrograms",
                     {"/media/usb/Zentavo/", true, "/home/anna", "", ""},
                     "/media/usb/Zentavo/Zentavo.ini",
                     {"/media/usb/Zentavo/"},
                     "/media/usb/Zentavo",
                     {}},
        DecisionCase{"PortableFolderIgnoresTheDesktopVariables",
                     {"/media/usb/Zentavo/", true, "/home/anna", "/cfg", "/data"},
                     "/media/usb/Zentavo/Zentavo.ini",
                     {"/media/usb/Zentavo/"},
                     "/media/usb/Zentavo",
                     {}},
        DecisionCase{"PortableFolderWithoutSlashGetsOne",
                     {"/media/usb/Zentavo", true, "", "", ""},
                     "/media/usb/Zentavo/Zentavo.ini",
                     {"/media/usb/Zentavo/"},
                     "/media/usb/Zentavo",
                     {}},
        DecisionCase{"InstalledUsesTheHomeFolders",
                     {kOpt, false, "/home/anna", "", ""},
                     "/home/anna/.config/Zentavo/Zentavo.ini",
                     {"/home/anna/.local/share/Zentavo/", kOpt},
                     "/home/anna/.local/share/Zentavo/Esercizi",
                     {"/home/anna/.config/Zentavo/", "/home/anna/.local/share/Zentavo/Esercizi/"}},
        DecisionCase{"InstalledPrefersTheDesktopVariables",
                     {kOpt, false, "/home/anna", "/cfg", "/data"},
                     "/cfg/Zentavo/Zentavo.ini",
                     {"/data/Zentavo/", kOpt},
                     "/data/Zentavo/Esercizi",
                     {"/cfg/Zentavo/", "/data/Zentavo/Esercizi/"}},
        DecisionCase{"TrailingSlashesAreNotDoubled",
                     {kOpt, false, "/home/anna//", "/cfg//", ""},
                     "/cfg/Zentavo/Zentavo.ini",
                     {"/home/anna/.local/share/Zentavo/", kOpt},
                     "/home/anna/.local/share/Zentavo/Esercizi",
                     {"/cfg/Zentavo/", "/home/anna/.local/share/Zentavo/Esercizi/"}},
        DecisionCase{"RelativeVariablesAreIgnored",
                     {kOpt, false, "/home/anna", "cfg", "./data"},
                     "/home/anna/.config/Zentavo/Zentavo.ini",
                     {"/home/anna/.local/share/Zentavo/", kOpt},
                     "/home/anna/.local/share/Zentavo/Esercizi",
                     {"/home/anna/.config/Zentavo/", "/home/anna/.local/share/Zentavo/Esercizi/"}},
        DecisionCase{"RootAsHome",
                     {kOpt, false, "/", "", ""},
                     "/.config/Zentavo/Zentavo.ini",
                     {"/.local/share/Zentavo/", kOpt},
                     "/.local/share/Zentavo/Esercizi",
                     {"/.config/Zentavo/", "/.local/share/Zentavo/Esercizi/"}},
        DecisionCase{"NoHomeAndNoVariablesStayInTheProgramFolder",
                     {kOpt, false, "", "", ""},
                     "/opt/zentavo/Zentavo.ini",
                     {kOpt},
                     "/opt/zentavo",
                     {}},
        DecisionCase{"RelativeHomeIsNoHome",
                     {kOpt, false, "anna", "", ""},
                     "/opt/zentavo/Zentavo.ini",
                     {kOpt},
                     "/opt/zentavo",
                     {}},
        DecisionCase{"OnlyAConfigurationFolder",
                     {kOpt, false, "", "/cfg", ""},
                     "/cfg/Zentavo/Zentavo.ini",
                     {kOpt},
                     "/opt/zentavo",
                     {"/cfg/Zentavo/"}},
        DecisionCase{"OnlyADataFolder",
                     {kOpt, false, "", "", "/data"},
                     "/opt/zentavo/Zentavo.ini",
                     {"/data/Zentavo/", kOpt},
                     "/data/Zentavo/Esercizi",
                     {"/data/Zentavo/Esercizi/"}},
        DecisionCase{
            "AccentedHomeKeepsItsBytes",
            {kOpt, false, "/home/Nicol\xF2", "", ""},
            "/home/Nicol\xF2/.config/Zentavo/Zentavo.ini",
            {"/home/Nicol\xF2/.local/share/Zentavo/", kOpt},
            "/home/Nicol\xF2/.local/share/Zentavo/Esercizi",
            {"/home/Nicol\xF2/.config/Zentavo/", "/home/Nicol\xF2/.local/share/Zentavo/Esercizi/"}},
        DecisionCase{
            "ProgramsInTheRootFolder", {"/", true, "", "", ""}, "/Zentavo.ini", {"/"}, "/", {}}),
    CaseName());

struct EnvironmentCase {
    const char* name;
    std::map<std::string, std::string> variables; // as the process sees them
    std::string home;                             // the same bytes
    std::string xdgConfigHome;
    std::string xdgDataHome;
};

class Environment : public ::testing::TestWithParam<EnvironmentCase> {};

TEST_P(Environment, KeepsTheBytesOfTheVariables) {
    const EnvironmentCase& c = GetParam();
    TempFolder program;
    const LocationInputs inputs =
        ReadLocationInputs(program.Path(), [&c](const char* name) -> const char* {
            const auto found = c.variables.find(name);
            return found == c.variables.end() ? nullptr : found->second.c_str();
        });
    EXPECT_EQ(inputs.programFolder, program.Path());
    EXPECT_TRUE(inputs.programFolderWritable);
    EXPECT_EQ(inputs.home, c.home);
    EXPECT_EQ(inputs.xdgConfigHome, c.xdgConfigHome);
    EXPECT_EQ(inputs.xdgDataHome, c.xdgDataHome);
}

// Names the code page cannot spell are folders like any other: the files
// under them are named by the same bytes.
INSTANTIATE_TEST_SUITE_P(
    Variables, Environment,
    ::testing::Values(
        EnvironmentCase{"Unset", {}, "", "", ""},
        EnvironmentCase{
            "AllSet",
            {{"HOME", "/home/anna"}, {"XDG_CONFIG_HOME", "/c"}, {"XDG_DATA_HOME", "/d"}},
            "/home/anna",
            "/c",
            "/d"},
        EnvironmentCase{
            "AccentedHome", {{"HOME", "/home/Nicol\xC3\xB2"}}, "/home/Nicol\xC3\xB2", "", ""},
        EnvironmentCase{"EuroSign", {{"XDG_DATA_HOME", "/\xE2\x82\xAC"}}, "", "", "/\xE2\x82\xAC"},
        EnvironmentCase{
            "HanCharacter", {{"HOME", "/home/\xE4\xB8\xAD"}}, "/home/\xE4\xB8\xAD", "", ""},
        EnvironmentCase{
            "GreekHome", {{"HOME", "/home/\xCE\xB1\xCE\xB2"}}, "/home/\xCE\xB1\xCE\xB2", "", ""},
        EnvironmentCase{"MalformedUtf8", {{"XDG_CONFIG_HOME", "/c\xFF"}}, "", "/c\xFF", ""}),
    CaseName());

TEST(FolderWritable, ProbeLeavesNothingBehind) {
    TempFolder folder;
    EXPECT_TRUE(IsFolderWritable(folder.Path()));
    EXPECT_EQ(CountEntries(folder.Path()), 0);
}

TEST(FolderWritable, MissingFolderOrFileIsNot) {
    TempFolder folder;
    EXPECT_FALSE(IsFolderWritable(folder.File("missing")));
    WriteBytes(folder.File("plain"), "x");
    EXPECT_FALSE(IsFolderWritable(folder.File("plain")));
}

// Permission bits do not bind the superuser: run as root, the probe runs
// in a child that has become an ordinary user.
int ProbeAsOrdinaryUser(const std::string& folder) {
    const pid_t child = ::fork();
    if (child == 0) {
        constexpr uid_t kNobody = 65534;
        if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            ::_exit(2);
        ::_exit(IsFolderWritable(folder) ? 1 : 0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(FolderWritable, ReadOnlyFolderIsNot) {
    TempFolder folder;
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0555), 0);
    EXPECT_EQ(ProbeAsOrdinaryUser(folder.Path()), 0);
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0777), 0);
    EXPECT_EQ(ProbeAsOrdinaryUser(folder.Path()), 1) << "the same folder, open to all";
}

TEST(UserFolders, AreCreatedWithTheirParents) {
    TempFolder root;
    const ProgramLocations where =
        DecideProgramLocations({root.File("opt/"), false, root.File("home"), "", ""});
    ASSERT_EQ(where.foldersToCreate.size(), 2u);
    EXPECT_TRUE(CreateUserFolders(where));
    for (const std::string& folder : where.foldersToCreate)
        EXPECT_TRUE(std::filesystem::is_directory(folder)) << folder;
    EXPECT_TRUE(std::filesystem::is_directory(where.editorFolder));
    EXPECT_TRUE(CreateUserFolders(where)) << "folders that already exist are fine";
}

TEST(UserFolders, AFileInTheWayIsReported) {
    TempFolder root;
    WriteBytes(root.File("home"), "not a folder");
    const ProgramLocations where =
        DecideProgramLocations({root.File("opt/"), false, root.File("home"), "", ""});
    EXPECT_FALSE(CreateUserFolders(where));
}

class NoQuestion : public BookmarkQuestion {
public:
    BookmarkAnswer Ask(const std::string&) override {
        ADD_FAILURE() << "no bookmark question outside the course";
        return BookmarkAnswer::Cancel;
    }
};

// The whole path of an installed tutor's settings: decided, folders made,
// saved, and read back by the next run, with nothing written beside the
// programs.
TEST(UserFolders, SettingsSurviveTheNextRun) {
    TempFolder root;
    const std::string program = root.File("opt/");
    std::filesystem::create_directories(program);
    const LocationInputs inputs{program, false, root.File("home"), "", ""};

    const ProgramLocations first = DecideProgramLocations(inputs);
    ASSERT_TRUE(CreateUserFolders(first));
    TutorSettings settings = LoadTutorSettings(first.settingsFile);
    settings.SoundsOn = false;
    settings.BackColor = 7;
    NoQuestion question;
    EXPECT_TRUE(SaveTutorSettings(first.settingsFile, settings, false, {}, question,
                                  UiTexts::BuiltIn(UiProgram::Tutor)));

    const TutorSettings again = LoadTutorSettings(DecideProgramLocations(inputs).settingsFile);
    EXPECT_FALSE(again.SoundsOn);
    EXPECT_EQ(again.BackColor, 7);
    EXPECT_TRUE(Exists(root.File("home/.config/Zentavo/Zentavo.ini")));
    EXPECT_FALSE(Exists(program + "Zentavo.ini"));
}

} // namespace
