#include "tutor/ui/ResultsPrinter.h"

#include "ResultsTestFigures.h"
#include "common/ui/Pictures.h"
#include "tutor/ui/ResultsPrintCursor.h"

#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <optional>

namespace {

using results_test::Figures;
using results_test::PdfText;
using results_test::RunTool;

// Three millimetres a digit: easy to follow by hand.
int FakeNumberWidth(int n) {
    return 3 * static_cast<int>(std::to_string(n).size());
}

ResultsPrintInput Input() {
    return ResultsPrintInput{QStringLiteral("Mario Rossi"), QStringLiteral("3 marzo 2025"),
                             FakeNumberWidth};
}

// A printer that writes a PDF file in place of paper.
std::unique_ptr<QPrinter> PdfPrinter(const QString& path) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    return printer;
}

// Paints the page onto a PDF printer and keeps the record of it.
struct PaintedPage {
    bool ok = false;
    std::vector<PrintedText> texts;
    std::vector<PrintedPicture> pictures;

    const PrintedText* Find(const QString& text) const {
        for (const PrintedText& t : texts) {
            if (t.text == text)
                return &t;
        }
        return nullptr;
    }
};

PaintedPage Paint(const ResultsFigures& figures) {
    QTemporaryDir folder;
    auto printer = PdfPrinter(folder.filePath(QStringLiteral("page.pdf")));
    QPainter painter(printer.get());
    ResultsPrintCursor cursor(printer.get(), &painter);
    PaintedPage page;
    page.ok = ResultsPrintout(figures, Input()).Paint(cursor);
    page.texts = cursor.Texts();
    page.pictures = cursor.Pictures();
    return page;
}

TEST(ResultsPrint, PrintsOneValidPageWithHeaderTablesAndTotals) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("results.pdf"));
    auto printer = PdfPrinter(path);
    ASSERT_TRUE(ResultsPrintout(Figures(3), Input()).Print(*printer));

    const results_test::ToolResult check = RunTool(QStringLiteral("qpdf"), {"--check", path});
    EXPECT_EQ(check.exitCode, 0) << check.output.toStdString();
    EXPECT_EQ(printer->pageLayout().pageSize().id(), QPageSize::A4);
    EXPECT_EQ(printer->pageLayout().orientation(), QPageLayout::Portrait);

    const QString text = PdfText(path).simplified();
    for (const char* piece :
         {"Zentavo", "Risultati ottenuti da: Mario Rossi", "3 marzo 2025", "Livello1", "Livello2",
          "Livello3", "Frase1 battute / min = 150 Punteggio 100",
          "Frase3 battute / min = 0 Punteggio 0", "Media: battute / min = 99 Punteggio 62",
          "Media: battute / min = 120 Punteggio 80", "Risultati complessivi dell'esercizio",
          "Digitazioni al minuto: 93", "Punteggio: 60", "- Totali errori di battitura: 3",
          "- Totali numero battute: 200", "- Rapporto errori/battute: 1,5%",
          "Zentavo \xC2\xA9 gli autori di Zentavo"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(piece))) << piece << "\n" << text.toStdString();
    }
}

TEST(ResultsPrint, PrintsOnlyTheLevelsReached) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("one.pdf"));
    auto printer = PdfPrinter(path);
    ASSERT_TRUE(ResultsPrintout(Figures(1), Input()).Print(*printer));
    const QString text = PdfText(path).simplified();
    EXPECT_TRUE(text.contains(QStringLiteral("Livello1")));
    EXPECT_FALSE(text.contains(QStringLiteral("Livello2")));
    EXPECT_FALSE(text.contains(QStringLiteral("Livello3")));
    EXPECT_TRUE(text.contains(QStringLiteral("Digitazioni al minuto: 99")));
    EXPECT_TRUE(text.contains(QStringLiteral("Punteggio: 62")));
}

