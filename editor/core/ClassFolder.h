// The teacher's choice of the class folder in the dialog "Cartella della
// classe": a folder is kept only when this computer can really write in it
// (on a share, the permission bits alone may promise what the server
// refuses), and it goes into the settings beside the programs.
#pragma once

#include <string>

enum class ClassFolderChoice {
    Saved,
    Cleared,     // an empty choice removes the setting
    NotWritable, // missing, not a folder, or a file cannot be made in it
    NotSaved,    // the settings file could not be written
};

// True when a file can be created and removed in the folder (the system's bytes).
bool CanWriteInFolder(const std::string& folder);

ClassFolderChoice SaveChosenClassFolder(const std::string& settingsFile, const std::string& folder);
