#pragma once

#include <array>
#include <optional>
#include <string>

// What the editor does with files on disk, behind one small interface so the
// editing logic can be tested against failures a real disk rarely produces.
// Paths and values are Windows-1252 / native byte strings.

// A failure as the user is told about it: a number and its description.
struct FileError {
    int number = 0;
    std::string description;

    bool operator==(const FileError&) const = default;
};

class EditorFiles {
public:
    virtual ~EditorFiles() = default;

    // True when the file is a regular file that can be opened for reading.
    virtual bool Exists(const std::string& path) = 0;
    // The read-only attribute: set, not set, or nullopt when it cannot be read.
    virtual std::optional<bool> ReadOnlyAttribute(const std::string& path) = 0;
    // Makes the file writable; false when that fails.
    virtual bool ClearReadOnly(const std::string& path) = 0;
    // Writes a fresh exercise file: the comment header, the creating editor's
    // version and the three empty level sections. A file already there is
    // replaced only once the new one is complete, so a failed write leaves
    // it whole.
    virtual std::optional<FileError> Create(const std::string& path,
                                            const std::string& version) = 0;
    // Non-zero result of the INI write: true on success.
    virtual bool WriteSentence(const std::string& path, int level, int position,
                               const std::string& value) = 0;
    // The stored value, "" when there is none; an error only when reading failed.
    struct ReadResult {
        std::string value;
        std::optional<FileError> error;
    };
    virtual ReadResult ReadSentence(const std::string& path, int level, int position) = 0;
    // For each level, how many of the positions 1..positions hold a sentence.
    virtual std::array<int, 3> CountSentences(const std::string& path, int positions) = 0;
};

// The read-only test of a file about to be opened or replaced: a set attribute
// is cleared when possible; true when the file must be treated as read-only
// (the attribute stays set, or any step fails).
bool StaysReadOnly(EditorFiles& files, const std::string& path);
