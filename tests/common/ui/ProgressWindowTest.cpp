#include "common/ui/ProgressWindow.h"
#include "common/ui/KeyMapView.h"
#include "common/ui/Messages.h"
#include "common/ui/PupilChooser.h"
#include "common/ui/QtCp1252.h"

#include "../../history/HistoryTestSupport.h"

#include "common/core/Cp1252.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const char kAGrave = "à"_cp1252[0];
const char kOGrave = "ò"_cp1252[0];
constexpr std::int16_t kKeyAGrave = 40;

class FakeMessages : public MessagePort {
public:
    QStringList shown;
    QStringList asked;
    bool answer = true;
    void Show(QMessageBox::Icon, const QString&, const QString& text) override { shown << text; }
    bool AskYesNo(const QString&, const QString& text) override {
        asked << text;
        return answer;
    }
};

class ProgressTest : public ::testing::Test {
protected:
    void SetUp() override {
        UseRomeTime();
        ASSERT_TRUE(CanSave(store.Open(HistoryFile(folder), "Alunno")));
        ASSERT_EQ(store.AddPupil("Anna", "3B", &anna), PupilChange::Done);
        ASSERT_EQ(store.AddPupil("Bruno", "", &bruno), PupilChange::Done);
    }

    // Anna types "ò" five times where "à" was due, Bruno only right keys.
    void Practise(std::int64_t at) {
        std::vector<KeystrokeRecord> keys;
        AddKeystrokes(keys, kAGrave, kAGrave, 20, 300);
        AddKeystrokes(keys, kAGrave, kOGrave, 5, 300);
        AddKeystrokes(keys, 'l', 'l', 30, 250);
        ASSERT_EQ(store.RecordSentence(anna, Sentence(at, 2.0f, 50, 5, 30), keys), StoreStatus::Ok);
        std::vector<KeystrokeRecord> right;
        AddKeystrokes(right, kOGrave, kOGrave, 30, 300);
        ASSERT_EQ(store.RecordSentence(bruno, Sentence(at, 1.0f, 30, 0, 30), right),
                  StoreStatus::Ok);
    }

    ProgressWindowPorts Ports() {
        ProgressWindowPorts ports;
        ports.messages = &messages;
        ports.now = [this] { return now; };
        ports.openFile = [this](const QString& path) {
            opened << path;
            return true;
        };
        return ports;
    }

    TempFolder folder;
    HistoryStore store;
    PupilId anna = 0;
    PupilId bruno = 0;
    FakeMessages messages;
    QStringList opened;
    std::int64_t now = At(2026, 12, 8, 18);
    const UiTexts texts = UiTexts::BuiltIn(UiProgram::Tutor);
};

TEST_F(ProgressTest, EachPupilSeesOnlyTheirOwnWeakKeyAndConfusion) {
    Practise(At(2026, 12, 8, 10));
    ProgressWindow annaWindow(store, anna, texts, KeySplit::Classic, Ports());
    auto* map = annaWindow.findChild<KeyMapView*>(QStringLiteral("picMappaErrori"));
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->property("worstKeys").toString(), QStringLiteral("à"));
    EXPECT_EQ(map->Shades()[kKeyAGrave].colour, kShadeBad);
    const QString summary =
        annaWindow.findChild<QPlainTextEdit*>(QStringLiteral("txtConfusioni"))->toPlainText();
    EXPECT_TRUE(summary.contains(QStringLiteral("\"ò\" digitato al posto di \"à\": 5 volte")))
        << summary.toStdString();

    ProgressWindow brunoWindow(store, bruno, texts, KeySplit::Classic, Ports());
    EXPECT_EQ(brunoWindow.findChild<KeyMapView*>(QStringLiteral("picMappaErrori"))
                  ->property("worstKeys")
                  .toString(),
              QStringLiteral("nessuno"));
    EXPECT_TRUE(brunoWindow.Figures().topConfusions.empty());
}

TEST_F(ProgressTest, ThePeriodChosenDecidesWhichDaysCount) {
    Practise(At(2026, 12, 8, 10));
    Practise(At(2026, 9, 1, 10));
    ProgressWindow window(store, anna, texts, KeySplit::Classic, Ports());
    struct Case {
        Period period;
        std::int64_t sentences;
    };
    for (const Case c : {Case{Period::LastWeek, 1}, Case{Period::LastMonth, 1},
                         Case{Period::LastYear, 2}, Case{Period::All, 2}}) {
        window.SetPeriod(c.period);
        EXPECT_EQ(window.Figures().sentences, c.sentences) << static_cast<int>(c.period);
        EXPECT_EQ(window.ReportInput().period, c.period);
    }
    EXPECT_EQ(window.ReportInput().dateRange, "01/09/2026 - 08/12/2026");
}

