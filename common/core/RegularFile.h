// The one way every reader of an outside file opens it: the settings file,
// language files, exercise files and every probe that asks whether such a
// file can be read. Only a regular file is opened, and opening never waits:
// a named pipe, a device or a socket where a file is expected would
// otherwise hold the program for ever (a pipe without a writer) or feed it
// without end (a device).
//
// Paths are the system's bytes, passed through unchanged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// No real settings, language or exercise file comes near this size; a file
// above it is refused like an unreadable one, before a byte is read.
inline constexpr std::uint64_t kMaxReadableFileSize = 16u * 1024u * 1024u;

// A file opened for reading; closes itself.
class RegularFile {
public:
    // Follows symbolic links. Fails (IsOpen() false, Error() set) for a
    // missing file, a folder, a pipe, a device or a socket.
    explicit RegularFile(const std::string& path);
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    bool IsOpen() const { return m_fd >= 0; }
    // The errno of the failure; EINVAL for a file that is not a regular one.
    int Error() const { return m_error; }
    std::uint64_t Size() const { return m_size; }

    // All bytes up to maxBytes; nothing when the file is larger or a read
    // fails.
    std::optional<std::string> ReadAll(std::uint64_t maxBytes = kMaxReadableFileSize);

private:
    int m_fd = -1;
    int m_error = 0;
    std::uint64_t m_size = 0;
};

// True when path names a regular file this user may read, no larger than
// kMaxReadableFileSize: the probe of every reader that asks first.
bool CanReadRegularFile(const std::string& path);
