// Input that arrives while the tutor runs one of its sequences after the
// start screen: the pause after a sentence, the same pause with the record
// animation, the level end (while the results are shown) and the map
// window's slide. Each key or click is sent to the real window at that
// moment; the test checks its fate and that the next sentence then starts
// with Enter and takes its first keystroke.
#include "TutorTestEnvironment.h"

#include "common/core/Cp1252.h"
#include "tutor/core/TutorSounds.h"
#include "tutor/ui/ZentavoWidgets.h"
#include "tutor/ui/frmTransparency.h"

#include <functional>
#include <ostream>

namespace {

// A results window that takes the input while it is open.
class ResultsTakingInput : public ResultsPresenter {
public:
    void ShowResults(const ResultsTable&, Answered answered) override {
        ++shown;
        if (whileOpen)
            whileOpen();
        answered(0);
    }
    std::function<void()> whileOpen;
    int shown = 0;
};

class SequenceInput : public TutorWindowTest {
public:
    using TutorWindowTest::EndPause;
    using TutorWindowTest::Enter;
    using TutorWindowTest::help;
    using TutorWindowTest::messages;
    using TutorWindowTest::sounds;
    using TutorWindowTest::Type;
    using TutorWindowTest::window;

    void TearDown() override {
        window.reset();
        frmTransparency::SetPlatform(frmTransparency::DefaultPlatform());
    }
    void OpenWith(bool mapWindow) {
        TutorEnvironment e = Environment();
        e.results = &presenter;
        e.mapWindow = mapWindow;
        window = std::make_unique<frmZentavo>(e);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        ASSERT_TRUE(WaitUntil([this] { return window->Run().Screen().startEnabled; }));
    }
    // Types what is left of the sentence.
    void FinishSentence() {
        const SentenceRun& s = window->Run().Sentence();
        QString text = QString::fromStdString(
            Cp1252ToUtf8(s.CurrentSentence.substr(static_cast<size_t>(s.Position - 1))));
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        Type(text);
        ASSERT_TRUE(window->Run().Sentence().SentenceDone);
    }
    // A sentence typed in `seconds`, then its pause waited out.
    void TypeSentenceIn(int seconds) {
        Enter();
        Type(QString::fromStdString(window->Run().Sentence().CurrentSentence.substr(0, 1)));
        clock.now += seconds;
        // A clock tick draws the gauge for the time taken.
        QTest::qWait(300);
        FinishSentence();
    }
    // Where the window's keys go: the input box, or the start screen's panel.
    QWidget* KeyTarget() const {
        return window->focusWidget() != nullptr ? window->focusWidget() : Input();
    }
    void ClickMenu(int index) {
        QTest::mouseClick(Control(QStringLiteral("lblMenu(%1)").arg(index)), Qt::LeftButton);
    }

