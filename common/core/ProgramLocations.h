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

struct ProgramLocations {
    std::string programFolder; // ends in "/": Lang/, help/, the shipped exercises
    std::string settingsFile;  // Zentavo.ini, shared by both programs
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

ProgramLocations DecideProgramLocations(const LocationInputs& inputs);

// True when a file can be created in the folder by this user (a probe file
// is created and removed again).
bool IsFolderWritable(const std::string& folder);

// The inputs of the running program: the folder's writability and the
// environment, read through getEnv (null for an unset variable), byte for
// byte.
using EnvironmentLookup = std::function<const char*(const char*)>;
LocationInputs ReadLocationInputs(const std::string& programFolder,
                                  const EnvironmentLookup& getEnv);

// ReadLocationInputs with the process environment, then the decision.
ProgramLocations FindProgramLocations(const std::string& programFolder);

// Creates the user's folders; false when one of them could not be made
// (the programs then run on, and a save there fails as any failed save).
bool CreateUserFolders(const ProgramLocations& locations);
