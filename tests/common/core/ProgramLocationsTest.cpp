#include "common/core/ProgramLocations.h"

#include "common/core/Settings.h"
#include "common/core/UiTexts.h"

#include "TempFolder.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>
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
    EXPECT_EQ(where.computerSettingsFile, where.programFolder + "Zentavo.ini")
        << "without an installation the computer's settings lie beside the programs";
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

// A copy installed by the system's packages: data and computer settings in
// the installed places, everything the user writes in the user's folders.
struct InstalledCase {
    const char* name;
    std::string home;
    bool programFolderWritable;
    Folders xdgDataDirs;
    std::string installedDataFolder;
    std::string settingsFile;
    Folders exercisePlaces;
    std::string editorFolder;
};

class Installed : public ::testing::TestWithParam<InstalledCase> {};

TEST_P(Installed, TakesDataFromTheInstallationAndWritesForTheUser) {
    const InstalledCase& c = GetParam();
    const ProgramLocations where =
        DecideProgramLocations({"/usr/lib/zentavo/", c.programFolderWritable, c.home, "", ""},
                               {c.installedDataFolder, "/etc/zentavo/", c.xdgDataDirs});
    EXPECT_EQ(where.programFolder, c.installedDataFolder) << "Lang/ and help/ come from there";
    EXPECT_EQ(where.computerSettingsFile, "/etc/zentavo/Zentavo.ini");
    EXPECT_EQ(where.settingsFile, c.settingsFile);
    EXPECT_EQ(where.exercisePlaces, c.exercisePlaces);
    EXPECT_EQ(where.editorFolder, c.editorFolder);
}

const std::string kShare = "/usr/share/zentavo/";
const std::string kLocalShare = "/usr/local/share/zentavo/";
const std::string kAnnaData = "/home/anna/.local/share/Zentavo/";

INSTANTIATE_TEST_SUITE_P(
    Layouts, Installed,
    ::testing::Values(InstalledCase{"PupilOfThePackage",
                                    "/home/anna",
                                    false,
                                    {},
                                    kShare,
                                    "/home/anna/.config/Zentavo/Zentavo.ini",
                                    {kAnnaData, kLocalShare, kShare},
                                    kAnnaData + "Esercizi"},
                      // Root may write beside the programs, but an installed copy never does.
                      InstalledCase{"RootOfThePackage",
                                    "/root",
                                    true,
                                    {},
                                    kShare,
                                    "/root/.config/Zentavo/Zentavo.ini",
                                    {"/root/.local/share/Zentavo/", kLocalShare, kShare},
                                    "/root/.local/share/Zentavo/Esercizi"},
                      InstalledCase{"DataDirsGiveTheComputersExercisesInTheirOrder",
                                    "/home/anna",
                                    false,
                                    {"/srv/scuola", "/usr/share/"},
                                    kShare,
                                    "/home/anna/.config/Zentavo/Zentavo.ini",
                                    {kAnnaData, "/srv/scuola/zentavo/", kShare},
                                    kAnnaData + "Esercizi"},
                      InstalledCase{"RelativeDataDirsAreIgnored",
                                    "/home/anna",
                                    false,
                                    {"share", "/usr/share"},
                                    kShare,
                                    "/home/anna/.config/Zentavo/Zentavo.ini",
                                    {kAnnaData, kShare},
                                    kAnnaData + "Esercizi"},
                      InstalledCase{
                          "InstalledOutsideTheDataDirsComesLast",
                          "/home/anna",
                          false,
                          {},
                          "/home/anna/.local/share/zentavo/",
                          "/home/anna/.config/Zentavo/Zentavo.ini",
                          {kAnnaData, kLocalShare, kShare, "/home/anna/.local/share/zentavo/"},
                          kAnnaData + "Esercizi"},
                      InstalledCase{"NoHomeReadsTheComputersSettings",
                                    "",
                                    false,
                                    {},
                                    kShare,
                                    "/etc/zentavo/Zentavo.ini",
                                    {kLocalShare, kShare},
                                    "/usr/share/zentavo"}),
    CaseName());

// Where the data of a copy is looked for, on real folders: a program folder
// with any of the data folders beside it is portable; otherwise the first
// candidate holding data is the installation.
struct SearchCase {
    const char* name;
    Folders made;      // folders created under the scratch root
    Folders files;     // plain files created there
    std::string found; // relative to the root; "" for none
};

class DataSearch : public ::testing::TestWithParam<SearchCase> {};

TEST_P(DataSearch, FindsTheFirstInstallationUnlessDataLiesBeside) {
    const SearchCase& c = GetParam();
    TempFolder root;
    std::filesystem::create_directories(root.File("prog"));
    for (const std::string& folder : c.made)
        std::filesystem::create_directories(root.File(folder));
    for (const std::string& file : c.files)
        WriteBytes(root.File(file), "x");
    const std::string found =
        FindInstalledDataFolder(root.File("prog"), {root.File("first"), root.File("second/")});
    EXPECT_EQ(found, c.found.empty() ? "" : root.File(c.found));
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, DataSearch,
    ::testing::Values(
        SearchCase{"LanguagesBesideMakeAPortableCopy", {"prog/Lang", "first/Lang"}, {}, ""},
        SearchCase{"HelpAloneBesideIsEnough", {"prog/help", "first/Lang"}, {}, ""},
        SearchCase{"CourseAloneBesideIsEnough", {"prog/CorsoZentavo", "first/help"}, {}, ""},
        SearchCase{"NothingBesideTakesTheFirst", {"first/Esercizi", "second/Lang"}, {}, "first/"},
        SearchCase{"AnEmptyFirstIsPassedOver", {"first/other", "second/help"}, {}, "second/"},
        SearchCase{"AFileIsNoDataFolder", {"first/Lang"}, {"prog/Lang", "prog/help"}, "first/"},
        SearchCase{"NoDataAnywhere", {"first", "second"}, {}, ""}),
    CaseName());

