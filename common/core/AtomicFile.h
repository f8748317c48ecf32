// Whole-file reads and atomic whole-file replacement. A replacement goes to a
// temporary file in the same folder, is flushed to the disk and then renamed
// over the old file, so a crash or a full disk never leaves half a file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The file's bytes, or nothing when it is missing, not a regular file or
// larger than kMaxReadableFileSize.
std::optional<std::string> ReadWholeFile(const std::string& path);

// False, with the old file untouched, when the folder is missing, the file
// exists but is read-only or not a regular file, or the disk refuses the
// bytes. A replaced file keeps its permissions (and, where allowed, owner).
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

// True when path names an existing file that may not be written.
bool IsReadOnlyFile(const std::string& path);
