// The class window over a class folder of real pupil files: what the table,
// the filter, the sort, the key map and the buttons show and do.
#include "common/core/Settings.h"
#include "common/ui/KeyMapView.h"
#include "common/ui/Messages.h"
#include "editor/core/OpenSave.h"
#include "editor/ui/frmCartellaClasse.h"
#include "editor/ui/frmClasse.h"
#include "history/HistoryDatabase.h"
#include "history/HistoryStore.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

constexpr std::int64_t kNow = 1'796'634'000;

class RecordingMessages : public MessagePort {
public:
    std::vector<QString> texts;
    void Show(QMessageBox::Icon, const QString&, const QString& text) override {
        texts.push_back(text);
    }
    bool AskYesNo(const QString&, const QString&) override { return true; }
};

class AnsweringFileDialogs : public FileDialogPort {
public:
    std::string answer;
    std::vector<FileDialogRequest> requests;
    std::string Run(const FileDialogRequest& request) override {
        requests.push_back(request);
        return answer;
    }
};

// A pupil file as a tutor leaves it: `wrongA` of 40 keystrokes of 'a' wrong.
void MakePupil(const fs::path& file, const std::string& name, const std::string& className,
               int sentences, int wrongA) {
    {
        HistoryStore store;
        ASSERT_EQ(store.Open(file.string(), name), StoreStatus::Ok);
        const PupilId pupil = *store.CurrentPupil();
        ASSERT_EQ(store.RenamePupil(pupil, name, className), PupilChange::Done);
        std::vector<KeystrokeRecord> keys;
        for (int i = 0; i < 40; ++i)
            keys.push_back({'a', i < wrongA ? 's' : 'a', 100});
        for (int i = 0; i < sentences; ++i) {
            SentenceRecord s;
            s.finishedAt = kNow - 3600 + i * 60;
            s.number = static_cast<std::int16_t>(i % 15 + 1);
            s.speed = 2.0f + static_cast<float>(sentences) / 10.0f;
            s.correct = 40;
            s.wrong = static_cast<std::int16_t>(wrongA);
            ASSERT_EQ(store.RecordSentence(pupil, s, keys), StoreStatus::Ok);
        }
    }
    HistoryDatabase(file.string(), false).Execute("PRAGMA journal_mode = DELETE");
}

class ClassWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        // One folder per test: ctest runs the cases side by side.
        root = fs::temp_directory_path() /
               (std::string("zentavo-class-window-") +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root / "classe");
        settings = (root / "Zentavo.ini").string();
        SaveClassFolder(settings, (root / "classe").string());
        MakePupil(root / "classe" / "anna.sqlite", "Anna", "3A", 3, 0);
        MakePupil(root / "classe" / "bruno.sqlite", "Bruno", "3B", 5, 8);
        MakePupil(root / "classe" / "carla.sqlite", "Carla", "3B", 1, 2);
        std::ofstream(root / "classe" / "rotto.sqlite") << "non un archivio";

        ports.messages = &messages;
        ports.fileDialogs = &dialogs;
        ports.now = [] { return kNow; };
        ports.openFile = [this](const QString& path) {
            opened.push_back(path);
            return true;
        };
        ports.showProgress = [this](QWidget*, const std::string& file, PupilId pupil) {
            HistoryStore copy;
            copy.Open(file, "");
            const auto info = copy.Pupil(pupil);
            progressOf.push_back(info ? info->name : "?");
            EXPECT_FALSE(fs::equivalent(file, root / "classe" / "bruno.sqlite"));
        };
    }
    void TearDown() override {
        window.reset();
        fs::remove_all(root);
    }
    void Open() {
        window = std::make_unique<frmClasse>(settings, UiTexts::BuiltIn(UiProgram::Editor),
                                             UiTexts::BuiltIn(UiProgram::Tutor),
                                             CsvConventionsOf("", true), ports);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        grid = window->findChild<QTableWidget*>(QStringLiteral("grdAlunni"));
        ASSERT_NE(grid, nullptr);
    }
    QString Cell(int row, RosterColumn column) const {
        const QTableWidgetItem* item = grid->item(row, static_cast<int>(column));
        return item != nullptr ? item->text() : QString();
    }
    QStringList NameColumn() const {
        QStringList names;
        for (int r = 0; r < grid->rowCount(); ++r)
            names << Cell(r, RosterColumn::Name);
        return names;
    }

    fs::path root;
    std::string settings;
    RecordingMessages messages;
    AnsweringFileDialogs dialogs;
    ClassWindowPorts ports;
    std::vector<QString> opened;
    std::vector<std::string> progressOf;
    std::unique_ptr<frmClasse> window;
    QTableWidget* grid = nullptr;
};

