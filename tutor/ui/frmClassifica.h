#pragma once

#include "common/core/UiTexts.h"
#include "common/ui/QtTextMeasure.h"
#include "tutor/core/ResultsFigures.h"
#include "tutor/ui/ResultsPdfExport.h"
#include "tutor/ui/ResultsPrintCursor.h"

#include <QDialog>
#include <QImage>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTimer;
class ResultsDialogPort;
class ResultsPrinterPort;

// What the main window hands to its results window besides the figures.
struct ResultsWindowContext {
    const UiTexts* texts = nullptr;
    int backgroundTheme = 0;  // 0..10
    bool soundsOn = true;     // sound 106 at opening
    std::string exerciseFile; // full path of the exercise in use; "" for the built-in sentences
    std::function<void(int)> playSound;
    // The current pupil's name, the first answer to the name question.
    std::string suggestedName;
    // Opens the pupil's progress; the window offers it only when given.
    std::function<void()> showProgress;
};

// Where the results window asks, prints and shows files; tests pass fakes.
struct ResultsWindowPorts {
    ResultsDialogPort& dialogs;
    FileViewerPort& viewer;
    ResultsPrinterPort& printer;
};

// The results window, opened modally after each level and after the whole
// exercise: the title, one panel per level reached with its five rows, the
// averages and a rating symbol, a balloon with the end message, the print and
// PDF buttons and the two answers. Every figure and text comes from
// ResultsFigures; the window lays them out in millimetres and reports the
// pupil's answer: 0 "Continua", 1 "Termina", -1 closed any other way.
class frmClassifica : public QDialog {
    Q_OBJECT

public:
    frmClassifica(const ResultsTable& table, ResultsWindowContext context, ResultsWindowPorts ports,
                  QWidget* owner = nullptr);
    ~frmClassifica() override;

    std::int16_t ResultsAnswer() const { return m_answer; }
    const ResultsFigures& Figures() const { return m_figures; }
    // The typed name of the last print or export (at most 30 characters).
    const std::string& PlayerName() const { return m_playerName; }
    // What ShowAllLevels wrote on the window, in millimetres.
    const std::vector<PrintedText>& SheetTexts() const { return m_sheet; }
    // The PDF of the last export, "" before one.
    QString PdfPath() const { return m_pdf.FilePath(); }
    QString PdfFolder() const { return m_pdf.FolderPath(); }

    bool AskPlayerName();
    void PrintResults();
    void ExportResultsPdf();

    static constexpr int kWidth = 409;
    static constexpr int kHeight = 594;
    static constexpr double kPxPerMm = 96.0 / 25.4;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    class Sheet;
    class PointerMessages;
    enum class ImageButton { Printer, Pdf };

    void BuildControls();
    void BuildTitleLetters();
    void LoadResultsTexts();
    void LoadRatingSymbols();
    void ShowAllLevels();
    void ShowLevelResults(double top, int first);
    void ShowButtonImage(ImageButton button, int image);
    void ImagePressed(ImageButton button);
    void Timer1_Timer();
    void cmdRisp_Click(int index);
    int NumberWidth(int n, bool bold) const;

    std::optional<UiTexts> m_ownTexts; // the built-in texts when the caller gave none
    ResultsWindowContext m_context;
    ResultsWindowPorts m_ports;
    ResultsFigures m_figures;
    QtTextMeasure m_measure;
    std::unique_ptr<PointerMessages> m_pdfMessages;
    ResultsPdfExport m_pdf;
    std::int16_t m_answer = -1;
    std::string m_playerName;
    bool m_printFailed = false;
    bool m_hover = false;
    std::int16_t m_frame = 0;
    std::vector<PrintedText> m_sheet;
    QImage m_background;

    std::array<QLabel*, 7> m_titleLetters{};
    std::array<QLabel*, 3> m_headings{};
    std::array<QWidget*, 3> m_shadows{};
    std::array<QLabel*, 3> m_ratings{};
    std::array<QLabel*, 5> m_symbols{};
    std::array<QLabel*, 3> m_printerImages{};
    std::array<QLabel*, 3> m_pdfImages{};
    std::array<QPushButton*, 2> m_answers{};
    QPushButton* cmdProgressi = nullptr;
    QLabel* m_animation = nullptr;
    QLabel* m_message = nullptr;
    QWidget* m_balloon = nullptr;
    Sheet* m_sheetWidget = nullptr;
    QTimer* m_timer = nullptr;
};
