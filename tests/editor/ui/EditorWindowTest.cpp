#include "common/core/AtomicFile.h"
#include "common/core/Cp1252.h"
#include "common/ui/HelpViewer.h"
#include "common/ui/Messages.h"
#include "common/ui/QtTextMeasure.h"
#include "editor/core/DiskEditorFiles.h"
#include "editor/core/OpenSave.h"
#include "editor/ui/EditorDialogs.h"
#include "editor/ui/frmCreaFrasi.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

struct ShownMessage {
    QMessageBox::Icon icon;
    QString title;
    QString text;
};

class FakeMessages : public MessagePort {
public:
    std::vector<ShownMessage> shown;
    void Show(QMessageBox::Icon icon, const QString& title, const QString& text) override {
        shown.push_back({icon, title, text});
    }
    bool AskYesNo(const QString&, const QString&) override { return true; }
};

class FakeFileDialogs : public FileDialogPort {
public:
    std::deque<std::string> answers;
    std::vector<FileDialogRequest> requests;
    std::string Run(const FileDialogRequest& request) override {
        requests.push_back(request);
        if (answers.empty())
            return {};
        std::string answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class FakeHelp : public HelpPort {
public:
    bool found = true;
    std::vector<int> topics;
    bool ShowHelpTopic(int topic) override {
        topics.push_back(topic);
        return found;
    }
};

class FakeDialogs : public EditorDialogs {
public:
    std::optional<std::string> answer;
    int aboutShown = 0;
    std::optional<std::string> ChooseLanguage(QWidget*, const std::string& language,
                                              bool fromFile) override {
        chooserLanguages.emplace_back(language, fromFile);
        return answer;
    }
    std::vector<std::pair<std::string, bool>> chooserLanguages;
    std::vector<std::pair<std::string, bool>> aboutLanguages;
    void ShowAbout(QWidget*, const std::string& language, bool fromFile) override {
        ++aboutShown;
        aboutLanguages.emplace_back(language, fromFile);
    }
    std::vector<std::string> classSettings;
    void ShowClass(QWidget*, const std::string& settingsFile, const std::string&, bool) override {
        classSettings.push_back(settingsFile);
    }
};

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

class EditorWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 (std::string("zentavo-editor-ui-") +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder / "Esercizi");
        programFolder = folder.string() + "/";
        exercise = programFolder + "Esercizi/prova.ftd";
    }
    void TearDown() override {
        window.reset();
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    void open(const std::string& installerLanguage = "") {
        window = std::make_unique<frmCreaFrasi>(
            programFolder, installerLanguage,
            frmCreaFrasi::Ports{files, measure, messages, fileDialogs, help, dialogs});
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    template <class T> T* child(const char* name) const {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QLineEdit* line(int i) const { return child<QLineEdit>(i == 0 ? "txtInput_0" : "txtInput_1"); }
    void click(const char* name) {
        QTest::mouseClick(child<QAbstractButton>(name), Qt::LeftButton);
    }
    void createFile() {
        fileDialogs.answers.push_back(exercise);
        click("cmdNew");
        ASSERT_TRUE(window->Editor().State().editing);
    }
    // Types text into a line as key presses; characters beyond ASCII are
    // sent as key events carrying their text.
    void type(int i, const QString& text) {
        QLineEdit* target = line(i);
        target->setFocus();
        for (const QChar ch : text) {
            if (ch.unicode() < 0x80)
                QTest::keyClick(target, ch.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(ch),
                                    Qt::NoModifier);
        }
    }
    void chooseWrite(int level, int position) {
        click(level == 1 ? "optLevel_0" : level == 2 ? "optLevel_1" : "optLevel_2");
        auto* list = child<QComboBox>("cboNumFrase");
        list->setCurrentIndex(position - 1);
        emit list->activated(position - 1);
    }
    void chooseRead(int level, int position) {
        click(level == 1   ? "optlevelReader_0"
              : level == 2 ? "optlevelReader_1"
                           : "optlevelReader_2");
        auto* list = child<QComboBox>("cboNumFrasiReader");
        list->setCurrentIndex(position - 1);
        emit list->activated(position - 1);
    }
    std::string fileBytes() const { return ReadWholeFile(exercise).value_or("<missing>"); }

    fs::path folder;
    std::string programFolder;
    std::string exercise;
    DiskEditorFiles files;
    QtTextMeasure measure;
    FakeMessages messages;
    FakeFileDialogs fileDialogs;
    FakeHelp help;
    FakeDialogs dialogs;
    std::unique_ptr<frmCreaFrasi> window;
};

TEST_F(EditorWindowTest, StartsWithItsControlsAndEditingOff) {
    open();
    EXPECT_EQ(window->windowTitle(), "Editor Zentavo[*]");
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_EQ(child<QPushButton>("cmdNew")->text(), "&Nuovo");
    EXPECT_EQ(child<QPushButton>("cmdOpen")->toolTip(), "Apre un file esistente");
    EXPECT_EQ(child<QPushButton>("cmdLeggi")->text(), "L&eggi");
    EXPECT_EQ(child<QCheckBox>("chkAutoStep")->toolTip(),
              "incrementa, dopo ogni comando salva, il numero progressivo");
    EXPECT_EQ(child<QLabel>("Label4_1")->text(), "Riga2");
    EXPECT_EQ(child<QRadioButton>("optLevel_2")->text(), "Livello 3");
    EXPECT_EQ(child<QLabel>("lblFileLevel_1")->toolTip(), u("Frasi 2° livello"));
    EXPECT_EQ(child<QGroupBox>("Frame3")->title(), u("N° frasi"));
    EXPECT_EQ(line(0)->width(), 585);
    EXPECT_EQ(line(1)->width(), 585);
    EXPECT_EQ(child<QComboBox>("cboNumFrase")->count(), 15);
    EXPECT_EQ(child<QComboBox>("cboNumFrasiReader")->currentText(), "1");
    EXPECT_TRUE(child<QRadioButton>("optNumeroFrasi_0")->isChecked());
    for (const char* name :
         {"txtInput_0", "txtInput_1", "cboNumFrase", "cboNumFrasiReader", "cmdLeggi", "cmdSalva",
          "chkAutoStep", "chkUpdateSalva", "lblNumFrasiLivello", "optLevel_1", "optlevelReader_2",
          "optNumeroFrasi_2"})
        EXPECT_FALSE(child<QWidget>(name)->isEnabled()) << name;
    for (const char* name : {"cmdNew", "cmdOpen", "cmdLanguage", "cmdInfo", "cmdChiudi"})
        EXPECT_TRUE(child<QWidget>(name)->isEnabled()) << name;
    EXPECT_EQ(child<QLineEdit>("txtFileCorrente")->text(), "");
    EXPECT_FALSE(child<QTimer>("Timer1")->isActive());
    EXPECT_EQ(child<QPushButton>("cmdSalva")->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(child<QComboBox>("cboNumFrase")->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(EditorWindowTest, TheNewFileDialogIsAskedForWhatTheEditorNeeds) {
    open();
    click("cmdNew");
    ASSERT_EQ(fileDialogs.requests.size(), 1u);
    const FileDialogRequest request = fileDialogs.requests[0];
    EXPECT_EQ(request.mode, FileDialogRequest::Mode::Save);
    EXPECT_EQ(request.title, "Digita il nome del nuovo file");
    ASSERT_EQ(request.filters.size(), 1u);
    EXPECT_EQ(request.filters[0].first, "frasiZentavo (*.ftd)");
    EXPECT_EQ(request.filters[0].second, "*.ftd");
    EXPECT_EQ(request.filterIndex, 1);
    EXPECT_EQ(request.initialFolder, folder.string());
    EXPECT_EQ(request.initialName, "Zentavo");
    EXPECT_EQ(request.defaultExtension, "ftd");
    EXPECT_EQ(request.owner, window.get());
    // Cancelled: nothing changes.
    EXPECT_FALSE(window->Editor().State().editing);
    EXPECT_EQ(window->Editor().State().currentFile, "");

    click("cmdOpen");
    ASSERT_EQ(fileDialogs.requests.size(), 2u);
    EXPECT_EQ(fileDialogs.requests[1].mode, FileDialogRequest::Mode::Open);
    EXPECT_EQ(fileDialogs.requests[1].title, "Seleziona il file da aprire");
    EXPECT_EQ(fileDialogs.requests[1].filters, request.filters);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(EditorWindowTest, SentencesTypedAtSeveralPositionsLandInTheFile) {
    open();
    createFile();
    EXPECT_TRUE(line(0)->isEnabled());
    EXPECT_TRUE(line(0)->hasFocus());
    EXPECT_EQ(child<QLineEdit>("txtFileCorrente")->toolTip(), QString::fromStdString(exercise));

    type(0, u("Perché no?"));
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_TRUE(child<QTimer>("Timer1")->isActive());
    click("cmdSalva");
    EXPECT_EQ(line(0)->text(), "");
    EXPECT_FALSE(child<QTimer>("Timer1")->isActive());
    EXPECT_FALSE(window->isWindowModified());

    chooseWrite(3, 12);
    type(0, u("Costa 5 € al giorno"));
    QTest::keyClick(line(0), Qt::Key_Return); // Enter moves on to the second line
    EXPECT_TRUE(line(1)->hasFocus());
    type(1, u("e più"));
    click("cmdSalva");

    chooseWrite(2, 4);
    type(0, "solo una riga");
    click("cmdSalva");

    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(fileBytes(), std::string("==============================================\r\n"
                                       "*** Attenzione ***   Non  modificare  manualmente  "
                                       "questo file.\r\n"
                                       "Il file DEVE essere modificato solo con l'Editor di "
                                       "Zentavo\r\n"
                                       "    *** Attention ***     Do  not  modify  improperly  "
                                       "this  file.\r\n"
                                       "This   file   MUST  be  modified  only   using  "
                                       "EditorZentavo.exe\r\n"
                                       "==============================================\r\n"
                                       "\r\n"
                                       "[Editor Zentavo]\r\nVersione=3.0.0\r\n"
                                       "[Livello1]\r\n1=Perch\xE9 no?\r\n"
                                       "[Livello2]\r\n1=\r\n4=solo una riga\r\n"
                                       "[Livello3]\r\n1=\r\n12=Costa 5 \x80 al giorno\xA6\xA6"
                                       "e pi\xF9\r\n"));
    EXPECT_EQ(child<QLabel>("lblFileLevel_0")->text(), "1");
    EXPECT_EQ(child<QLabel>("lblFileLevel_1")->text(), "1");
    EXPECT_EQ(child<QLabel>("lblFileLevel_2")->text(), "1");
}

TEST_F(EditorWindowTest, AutomaticSteppingFillsAFileOfFivePositionsToTheEnd) {
    open();
    createFile();
    click("optNumeroFrasi_2");
    EXPECT_EQ(child<QComboBox>("cboNumFrase")->count(), 5);
    QTest::mouseClick(child<QCheckBox>("chkAutoStep"), Qt::LeftButton, Qt::NoModifier,
                      QPoint(5, 5));
    ASSERT_TRUE(window->Editor().State().autoStep);
    for (int level = 1; level <= 3; ++level) {
        for (int position = 1; position <= 5; ++position) {
            EXPECT_EQ(child<QComboBox>("cboNumFrase")->currentText(), QString::number(position));
            EXPECT_TRUE(child<QRadioButton>(level == 1   ? "optLevel_0"
                                            : level == 2 ? "optLevel_1"
                                                         : "optLevel_2")
                            ->isChecked());
            type(0, QStringLiteral("Frase %1.%2").arg(level).arg(position));
            click("cmdSalva");
        }
        if (level == 1) {
            EXPECT_EQ(child<QFrame>("shpSfondo")->palette().color(QPalette::Window),
                      QColor(255, 255, 192))
                << "level 2 writes on light yellow";
        }
    }
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "Editor Zentavo");
    EXPECT_EQ(messages.shown[0].text, "File completato!");
    EXPECT_FALSE(line(0)->isEnabled());
    EXPECT_FALSE(child<QPushButton>("cmdLeggi")->isEnabled());
    EXPECT_TRUE(child<QRadioButton>("optLevel_0")->isChecked());
    for (int level = 1; level <= 3; ++level) {
        for (int position = 1; position <= 5; ++position)
            EXPECT_EQ(files.ReadSentence(exercise, level, position).value,
                      "Frase " + std::to_string(level) + "." + std::to_string(position));
        EXPECT_EQ(child<QLabel>(level == 1   ? "lblFileLevel_0"
                                : level == 2 ? "lblFileLevel_1"
                                             : "lblFileLevel_2")
                      ->text(),
                  "5");
    }
}

TEST_F(EditorWindowTest, SuccessivaReadsTheSentencesBack) {
    open();
    createFile();
    const std::vector<std::pair<QString, QString>> sentences = {
        {u("Prima è corta"), ""}, {"Seconda", u("con un € in più")}, {"Terza", ""}};
    QTest::mouseClick(child<QCheckBox>("chkAutoStep"), Qt::LeftButton, Qt::NoModifier,
                      QPoint(5, 5));
    chooseWrite(2, 14);
    for (const auto& [first, second] : sentences) {
        type(0, first);
        if (!second.isEmpty())
            type(1, second);
        click("cmdSalva");
    }
    ASSERT_TRUE(messages.shown.empty());

    chooseRead(2, 14);
    std::vector<std::pair<QString, QString>> read;
    click("cmdLeggi");
    read.emplace_back(line(0)->text(), line(1)->text());
    EXPECT_EQ(child<QPushButton>("cmdLeggi")->text(), "Successiva");
    for (int i = 0; i < 2; ++i) {
        click("cmdLeggi");
        read.emplace_back(line(0)->text(), line(1)->text());
    }
    EXPECT_EQ(read, sentences);
    EXPECT_EQ(window->Editor().State().readLevel, 3);
    EXPECT_EQ(window->Editor().State().readPosition, 1);

    click("cmdLeggi"); // level 3 position 2 is empty
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "Attenzione");
    EXPECT_EQ(messages.shown[0].text, "Nessuna frase presente in questa posizione.");
    EXPECT_EQ(line(0)->text(), "");
    EXPECT_EQ(child<QPushButton>("cmdLeggi")->text(), "L&eggi");
}

TEST_F(EditorWindowTest, TypingPastTheBoxGivesOneMessageAndDropsTheLastCharacter) {
    open();
    createFile();
    QString text;
    while (measure.Width(Utf8ToCp1252(text.toStdString()) + "m", SentenceEditor::WindowFont()) +
               10 <=
           585)
        text += QLatin1Char('m');
    type(0, text);
    ASSERT_TRUE(messages.shown.empty());
    type(0, "mm");
    ASSERT_EQ(messages.shown.size(), 2u) << "each key past the end is refused with a message";
    EXPECT_EQ(messages.shown[0].title, "Errore");
    EXPECT_EQ(messages.shown[0].icon, QMessageBox::Information);
    EXPECT_EQ(messages.shown[0].text,
              u("Attenzione\r\nla lunghezza della riga è superiore alle dimensioni "
                "consentite.\r\nProseguire nella riga successiva."));
    EXPECT_EQ(line(0)->text(), text);
    EXPECT_EQ(line(0)->cursorPosition(), text.size());
}

TEST_F(EditorWindowTest, ALongPasteIsCutToFitWithOneMessage) {
    open();
    createFile();
    type(0, "prima");
    line(1)->setFocus();
    QApplication::clipboard()->setText(QString(300, QLatin1Char('x')));
    QTest::keyClick(line(1), Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              u("Attenzione\r\nè stata raggiunta la lunghezza max consentita."));
    const std::string kept = Utf8ToCp1252(line(1)->text().toStdString());
    EXPECT_GT(kept.size(), 20u);
    EXPECT_FALSE(window->Editor().TooWide(kept));
    EXPECT_TRUE(window->Editor().TooWide(kept + "x")) << "cut no more than needed";
}

TEST_F(EditorWindowTest, ALongPathIsShortenedInsideToFitItsBox) {
    const fs::path deep = folder / std::string(60, 'c') / std::string(60, 'd');
    fs::create_directories(deep);
    exercise = (deep / "lungo.ftd").string();
    open();
    createFile();
    auto* box = child<QLineEdit>("txtFileCorrente");
    const QString shown = box->text();
    EXPECT_TRUE(shown.contains(QChar(0x2026))) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith("lungo.ftd"));
    EXPECT_TRUE(shown.startsWith(QString::fromStdString(folder.string()).left(4)));
    EXPECT_LE(box->fontMetrics().horizontalAdvance(shown), box->contentsRect().width());
    EXPECT_EQ(box->toolTip(), QString::fromStdString(exercise));
}

TEST_F(EditorWindowTest, TheSecondLineSendsTheFocusBackWhileTheFirstIsEmpty) {
    open();
    createFile();
    QTest::mouseClick(line(1), Qt::LeftButton);
    EXPECT_TRUE(line(0)->hasFocus());
    type(0, "a");
    QTest::mouseClick(line(1), Qt::LeftButton);
    EXPECT_TRUE(line(1)->hasFocus());
}

TEST_F(EditorWindowTest, SaveNeedsThreeCharactersAndRefusesBlanks) {
    open();
    createFile();
    type(0, "ab");
    EXPECT_FALSE(child<QPushButton>("cmdSalva")->isEnabled());
    line(0)->clear();
    type(0, "   ");
    ASSERT_TRUE(child<QPushButton>("cmdSalva")->isEnabled());
    click("cmdSalva");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              u("Nessun testo presente nella prima riga.\r\nLa prima riga non può essere vuota!"));
    EXPECT_EQ(line(0)->text(), "");
    EXPECT_TRUE(line(0)->hasFocus());
    EXPECT_EQ(files.CountSentences(exercise, 15), (std::array<int, 3>{}));
}

TEST_F(EditorWindowTest, TheBackgroundShowsTheWriteLevel) {
    open();
    createFile();
    const std::vector<std::pair<const char*, QColor>> levels = {
        {"optLevel_1", QColor(255, 255, 192)},
        {"optLevel_2", QColor(255, 192, 192)},
        {"optLevel_0", QColor(192, 255, 192)}};
    for (const auto& [button, colour] : levels) {
        click(button);
        EXPECT_EQ(child<QFrame>("shpSfondo")->palette().color(QPalette::Window), colour) << button;
    }
}

TEST_F(EditorWindowTest, F1OpensTheHelpAtContext1000OrSaysItIsMissing) {
    open();
    QTest::keyClick(child<QPushButton>("cmdNew"), Qt::Key_F1);
    EXPECT_EQ(help.topics, std::vector<int>{1000});
    EXPECT_TRUE(messages.shown.empty());
    help.found = false;
    QTest::keyClick(window.get(), Qt::Key_F1);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "Errore");
    EXPECT_EQ(messages.shown[0].text, "impossibile trovare il file della guida: help/1000.html");
}

TEST_F(EditorWindowTest, AReadOnlyFileThatCanBeMadeWritableOpens) {
    open();
    createFile();
    type(0, "una frase");
    click("cmdSalva");
    window.reset();
    fs::permissions(exercise,
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    open();
    fileDialogs.answers.push_back(exercise);
    click("cmdOpen");
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(window->Editor().State().currentFile, exercise);
    EXPECT_NE(fs::status(exercise).permissions() & fs::perms::owner_write, fs::perms::none);
    EXPECT_EQ(child<QLabel>("lblFileLevel_0")->text(), "1");
    click("cmdLeggi");
    EXPECT_EQ(line(0)->text(), "una frase");
}

TEST_F(EditorWindowTest, AChangeOfLanguageRewritesTheTextsAndTheSettings) {
    fs::create_directories(folder / "Lang");
    {
        std::ofstream lng(folder / "Lang" / "English.lng", std::ios::binary);
        lng << "[Strings]\r\n2109=&New\r\n2110=Create a new file\r\n2001=Warning\r\n"
               "2011=No sentence here.\r\n2009=&Read\r\n2124=Row\r\n";
    }
    open();
    createFile();
    dialogs.answer = "English";
    click("cmdLanguage");
    EXPECT_EQ(window->Language(), "English");
    EXPECT_EQ(child<QPushButton>("cmdNew")->text(), "&New");
    EXPECT_EQ(child<QPushButton>("cmdNew")->toolTip(), "Create a new file");
    EXPECT_EQ(child<QLabel>("Label4_0")->text(), "Row1");
    EXPECT_EQ(child<QPushButton>("cmdOpen")->text(), "") << "IDs the file lacks are empty";
    EXPECT_EQ(child<QPushButton>("cmdLeggi")->text(), "&Read");
    const std::string settings = ReadWholeFile(programFolder + "Zentavo.ini").value_or("");
    EXPECT_NE(settings.find("[EditorLanguage]\r\nCurrentLanguage=English"), std::string::npos)
        << settings;
    EXPECT_EQ(window->Editor().State().currentFile, exercise);
    click("cmdLeggi");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "Warning");
    EXPECT_EQ(messages.shown[0].text, "No sentence here.");
    EXPECT_EQ(fileBytes().find("English"), std::string::npos);
}

// After a change of language the about box and the chooser follow it at
// once, as in the tutor; back on the default entry they are Italian again.
TEST_F(EditorWindowTest, TheAboutBoxAndTheChooserFollowANewLanguageAtOnce) {
    fs::create_directories(folder / "Lang");
    std::ofstream(folder / "Lang" / "English.lng", std::ios::binary)
        << "[Strings]\r\n2105=&Close\r\n";
    open();
    click("cmdInfo");
    dialogs.answer = "English";
    click("cmdLanguage");
    click("cmdInfo");
    dialogs.answer = "Italian";
    click("cmdLanguage");
    click("cmdInfo");
    const std::vector<std::pair<std::string, bool>> about = {
        {"Italian", false}, {"English", true}, {"Italian", false}};
    EXPECT_EQ(dialogs.aboutLanguages, about);
    const std::vector<std::pair<std::string, bool>> chooser = {{"Italian", false},
                                                               {"English", true}};
    EXPECT_EQ(dialogs.chooserLanguages, chooser);
    EXPECT_EQ(child<QPushButton>("cmdChiudi")->text(), "&Chiudi") << "built-in texts again";
}

TEST_F(EditorWindowTest, TheClassButtonOpensTheClassWindowOverTheSettingsBesideTheProgram) {
    open();
    auto* button = child<QPushButton>("cmdClasse");
    EXPECT_EQ(button->text(), "Classe");
    EXPECT_EQ(button->toolTip(), "Mostra i progressi degli alunni della classe");
    click("cmdClasse");
    EXPECT_EQ(dialogs.classSettings, std::vector<std::string>{programFolder + "Zentavo.ini"});
}

// Labels and buttons that are longer in the new language: the window is
// laid out again as at a start in that language, and nothing is cut.
TEST_F(EditorWindowTest, AChangeOfLanguageLaysTheWindowOutAsAStartWould) {
    fs::create_directories(folder / "Lang");
    {
        std::ofstream lng(folder / "Lang" / "Long.lng", std::ios::binary);
        lng << "[Strings]\r\n2116=Numero della frase da leggere o scrivere\r\n"
               "2112=L&eggi la frase scelta\r\n2120=&Salva la frase scritta\r\n"
               "2117=Aggiorna la finestra Salva ogni volta\r\n2100=Frasi nel file\r\n";
    }
    open();
    dialogs.answer = "Long";
    click("cmdLanguage");
    QCoreApplication::processEvents();
    const QSize changed = window->size();
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (!control->isVisible() ||
            !(qobject_cast<QLabel*>(control) || qobject_cast<QAbstractButton*>(control)))
            continue;
        EXPECT_GE(control->width(), control->sizeHint().width())
            << control->objectName().toStdString() << " is cut";
    }
    window.reset();
    open();
    EXPECT_EQ(window->Language(), "Long");
    EXPECT_EQ(window->size(), changed);
}

// The read button starts with its own caption, whose access key is not the
// language button's: Alt+L opens the chooser.
TEST_F(EditorWindowTest, AltLOpensTheLanguageChooserFromTheStart) {
    open();
    EXPECT_EQ(child<QPushButton>("cmdLeggi")->text(), "L&eggi");
    EXPECT_EQ(child<QPushButton>("cmdLanguage")->text(), "&Lingua");
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_L, Qt::AltModifier);
    // A button pressed by its shortcut is clicked a moment later.
    for (int wait = 0; wait < 50 && dialogs.chooserLanguages.empty(); ++wait)
        QTest::qWait(20);
    EXPECT_EQ(dialogs.chooserLanguages.size(), 1u);
    EXPECT_FALSE(child<QPushButton>("cmdLeggi")->hasFocus()) << "Alt+L is not shared";
}