    ResultsTakingInput presenter;
};

// What arrives, and how to tell it was taken (for Enter: started a sentence).
struct Input {
    const char* name;
    std::function<void(SequenceInput&)> send;
};

const Input kInputs[] = {
    {"enter", [](SequenceInput& t) { QTest::keyClick(t.KeyTarget(), Qt::Key_Return); }},
    {"letter",
     [](SequenceInput& t) {
         QTest::sendKeyEvent(QTest::Click, t.KeyTarget(), Qt::Key_X, QStringLiteral("x"),
                             Qt::NoModifier);
     }},
    {"escape", [](SequenceInput& t) { QTest::keyClick(t.KeyTarget(), Qt::Key_Escape); }},
    {"f1", [](SequenceInput& t) { QTest::keyClick(t.KeyTarget(), Qt::Key_F1); }},
    {"sounds_menu", [](SequenceInput& t) { t.ClickMenu(frmZentavo::kMenuSounds); }},
};

// A sequence: how to reach it with the input sent in its midst, and how it
// ends. The sentence number Enter starts afterwards is `nextSentence`.
struct Moment {
    const char* name;
    std::function<void(SequenceInput&, const std::function<void()>& sendInput)> run;
    int nextSentence;
    bool enterStarts; // Enter is taken at once: the start is already enabled
};

const Moment kMoments[] = {
    {"pause",
     [](SequenceInput& t, const std::function<void()>& sendInput) {
         ASSERT_NO_FATAL_FAILURE(t.OpenWith(false));
         t.TypeSentenceIn(20);
         ASSERT_TRUE(t.window->Run().Screen().busy);
         sendInput();
         ASSERT_NO_FATAL_FAILURE(t.EndPause());
     },
     2, false},
    {"record_animation",
     [](SequenceInput& t, const std::function<void()>& sendInput) {
         ASSERT_NO_FATAL_FAILURE(t.OpenWith(false));
         t.TypeSentenceIn(20);
         ASSERT_NO_FATAL_FAILURE(t.EndPause());
         t.TypeSentenceIn(1);
         ASSERT_TRUE(t.window->Run().Screen().recordAnimation);
         sendInput();
         ASSERT_NO_FATAL_FAILURE(t.EndPause());
     },
     3, false},
    {"level_end",
     [](SequenceInput& t, const std::function<void()>& sendInput) {
         ASSERT_NO_FATAL_FAILURE(t.OpenWith(false));
         for (int sentence = 1; sentence <= 5; ++sentence) {
             t.TypeSentenceIn(20);
             ASSERT_NO_FATAL_FAILURE(t.EndPause());
         }
         t.presenter.whileOpen = sendInput;
         // This Enter ends the level: the results show, and the input comes.
         t.Enter();
         ASSERT_EQ(t.presenter.shown, 1);
         t.presenter.whileOpen = nullptr;
     },
     6, false},
    {"map_slide",
     [](SequenceInput& t, const std::function<void()>& sendInput) {
         // Steps slow enough that the slide surely still runs.
         frmTransparency::SetPlatform({1000, [] { return true; }, {}});
         ASSERT_NO_FATAL_FAILURE(t.OpenWith(true));
         ASSERT_TRUE(frmTransparency::Animating());
         sendInput();
     },
     1, true},
};

struct SequenceCase {
    Moment moment;
    Input input;
};

void PrintTo(const SequenceCase& c, std::ostream* out) {
    *out << c.moment.name << " / " << c.input.name;
}

class InputDuringASequence : public SequenceInput,
                             public testing::WithParamInterface<SequenceCase> {};

TEST_P(InputDuringASequence, HasItsFateAndTheNextSentenceStartsWithEnter) {
    const SequenceCase& c = GetParam();
    const std::string input = c.input.name;
    bool sent = false;
    const auto sendAndCheck = [&] {
        sent = true;
        const int sentence = window->Run().SentenceNumber();
        const SentenceRun before = window->Run().Sentence();
        const auto wrongBefore = sounds.count(kSoundWrongKey);
        const auto startsBefore = sounds.count(kSoundStart);
        const auto askedBefore = messages.asked.size();
        const auto helpBefore = help.topics.size();
        const bool soundsOn = window->Run().SoundsOn();

        c.input.send(*this);

        const bool started = input == "enter" && c.moment.enterStarts;
        EXPECT_EQ(window->Run().SentenceNumber(), sentence + (started ? 1 : 0));
        EXPECT_EQ(sounds.count(kSoundStart) - startsBefore, started ? 1 : 0);
        // Nothing is typed, right or wrong.
        EXPECT_EQ(sounds.count(kSoundWrongKey), wrongBefore);
        EXPECT_EQ(window->Run().Sentence().SentenceWrong, started ? 0 : before.SentenceWrong);
        EXPECT_EQ(window->Run().Sentence().SentenceCorrect, started ? 0 : before.SentenceCorrect);
        // Escape asks (the answer here is no), F1 opens the help, the menu
        // entry does its work.
        EXPECT_EQ(messages.asked.size() - askedBefore, input == "escape" ? 1u : 0u);
        EXPECT_EQ(help.topics.size() - helpBefore, input == "f1" ? 1u : 0u);
        EXPECT_EQ(window->Run().SoundsOn(), input == "sounds_menu" ? !soundsOn : soundsOn);
        EXPECT_TRUE(window->isVisible());
    };
    ASSERT_NO_FATAL_FAILURE(c.moment.run(*this, sendAndCheck));
    ASSERT_TRUE(sent);

    if (window->Run().SentenceNumber() < c.moment.nextSentence) {
        ASSERT_TRUE(window->Run().Screen().startEnabled);
        Enter();
    }
    EXPECT_EQ(window->Run().SentenceNumber(), c.moment.nextSentence);
    const std::string expected = window->Run().Sentence().ExpectedChar;
    ASSERT_FALSE(expected.empty());
    Type(QString::fromStdString(Cp1252ToUtf8(expected)));
    EXPECT_EQ(window->Run().Sentence().SentenceCorrect, 1);
}

std::vector<SequenceCase> AllCases() {
    std::vector<SequenceCase> cases;
    for (const Moment& m : kMoments) {
        for (const Input& i : kInputs)
            cases.push_back({m, i});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Sequences, InputDuringASequence, testing::ValuesIn(AllCases()),
                         [](const testing::TestParamInfo<SequenceCase>& p) {
                             return std::string(p.param.moment.name) + "_" + p.param.input.name;
                         });

} // namespace
