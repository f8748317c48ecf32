#include "common/core/UiTexts.h"
#include "common/ui/HelpViewer.h"
#include "common/ui/Messages.h"
#include "editor/ui/QtFileDialogPort.h"
#include "editor/ui/frmAbout.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrlQuery>

#include <gtest/gtest.h>

namespace {

class RecordingMessages : public MessagePort {
public:
    std::vector<std::pair<QString, QString>> shown;
    void Show(QMessageBox::Icon, const QString& title, const QString& text) override {
        shown.emplace_back(title, text);
    }
    bool AskYesNo(const QString&, const QString&) override { return false; }
};

class RecordingHelp : public HelpPort {
public:
    bool found = true;
    std::vector<int> topics;
    bool ShowHelpTopic(int topic) override {
        topics.push_back(topic);
        return found;
    }
};

class AboutBoxTest : public ::testing::Test {
protected:
    RecordingMessages messages;
    RecordingHelp help;
    UiTexts texts = UiTexts::BuiltIn(UiProgram::Editor);
};

TEST_F(AboutBoxTest, ShowsTheEditorsVersionAndTexts) {
    frmAbout box(texts, help, messages);
    EXPECT_EQ(box.windowTitle(), "Informazioni su...");
    EXPECT_TRUE(box.isModal());
    EXPECT_EQ(box.findChild<QLabel*>("lblVersione")->text(), "Versione 3.0.0");
    EXPECT_EQ(box.findChild<QLabel*>("lblFreewareMsg")->text(),
              "Programma freeware di libero utilizzo e distribuzione");
    EXPECT_EQ(box.findChild<QLabel*>("lblDescrizione")->text(),
              "Editor per la creazione di frasi personalizzate da usare con il Zentavo");
    auto* helpButton = box.findChild<QPushButton*>("cmdHelp");
    EXPECT_EQ(helpButton->text(), "&Guida");
    EXPECT_EQ(helpButton->toolTip(), "Guida in linea");
    auto* close = box.findChild<QPushButton*>("cmdChiudi");
    EXPECT_EQ(close->text(), "&Chiudi");
    EXPECT_EQ(close->toolTip(), "Chiude la finestra");
    EXPECT_EQ(box.findChild<QLabel*>("lblGuida")->text(), "Guida in linea > ");
}

TEST_F(AboutBoxTest, TheHelpButtonOpensContext1000AndClosesTheBox) {
    frmAbout box(texts, help, messages);
    box.show();
    QTest::mouseClick(box.findChild<QPushButton*>("cmdHelp"), Qt::LeftButton);
    EXPECT_EQ(help.topics, std::vector<int>{1000});
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(box.isVisible());
}

TEST_F(AboutBoxTest, AMissingHelpPageIsReportedBeforeTheBoxCloses) {
    help.found = false;
    frmAbout box(texts, help, messages);
    box.show();
    QTest::mouseClick(box.findChild<QPushButton*>("cmdHelp"), Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].first, "Errore");
    EXPECT_EQ(messages.shown[0].second, "impossibile trovare il file della guida: help/1000.html");
    EXPECT_FALSE(box.isVisible());
}

TEST_F(AboutBoxTest, TheMailLinkWritesToTheAuthorAboutThisVersion) {
    frmAbout box(texts, help, messages);
    std::vector<QUrl> opened;
    box.SetUrlOpener([&opened](const QUrl& url) { opened.push_back(url); });
    box.show();
    auto* mail = box.findChild<QLabel*>("lblMail");
    ASSERT_NE(mail, nullptr);
    emit mail->linkActivated(QStringLiteral("mail"));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].scheme(), "mailto");
    EXPECT_EQ(opened[0].path(), "zentavo@example.org");
    EXPECT_EQ(QUrlQuery(opened[0]).queryItemValue("subject", QUrl::FullyDecoded),
              "Editor Zentavo - Versione 3.0.0");
    EXPECT_FALSE(box.isVisible()) << "a link closes the box";
}

TEST(MailUrlTest, SubjectsAreEncoded) {
    const std::vector<std::pair<QString, QString>> cases = {
        {"Editor Zentavo - Versione 3.0.0",
         "mailto:a@example.org?subject=Editor%20Zentavo%20-%20Versione%203.0.0"},
        {"Zentavo (IT) - Versione 5.1.0",
         "mailto:a@example.org?subject=Zentavo%20%28IT%29%20-%20Versione%205.1.0"},
        {QString::fromUtf8("è & ?"), "mailto:a@example.org?subject=%C3%A8%20%26%20%3F"}};
    for (const auto& [subject, url] : cases)
        EXPECT_EQ(AboutBoxBase::MailUrl("a@example.org", subject).toString(QUrl::FullyEncoded),
                  url);
}

