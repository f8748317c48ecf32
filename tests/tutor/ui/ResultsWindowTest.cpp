#include "tutor/ui/frmClassifica.h"

#include "ResultsFakes.h"
#include "ResultsTestFigures.h"
#include "common/core/UiTexts.h"
#include "common/ui/Pictures.h"

#include <QEnterEvent>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace {

using namespace results_test;

class ResultsWindowTest : public ::testing::Test {
protected:
    UiTexts texts = UiTexts::BuiltIn(UiProgram::Tutor);
    FakeDialogs dialogs;
    FakeViewer viewer;
    PdfFilePrinter printer;
    std::vector<int> sounds;

    std::unique_ptr<frmClassifica> Open(std::int16_t levels, std::int16_t outcome = 1,
                                        bool soundsOn = true, std::int16_t difficulty = 0) {
        ResultsFigures figures = Figures(levels, outcome);
        figures.table.Difficulty = difficulty;
        ResultsWindowContext context;
        context.texts = &texts;
        context.backgroundTheme = 3;
        context.soundsOn = soundsOn;
        context.playSound = [this](int n) { sounds.push_back(n); };
        return std::make_unique<frmClassifica>(figures.table, context,
                                               ResultsWindowPorts{dialogs, viewer, printer});
    }

    template <class T> static T* Child(const frmClassifica& window, const char* name) {
        T* child = window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
};

TEST_F(ResultsWindowTest, OpensWithTheControlsOfTheResultsWindow) {
    auto window = Open(1);
    EXPECT_EQ(window->ResultsAnswer(), -1);
    EXPECT_EQ(window->size(), QSize(409, 594));
    EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    for (const char* name :
         {"lblTitolo(0)",  "lblTitolo(6)",  "lbllivelli(0)",   "lbllivelli(1)",   "lbllivelli(2)",
          "shpShadow(0)",  "shpShadow(2)",  "imgRisultato(0)", "imgRisultato(2)", "imgSimbolo(0)",
          "imgSimbolo(4)", "lblShowMess",   "shpBallon",       "cmdRisp(0)",      "cmdRisp(1)",
          "imgprinter(0)", "imgprinter(2)", "imgPdf(0)",       "imgPdf(2)",       "imgAnimate"}) {
        EXPECT_NE(window->findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
    }
    QString title;
    for (int i = 0; i < 7; ++i)
        title += Child<QLabel>(*window, QStringLiteral("lblTitolo(%1)").arg(i).toLatin1())->text();
    EXPECT_EQ(title, QStringLiteral("ZENTAVO"));
    auto* timer = window->findChild<QTimer*>(QStringLiteral("Timer1"));
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 300);
}

TEST_F(ResultsWindowTest, TitleLettersStandSixPixelsApartWithRoomForTheirFrames) {
    auto window = Open(1);
    for (int i = 1; i < 7; ++i) {
        const QRect before =
            Child<QLabel>(*window, QStringLiteral("lblTitolo(%1)").arg(i - 1).toLatin1())
                ->geometry();
        const QRect letter =
            Child<QLabel>(*window, QStringLiteral("lblTitolo(%1)").arg(i).toLatin1())->geometry();
        EXPECT_EQ(letter.left(), before.left() + before.width() + 6) << i;
        EXPECT_EQ(letter.top(), before.top());
    }
    const QRect first = Child<QLabel>(*window, "lblTitolo(0)")->geometry();
    EXPECT_GE(first.top(), 2) << "the two frame rings fit above the letters";
}

TEST_F(ResultsWindowTest, PlaysTheOpeningSoundOnlyWithSoundsOn) {
    auto loud = Open(1, 1, true);
    EXPECT_EQ(sounds, std::vector<int>{106});
    sounds.clear();
    auto quiet = Open(1, 1, false);
    EXPECT_TRUE(sounds.empty());
}

TEST_F(ResultsWindowTest, TakesCaptionsAndToolTipsFromTheTexts) {
    auto window = Open(2);
    EXPECT_EQ(Child<QPushButton>(*window, "cmdRisp(0)")->text(), QStringLiteral("&Continua"));
    EXPECT_EQ(Child<QPushButton>(*window, "cmdRisp(0)")->toolTip(),
              QStringLiteral("Ritorna all'esercizio precedente"));
    EXPECT_EQ(Child<QPushButton>(*window, "cmdRisp(1)")->text(), QStringLiteral("&Termina"));
    EXPECT_EQ(Child<QPushButton>(*window, "cmdRisp(1)")->toolTip(),
              QStringLiteral("Chiude il programma"));
    EXPECT_EQ(Child<QLabel>(*window, "imgprinter(0)")->toolTip(),
              QStringLiteral("Stampa la classifica"));
    EXPECT_EQ(Child<QLabel>(*window, "imgPdf(0)")->toolTip(), QStringLiteral("File PDF"));
    EXPECT_EQ(Child<QLabel>(*window, "lbllivelli(0)")->text(),
              QStringLiteral(" Risultati primo livello - categoria: Principiante"));
    EXPECT_EQ(Child<QLabel>(*window, "lbllivelli(1)")->text(),
              QStringLiteral(" Risultati secondo livello - categoria: Principiante"));
}

struct PanelCase {
    std::int16_t levels;
    std::vector<bool> visible; // headings and shadow boxes 0..2
    int rows;                  // rows written, averages included
};

class ResultsWindowPanels : public ResultsWindowTest,
                            public ::testing::WithParamInterface<PanelCase> {};

TEST_P(ResultsWindowPanels, ShowsOnePanelPerLevelReached) {
    auto window = Open(GetParam().levels);
    window->show();
    for (int k = 0; k < 3; ++k) {
        const QByteArray heading = QStringLiteral("lbllivelli(%1)").arg(k).toLatin1();
        const QByteArray shadow = QStringLiteral("shpShadow(%1)").arg(k).toLatin1();
        EXPECT_EQ(Child<QLabel>(*window, heading)->isVisible(), GetParam().visible[k]) << k;
        EXPECT_EQ(Child<QWidget>(*window, shadow)->isVisible(), GetParam().visible[k]) << k;
        const bool rated =
            !Child<QLabel>(*window, QStringLiteral("imgRisultato(%1)").arg(k).toLatin1())
                 ->pixmap()
                 .isNull();
        EXPECT_EQ(rated, GetParam().visible[k]) << k;
    }
    int labels = 0;
    for (const PrintedText& text : window->SheetTexts())
        labels += text.at.x() == 8.0;
    EXPECT_EQ(labels, GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(Levels, ResultsWindowPanels,
                         ::testing::Values(PanelCase{1, {true, false, false}, 6},
                                           PanelCase{2, {true, true, false}, 12},
                                           PanelCase{3, {true, true, true}, 18}));

TEST_F(ResultsWindowTest, WritesTheRowsAtTheirMillimetres) {
    auto window = Open(3);
    const std::vector<PrintedText>& sheet = window->SheetTexts();
    const auto find = [&sheet](const QString& text, double top) -> const PrintedText* {
        for (const PrintedText& t : sheet) {
            if (t.text == text && t.at.y() >= top && t.at.y() < top + 35)
                return &t;
        }
        return nullptr;
    };
    const double tops[3] = {15, 50, 85};
    for (double top : tops) {
        const PrintedText* first = nullptr;
        for (const PrintedText& t : sheet) {
            if (t.text.startsWith(QStringLiteral(" Frase1 ")) && t.at.y() == top)
                first = &t;
        }
        ASSERT_NE(first, nullptr) << top;
        EXPECT_EQ(first->colour, QColor(Qt::white));
        EXPECT_FALSE(first->font.bold());
        EXPECT_DOUBLE_EQ(first->font.pointSizeF(), 10.0);
    }
    const PrintedText* row = find(QStringLiteral(" Frase1 battute / min = 150"), 15);
    const PrintedText* label = nullptr;
    for (const PrintedText& t : sheet) {
        if (t.text == QStringLiteral("Punteggio") && t.at.y() == 15)
            label = &t;
    }
    const PrintedText* average = find(QStringLiteral("Media: battute / min = 99"), 15);
    ASSERT_TRUE(row && label && average);
    EXPECT_DOUBLE_EQ(label->at.x(), 62.0);
    EXPECT_EQ(average->colour, QColor(255, 255, 0));
    EXPECT_TRUE(average->font.bold());
    // The average row stands one millimetre below the fifth row's line.
    const PrintedText* fifth = find(QStringLiteral(" Frase5 battute / min = 90"), 15);
    ASSERT_NE(fifth, nullptr);
    const QFontMetricsF metrics(fifth->font, window.get());
    EXPECT_NEAR(average->at.y(),
                fifth->at.y() + metrics.lineSpacing() / frmClassifica::kPxPerMm + 1, 1e-9);
}

TEST_F(ResultsWindowTest, RightAlignsThePointsToEndNearEightyEightMillimetres) {
    auto window = Open(3);
    for (const PrintedText& text : window->SheetTexts()) {
        bool number = false;
        text.text.toInt(&number);
        if (!number)
            continue;
        const double width = QFontMetricsF(text.font, window.get()).horizontalAdvance(text.text) /
                             frmClassifica::kPxPerMm;
        EXPECT_NEAR(text.at.x() + width, 88.0, 0.75) << text.text.toStdString();
    }
}

TEST_F(ResultsWindowTest, ShowsEachLevelsRatingSymbol) {
    for (std::int16_t difficulty : {std::int16_t{0}, std::int16_t{1}}) {
        auto window = Open(3, 2, false, difficulty);
        // Averages 62, 40 and 80: symbols 3, 1 and 3.
        const int symbols[3] = {3, 1, 3};
        for (int k = 0; k < 3; ++k) {
            const QImage shown =
                Child<QLabel>(*window, QStringLiteral("imgRisultato(%1)").arg(k).toLatin1())
                    ->pixmap()
                    .toImage();
            const QImage symbol =
                Child<QLabel>(*window, QStringLiteral("imgSimbolo(%1)").arg(symbols[k]).toLatin1())
                    ->pixmap()
                    .toImage();
            EXPECT_EQ(shown, symbol) << k;
        }
        const QLabel* first = Child<QLabel>(*window, "imgSimbolo(0)");
        const QPixmap expected = Pictures::pixmap(difficulty == 1 ? 425 : 420,
                                                  first->pixmap().deviceIndependentSize().toSize());
        EXPECT_EQ(first->pixmap().toImage(), expected.toImage()) << difficulty;
        EXPECT_FALSE(first->isVisible());
    }
}

struct MessageCase {
    std::int16_t outcome;
    std::int16_t levels;
    QString message;
};

class ResultsWindowMessages : public ResultsWindowTest,
                              public ::testing::WithParamInterface<MessageCase> {};

TEST_P(ResultsWindowMessages, ShowsTheEndMessageInTheBalloon) {
    auto window = Open(GetParam().levels, GetParam().outcome);
    EXPECT_EQ(Child<QLabel>(*window, "lblShowMess")->text(), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, ResultsWindowMessages,
    ::testing::Values(
        MessageCase{1, 2,
                    QStringLiteral("Molto bene! Hai terminato l'esercizio di livello  2.\n\n"
                                   "Se vuoi continuare premi il pulsante: Continua.\n"
                                   "Se, invece, vuoi uscire dal programma, premi il pulsante: "
                                   "Termina")},
        MessageCase{2, 3,
                    QStringLiteral("Complimenti! Hai terminato l'eserczio di dattilografia.\n\n"
                                   "Se vuoi iniziare da capo premi il pulsante: Continua.\n"
                                   "Se, invece, vuoi uscire dal programma, premi il pulsante: "
                                   "Termina")},
        MessageCase{0, 1, QString()}));

struct AnswerCase {
    const char* button; // nullptr: the window is closed otherwise
    std::int16_t answer;
};

class ResultsWindowAnswers : public ResultsWindowTest,
                             public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(ResultsWindowAnswers, ReportsThePupilsAnswer) {
    auto window = Open(1);
    window->show();
    QSignalSpy finished(window.get(), &QDialog::finished);
    if (GetParam().button)
        QTest::mouseClick(Child<QPushButton>(*window, GetParam().button), Qt::LeftButton);
    else
        window->close();
    EXPECT_EQ(finished.count(), 1);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->ResultsAnswer(), GetParam().answer);
    EXPECT_FALSE(window->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
}

INSTANTIATE_TEST_SUITE_P(Buttons, ResultsWindowAnswers,
                         ::testing::Values(AnswerCase{"cmdRisp(0)", 0}, AnswerCase{"cmdRisp(1)", 1},
                                           AnswerCase{nullptr, -1}));

TEST_F(ResultsWindowTest, EscapeLeavesTheAnswerUnset) {
    auto window = Open(1);
    window->show();
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->ResultsAnswer(), -1);
}

TEST_F(ResultsWindowTest, WithoutAPrinterThePrintButtonIsDisabled) {
    printer.available = false;
    auto window = Open(1);
    EXPECT_FALSE(Child<QLabel>(*window, "imgprinter(0)")->isEnabled());
    EXPECT_TRUE(Child<QLabel>(*window, "imgPdf(0)")->isEnabled());
    printer.available = true;
    auto other = Open(1);
    EXPECT_TRUE(Child<QLabel>(*other, "imgprinter(0)")->isEnabled());
}

struct NameCase {
    const char* what;
    QString typed;
    std::vector<bool> answers; // to "Vuoi annullare la stampa?"
    bool goesOn;
    std::string name;
};

class ResultsWindowNames : public ResultsWindowTest,
                           public ::testing::WithParamInterface<NameCase> {};

TEST_P(ResultsWindowNames, AsksForTheName) {
    auto window = Open(1);
    dialogs.typedNames = {GetParam().typed};
    dialogs.yesNoAnswers.assign(GetParam().answers.begin(), GetParam().answers.end());
    EXPECT_EQ(window->AskPlayerName(), GetParam().goesOn) << GetParam().what;
    ASSERT_EQ(dialogs.textPrompts.size(), 1u);
    EXPECT_EQ(dialogs.textPrompts[0].title, QStringLiteral(" - Stampa dei risultati"));
    EXPECT_EQ(dialogs.textPrompts[0].text, QStringLiteral("Scrivi il tuo nome"));
    EXPECT_EQ(dialogs.questions.size(), GetParam().answers.size()) << GetParam().what;
    for (const FakeDialogs::Asked& question : dialogs.questions) {
        EXPECT_EQ(question.title, QStringLiteral("Zentavo"));
        EXPECT_EQ(question.text, QStringLiteral("Vuoi annullare la stampa?"));
    }
    if (GetParam().goesOn) {
        EXPECT_EQ(window->PlayerName(), GetParam().name) << GetParam().what;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ResultsWindowNames,
    ::testing::Values(NameCase{"a name", QStringLiteral("Mario"), {}, true, "Mario"},
                      NameCase{"accents", QStringLiteral("Nicolò"), {}, true, "Nicol\xF2"},
                      NameCase{"empty, give up", QString(), {true}, false, ""},
                      NameCase{"empty, go on", QString(), {false}, true, ""},
                      NameCase{"31 characters",
                               QStringLiteral("abcdefghijklmnopqrstuvwxyz01234"),
                               {},
                               true,
                               "abcdefghijklmnopqrstuvwxyz0123"},
                      NameCase{"30 characters",
                               QStringLiteral("abcdefghijklmnopqrstuvwxyz0123"),
                               {},
                               true,
                               "abcdefghijklmnopqrstuvwxyz0123"}));

TEST_F(ResultsWindowTest, PrintingSendsTheJobAndSaysSo) {
    auto window = Open(2);
    window->show();
    dialogs.typedNames = {QStringLiteral("Mario")};
    QTest::mousePress(Child<QLabel>(*window, "imgprinter(0)"), Qt::LeftButton);
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_TRUE(QFileInfo(printer.jobs[0]).size() > 0);
    const QString text = PdfText(printer.jobs[0]).simplified();
    EXPECT_TRUE(text.contains(QStringLiteral("Risultati ottenuti da: Mario")));
    EXPECT_TRUE(text.contains(QStringLiteral("Livello2")));
    EXPECT_FALSE(text.contains(QStringLiteral("Livello3")));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].icon, QMessageBox::Information);
    EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("Zentavo"));
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Stampa inviata alla stampante."));
}

TEST_F(ResultsWindowTest, AFailedPrintIsToldAndTheWindowStaysUsable) {
    printer.folder = QStringLiteral("/nonexistent-zentavo-folder");
    auto window = Open(1);
    window->show();
    dialogs.typedNames = {QStringLiteral("Mario")};
    window->PrintResults();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].icon, QMessageBox::Critical);
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Errore nella procedura di stampa."));
    EXPECT_TRUE(window->isVisible());
    QTest::mouseClick(Child<QPushButton>(*window, "cmdRisp(0)"), Qt::LeftButton);
    EXPECT_EQ(window->ResultsAnswer(), 0);
}