// The Alt shortcut of a disabled button does nothing: its letter is not
// typed into the sentence line that has the focus.
TEST_F(EditorWindowTest, AnAltShortcutOfADisabledButtonTypesNothing) {
    open();
    createFile();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    type(0, QStringLiteral("ab"));
    ASSERT_FALSE(child<QPushButton>("cmdSalva")->isEnabled());
    for (const Qt::Key key : {Qt::Key_S, Qt::Key_Q, Qt::Key_1}) {
        QTest::keyClick(line(0), key, Qt::AltModifier);
        EXPECT_EQ(line(0)->text(), "ab");
    }
    EXPECT_TRUE(line(0)->hasFocus());
    QTest::keyClick(line(0), Qt::Key_C);
    EXPECT_EQ(line(0)->text(), "abc") << "plain letters are typed";
    EXPECT_TRUE(messages.shown.empty());
}

// Enter in the second line moves to "Salva", which shows its focus mark,
// and a second Enter saves.
TEST_F(EditorWindowTest, EnterInTheSecondLineThenEnterAgainSaves) {
    open();
    createFile();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    type(0, QStringLiteral("prima riga"));
    type(1, QStringLiteral("seconda"));
    auto* save = child<QPushButton>("cmdSalva");
    const QImage unfocused = save->grab().toImage();
    QTest::keyClick(line(1), Qt::Key_Return);
    ASSERT_TRUE(save->hasFocus());
    EXPECT_TRUE(window->testAttribute(Qt::WA_KeyboardFocusChange));
    EXPECT_NE(save->grab().toImage(), unfocused) << "no visible focus mark";
    QTest::keyClick(save, Qt::Key_Return);
    EXPECT_NE(fileBytes().find("1=prima riga\xA6\xA6seconda"), std::string::npos) << fileBytes();
}

