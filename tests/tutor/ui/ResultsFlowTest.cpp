// A level and a whole exercise finished through the real main window and
// the real results window, each answer pressed as the pupil presses it.
#include "ResultsFakes.h"
#include "ResultsTestFigures.h"
#include "TutorTestEnvironment.h"
#include "common/ui/Pictures.h"
#include "tutor/ui/LevelEndFlow.h"
#include "tutor/ui/ZentavoWidgets.h"

#include <QComboBox>
#include <QPushButton>
#include <QSettings>

#include <deque>

namespace {

using namespace results_test;

enum class Answer { Continue, End, Close };

// What one results window showed when it opened.
struct Opened {
    std::int16_t levelsReached = 0;
    std::int16_t outcome = 0;
    std::vector<bool> headings;
    QString message;
    int rows = 0;
};

// Five sentences a level, taken in order: quick to type.
const char* const kShortExercise = "==============================================\r\n"
                                   "\r\n"
                                   "[Editor Zentavo]\r\n"
                                   "Versione=3.0.0\r\n"
                                   "[Livello1]\r\n"
                                   "1=ab\r\n2=cd\r\n3=ef\r\n4=gh\r\n5=il\r\n"
                                   "[Livello2]\r\n"
                                   "1=Mo\r\n2=No\r\n3=Pi\r\n4=Qu\r\n5=Re\r\n"
                                   "[Livello3]\r\n"
                                   "1=s¦¦t\r\n2=u¦¦v\r\n3=z¦¦a\r\n4=b¦¦c\r\n5=d¦¦e\r\n";

class ResultsFlow : public TutorWindowTest {
protected:
    FakeDialogs dialogs;
    FakeViewer viewer;
    PdfFilePrinter printer;
    LevelEndFlow flow{ResultsWindowPorts{dialogs, viewer, printer}};
    std::deque<Answer> answers;
    std::vector<Opened> opened;

    void OpenWithResults() {
        TutorEnvironment environment = Environment();
        environment.results = &flow;
        window = std::make_unique<frmZentavo>(environment);
        flow.Attach(window.get(), [this] { return ResultsContextOf(*window, &sounds); });
        flow.SetWhileOpen([this](frmClassifica& shown) { Reply(shown); });
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        QTRY_VERIFY_WITH_TIMEOUT(window->Run().Screen().startEnabled, 5000);
    }

    void Reply(frmClassifica& shown) {
        Opened seen;
        seen.levelsReached = shown.Figures().table.LevelsReached;
        seen.outcome = shown.Figures().table.ResultsOutcome;
        for (int k = 0; k < 3; ++k)
            seen.headings.push_back(
                shown.findChild<QWidget*>(QStringLiteral("lbllivelli(%1)").arg(k))->isVisible());
        seen.message = shown.findChild<QLabel*>(QStringLiteral("lblShowMess"))->text();
        for (const PrintedText& text : shown.SheetTexts())
            seen.rows += text.at.x() == 8.0;
        opened.push_back(seen);

        const Answer answer = answers.empty() ? Answer::Close : answers.front();
        if (!answers.empty())
            answers.pop_front();
        switch (answer) {
        case Answer::Continue:
            QTest::mouseClick(shown.findChild<QPushButton*>(QStringLiteral("cmdRisp(0)")),
                              Qt::LeftButton);
            break;
        case Answer::End:
            QTest::mouseClick(shown.findChild<QPushButton*>(QStringLiteral("cmdRisp(1)")),
                              Qt::LeftButton);
            break;
        case Answer::Close:
            shown.close();
            break;
        }
    }

    // Types the rest of the sentence on screen.
    void FinishSentence() {
        const SentenceRun& s = window->Run().Sentence();
        const std::string rest = s.CurrentSentence.substr(static_cast<size_t>(s.Position - 1));
        QString text = QString::fromStdString(Cp1252ToUtf8(rest));
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        Type(text);
        ASSERT_TRUE(window->Run().Sentence().SentenceDone);
    }

    // Enter, and the results window answered when it opens: the start goes
    // on with the answer once the window has closed.
    void EnterPastTheResults() {
        Enter();
        ASSERT_TRUE(WaitUntil([this] { return !window->Run().AwaitingResults(); }));
    }

