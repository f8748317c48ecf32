// What the store needs to know and do about its file as a file: whether it
// may be written, whether its disk is local (WAL needs one), and keeping a
// damaged file aside under a dated name, together with its journals.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

// True when this user may write the file (false also when it is missing).
bool MayWriteFile(const std::filesystem::path& file);
// True when this user may create and rename files in the folder.
bool MayWriteFolder(const std::filesystem::path& folder);
// False for network file systems, where the WAL journal is not safe.
bool IsOnLocalDisk(const std::filesystem::path& folder);

// Renames "<name>.sqlite" to "<name>.damaged-YYYYMMDD-HHMMSS.sqlite" (local
// time of `now`; "-2", "-3", ... added when that name is taken), and its
// "-wal", "-journal" and "-shm" files along with it (whatever kind of file
// each is: a symbolic link is renamed, never followed). Never replaces an existing
// file. Returns the new path, or nothing when the file or one of its journals
// could not be renamed. newExtension, when given, takes the place of
// ".sqlite", so that whoever lists the folder's histories passes it by.
std::optional<std::filesystem::path> KeepAside(const std::filesystem::path& file, std::int64_t now,
                                               const std::optional<std::string>& newExtension = {});
