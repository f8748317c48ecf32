#include "tutor/ui/ResultsPdfExport.h"

#include "ResultsTestFigures.h"
#include "common/core/UiTexts.h"
#include "common/ui/Messages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

using results_test::Figures;
using results_test::PdfText;
using results_test::RunTool;

class FakeViewer : public FileViewerPort {
public:
    bool answer = true;
    std::vector<QString> opened;
    bool Open(const QString& path) override {
        opened.push_back(path);
        return answer;
    }
};

class FakeMessages : public MessagePort {
public:
    struct Shown {
        QMessageBox::Icon icon;
        QString title;
        QString text;
    };
    std::vector<Shown> shown;
    void Show(QMessageBox::Icon icon, const QString& title, const QString& text) override {
        shown.push_back({icon, title, text});
    }
    bool AskYesNo(const QString&, const QString&) override { return false; }
};

const std::string kDate = "luned\xEC, 03 marzo 2025 (10:15:00)";

class ResultsPdfExportTest : public ::testing::Test {
protected:
    FakeViewer viewer;
    FakeMessages messages;
};

TEST_F(ResultsPdfExportTest, WritesAValidDocumentIntoAPrivateFolderAndOpensIt) {
    QString folder;
    QString file;
    {
        ResultsPdfExport pdf(viewer, messages);
        ASSERT_TRUE(pdf.Export(Figures(3), "Mario Rossi", kDate));
        folder = pdf.FolderPath();
        file = pdf.FilePath();

        EXPECT_EQ(QFileInfo(file).fileName(), QStringLiteral("Mario Rossi.pdf"));
        EXPECT_EQ(QFileInfo(file).absolutePath(), QFileInfo(folder).absoluteFilePath());
        EXPECT_EQ(QFileInfo(folder).absolutePath(), QFileInfo(QDir::tempPath()).absoluteFilePath());
        EXPECT_NE(QFileInfo(folder).absoluteFilePath(),
                  QFileInfo(QDir::tempPath()).absoluteFilePath());
        struct stat status {};
        ASSERT_EQ(::stat(QFile::encodeName(folder).constData(), &status), 0);
        EXPECT_EQ(status.st_mode & 0777, 0700u);
        ASSERT_EQ(viewer.opened.size(), 1u);
        EXPECT_EQ(viewer.opened[0], file);
        EXPECT_TRUE(messages.shown.empty());

        const results_test::ToolResult check =
            RunTool(QStringLiteral("qpdf"), {QStringLiteral("--check"), file});
        EXPECT_EQ(check.exitCode, 0) << check.output.toStdString();
        EXPECT_TRUE(check.output.contains(QStringLiteral("No syntax or stream encoding errors")))
            << check.output.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_FALSE(QFileInfo::exists(folder));
}

TEST_F(ResultsPdfExportTest, TheDocumentShowsNameDateTablesAndTotals) {
    ResultsPdfExport pdf(viewer, messages);
    ASSERT_TRUE(pdf.Export(Figures(3), "Mario (3B) \\ Rossi", kDate));
    const QString text = PdfText(pdf.FilePath());
    const QStringList expected = {
        QStringLiteral("Zentavo"),
        QStringLiteral("Risultati ottenuti da: Mario (3B) \\ Rossi"),
        QStringLiteral("lunedì, 03 marzo 2025 (10:15:00)"),
        QStringLiteral("Livello1"),
        QStringLiteral("Livello2"),
        QStringLiteral("Livello3"),
        QStringLiteral("CategoriaPrincipiante"),
        QStringLiteral("Frase1 battute / min ="),
        QStringLiteral("Frase5 battute / min ="),
        QStringLiteral("Media: battute / min ="),
        QStringLiteral("Risultati complessivi dell'esercizio"),
        QStringLiteral("Digitazioni al minuto: 93"),
        QStringLiteral("Punteggio: 60"),
        QStringLiteral("- Totali errori di battitura: 3"),
        QStringLiteral("- Totali numero battute: 200"),
        QStringLiteral("- Rapporto errori/battute: 1,5%"),
        QStringLiteral("L'esercizio corrente è stato eseguito utilizzando le frasi interne."),
        QStringLiteral("Zentavo © gli autori di Zentavo"),
    };
    QString flat = text;
    flat.replace(QRegularExpression(QStringLiteral("[ ]+")), QStringLiteral(" "));
    for (const QString& piece : expected) {
        QString wanted = piece;
        wanted.replace(QRegularExpression(QStringLiteral("[ ]+")), QStringLiteral(" "));
        EXPECT_TRUE(flat.contains(wanted)) << piece.toStdString() << "\n" << text.toStdString();
    }
    // Each table reads as rows: label, speed, "Punteggio", points, in order.
    const QStringList firstRows = {
        QStringLiteral("Frase1 battute / min = 150 Punteggio 100"),
        QStringLiteral("Frase2 battute / min = 180 Punteggio 100"),
        QStringLiteral("Frase3 battute / min = 0 Punteggio 0"),
        QStringLiteral("Frase4 battute / min = 75 Punteggio 50"),
        QStringLiteral("Frase5 battute / min = 90 Punteggio 60"),
        QStringLiteral("Media: battute / min = 99 Punteggio 62"),
        QStringLiteral("Media: battute / min = 60 Punteggio 40"),
        QStringLiteral("Media: battute / min = 120 Punteggio 80"),
    };
    for (const QString& row : firstRows)
        EXPECT_TRUE(flat.contains(row)) << row.toStdString() << "\n" << text.toStdString();
    EXPECT_LT(flat.indexOf(QStringLiteral("Livello1")), flat.indexOf(QStringLiteral("Livello2")));
    EXPECT_LT(flat.indexOf(QStringLiteral("Livello2")), flat.indexOf(QStringLiteral("Livello3")));
    EXPECT_LT(flat.indexOf(QStringLiteral("Livello3")),
              flat.indexOf(QStringLiteral("Risultati complessivi")));
}

struct NameCase {
    const char* typed;
    const char* fileName;
};

class ResultsPdfFileNames : public ResultsPdfExportTest,
                            public ::testing::WithParamInterface<NameCase> {};

TEST_P(ResultsPdfFileNames, KeepsTheFileInsideThePrivateFolder) {
    ResultsPdfExport pdf(viewer, messages);
    ASSERT_TRUE(pdf.Export(Figures(1), GetParam().typed, kDate));
    const QFileInfo file(pdf.FilePath());
    EXPECT_EQ(file.fileName(), QString::fromLatin1(GetParam().fileName));
    EXPECT_EQ(file.absolutePath(), QFileInfo(pdf.FolderPath()).absoluteFilePath());
    EXPECT_TRUE(file.exists());
    const QString text = PdfText(pdf.FilePath());
    EXPECT_TRUE(text.contains(QStringLiteral("Risultati ottenuti da: ") +
                              QString::fromLatin1(GetParam().typed)))
        << text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Names, ResultsPdfFileNames,
                         ::testing::Values(NameCase{"../../etc/passwd", "_._etc_passwd.pdf"},
                                           NameCase{"..", "Zentavo.pdf"},
                                           NameCase{"", "Zentavo.pdf"},
                                           NameCase{"Anna/3B", "Anna_3B.pdf"},
                                           NameCase{"Zo\xEB", "Zo\xEB.pdf"}));

TEST_F(ResultsPdfExportTest, ASecondExportWithTheSameNameReplacesTheFile) {
    ResultsPdfExport pdf(viewer, messages);
    ASSERT_TRUE(pdf.Export(Figures(1), "Ugo", kDate));
    const QString first = pdf.FilePath();
    ASSERT_TRUE(pdf.Export(Figures(3), "Ugo", kDate));
    EXPECT_EQ(pdf.FilePath(), first);
    EXPECT_EQ(QDir(pdf.FolderPath()).entryList(QDir::Files).size(), 1);
    const QString text = PdfText(first).simplified();
    EXPECT_TRUE(text.contains(QStringLiteral("Digitazioni al minuto: 93"))) << text.toStdString();
}

TEST_F(ResultsPdfExportTest, AViewerThatCannotStartIsToldNamingTheFile) {
    viewer.answer = false;
    ResultsPdfExport pdf(viewer, messages);
    EXPECT_FALSE(pdf.Export(Figures(1), "Ugo", kDate));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, QMessageBox::Warning);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Attenzione!"));
    EXPECT_TRUE(messages.shown[0].text.contains(pdf.FilePath()))
        << messages.shown[0].text.toStdString();
    EXPECT_TRUE(QFileInfo::exists(pdf.FilePath()));
}