    // Requests, types and closes sentences up to the last one given, each
    // in ten clock seconds from its first keystroke to its last.
    void PlayThrough(int last) {
        while (window->Run().SentenceNumber() < last) {
            EnterPastTheResults();
            const std::string& sentence = window->Run().Sentence().CurrentSentence;
            Type(QString::fromStdString(Cp1252ToUtf8(sentence.substr(0, 1))));
            clock.now += 10;
            FinishSentence();
            EndPause();
        }
    }

    QString IniValue(const QString& key) const {
        QSettings ini(folder.filePath(QStringLiteral("Zentavo.ini")), QSettings::IniFormat);
        return ini.value(key).toString();
    }
};

TEST_F(ResultsFlow, ContinueAfterLevelOneGoesOnWithSentenceOneOfLevelTwo) {
    OpenWithResults();
    answers = {Answer::Continue};
    PlayThrough(5);
    sounds.played.clear();
    EnterPastTheResults();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].levelsReached, 1);
    EXPECT_EQ(opened[0].outcome, 1);
    EXPECT_EQ(opened[0].headings, (std::vector<bool>{true, false, false}));
    EXPECT_EQ(opened[0].rows, 6);
    EXPECT_TRUE(opened[0].message.startsWith(
        QStringLiteral("Molto bene! Hai terminato l'esercizio di livello  1.")));
    EXPECT_EQ(sounds.count(106), 1);

    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->Run().SentenceNumber(), 6);
    EXPECT_EQ(window->Run().LevelsReached(), 2);
    EXPECT_EQ(LabelText(QStringLiteral("lblNumFrase")), QStringLiteral("1"));
    EXPECT_TRUE(Caption().startsWith(QStringLiteral("Zentavo - Frasi interne")));
    EXPECT_TRUE(Caption().simplified().endsWith(QStringLiteral("Secondo livello: frase 1")))
        << Caption().toStdString();
}

struct EndingCase {
    const char* what;
    Answer answer;
};

class ResultsFlowEnding : public ResultsFlow, public testing::WithParamInterface<EndingCase> {};

TEST_P(ResultsFlowEnding, AnyOtherAnswerEndsTheProgramWithTheSettingsSaved) {
    OpenWithResults();
    answers = {GetParam().answer};
    PlayThrough(5);
    EnterPastTheResults();
    ASSERT_EQ(opened.size(), 1u) << GetParam().what;
    QTRY_VERIFY(!window->isVisible());
    EXPECT_EQ(IniValue(QStringLiteral("Options/Song")), QStringLiteral("1")) << GetParam().what;
    EXPECT_EQ(window->Run().Results().ResultsAnswer, GetParam().answer == Answer::End ? 1 : -1);
}

INSTANTIATE_TEST_SUITE_P(Answers, ResultsFlowEnding,
                         testing::Values(EndingCase{"Termina", Answer::End},
                                         EndingCase{"closed", Answer::Close}));

TEST_F(ResultsFlow, ACommandLineExerciseStartsAgainAfterTheWholeExercise) {
    WriteCp1252File(folder.filePath(QStringLiteral("Esercizi/breve.ftd")), kShortExercise);
    commandLine = "breve.ftd";
    OpenWithResults();
    answers = {Answer::Continue, Answer::Continue, Answer::Continue};
    PlayThrough(15);
    EXPECT_FALSE(LabelText(QStringLiteral("lblMediaLevel(2)")).isEmpty());
    EnterPastTheResults();
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened[1].levelsReached, 2);
    EXPECT_EQ(opened[1].headings, (std::vector<bool>{true, true, false}));
    EXPECT_EQ(opened[1].rows, 12);
    EXPECT_EQ(opened[2].levelsReached, 3);
    EXPECT_EQ(opened[2].outcome, 2);
    EXPECT_EQ(opened[2].headings, (std::vector<bool>{true, true, true}));
    EXPECT_EQ(opened[2].rows, 18);
    EXPECT_TRUE(opened[2].message.startsWith(QStringLiteral("Complimenti!")));

    EXPECT_EQ(window->Run().SentenceNumber(), 1);
    EXPECT_EQ(window->Run().LevelsReached(), 1);
    EXPECT_EQ(window->Run().TotalCorrect(), 0);
    EXPECT_EQ(window->Run().TotalWrong(), 0);
    EXPECT_EQ(Control<SentenceDisplay>(QStringLiteral("lblFraseCorr"))->Text(),
              QStringLiteral("abab"));
    for (int k = 0; k < 3; ++k)
        EXPECT_TRUE(LabelText(QStringLiteral("lblMediaLevel(%1)").arg(k)).isEmpty()) << k;
    EXPECT_EQ(LabelText(QStringLiteral("lblNumFrase")), QStringLiteral("1"));
    EXPECT_EQ(LabelText(QStringLiteral("lblNumBatt(0)")), QStringLiteral("0/0"));
}

