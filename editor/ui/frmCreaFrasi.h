#pragma once

#include "common/core/ProgramLocations.h"
#include "editor/core/EditorTexts.h"
#include "editor/core/SentenceEditor.h"

#include <QWidget>

#include <array>
#include <memory>

class EditorDialogs;
class EditorFiles;
class FileDialogPort;
class HelpPort;
class MessagePort;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;
class TextMeasure;

// The editor's main window. It owns the widgets named after the system's
// controls, forwards every action to its SentenceEditor and renders what
// that reports; file dialogs, messages, help and the modal windows go
// through ports so that tests can answer them.
class frmCreaFrasi : public QWidget, private SentenceEditorObserver {
    Q_OBJECT
public:
    struct Ports {
        EditorFiles& files;
        const TextMeasure& measure;
        MessagePort& messages;
        FileDialogPort& fileDialogs;
        HelpPort& help;
        EditorDialogs& dialogs;
    };
    static constexpr int HelpContext = 1000;

    // installerLanguage is used at a first start.
    frmCreaFrasi(ProgramLocations locations, const std::string& installerLanguage, Ports ports,
                 QWidget* parent = nullptr);
    // A portable program folder (ending with "/") that holds everything.
    frmCreaFrasi(std::string programFolder, const std::string& installerLanguage, Ports ports,
                 QWidget* parent = nullptr);
    ~frmCreaFrasi() override;

    const SentenceEditor& Editor() const { return *m_editor; }
    const std::string& Language() const { return m_language.language; }
    // An exercise file named on the command line, opened as after the open
    // button's dialog.
    void OpenExerciseFile(const std::string& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void EditorChanged() override;
    void FocusLine(int line) override;
    void ShowMessage(const EditorMessage& message) override;
    void Beep() override;

    void buildWidgets();
    QWidget* buildFilePanel();
    QWidget* buildReaderFrame();
    QWidget* buildWriterFrame();
    QWidget* buildCountFrame();
    QWidget* buildLinesPanel();
    QWidget* buildButtonRow();
    void connectWidgets();
    void applyTexts();
    void fitWindowToTexts();
    void render();
    void fillPositionLists(int positions);
    void showPath();

    void cmdNew_Click();
    void cmdOpen_Click();
    void cmdLanguage_Click();
    void cmdInfo_Click();
    void cmdClasse_Click();
    void helpKey();
    void letPendingEventsRun();

    ProgramLocations m_locations;
    Ports m_ports;
    EditorLanguageTexts m_language;
    std::unique_ptr<SentenceEditor> m_editor;
    bool m_rendering = false;

    QLineEdit* m_txtFileCorrente = nullptr;
    QLabel* m_image1 = nullptr;
    QPushButton* m_cmdNew = nullptr;
    QPushButton* m_cmdOpen = nullptr;
    QPushButton* m_cmdChiudi = nullptr;
    QPushButton* m_cmdInfo = nullptr;
    QPushButton* m_cmdLanguage = nullptr;
    QPushButton* m_cmdClasse = nullptr;
    QGroupBox* m_frame1 = nullptr;
    QGroupBox* m_frame2 = nullptr;
    QGroupBox* m_frame3 = nullptr;
    std::array<QLabel*, 3> m_lblFileLevel{};
    std::array<QLabel*, 3> m_lblFileLevelCaption{};
    std::array<QRadioButton*, 3> m_optlevelReader{};
    std::array<QRadioButton*, 3> m_optLevel{};
    std::array<QRadioButton*, 3> m_optNumeroFrasi{};
    QButtonGroup* m_readerGroup = nullptr;
    QButtonGroup* m_writerGroup = nullptr;
    QButtonGroup* m_countGroup = nullptr;
    QComboBox* m_cboNumFrasiReader = nullptr;
    QComboBox* m_cboNumFrase = nullptr;
    QPushButton* m_cmdLeggi = nullptr;
    QPushButton* m_cmdSalva = nullptr;
    QCheckBox* m_chkUpdateSalva = nullptr;
    QCheckBox* m_chkAutoStep = nullptr;
    QLabel* m_lblNumFrasiLivello = nullptr;
    std::array<QLabel*, 2> m_label5{};
    std::array<QLabel*, 2> m_label4{};
    std::array<QLineEdit*, 2> m_txtInput{};
    QFrame* m_shpSfondo = nullptr;
    QLabel* m_imgAnimate = nullptr;
    QTimer* m_timer1 = nullptr;
};