TEST_F(EditorWindowTest, AnUnchangedLanguageWritesNoSettings) {
    open();
    dialogs.answer.reset();
    click("cmdLanguage");
    EXPECT_FALSE(fs::exists(folder / "Zentavo.ini"));
    click("cmdInfo");
    EXPECT_EQ(dialogs.aboutShown, 1);
}

TEST_F(EditorWindowTest, TheStartLanguageComesFromTheSettingsFile) {
    fs::create_directories(folder / "Lang");
    {
        std::ofstream lng(folder / "Lang" / "French.lng", std::ios::binary);
        lng << "[Strings]\r\n2105=&Fermer\r\n";
        std::ofstream ini(folder / "Zentavo.ini", std::ios::binary);
        ini << "[Language]\r\nCurrentLanguage=English\r\n[EditorLanguage]\r\n"
               "CurrentLanguage=French\r\n";
    }
    open("1033");
    EXPECT_EQ(window->Language(), "French");
    EXPECT_EQ(child<QPushButton>("cmdChiudi")->text(), "&Fermer");
}

TEST_F(EditorWindowTest, AFirstStartTakesTheInstallersLanguageButItsFileMayBeMissing) {
    open("1033");
    EXPECT_EQ(window->Language(), "English");
    EXPECT_EQ(child<QPushButton>("cmdChiudi")->text(), "&Chiudi");
    EXPECT_FALSE(fs::exists(folder / "Zentavo.ini")) << "written only after a change";
}

} // namespace