TEST_F(ProgressTest, TheExportedPdfIsHandedToTheViewer) {
    Practise(At(2026, 12, 8, 10));
    ProgressWindow window(store, anna, texts, KeySplit::Classic, Ports());
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdPdf")), Qt::LeftButton);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened.front(), window.PdfPath());
    QFile pdf(window.PdfPath());
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-1.3"));
    EXPECT_TRUE(bytes.contains("(Progressi di: Anna    Classe: 3B) Tj"));
    EXPECT_TRUE(bytes.contains("(Tasti pi\xF9 deboli: \xE0) Tj"));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(ProgressTest, ADatabaseFileOpensOnItsOwnForReading) {
    Practise(At(2026, 12, 8, 10));
    store.Close();
    ProgressWindow window(HistoryFile(folder), anna, texts, KeySplit::Classic, Ports());
    EXPECT_TRUE(window.ReadOnlyFile());
    EXPECT_TRUE(window.windowTitle().contains(QStringLiteral("(sola lettura)")));
    EXPECT_EQ(window.Figures().wrong, 5);
}

TEST_F(ProgressTest, TheKeysOfThePersonalExerciseShowOnlyWhenThereAreAny) {
    Practise(At(2026, 12, 8, 10));
    ProgressWindow window(store, anna, texts, KeySplit::Classic, Ports());
    auto* aimed = window.findChild<QLabel*>(QStringLiteral("lblAllenamento"));
    ASSERT_NE(aimed, nullptr);
    EXPECT_TRUE(aimed->isHidden());

    window.SetAimedKeys(std::string("q") + kOGrave + kAGrave);
    EXPECT_FALSE(aimed->isHidden());
    EXPECT_EQ(aimed->text(), QStringLiteral("Allenamento personale su: q ò à"));

    window.SetAimedKeys("");
    EXPECT_TRUE(aimed->isHidden());

    const UiTexts english =
        UiTexts::FromFile(UiProgram::Tutor, ZENTAVO_SOURCE_DIR "/data/Lang/English.lng");
    ProgressWindow translated(store, anna, english, KeySplit::Classic, Ports());
    translated.SetAimedKeys("q");
    EXPECT_EQ(translated.findChild<QLabel*>(QStringLiteral("lblAllenamento"))->text(),
              QStringLiteral("Personal training on: q"));
}

TEST_F(ProgressTest, TheChooserAddsRenamesChoosesAndRefusesWithAReason) {
    PupilChooser chooser(store, texts, messages);
    auto* name = chooser.findChild<QLineEdit*>(QStringLiteral("txtNome"));
    auto* klass = chooser.findChild<QLineEdit*>(QStringLiteral("txtClasse"));
    auto* list = chooser.findChild<QListWidget*>(QStringLiteral("lstAlunni"));
    const auto click = [&chooser](const char* button) {
        QTest::mouseClick(chooser.findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
    };
    EXPECT_EQ(name->maxLength(), 30);

    name->setText(QStringLiteral("Carla"));
    klass->setText(QStringLiteral("4A"));
    click("cmdAggiungi");
    ASSERT_NE(list->currentItem(), nullptr);
    EXPECT_EQ(list->currentItem()->text(), QStringLiteral("Carla (4A)"));

    name->setText(QStringLiteral("Anna"));
    klass->setText(QStringLiteral("3B"));
    click("cmdAggiungi");
    name->clear();
    click("cmdAggiungi");
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[0], QStringLiteral("Esiste già un alunno con questo nome."));
    EXPECT_EQ(messages.shown[1], QStringLiteral("Il nome non può essere vuoto."));
    EXPECT_EQ(store.Pupils().size(), 4u);

    name->setText(QStringLiteral("Carla Rossi"));
    klass->setText(QStringLiteral("4A"));
    click("cmdRinomina");
    EXPECT_EQ(list->currentItem()->text(), QStringLiteral("Carla Rossi (4A)"));
    click("cmdScegli");
    ASSERT_TRUE(chooser.Chosen().has_value());
    EXPECT_EQ(store.CurrentPupil(), chooser.Chosen());
    EXPECT_EQ(store.Pupil(*chooser.Chosen())->name, "Carla Rossi");
}

TEST_F(ProgressTest, RemovingAPupilAsksFirstAndTakesTheHistoryAlong) {
    Practise(At(2026, 12, 8, 10));
    PupilChooser chooser(store, texts, messages);
    auto* list = chooser.findChild<QListWidget*>(QStringLiteral("lstAlunni"));
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text() == QStringLiteral("Anna (3B)"))
            list->setCurrentRow(i);
    messages.answer = false;
    chooser.cmdElimina_Click();
    EXPECT_EQ(messages.asked.size(), 1);
    EXPECT_TRUE(store.Pupil(anna).has_value());

    messages.answer = true;
    chooser.cmdElimina_Click();
    EXPECT_FALSE(store.Pupil(anna).has_value());
    EXPECT_EQ(store.Figures(anna, Period::All, now).sentences, 0);
    EXPECT_EQ(store.Figures(bruno, Period::All, now).sentences, 1);
    EXPECT_EQ(list->count(), 2);
}

} // namespace
