#include "common/core/ProgramLocations.h"

#include "common/core/ProgramPaths.h"

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

// Where this build installs; the build system says so, these are its usual
// values.
#ifndef ZENTAVO_INSTALLED_DATA_DIR
#define ZENTAVO_INSTALLED_DATA_DIR "/usr/share/zentavo/"
#endif
#ifndef ZENTAVO_DATA_FROM_PROGRAMS
#define ZENTAVO_DATA_FROM_PROGRAMS "../../share/zentavo/"
#endif
#ifndef ZENTAVO_INSTALLED_CONFIG_DIR
#define ZENTAVO_INSTALLED_CONFIG_DIR "/etc/zentavo/"
#endif

namespace {

constexpr const char* kUserFolderName = "Zentavo/";
constexpr const char* kUserExercises = "Esercizi";
// The shared folders of the desktop are lower case, like the package.
constexpr const char* kSharedFolderName = "zentavo/";
// What XDG_DATA_DIRS means when it is unset or empty.
constexpr const char* kDefaultDataDirs = "/usr/local/share/:/usr/share/";
constexpr const char* kDataFolders[] = {"Lang", "Esercizi", "CorsoZentavo", "help"};
// A settings file is a few hundred bytes; anything far larger is not one.
constexpr std::size_t kMaxSeedBytes = 1 << 20;

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

// The absolute entries of a colon-separated list of folders, each ending in
// "/".
std::vector<std::string> AbsoluteFolders(const std::string& list) {
    std::vector<std::string> folders;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t colon = std::min(list.find(':', start), list.size());
        const std::string folder = AbsoluteFolder(list.substr(start, colon - start));
        if (!folder.empty())
            folders.push_back(folder);
        start = colon + 1;
    }
    return folders;
}

void AddPlace(std::vector<std::string>& places, const std::string& folder) {
    if (std::find(places.begin(), places.end(), folder) == places.end())
        places.push_back(folder);
}

// Reads a whole regular file without ever blocking on a pipe or device;
// false for anything else or a file too large to be settings.
bool ReadRegularFile(const std::string& path, std::string& bytes) {
    const int fd = ::open(NativePath(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
              static_cast<std::size_t>(info.st_size) <= kMaxSeedBytes;
    char buffer[4096];
    while (ok) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0)
            break;
        ok = got > 0 && bytes.size() + static_cast<std::size_t>(got) <= kMaxSeedBytes;
        if (ok)
            bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return ok;
}

// Writes a new file in one step: a temporary beside it, linked to its name
// only when no file has that name yet, so a settings file made meanwhile by
// the other program is never replaced.
bool CreateFileOnce(const std::string& path, const std::string& bytes) {
    const std::filesystem::path target = NativePath(path);
    std::string temporary = (target.parent_path() / ".Zentavo-seed-XXXXXX").string();
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return false;
    bool ok = ::fchmod(fd, 0644) == 0;
    for (std::size_t done = 0; ok && done < bytes.size();) {
        const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
        ok = wrote > 0;
        if (ok)
            done += static_cast<std::size_t>(wrote);
    }
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::link(temporary.c_str(), target.c_str()) == 0;
    ::unlink(temporary.c_str());
    return ok;
}

} // namespace

ProgramLocations DecideProgramLocations(const LocationInputs& inputs,
                                        const InstalledPlaces& installedPlaces) {
    const bool installed = !installedPlaces.dataFolder.empty();
    ProgramLocations where;
    where.programFolder =
        WithTrailingSlash(installed ? installedPlaces.dataFolder : inputs.programFolder);
    const std::string configFolder = installed && !installedPlaces.configFolder.empty()
                                         ? installedPlaces.configFolder
                                         : where.programFolder;
    where.computerSettingsFile = SettingsFilePath(configFolder);
    where.settingsFile = where.computerSettingsFile;
    where.exercisePlaces = {where.programFolder};
    where.editorFolder = WithoutTrailingSlash(where.programFolder);
    if (!installed && inputs.programFolderWritable)
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
    if (installed) {
        // The computer's own exercises come after the user's and before the
        // shipped ones, so a school's file wins over a shipped one.
        std::vector<std::string> places(where.exercisePlaces.begin(),
                                        where.exercisePlaces.end() - 1);
        std::vector<std::string> dataDirs = installedPlaces.xdgDataDirs;
        if (dataDirs.empty())
            dataDirs = AbsoluteFolders(kDefaultDataDirs);
        for (const std::string& dir : dataDirs) {
            const std::string folder = AbsoluteFolder(dir);
            if (!folder.empty())
                AddPlace(places, folder + kSharedFolderName);
        }
        AddPlace(places, where.programFolder);
        where.exercisePlaces = places;
    }
    return where;
}

