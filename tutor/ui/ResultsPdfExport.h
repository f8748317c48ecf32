#pragma once

#include <QString>

#include <memory>
#include <string>
#include <string_view>

class QTemporaryDir;
class MessagePort;
class UiTexts;
struct ResultsFigures;

// Hands a file to the desktop's viewer without any shell command line;
// tests replace it.
class FileViewerPort {
public:
    virtual ~FileViewerPort() = default;
    // False when no viewer could be started.
    virtual bool Open(const QString& path) = 0;
};

class DesktopFileViewer : public FileViewerPort {
public:
    bool Open(const QString& path) override;
};

// The PDF export of one results window. The document goes into a folder of
// the program's own inside the temporary folder, readable by its owner only,
// named after the pupil through a safe file name; the folder and the file go
// when this object does (the window unloads). A file that cannot be written
// or a viewer that cannot be started is told to the pupil, naming the file.
class ResultsPdfExport {
public:
    // The messages speak the built-in Italian until SetTexts gives others.
    ResultsPdfExport(FileViewerPort& viewer, MessagePort& messages);
    ~ResultsPdfExport();
    // The warning title and the two failure messages in the program's texts.
    void SetTexts(const UiTexts& texts);
    ResultsPdfExport(const ResultsPdfExport&) = delete;
    ResultsPdfExport& operator=(const ResultsPdfExport&) = delete;

    // Writes and opens the document of the figures for the pupil's name as
    // typed and a date already formatted; false when it could not be written
    // or shown (the pupil has been told).
    bool Export(const ResultsFigures& figures, const std::string& playerName,
                const std::string& date);

    // Path of the last document written, "" before the first export.
    QString FilePath() const { return m_filePath; }
    // The private folder, "" until the first export makes it.
    QString FolderPath() const;

private:
    bool EnsureFolder();
    void TellFailure(const std::string& what) const;

    FileViewerPort& m_viewer;
    MessagePort& m_messages;
    std::unique_ptr<QTemporaryDir> m_folder;
    QString m_filePath;
    std::string m_title; // Windows-1252, as every text
    std::string m_cannotWrite;
    std::string m_cannotOpen;
};