// The layout a package or `cmake --install` makes, under a scratch prefix:
// the programs find the data of their own installation.
TEST(DataSearch, ProgramsUnderAnyPrefixFindTheirOwnData) {
    TempFolder prefix;
    const std::string programs = prefix.File("lib/zentavo/");
    std::filesystem::create_directories(programs);
    std::filesystem::create_directories(prefix.File("share/zentavo/Lang"));
    const Folders candidates = InstalledDataCandidates(programs);
    ASSERT_FALSE(candidates.empty());
    EXPECT_EQ(candidates.front(), prefix.File("share/zentavo/")) << "normalised, with a \"/\"";
    EXPECT_EQ(FindInstalledDataFolder(programs, candidates), prefix.File("share/zentavo/"));
}

// The first start of a user of an installed copy.
struct Seeding {
    TempFolder root;
    ProgramLocations where;
    Seeding() {
        std::filesystem::create_directories(root.File("etc/zentavo"));
        std::filesystem::create_directories(root.File("share/zentavo/Lang"));
        where =
            DecideProgramLocations({root.File("lib/"), false, root.File("home"), "", ""},
                                   {root.File("share/zentavo/"), root.File("etc/zentavo/"), {}});
        CreateUserFolders(where);
    }
};

TEST(SeedUserSettings, TheFirstStartCopiesTheComputersSettings) {
    Seeding s;
    const std::string computer = "[Options]\r\nSong=0\r\nCategory=1\r\n";
    WriteBytes(s.where.computerSettingsFile, computer);
    EXPECT_TRUE(SeedUserSettings(s.where));
    EXPECT_EQ(ReadBytes(s.where.settingsFile), computer);
    EXPECT_EQ(Mode(s.where.settingsFile), 0644u);
    EXPECT_EQ(CountEntries(s.root.File("home/.config/Zentavo")), 1) << "no temporary left";

    const TutorSettings settings = LoadTutorSettings(s.where.settingsFile);
    EXPECT_FALSE(settings.SoundsOn);
    EXPECT_EQ(settings.Category, CategoryLevel::Esperto);
}

TEST(SeedUserSettings, TheUsersOwnSettingsStay) {
    Seeding s;
    WriteBytes(s.where.computerSettingsFile, "[Options]\r\nSong=0\r\n");
    WriteBytes(s.where.settingsFile, "[Options]\r\nSong=1\r\n");
    EXPECT_FALSE(SeedUserSettings(s.where));
    EXPECT_EQ(ReadBytes(s.where.settingsFile), "[Options]\r\nSong=1\r\n");
}

TEST(SeedUserSettings, NothingToCopyMakesNoFile) {
    Seeding s;
    EXPECT_FALSE(SeedUserSettings(s.where)) << "no computer settings";
    std::filesystem::create_directories(s.where.computerSettingsFile);
    EXPECT_FALSE(SeedUserSettings(s.where)) << "a folder in its place";
    std::filesystem::remove(s.where.computerSettingsFile);
    ASSERT_EQ(::mkfifo(s.where.computerSettingsFile.c_str(), 0644), 0);
    EXPECT_FALSE(SeedUserSettings(s.where)) << "a pipe is never waited on";
    EXPECT_FALSE(Exists(s.where.settingsFile));
    EXPECT_EQ(CountEntries(s.root.File("home/.config/Zentavo")), 0);
}

TEST(SeedUserSettings, APortableFolderHasOneSettingsFile) {
    TempFolder folder;
    WriteBytes(folder.File("Zentavo.ini"), "[Options]\r\nSong=0\r\n");
    const ProgramLocations where = DecideProgramLocations({folder.Path(), true, "", "", ""});
    EXPECT_FALSE(SeedUserSettings(where));
    EXPECT_EQ(CountEntries(folder.Path()), 1);
}

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

TEST(FolderWritable, AnInstalledCopysFolderIsNotProbed) {
    TempFolder program;
    // A probe file that came and went would move the folder's time to now.
    const timespec longAgo[2] = {{946684800, 0}, {946684800, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, program.Path().c_str(), longAgo, 0), 0);
    const LocationInputs inputs = ReadLocationInputs(
        program.Path(), [](const char*) { return nullptr; }, false);
    EXPECT_FALSE(inputs.programFolderWritable);
    struct stat after {};
    ::stat(program.Path().c_str(), &after);
    EXPECT_EQ(after.st_mtime, 946684800);
    ReadLocationInputs(program.Path(), [](const char*) { return nullptr; });
    ::stat(program.Path().c_str(), &after);
    EXPECT_NE(after.st_mtime, 946684800) << "the check itself sees a probe";
}

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