TEST(ResultsPrint, AJobThatCannotStartIsNotSent) {
    auto printer = PdfPrinter(QStringLiteral("/nonexistent-zentavo-folder/results.pdf"));
    EXPECT_FALSE(ResultsPrintout(Figures(3), Input()).Print(*printer));
}

struct Placed {
    const char* text;
    double x;
    std::optional<double> y;
};

class ResultsPrintPlacement : public ::testing::TestWithParam<Placed> {};

TEST_P(ResultsPrintPlacement, PutsTheTextAtTheCursor) {
    const PaintedPage page = Paint(Figures(3));
    EXPECT_TRUE(page.ok);
    const PrintedText* text = page.Find(QString::fromLatin1(GetParam().text));
    ASSERT_NE(text, nullptr) << GetParam().text;
    EXPECT_NEAR(text->at.x(), GetParam().x, 1e-6) << GetParam().text;
    if (GetParam().y) {
        EXPECT_NEAR(text->at.y(), *GetParam().y, 1e-6) << GetParam().text;
    }
}

// Points end at 130 less the number's width less 1: "100" is 9 mm wide in
// the fake, "0" 3 mm.
INSTANTIATE_TEST_SUITE_P(
    Page, ResultsPrintPlacement,
    ::testing::Values(
        Placed{"Zentavo", 15, 15}, Placed{"Risultati ottenuti da: Mario Rossi", 15, 30},
        Placed{"3 marzo 2025", 130, 30}, Placed{" Livello1", 15, 48}, Placed{" Livello2", 15, 106},
        Placed{" Livello3", 15, 164}, Placed{" CategoriaPrincipiante", 100, 48},
        Placed{" Frase1 battute / min = 150", 20, std::nullopt},
        Placed{"100", 130 - 9 - 1, std::nullopt}, Placed{"0", 130 - 3 - 1, std::nullopt},
        Placed{"Media: battute / min = 99", 20, std::nullopt},
        Placed{"62", 130 - 6 - 1, std::nullopt},
        Placed{"Risultati complessivi dell'esercizio", 15, std::nullopt},
        Placed{"Digitazioni al minuto:  93", 20, std::nullopt},
        Placed{"Punteggio: 60", 100, std::nullopt},
        Placed{"- Totali errori di battitura: 3", 20, std::nullopt},
        Placed{"- Rapporto errori/battute: 1,5%", 20, std::nullopt},
        Placed{"L'esercizio corrente \xE8 stato eseguito utilizzando le frasi "
               "interne.",
               15, 276}));

TEST(ResultsPrint, RowsFollowTheHeadingLineByLine) {
    const PaintedPage page = Paint(Figures(3));
    const PrintedText* heading = page.Find(QStringLiteral(" CategoriaPrincipiante"));
    const PrintedText* rule = nullptr;
    for (const PrintedText& t : page.texts) {
        if (t.text.startsWith(QStringLiteral("-----")) && t.at.y() > 48) {
            rule = &t;
            break;
        }
    }
    const PrintedText* row1 = page.Find(QStringLiteral(" Frase1 battute / min = 150"));
    const PrintedText* row2 = page.Find(QStringLiteral(" Frase2 battute / min = 180"));
    const PrintedText* average = page.Find(QStringLiteral("Media: battute / min = 99"));
    ASSERT_TRUE(heading && rule && row1 && row2 && average);
    const double line = row2->at.y() - row1->at.y();
    EXPECT_GT(line, 4.0); // 12 points and a little leading
    EXPECT_LT(line, 6.0);
    EXPECT_EQ(rule->text.size(), 120);
    EXPECT_GT(rule->at.y(), heading->at.y());
    EXPECT_NEAR(row1->at.y(), rule->at.y() + 2 * line, 1e-6);
    EXPECT_NEAR(average->at.y(), row1->at.y() + 6 * line, 1e-6);
    EXPECT_TRUE(average->font.bold());
    EXPECT_FALSE(row1->font.bold());
    EXPECT_EQ(heading->colour, QColor(Qt::black));
    EXPECT_EQ(page.Find(QStringLiteral(" Livello1"))->colour, QColor(0, 255, 0));
    EXPECT_EQ(page.Find(QStringLiteral(" Livello2"))->colour, QColor(230, 194, 0));
    EXPECT_EQ(page.Find(QStringLiteral(" Livello3"))->colour, QColor(255, 0, 0));
    EXPECT_EQ(page.Find(QStringLiteral("Risultati complessivi dell'esercizio"))->colour,
              QColor(0, 0, 255));
}

