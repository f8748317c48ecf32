#pragma once
// frmClasse, the editor's window "Classe": one row per pupil file of the
// class folder (ClassRoster), sortable by every column and filtered by class,
// an unreadable file with its reason; the keys most often wrong across the
// shown pupils on the keyboard picture; the CSV export and the PDF report;
// a double click opens the pupil's progress window on a copy of the file,
// so that nothing the window does can reach the class folder.
//
// The rules (reading, sorting, filtering, summing, formats) live in
// history/ClassRoster and editor/core; this window renders them.

#include "common/core/UiTexts.h"
#include "editor/core/ClassCsv.h"
#include "history/ClassRoster.h"

#include <QDialog>

#include <functional>
#include <memory>

class FileDialogPort;
class KeyMapView;
class MessagePort;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;
class QTemporaryDir;

struct ClassWindowPorts {
    MessagePort* messages = nullptr;
    FileDialogPort* fileDialogs = nullptr;
    // Seconds since 1970.
    std::function<std::int64_t()> now;
    // A folder chosen in the folder dialog, "" when cancelled.
    std::function<std::string(QWidget* owner, const QString& caption, const std::string& start)>
        chooseFolder;
    // Hands a written PDF to the desktop's viewer.
    std::function<bool(const QString& path)> openFile;
    // Shows the progress window of the pupil in the file (a private copy).
    std::function<void(QWidget* owner, const std::string& file, PupilId pupil)> showProgress;
};

class frmClasse : public QDialog {
    Q_OBJECT
public:
    // editorTexts give the window's texts, tutorTexts those of the key map
    // and the progress window; the conventions are the chosen language's.
    frmClasse(std::string settingsFile, const UiTexts& editorTexts, const UiTexts& tutorTexts,
              CsvConventions conventions, ClassWindowPorts ports, QWidget* parent = nullptr);
    ~frmClasse() override;

    // The real ports: message boxes, file and folder dialogs, the clock, the
    // desktop's viewer and the read-only progress window.
    static ClassWindowPorts DesktopPorts(QWidget* parent, MessagePort& messages,
                                         FileDialogPort& fileDialogs, const UiTexts& tutorTexts);

    // Reads the class folder of the settings again.
    void Reload();
    void SortBy(RosterColumn column, bool descending);
    // "" shows every class.
    void ShowClass(const std::string& className);
    const std::vector<RosterRow>& ShownRows() const { return m_shown; }
    const ClassRoster& Roster() const { return m_roster; }
    const ClassSummary& Summary() const { return m_summary; }
    std::string Folder() const { return m_folder; }

    // Asks for a file and writes the shown rows; false when nothing was written.
    bool ExportCsv();
    bool ExportPdf();
    // The progress window of a shown row; false for an unreadable file.
    bool OpenProgress(int shownRow);
    // The dialog "Cartella della classe"; reloads after a new choice.
    void ChooseFolder();

private:
    void Build();
    void ApplyTexts();
    void Refill();
    void FillTable();
    void FillSummary();
    std::string SaveName(const std::string& description, const std::string& extension);
    void TellCannotWrite(const std::string& path);

    std::string m_settingsFile;
    UiTexts m_editorTexts;
    UiTexts m_tutorTexts;
    ClassTexts m_texts;
    CsvConventions m_conventions;
    CellFormat m_cells;
    ClassWindowPorts m_ports;
    std::string m_folder;
    ClassRoster m_roster;
    std::vector<RosterRow> m_shown;
    ClassSummary m_summary;
    std::string m_class;
    RosterColumn m_sortColumn = RosterColumn::Name;
    bool m_descending = false;
    std::unique_ptr<QTemporaryDir> m_copies;
    int m_copiesMade = 0;

    QLabel* lblCartella = nullptr;
    QPushButton* cmdCartella = nullptr;
    QLabel* lblClasse = nullptr;
    QComboBox* cboClasse = nullptr;
    QPushButton* cmdAggiorna = nullptr;
    QTableWidget* grdAlunni = nullptr;
    QLabel* lblAvviso = nullptr;
    QLabel* lblTastiClasse = nullptr;
    KeyMapView* picMappaClasse = nullptr;
    QLabel* lblElencoTasti = nullptr;
    QLabel* lblSuggerimento = nullptr;
    QPushButton* cmdCsv = nullptr;
    QPushButton* cmdPdf = nullptr;
    QPushButton* cmdChiudi = nullptr;
};