TEST_F(ResultsPdfExportTest, AFileThatCannotBeWrittenIsToldNamingTheFile) {
    ResultsPdfExport pdf(viewer, messages);
    ASSERT_TRUE(pdf.Export(Figures(1), "Ugo", kDate));
    // A folder where the file should go cannot be opened as a file, not
    // even by the superuser.
    ASSERT_TRUE(QFile::remove(pdf.FilePath()));
    ASSERT_TRUE(QDir(pdf.FolderPath()).mkdir(QStringLiteral("Ugo.pdf")));
    EXPECT_FALSE(pdf.Export(Figures(1), "Ugo", kDate));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, QMessageBox::Warning);
    EXPECT_TRUE(messages.shown[0].text.contains(pdf.FilePath()));
    EXPECT_TRUE(messages.shown[0].text.startsWith(QStringLiteral("Impossibile scrivere")));
    EXPECT_EQ(viewer.opened.size(), 1u) << "no viewer for a file not written";
}

// The failure messages are texts of the language in use, like every other:
// the shipped English file gives English, a file without them empty lines.
TEST_F(ResultsPdfExportTest, FailuresAreToldInTheLanguageInUse) {
    struct Case {
        const char* name;
        std::string lng;
        QString title;
        QString start;
    };
    const std::string shipped = std::string(ZENTAVO_SOURCE_DIR) + "/data/Lang/English.lng";
    QTemporaryDir scratch;
    const std::string bare = scratch.filePath(QStringLiteral("Bare.lng")).toStdString();
    QFile file(QString::fromStdString(bare));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Strings]\r\n0062=Careful!\r\n");
    file.close();
    const std::vector<Case> cases = {
        {"English", shipped, QStringLiteral("Warning!"),
         QStringLiteral("The results PDF file was written, but no program could open it:\r\n")},
        {"Bare", bare, QStringLiteral("Careful!"), QStringLiteral("\r\n")}};
    viewer.answer = false;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.shown.clear();
        ResultsPdfExport pdf(viewer, messages);
        pdf.SetTexts(UiTexts::FromFile(UiProgram::Tutor, c.lng));
        EXPECT_FALSE(pdf.Export(Figures(1), "Ugo", kDate));
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].title, c.title);
        EXPECT_TRUE(messages.shown[0].text.startsWith(c.start))
            << messages.shown[0].text.toStdString();
        EXPECT_TRUE(messages.shown[0].text.endsWith(QDir::toNativeSeparators(pdf.FilePath())));
    }
}

TEST_F(ResultsPdfExportTest, ATemporaryFolderThatCannotBeUsedIsTold) {
    const QByteArray saved = qgetenv("TMPDIR");
    qputenv("TMPDIR", "/nonexistent-zentavo-folder/sub");
    ResultsPdfExport pdf(viewer, messages);
    const bool exported = pdf.Export(Figures(1), "Ugo", kDate);
    if (saved.isEmpty())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", saved);
    EXPECT_FALSE(exported);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("Ugo.pdf")));
    EXPECT_TRUE(viewer.opened.empty());
}

} // namespace