TEST(FileDialogTest, TheDialogCarriesTheRequestsSettings) {
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.title = "Digita il nome del nuovo file";
    request.filters = OpenSave::SplitFilter(ExerciseFileFilter("frasi"));
    request.filterIndex = 1;
    request.initialFolder = "/tmp";
    request.initialName = "Zentavo";
    request.defaultExtension = "ftd";
    QFileDialog dialog;
    QtFileDialogPort::Prepare(dialog, request);
    EXPECT_EQ(dialog.windowTitle(), "Digita il nome del nuovo file");
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog.nameFilters(), QStringList{"frasiZentavo (*.ftd)"});
    EXPECT_EQ(dialog.selectedNameFilter(), "frasiZentavo (*.ftd)");
    EXPECT_EQ(dialog.defaultSuffix(), "ftd");
    EXPECT_EQ(dialog.directory().absolutePath(), "/tmp");
    EXPECT_FALSE(dialog.testOption(QFileDialog::DontConfirmOverwrite))
        << "replacing a file is confirmed in the dialog";

    request.mode = FileDialogRequest::Mode::Open;
    QFileDialog open;
    QtFileDialogPort::Prepare(open, request);
    EXPECT_EQ(open.acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(open.fileMode(), QFileDialog::ExistingFile);
}

TEST(FileDialogTest, FiltersSplitIntoDescriptionsAndPatterns) {
    using Pairs = std::vector<std::pair<std::string, std::string>>;
    const std::vector<std::pair<std::string, Pairs>> cases = {
        {"frasiZentavo (*.ftd)|*.ftd", {{"frasiZentavo (*.ftd)", "*.ftd"}}},
        {"Esercizi|*.ftd|Tutti|*.*", {{"Esercizi", "*.ftd"}, {"Tutti", "*.*"}}},
        {"Senza modello|", {}},
        {"", {}}};
    for (const auto& [filter, pairs] : cases)
        EXPECT_EQ(OpenSave::SplitFilter(filter), pairs) << filter;

    FileDialogRequest request;
    request.filters = {{"Esercizi", "*.ftd"}, {"Testi (*.txt)", "*.txt"}};
    EXPECT_EQ(QtFileDialogPort::NameFilters(request),
              (QStringList{"Esercizi (*.ftd)", "Testi (*.txt)"}));
}

TEST(FileDialogTest, OpenSaveHandsItsPropertiesToThePortAndKeepsTheAnswer) {
    class Port : public FileDialogPort {
    public:
        FileDialogRequest seen;
        std::string answer;
        std::string Run(const FileDialogRequest& request) override {
            seen = request;
            return answer;
        }
    } port;
    port.answer = "/home/maestra/Esercizi/test.ftd";
    OpenSave dialog(port);
    dialog.DialogTitle = "Seleziona il file da aprire";
    dialog.Filter = ExerciseFileFilter("frasi");
    dialog.FilterIndex = 1;
    dialog.ShowOpen();
    EXPECT_EQ(port.seen.mode, FileDialogRequest::Mode::Open);
    EXPECT_EQ(port.seen.title, "Seleziona il file da aprire");
    EXPECT_EQ(dialog.FileName, "/home/maestra/Esercizi/test.ftd");
    port.answer.clear();
    dialog.ShowSave();
    EXPECT_EQ(port.seen.mode, FileDialogRequest::Mode::Save);
    EXPECT_EQ(port.seen.initialName, "/home/maestra/Esercizi/test.ftd");
    EXPECT_EQ(dialog.FileName, "") << "a cancelled dialog leaves no name";
}

} // namespace

namespace {

TEST(FileDialogTest, ANameTypedWithoutExtensionGetsFtd) {
    QTemporaryDir folder;
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.filters = OpenSave::SplitFilter(ExerciseFileFilter("frasi"));
    request.initialFolder = folder.path().toStdString();
    request.initialName = "Zentavo";
    request.defaultExtension = "ftd";
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    QtFileDialogPort::Prepare(dialog, request);
    dialog.selectFile(QStringLiteral("test"));
    QTimer::singleShot(0, &dialog, [&dialog] { QMetaObject::invokeMethod(&dialog, "accept"); });
    ASSERT_EQ(dialog.exec(), QDialog::Accepted);
    ASSERT_EQ(dialog.selectedFiles().size(), 1);
    EXPECT_EQ(dialog.selectedFiles().constFirst(), folder.filePath(QStringLiteral("test.ftd")));
}

} // namespace