TEST_F(ResultsWindowTest, GivingUpAtTheNameNeitherPrintsNorExports) {
    auto window = Open(1);
    dialogs.typedNames = {QString(), QString()};
    dialogs.yesNoAnswers = {true, true};
    window->PrintResults();
    window->ExportResultsPdf();
    EXPECT_TRUE(printer.jobs.empty());
    EXPECT_TRUE(viewer.opened.empty());
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ResultsWindowTest, ExportsThePdfAndDeletesItWhenTheWindowUnloads) {
    auto window = Open(3, 2);
    window->show();
    dialogs.typedNames = {QStringLiteral("Anna/3B")};
    QTest::mousePress(Child<QLabel>(*window, "imgPdf(0)"), Qt::LeftButton);
    ASSERT_EQ(viewer.opened.size(), 1u);
    const QString file = viewer.opened[0];
    EXPECT_EQ(file, window->PdfPath());
    EXPECT_EQ(QFileInfo(file).fileName(), QStringLiteral("Anna_3B.pdf"));
    EXPECT_TRUE(QFileInfo::exists(file));
    ASSERT_NE(window->windowHandle(), nullptr);
    EXPECT_FALSE(window->windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(window->isVisible());
    const QString text = PdfText(file).simplified();
    EXPECT_TRUE(text.contains(QStringLiteral("Risultati ottenuti da: Anna/3B")));
    EXPECT_TRUE(text.contains(QStringLiteral("Digitazioni al minuto: 93")));
    const QString folder = window->PdfFolder();
    QTest::mouseClick(Child<QPushButton>(*window, "cmdRisp(1)"), Qt::LeftButton);
    window.reset();
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_FALSE(QFileInfo::exists(folder));
}

// Without a printer the print button looks and stays disabled whatever the
// mouse does over any of its three pictures: no hover or pressed picture
// lights it up, and no click asks for a name or starts a job.
TEST_F(ResultsWindowTest, ADisabledPrintButtonStaysGreyedAndDeaf) {
    printer.available = false;
    auto window = Open(1);
    window->show();
    const auto image = [&window](int i) {
        return Child<QLabel>(*window, QStringLiteral("imgprinter(%1)").arg(i).toLatin1());
    };
    const auto shown = [&image] {
        int visible = -1;
        for (int i = 0; i < 3; ++i)
            if (image(i)->isVisible())
                visible = visible == -1 ? i : 99;
        return visible;
    };
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(image(i)->isEnabled()) << i;
    const QPointF at(5, 5);
    for (int target = 0; target < 3; ++target) {
        SCOPED_TRACE(target);
        QEnterEvent enter(at, at, at);
        QApplication::sendEvent(image(target), &enter);
        EXPECT_EQ(shown(), 0);
        QMouseEvent press(QEvent::MouseButtonPress, at, at, Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(image(target), &press);
        EXPECT_EQ(shown(), 0);
        QMouseEvent release(QEvent::MouseButtonRelease, at, at, Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(image(target), &release);
        EXPECT_EQ(shown(), 0);
        QMouseEvent twice(QEvent::MouseButtonDblClick, at, at, Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(image(target), &twice);
        EXPECT_EQ(shown(), 0);
    }
    EXPECT_TRUE(dialogs.textPrompts.empty());
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(printer.jobs.empty());
    // The PDF button beside it still answers.
    QEnterEvent enter(at, at, at);
    QApplication::sendEvent(Child<QLabel>(*window, "imgPdf(0)"), &enter);
    EXPECT_TRUE(Child<QLabel>(*window, "imgPdf(1)")->isVisible());
}

TEST_F(ResultsWindowTest, ImageButtonsShowHoverAndPressedPictures) {
    auto window = Open(1);
    window->show();
    const auto shown = [&window](const char* button) {
        int visible = -1;
        for (int i = 0; i < 3; ++i) {
            if (Child<QLabel>(*window, QStringLiteral("%1(%2)").arg(button).arg(i).toLatin1())
                    ->isVisible())
                visible = visible == -1 ? i : 99;
        }
        return visible;
    };
    EXPECT_EQ(shown("imgprinter"), 0);
    EXPECT_EQ(shown("imgPdf"), 0);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(Child<QLabel>(*window, "imgPdf(0)"), &enter);
    EXPECT_EQ(shown("imgPdf"), 1);
    EXPECT_EQ(shown("imgprinter"), 0);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(Child<QLabel>(*window, "imgPdf(1)"), &leave);
    EXPECT_EQ(shown("imgPdf"), 0);

    // Pressed: the third picture shows while the name is asked.
    int shownWhileAsked = -1;
    dialogs.onAskText = [&] { shownWhileAsked = shown("imgprinter"); };
    dialogs.yesNoAnswers = {true};
    QTest::mousePress(Child<QLabel>(*window, "imgprinter(0)"), Qt::LeftButton);
    EXPECT_EQ(shownWhileAsked, 2);
    EXPECT_TRUE(printer.jobs.empty());
    for (int i = 0; i < 3; ++i) {
        QLabel* image = Child<QLabel>(*window, QStringLiteral("imgprinter(%1)").arg(i).toLatin1());
        if (image->isVisible())
            QTest::mouseRelease(image, Qt::LeftButton);
    }
    EXPECT_EQ(shown("imgprinter"), 1);
}

TEST_F(ResultsWindowTest, AnimatesTheIconThroughItsFourFrames) {
    auto window = Open(1);
    window->show();
    const QLabel* icon = Child<QLabel>(*window, "imgAnimate");
    std::vector<QImage> frames;
    for (int i = 0; i < 4; ++i)
        frames.push_back(Pictures::pixmap(400 + i, QSize(28, 28)).toImage());
    std::set<int> seen;
    for (int sample = 0; sample < 20 && seen.size() < 4; ++sample) {
        const QImage shown = icon->pixmap().toImage();
        for (int i = 0; i < 4; ++i) {
            if (shown == frames[static_cast<std::size_t>(i)])
                seen.insert(i);
        }
        QTest::qWait(150);
    }
    EXPECT_EQ(seen, (std::set<int>{0, 1, 2, 3}));
}

} // namespace