TEST_F(ResultsFlow, WithAListTheWholeExerciseReturnsToTheStartScreen) {
    WriteCp1252File(folder.filePath(QStringLiteral("Esercizi/breve.ftd")), kShortExercise);
    OpenWithResults();
    auto* list = Control<QComboBox>(QStringLiteral("cboFileFTD"));
    ASSERT_TRUE(list->isVisible());
    answers = {Answer::Continue, Answer::Continue, Answer::Continue};
    PlayThrough(15);
    EnterPastTheResults();
    ASSERT_EQ(opened.size(), 3u);
    QTRY_VERIFY_WITH_TIMEOUT(window->Run().Screen().startEnabled, 5000);
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(Caption(), QStringLiteral("Zentavo"));
    EXPECT_EQ(window->Run().SentenceNumber(), 0);
    EXPECT_EQ(window->Run().Screen().face, (ErrorFace{'K', false}));
    auto* face = Control<QLabel>(QStringLiteral("lblSmile"));
    EXPECT_EQ(face->pixmap().toImage(),
              Pictures::pixmap(Pictures::Role::FaceNeutral, face->size()).toImage());
    EXPECT_EQ(LabelText(QStringLiteral("lblNumFrase")), QString());
    EXPECT_TRUE(Control(QStringLiteral("picLevel"))->isVisible());

    // The next exercise begins from its first sentence.
    Enter();
    EXPECT_EQ(window->Run().SentenceNumber(), 1);
    EXPECT_EQ(window->Run().LevelsReached(), 1);
}

TEST_F(ResultsFlow, RestartWhileTheFifthSentenceShowsOpensTheResultsFirst) {
    OpenWithResults();
    answers = {Answer::Continue};
    PlayThrough(4);
    Enter();
    ASSERT_EQ(window->Run().SentenceNumber(), 5);
    Type(QStringLiteral("i"));
    messages.answers = {true};
    QTest::mouseClick(Control(QStringLiteral("lblMenu(1)")), Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([this] { return !window->Run().AwaitingResults(); }));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].levelsReached, 1);
    QTRY_VERIFY_WITH_TIMEOUT(window->Run().Screen().startEnabled, 5000);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(Caption(), QStringLiteral("Zentavo"));
    EXPECT_EQ(window->Run().SentenceNumber(), 0);
}

TEST_F(ResultsFlow, TheResultsWindowPrintsAndExportsTheFiguresOfTheMainWindow) {
    WriteCp1252File(folder.filePath(QStringLiteral("Esercizi/breve.ftd")), kShortExercise);
    commandLine = "breve.ftd";
    OpenWithResults();
    PlayThrough(5);
    dialogs.typedNames = {QStringLiteral("Luca"), QStringLiteral("Luca")};
    QString pdf;
    flow.SetWhileOpen([&](frmClassifica& shown) {
        shown.PrintResults();
        shown.ExportResultsPdf();
        pdf = shown.PdfPath();
        EXPECT_TRUE(QFileInfo::exists(pdf));
        QTest::mouseClick(shown.findChild<QPushButton*>(QStringLiteral("cmdRisp(0)")),
                          Qt::LeftButton);
    });
    EnterPastTheResults();
    ASSERT_EQ(printer.jobs.size(), 1u);
    ASSERT_EQ(viewer.opened.size(), 1u);
    EXPECT_FALSE(QFileInfo::exists(pdf)) << "deleted when the window unloaded";
    // Five sentences of four characters ("ab" is typed twice) in 10 s each:
    // 0.4 a second, 24 a minute, 16 points at Principiante.
    const QString printed = PdfText(printer.jobs[0]).simplified();
    EXPECT_TRUE(printed.contains(QStringLiteral("Frase1 battute / min = 24 Punteggio 16")))
        << printed.toStdString();
    EXPECT_TRUE(printed.contains(
        QStringLiteral("L'esercizio corrente è stato eseguito utilizzando il file breve.ftd")))
        << printed.toStdString();
    EXPECT_EQ(window->Run().SentenceNumber(), 6);
}

} // namespace