bool HoldsProgramData(const std::string& folder) {
    std::error_code error;
    return std::any_of(std::begin(kDataFolders), std::end(kDataFolders),
                       [&folder, &error](const char* name) {
                           return std::filesystem::is_directory(
                               NativePath(WithTrailingSlash(folder) + name), error);
                       });
}

std::vector<std::string> InstalledDataCandidates(const std::string& programFolder) {
    const std::string relative = FromNativePath((NativePath(WithTrailingSlash(programFolder)) /
                                                 std::filesystem::path(ZENTAVO_DATA_FROM_PROGRAMS))
                                                    .lexically_normal());
    std::vector<std::string> candidates{WithTrailingSlash(relative)};
    AddPlace(candidates, ZENTAVO_INSTALLED_DATA_DIR);
    return candidates;
}

std::string FindInstalledDataFolder(const std::string& programFolder,
                                    const std::vector<std::string>& candidates) {
    if (HoldsProgramData(programFolder))
        return {};
    for (const std::string& candidate : candidates) {
        if (HoldsProgramData(candidate))
            return WithTrailingSlash(candidate);
    }
    return {};
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

LocationInputs ReadLocationInputs(const std::string& programFolder, const EnvironmentLookup& getEnv,
                                  bool probeFolder) {
    const auto variable = [&getEnv](const char* name) -> std::string {
        const char* value = getEnv(name);
        return value == nullptr ? std::string() : std::string(value);
    };
    LocationInputs inputs;
    inputs.programFolder = programFolder;
    inputs.programFolderWritable = probeFolder && IsFolderWritable(programFolder);
    inputs.home = variable("HOME");
    inputs.xdgConfigHome = variable("XDG_CONFIG_HOME");
    inputs.xdgDataHome = variable("XDG_DATA_HOME");
    return inputs;
}

InstalledPlaces ReadInstalledPlaces(const std::string& programFolder,
                                    const EnvironmentLookup& getEnv) {
    InstalledPlaces installed;
    installed.dataFolder =
        FindInstalledDataFolder(programFolder, InstalledDataCandidates(programFolder));
    installed.configFolder = ZENTAVO_INSTALLED_CONFIG_DIR;
    const char* dataDirs = getEnv("XDG_DATA_DIRS");
    if (dataDirs != nullptr)
        installed.xdgDataDirs = AbsoluteFolders(dataDirs);
    return installed;
}

ProgramLocations FindProgramLocations(const std::string& programFolder) {
    const EnvironmentLookup getEnv = [](const char* name) { return std::getenv(name); };
    const InstalledPlaces installed = ReadInstalledPlaces(programFolder, getEnv);
    return DecideProgramLocations(
        ReadLocationInputs(programFolder, getEnv, installed.dataFolder.empty()), installed);
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

bool SeedUserSettings(const ProgramLocations& locations) {
    if (locations.settingsFile == locations.computerSettingsFile)
        return false;
    std::error_code error;
    if (std::filesystem::symlink_status(NativePath(locations.settingsFile), error).type() !=
        std::filesystem::file_type::not_found)
        return false;
    std::string bytes;
    return ReadRegularFile(locations.computerSettingsFile, bytes) &&
           CreateFileOnce(locations.settingsFile, bytes);
}
