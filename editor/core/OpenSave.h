#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

// The file dialogs of the editor, described by the properties of a classic
// common-dialog call and shown through a FileDialogPort (the real dialog in
// the window layer, a fake in tests). One OpenSave serves one dialog call.

struct FileDialogRequest {
    enum class Mode { Open, Save };
    Mode mode = Mode::Open;
    std::string title;
    // Filter entries: description and pattern, e.g. {"frasiZentavo (*.ftd)", "*.ftd"}.
    std::vector<std::pair<std::string, std::string>> filters;
    int filterIndex = 1; // 1-based
    std::string initialFolder;
    std::string initialName;
    std::string defaultExtension; // without the dot
    void* owner = nullptr;
};

class FileDialogPort {
public:
    virtual ~FileDialogPort() = default;
    // The chosen full path, or "" when the user cancelled.
    virtual std::string Run(const FileDialogRequest& request) = 0;
};

class OpenSave {
public:
    explicit OpenSave(FileDialogPort& port) : m_port(port) {}

    std::string Filter; // "description|pattern" pairs joined by "|"
    std::string FileName;
    std::string DialogTitle;
    void* hOwner = nullptr;
    std::string DefaultExt;
    std::string InitDir;
    long FilterIndex = 1;

    void ShowOpen() { show(FileDialogRequest::Mode::Open); }
    void ShowSave() { show(FileDialogRequest::Mode::Save); }

    // The "|"-separated filter as description/pattern pairs; a description
    // without its pattern is dropped.
    static std::vector<std::pair<std::string, std::string>> SplitFilter(const std::string& filter);

private:
    void show(FileDialogRequest::Mode mode);

    FileDialogPort& m_port;
};

// The editor's filter: text slot 3 directly followed by "Zentavo (*.ftd)|*.ftd".
std::string ExerciseFileFilter(const std::string& slot3);
