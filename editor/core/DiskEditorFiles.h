#pragma once

#include "editor/core/EditorFiles.h"

// The editor's files on the local disk. The read-only attribute of the
// original platform is the owner's write permission here.
class DiskEditorFiles : public EditorFiles {
public:
    bool Exists(const std::string& path) override;
    std::optional<bool> ReadOnlyAttribute(const std::string& path) override;
    bool ClearReadOnly(const std::string& path) override;
    std::optional<FileError> Create(const std::string& path, const std::string& version) override;
    bool WriteSentence(const std::string& path, int level, int position,
                       const std::string& value) override;
    ReadResult ReadSentence(const std::string& path, int level, int position) override;
    std::array<int, 3> CountSentences(const std::string& path, int positions) override;
};