TEST_F(ClassWindowTest, ShowsOneRowPerFileWithTheUnreadableOneAndItsReason) {
    Open();
    EXPECT_EQ(NameColumn(), (QStringList{"Anna", "Bruno", "Carla", "rotto.sqlite"}));
    EXPECT_EQ(Cell(1, RosterColumn::Class), "3B");
    EXPECT_EQ(Cell(1, RosterColumn::Sentences), "5");
    EXPECT_EQ(Cell(1, RosterColumn::SpeedNow), "150"); // 2.5 characters a second
    EXPECT_EQ(Cell(1, RosterColumn::Accuracy), "83,3");
    EXPECT_EQ(Cell(3, RosterColumn::Class), QString::fromUtf8("non è un archivio di progressi"));
    EXPECT_EQ(grid->columnSpan(3, static_cast<int>(RosterColumn::Class)), 8);
    // The class's key map: 'a' got wrong 8 * 5 + 2 times in 360.
    const auto* map = window->findChild<KeyMapView*>(QStringLiteral("picMappaClasse"));
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->WorstKeysText(), "a");
    EXPECT_TRUE(window->findChild<QLabel*>(QStringLiteral("lblElencoTasti"))
                    ->text()
                    .contains(QStringLiteral("a (42 / 360, 11,7%)")));
}

TEST_F(ClassWindowTest, SortsByAClickedColumnAndFiltersByClass) {
    Open();
    QHeaderView* header = grid->horizontalHeader();
    const int speed = static_cast<int>(RosterColumn::SpeedNow);
    header->sectionClicked(speed);
    EXPECT_EQ(NameColumn(), (QStringList{"Carla", "Anna", "Bruno", "rotto.sqlite"}));
    header->sectionClicked(speed);
    EXPECT_EQ(NameColumn(), (QStringList{"Bruno", "Anna", "Carla", "rotto.sqlite"}));
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);

    auto* classes = window->findChild<QComboBox*>(QStringLiteral("cboClasse"));
    ASSERT_EQ(classes->count(), 3); // every class, 3A, 3B
    classes->setCurrentIndex(2);
    classes->activated(2);
    EXPECT_EQ(NameColumn(), (QStringList{"Bruno", "Carla", "rotto.sqlite"}));
    EXPECT_EQ(window->Summary().pupils, 2);
}

TEST_F(ClassWindowTest, DoubleClickOrEnterOpensTheProgressOfACopy) {
    Open();
    const auto doubleClick = [this](int row) {
        const QRect cell = grid->visualRect(grid->model()->index(row, 0));
        // A double click comes after the press and release of its first click.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    };
    doubleClick(1);
    EXPECT_EQ(progressOf, std::vector<std::string>{"Bruno"});
    doubleClick(3); // the unreadable file opens nothing
    EXPECT_EQ(progressOf.size(), 1u);
    grid->setCurrentCell(0, 0);
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(progressOf, (std::vector<std::string>{"Bruno", "Anna"}));
}

TEST_F(ClassWindowTest, ExportsTheShownRowsAsCsvAndPdf) {
    Open();
    window->ShowClass("3A");
    dialogs.answer = (root / "classe-3A.csv").string();
    EXPECT_TRUE(window->ExportCsv());
    ASSERT_EQ(dialogs.requests.size(), 1u);
    EXPECT_EQ(dialogs.requests[0].initialName, "Classe-3A.csv");
    std::ifstream csv(root / "classe-3A.csv", std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(csv)), std::istreambuf_iterator<char>());
    EXPECT_NE(content.find("\r\nAnna;3A;0;"), std::string::npos) << content;
    EXPECT_EQ(content.find("Bruno"), std::string::npos);

    dialogs.answer = (root / "classe.pdf").string();
    EXPECT_TRUE(window->ExportPdf());
    EXPECT_TRUE(fs::file_size(root / "classe.pdf") > 0);
    EXPECT_EQ(opened.size(), 1u);

    dialogs.answer = (root / "no-such-folder" / "classe.csv").string();
    EXPECT_FALSE(window->ExportCsv());
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_TRUE(messages.texts[0].startsWith(QStringLiteral("Impossibile scrivere il file:")));
}

TEST_F(ClassWindowTest, FolderDialogKeepsOnlyAWritableFolder) {
    Open();
    const ClassTexts texts = ClassTexts::From(UiTexts::BuiltIn(UiProgram::Editor));
    frmCartellaClasse dialog(settings, texts, &messages, {}, window.get());
    auto* path = dialog.findChild<QLineEdit*>(QStringLiteral("txtCartella"));
    EXPECT_EQ(path->text().toStdString(), (root / "classe").string());
    path->setText(QString::fromStdString((root / "missing").string()));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(LoadClassFolder(settings), (root / "classe").string());

    fs::create_directories(root / "other");
    path->setText(QString::fromStdString((root / "other").string()));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(LoadClassFolder(settings), (root / "other").string());
    window->Reload();
    EXPECT_EQ(grid->rowCount(), 0);
    EXPECT_FALSE(window->findChild<QPushButton*>(QStringLiteral("cmdCsv"))->isEnabled());
}

} // namespace