struct PictureCase {
    const char* what;
    std::int16_t difficulty;
    std::vector<int> symbols; // icons of levels 1..3 and of the whole exercise
};

class ResultsPrintSymbols : public ::testing::TestWithParam<PictureCase> {};

TEST_P(ResultsPrintSymbols, PaintsTheRatingSymbolsBesideEachTable) {
    ResultsFigures figures = Figures(3);
    figures.table.Difficulty = GetParam().difficulty;
    const PaintedPage page = Paint(figures);
    const std::vector<QRectF> places = {QRectF(164, 70, 14, 14), QRectF(164, 130, 14, 14),
                                        QRectF(164, 187, 14, 14), QRectF(164, 250, 14, 14)};
    for (std::size_t i = 0; i < places.size(); ++i) {
        const QString want = Pictures::path(GetParam().symbols[i]);
        bool found = false;
        for (const PrintedPicture& picture : page.pictures)
            found |= picture.at == places[i] && picture.picture == want;
        EXPECT_TRUE(found) << GetParam().what << " symbol " << i;
    }
    bool keyboard = false;
    for (const PrintedPicture& picture : page.pictures)
        keyboard |= picture.at == QRectF(167, 9, 15, 15) &&
                    picture.picture == Pictures::path(Pictures::Role::ReportKeyboard);
    EXPECT_TRUE(keyboard);
}

// Averages 62, 40 and 80, overall 60: bands 3, 1, 3 and 2.
INSTANTIATE_TEST_SUITE_P(Difficulties, ResultsPrintSymbols,
                         ::testing::Values(PictureCase{"Principiante", 0, {423, 421, 423, 422}},
                                           PictureCase{"Esperto", 1, {428, 426, 428, 427}}));

struct FaceCase {
    int wrong;
    int correct;
    float factor;
    Pictures::Role face;
};

class ResultsPrintFace : public ::testing::TestWithParam<FaceCase> {};

TEST_P(ResultsPrintFace, ShowsTheErrorFaceBesideTheRatio) {
    ResultsFigures figures = Figures(3);
    figures.table.TotalWrong = static_cast<std::int16_t>(GetParam().wrong);
    figures.table.TotalCorrect = static_cast<std::int16_t>(GetParam().correct);
    figures.table.PointsFactor = GetParam().factor;
    const PaintedPage page = Paint(figures);
    const PrintedPicture* face = nullptr;
    for (const PrintedPicture& picture : page.pictures) {
        if (picture.at.x() == 85)
            face = &picture;
    }
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->picture, Pictures::path(GetParam().face));
    EXPECT_GT(face->at.y(), 250);
    EXPECT_LT(face->at.bottom(), 276);
}

INSTANTIATE_TEST_SUITE_P(Ratios, ResultsPrintFace,
                         ::testing::Values(FaceCase{0, 0, 0.4f, Pictures::Role::FaceSmile},
                                           FaceCase{3, 100, 0.2f, Pictures::Role::FaceNeutral},
                                           FaceCase{3, 100, 0.4f, Pictures::Role::FaceSmile},
                                           FaceCase{11, 100, 0.4f, Pictures::Role::FaceSadRed},
                                           FaceCase{9, 100, 0.4f, Pictures::Role::FaceSad}));

} // namespace
