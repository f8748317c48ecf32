#pragma once
// ProgressWindow, the window "Progressi": one pupil's practice over the last
// week, month, year or all of it. Speed and accuracy per day as charts, the
// best speed and the totals, the key map coloured by error rate and by
// slowness, the error rate of each finger and the most frequent confusions;
// it prints them or exports them as a PDF made by the program's own writer.
//
// Data flows one way: HistoryStore::Figures -> KeyMapShading and
// ProgressReport (the core decides every figure and text) -> the widgets.
// The window never writes to the history: it reads the tutor's own store,
// or opens a database file of its own (a teacher's copy of a pupil's file).

#include "common/core/UiTexts.h"
#include "history/HistoryStore.h"
#include "tutor/core/ProgressReport.h"

#include <QDialog>

#include <functional>
#include <memory>

class FingerBarsView;
class KeyMapView;
class MessagePort;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTemporaryDir;

// What the window needs from the world besides the history; tests fake it.
struct ProgressWindowPorts {
    MessagePort* messages = nullptr;
    // Hands a written PDF file to the desktop's viewer; false when none opened it.
    std::function<bool(const QString&)> openFile;
    // Seconds since 1970, the end of every period.
    std::function<std::int64_t()> now;
    bool printerAvailable = false;
};

class ProgressWindow : public QDialog {
    Q_OBJECT
public:
    // The tutor's history, for one of its pupils.
    ProgressWindow(const HistoryStore& store, PupilId pupil, const UiTexts& texts, KeySplit split,
                   ProgressWindowPorts ports, QWidget* parent = nullptr);
    // A database file of its own, for one of the pupils in it.
    ProgressWindow(const std::string& databasePath, PupilId pupil, const UiTexts& texts,
                   KeySplit split, ProgressWindowPorts ports, QWidget* parent = nullptr);
    ~ProgressWindow() override;

    // The real ports: message boxes, the desktop's viewer, the clock, the
    // default printer.
    static ProgressWindowPorts DesktopPorts(QWidget* parent);

    void SetPeriod(Period period);
    // The keys the current personal exercise aims at, as Windows-1252
    // characters, heaviest first; "" hides the line (a balanced exercise, or
    // a database file that is not the tutor's own).
    void SetAimedKeys(const std::string& cp1252Characters);
    Period CurrentPeriod() const { return m_period; }
    const ProgressFigures& Figures() const { return m_figures; }
    bool ReadOnlyFile() const { return m_ownStore != nullptr; }

    // The report of what the window shows.
    ProgressReportInput ReportInput() const;
    // Writes the PDF report and opens it; false when it failed (told to the user).
    bool ExportPdf();
    // Path of the last PDF written, "" before the first.
    QString PdfPath() const { return m_pdfPath; }
    bool Print();

private:
    void Build();
    void ApplyTexts();
    void Refresh();
    void FillCharts();
    void FillSummary();
    QString DateRange() const;

    std::unique_ptr<HistoryStore> m_ownStore;
    const HistoryStore& m_store;
    PupilId m_pupil;
    PupilInfo m_pupilInfo;
    ProgressTexts m_texts;
    UiTexts m_uiTexts;
    KeySplit m_split;
    ProgressWindowPorts m_ports;
    Period m_period = Period::LastMonth;
    ProgressFigures m_figures;
    std::unique_ptr<QTemporaryDir> m_pdfFolder;
    QString m_pdfPath;

    // Controls, by their names.
    QLabel* lblAlunno = nullptr;
    QLabel* lblPeriodo = nullptr;
    QComboBox* cboPeriodo = nullptr;
    QLabel* lblTotali = nullptr;
    QWidget* chartVelocita = nullptr;
    QWidget* chartPrecisione = nullptr;
    QTabWidget* tabMappe = nullptr;
    KeyMapView* picMappaErrori = nullptr;
    KeyMapView* picMappaLentezza = nullptr;
    QLabel* lblDita = nullptr;
    FingerBarsView* picErroriDita = nullptr;
    QLabel* lblConfusioni = nullptr;
    QPlainTextEdit* txtConfusioni = nullptr;
    QLabel* lblAllenamento = nullptr;
    QPushButton* cmdStampa = nullptr;
    QPushButton* cmdPdf = nullptr;
    QPushButton* cmdChiudi = nullptr;
};
