// ProgramLocations decides where both programs read and write their files.
//
// A program folder the user may write to is a portable folder: the settings
// file and the exercise folders lie beside the programs, exactly as they
// always have. A program folder installed for the whole machine is not the
// pupil's to write, so each user then keeps the settings in the user's
// configuration folder and his own exercises in the user's data folder,
// listed together with the exercises shipped beside the programs. Language
// files and help pages are only read, and stay in the program folder.
//
// A copy installed by the system's packages keeps no data beside the
// programs: it finds Lang/, help/ and the shipped exercises in the shared
// data folder of its installation (…/share/zentavo/), the settings every
// user starts from in the configuration folder (/etc/zentavo/), and each
// user's own files in the user's folders, as above. Data beside the programs
// always wins, so a portable copy never mixes with an installed one.
//
// All paths are the system's bytes, whatever characters they hold.
#pragma once

#include <functional>
#include <string>
#include <vector>

// What the decision rests on.
struct LocationInputs {
    std::string programFolder;
    bool programFolderWritable = true;
    // The environment; empty when unset. Relative values are not used, as
    // the base-directory convention of the desktop asks.
    std::string home;          // HOME
    std::string xdgConfigHome; // XDG_CONFIG_HOME
    std::string xdgDataHome;   // XDG_DATA_HOME
};

// What an installed copy found of its installation.
struct InstalledPlaces {
    // The shared data folder, "" when the data lies beside the programs (or
    // nowhere: the program folder is then used as ever).
    std::string dataFolder;
    // Where the computer-wide settings file lies.
    std::string configFolder;
    // XDG_DATA_DIRS split at ":"; where an administrator adds exercises for
    // every user. Empty means the desktop's default list.
    std::vector<std::string> xdgDataDirs;
};

struct ProgramLocations {
    // Ends in "/": Lang/, help/, the shipped exercises; beside the programs,
    // or the installed data folder.
    std::string programFolder;
    std::string settingsFile; // Zentavo.ini, shared by both programs
    // The computer's settings file, which a user's settings start from: the
    // one beside the programs, or the installed one. The same file as
    // settingsFile in a portable folder.
    std::string computerSettingsFile;
    // Folders ending in "/" that hold Esercizi/ and CorsoZentavo/; a file
    // found in several is taken from the first, so the user's own come first.
    std::vector<std::string> exercisePlaces;
    // The folder the editor's new-file dialog shows first, without a "/" at
    // its end.
    std::string editorFolder;
    // The user's folders that must exist before the programs write there;
    // none in a portable folder.
    std::vector<std::string> foldersToCreate;
};

ProgramLocations DecideProgramLocations(const LocationInputs& inputs,
                                        const InstalledPlaces& installed = {});

// True when a file can be created in the folder by this user (a probe file
// is created and removed again).
bool IsFolderWritable(const std::string& folder);

// True when Lang/, Esercizi/, CorsoZentavo/ or help/ is a folder in it.
bool HoldsProgramData(const std::string& folder);

// Where an installation of these programs keeps its data, in the order they
// are tried: relative to the programs' folder first, so that a copy
// installed under any prefix finds its own data, then the folder this build
// installs into.
std::vector<std::string> InstalledDataCandidates(const std::string& programFolder);

// The shared data folder of an installed copy: "" when the data lies beside
// the programs, else the first candidate that holds it ("" when none does).
std::string FindInstalledDataFolder(const std::string& programFolder,
                                    const std::vector<std::string>& candidates);

// The inputs of the running program: the folder's writability and the
// environment, read through getEnv (null for an unset variable), byte for
// byte. Without probeFolder the folder is taken as not writable and left
// untouched (an installed copy's folder belongs to the package).
using EnvironmentLookup = std::function<const char*(const char*)>;
LocationInputs ReadLocationInputs(const std::string& programFolder, const EnvironmentLookup& getEnv,
                                  bool probeFolder = true);

// The installed places of a copy whose programs lie in programFolder: its
// data folder (FindInstalledDataFolder), the configuration folder this build
// installs into, and XDG_DATA_DIRS through getEnv.
InstalledPlaces ReadInstalledPlaces(const std::string& programFolder,
                                    const EnvironmentLookup& getEnv);

// ReadInstalledPlaces and ReadLocationInputs with the process environment,
// then the decision.
ProgramLocations FindProgramLocations(const std::string& programFolder);

// Creates the user's folders; false when one of them could not be made
// (the programs then run on, and a save there fails as any failed save).
bool CreateUserFolders(const ProgramLocations& locations);

// A user's first start: the user's settings file begins as a copy of the
// computer's, so what an administrator set there holds for every new user.
// Nothing happens when the user has a settings file already, when the
// computer's is missing or not a regular file, or in a portable folder.
// True when a copy was made.
bool SeedUserSettings(const ProgramLocations& locations);
