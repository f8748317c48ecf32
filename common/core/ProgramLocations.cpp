#include "common/core/ProgramLocations.h"

#include "common/core/ProgramPaths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace {

constexpr const char* kUserFolderName = "Zentavo/";
constexpr const char* kUserExercises = "Esercizi";

// An absolute folder ending in exactly one "/", or "" when the value is
// empty or relative.
std::string AbsoluteFolder(std::string value) {
    if (value.empty() || value.front() != '/')
        return {};
    while (value.size() > 1 && value.back() == '/')
        value.pop_back();
    return value == "/" ? value : value + "/";
}

// A base folder of the desktop: its variable when that is usable, else the
// usual place under the home folder, else "".
std::string BaseFolder(const std::string& variable, const std::string& home,
                       const char* underHome) {
    const std::string folder = AbsoluteFolder(variable);
    if (!folder.empty())
        return folder;
    const std::string homeFolder = AbsoluteFolder(home);
    return homeFolder.empty() ? std::string() : homeFolder + underHome;
}

std::string WithoutTrailingSlash(std::string folder) {
    if (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

} // namespace

ProgramLocations DecideProgramLocations(const LocationInputs& inputs) {
    ProgramLocations where;
    where.programFolder = WithTrailingSlash(inputs.programFolder);
    where.settingsFile = SettingsFilePath(where.programFolder);
    where.exercisePlaces = {where.programFolder};
    where.editorFolder = WithoutTrailingSlash(where.programFolder);
    if (inputs.programFolderWritable)
        return where;

    const std::string config = BaseFolder(inputs.xdgConfigHome, inputs.home, ".config/");
    if (!config.empty()) {
        const std::string folder = config + kUserFolderName;
        where.settingsFile = SettingsFilePath(folder);
        where.foldersToCreate.push_back(folder);
    }
    const std::string data = BaseFolder(inputs.xdgDataHome, inputs.home, ".local/share/");
    if (!data.empty()) {
        const std::string folder = data + kUserFolderName;
        where.exercisePlaces.insert(where.exercisePlaces.begin(), folder);
        where.editorFolder = folder + kUserExercises;
        where.foldersToCreate.push_back(where.editorFolder + "/");
    }
    return where;
}

bool IsFolderWritable(const std::string& folder) {
    std::string probe =
        (NativePath(WithTrailingSlash(folder)) / ".Zentavo-write-test-XXXXXX").string();
    const int fd = ::mkstemp(probe.data());
    if (fd < 0)
        return false;
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
}

LocationInputs ReadLocationInputs(const std::string& programFolder,
                                  const EnvironmentLookup& getEnv) {
    const auto variable = [&getEnv](const char* name) -> std::string {
        const char* value = getEnv(name);
        return value == nullptr ? std::string() : std::string(value);
    };
    LocationInputs inputs;
    inputs.programFolder = programFolder;
    inputs.programFolderWritable = IsFolderWritable(programFolder);
    inputs.home = variable("HOME");
    inputs.xdgConfigHome = variable("XDG_CONFIG_HOME");
    inputs.xdgDataHome = variable("XDG_DATA_HOME");
    return inputs;
}

ProgramLocations FindProgramLocations(const std::string& programFolder) {
    return DecideProgramLocations(
        ReadLocationInputs(programFolder, [](const char* name) { return std::getenv(name); }));
}

bool CreateUserFolders(const ProgramLocations& locations) {
    bool allMade = true;
    for (const std::string& folder : locations.foldersToCreate) {
        std::error_code error;
        std::filesystem::create_directories(NativePath(folder), error);
        if (error || !std::filesystem::is_directory(NativePath(folder), error))
            allMade = false;
    }
    return allMade;
}
