// The start screen's timed steps driven as a pupil meets them: at each step
// of the title letters and of the typed-out welcome the sequence is held,
// a key or a menu click arrives, and the test checks what became of it and
// that the start screen still ends ready for Enter. Also the keys that only
// close a drop-down list or a tool-tip, and a key pressed while the map
// window slides in.
#include "TutorTestEnvironment.h"

#include "tutor/core/TutorSounds.h"
#include "tutor/ui/ZentavoWidgets.h"
#include "tutor/ui/frmTransparency.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QToolTip>

#include <functional>

namespace {

const char* const kExercise = "==============================================\r\n"
                              "\r\n"
                              "[Editor Zentavo]\r\n"
                              "Versione=3.0.0\r\n"
                              "[Livello1]\r\n"
                              "1=ab\r\n";

class StartScreen : public TutorWindowTest {
public:
    // The table's inputs and checks reach these.
    using TutorWindowTest::Caption;
    using TutorWindowTest::Control;
    using TutorWindowTest::Enter;
    using TutorWindowTest::help;
    using TutorWindowTest::Input;
    using TutorWindowTest::LabelText;
    using TutorWindowTest::messages;
    using TutorWindowTest::sounds;
    using TutorWindowTest::Type;
    using TutorWindowTest::window;

    // Opens the window and holds its start screen before the step named.
    void OpenHeldAt(const std::string& step) {
        window = std::make_unique<frmZentavo>(Environment());
        window->StartSequence().HoldBefore(step);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        ASSERT_TRUE(WaitUntil([&] { return window->StartSequence().Held(); }));
    }
    // Lets the held start screen run to its end.
    void RunToTheEnd() {
        window->StartSequence().Resume();
        ASSERT_TRUE(WaitUntil([&] { return !window->WelcomeRunning(); }));
    }
    void ClickMenu(int index) {
        QTest::mouseClick(Control(QStringLiteral("lblMenu(%1)").arg(index)), Qt::LeftButton);
    }
    QString Counters() const {
        return LabelText(QStringLiteral("lblNumBatt(0)")) + QLatin1Char('|') +
               LabelText(QStringLiteral("lblNumBatt(1)"));
    }
    QString SentenceText() const {
        return Control<SentenceDisplay>(QStringLiteral("lblFraseCorr"))->Text();
    }
    // The start screen is complete and Enter starts sentence 1 of the
    // exercise in the file, shown in full.
    void ExpectEnterStartsTheFirstSentence() {
        EXPECT_TRUE(window->Run().Screen().startEnabled);
        EXPECT_EQ(window->Run().SentenceNumber(), 0);
        EXPECT_EQ(Caption(), QStringLiteral("Zentavo"));
        Enter();
        EXPECT_EQ(window->Run().SentenceNumber(), 1);
        EXPECT_TRUE(Caption().startsWith(QStringLiteral("Zentavo  - prova.ftd ")));
        EXPECT_TRUE(Caption().endsWith(QStringLiteral(" 1")));
        // The sentence shows in full, not covered by the welcome.
        EXPECT_EQ(SentenceText(), QStringLiteral("abab"));
        Type(QStringLiteral("a"));
        EXPECT_EQ(LabelText(QStringLiteral("lblNumBatt(0)")), QStringLiteral("1/1"));
    }
    void ChooseTheExercise() {
        auto* list = Control<QComboBox>(QStringLiteral("cboFileFTD"));
        ASSERT_TRUE(list->isVisible());
        list->setCurrentIndex(1);
        emit list->activated(1);
    }
};

// What arrives at a held step, and how to check what became of it.
struct Input {
    const char* name;
    std::function<void(StartScreen&)> send;
    std::function<void(StartScreen&)> check;
};

struct Moment {
    const char* step;
    bool afterRestart; // the start screen comes back through the language menu
};

struct InputCase {
    Moment moment;
    Input input;
};

class InputDuringTheStartScreen : public StartScreen,
                                  public testing::WithParamInterface<InputCase> {};

TEST_P(InputDuringTheStartScreen, HasItsFateAndTheStartScreenEndsReadyForEnter) {
    const InputCase& c = GetParam();
    WriteCp1252File(folder.filePath(QStringLiteral("Esercizi/prova.ftd")), kExercise);
    if (c.moment.afterRestart) {
        ASSERT_NO_FATAL_FAILURE(Open());
        window->StartSequence().HoldBefore(c.moment.step);
        // A language of its own, complete like the shipped ones.
        QDir().mkpath(folder.filePath(QStringLiteral("Lang")));
        ASSERT_TRUE(QFile::copy(QStringLiteral(ZENTAVO_SOURCE_DIR "/data/Lang/English.lng"),
                                folder.filePath(QStringLiteral("Lang/English.lng"))));
        language.chosen = "English";
        ClickMenu(8);
        ASSERT_TRUE(WaitUntil([&] { return window->StartSequence().Held(); }));
    } else {
        ASSERT_NO_FATAL_FAILURE(OpenHeldAt(c.moment.step));
    }
    // Enter starts nothing before the start screen is complete.
    ASSERT_FALSE(window->Run().Screen().startEnabled);
    const QString counters = Counters();
    const auto askedBefore = messages.asked.size();
    const auto helpBefore = help.topics.size();

    c.input.send(*this);
    EXPECT_EQ(window->Run().SentenceNumber(), 0);
    EXPECT_EQ(sounds.count(kSoundWrongKey), 0);
    EXPECT_EQ(sounds.count(kSoundStart), 0);
    if (std::string(c.input.name) != "restart_menu") {
        EXPECT_EQ(Counters(), counters);
    }
    c.input.check(*this);
    EXPECT_EQ(messages.asked.size() - askedBefore, std::string(c.input.name) == "escape" ? 1u : 0u);
    EXPECT_EQ(help.topics.size() - helpBefore, std::string(c.input.name) == "f1" ? 1u : 0u);

    ASSERT_NO_FATAL_FAILURE(RunToTheEnd());
    ASSERT_TRUE(window->isVisible());
    ChooseTheExercise();
    ExpectEnterStartsTheFirstSentence();
}

const Input kInputs[] = {
    {"enter", [](StartScreen& t) { t.Enter(); },
     [](StartScreen& t) { EXPECT_EQ(t.Caption(), QStringLiteral("Zentavo")); }},
    {"letter", [](StartScreen& t) { t.Type(QStringLiteral("x")); },
     [](StartScreen& t) {
         EXPECT_TRUE(t.Control<InputBox>(QStringLiteral("txtInput"))->Text().isEmpty());
     }},
    {"escape",
     [](StartScreen& t) {
         t.messages.answers = {false};
         QTest::keyClick(t.Input(), Qt::Key_Escape);
     },
     [](StartScreen& t) { EXPECT_TRUE(t.window->isVisible()); }},
    {"f1", [](StartScreen& t) { QTest::keyClick(t.Input(), Qt::Key_F1); },
     [](StartScreen& t) { EXPECT_EQ(t.help.topics.back(), 0); }},
    {"sounds_menu", [](StartScreen& t) { t.ClickMenu(3); },
     [](StartScreen& t) {
         EXPECT_FALSE(t.window->Run().SoundsOn());
         EXPECT_EQ(t.sounds.played.back(), kSoundClick);
     }},
    // The restart menu on the start screen types the welcome out again.
    {"restart_menu",
     [](StartScreen& t) {
         t.messages.answers = {true};
         t.ClickMenu(1);
     },
     [](StartScreen& t) {
         EXPECT_EQ(t.window->StartSequence().NextStep(), "welcome-begin");
         t.messages.asked.pop_back();
     }},
};

const Moment kMoments[] = {
    {"title-letter", false},   {"title-sound", false},   {"welcome-begin", false},
    {"welcome-letter", false}, {"start-choices", false}, {"start-ready", false},
    {"welcome-begin", true},   {"welcome-letter", true}, {"start-choices", true},
    {"start-ready", true},
};

std::vector<InputCase> AllCases() {
    std::vector<InputCase> cases;
    for (const Moment& m : kMoments) {
        for (const Input& i : kInputs)
            cases.push_back({m, i});
    }
    return cases;
}

std::string CaseName(const testing::TestParamInfo<InputCase>& p) {
    std::string name = std::string(p.param.moment.afterRestart ? "again_" : "first_") +
                       p.param.moment.step + "_" + p.param.input.name;
    for (char& ch : name) {
        if (ch == '-')
            ch = '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Steps, InputDuringTheStartScreen, testing::ValuesIn(AllCases()), CaseName);

// The list and the level panel show before the pause that ends the start
// screen, and only after it may Enter start a sentence.
TEST_F(StartScreen, ChoicesAppearBeforeTheStartIsEnabled) {
    WriteCp1252File(folder.filePath(QStringLiteral("Esercizi/prova.ftd")), kExercise);
    ASSERT_NO_FATAL_FAILURE(OpenHeldAt("start-choices"));
    auto* list = Control(QStringLiteral("cboFileFTD"));
    auto* levels = Control(QStringLiteral("picLevel"));
    EXPECT_FALSE(list->isVisible());
    EXPECT_FALSE(levels->isVisible());

    window->StartSequence().HoldBefore("start-ready");
    window->StartSequence().Resume();
    ASSERT_TRUE(WaitUntil([&] { return window->StartSequence().Held(); }));
    EXPECT_TRUE(list->isVisible());
    EXPECT_TRUE(levels->isVisible());
    EXPECT_TRUE(SentenceText().endsWith(QStringLiteral("Seleziona dalla lista il file con cui "
                                                       "esercitarti")));
    EXPECT_FALSE(window->Run().Screen().startEnabled);
    EXPECT_FALSE(Control<QTimer>(QStringLiteral("Timer2"))->isActive());

    ASSERT_NO_FATAL_FAILURE(RunToTheEnd());
    EXPECT_TRUE(window->Run().Screen().startEnabled);
    EXPECT_TRUE(Control<QTimer>(QStringLiteral("Timer2"))->isActive());
}

// Escape that closes a pop-up only closes it; Escape on the window asks.
struct PopupCase {
    const char* name;
    bool dropDown; // the exercise list's drop-down, else a tool-tip
    bool open;
};

class EscapeAndPopups : public StartScreen, public testing::WithParamInterface<PopupCase> {};

TEST_P(EscapeAndPopups, OnlyAnEscapeTheWindowTookAsks) {
    const PopupCase& c = GetParam();
    WriteCp1252File(folder.filePath(QStringLiteral("Esercizi/prova.ftd")), kExercise);
    ASSERT_NO_FATAL_FAILURE(Open());
    messages.answers = {false};
    if (c.dropDown) {
        auto* list = Control<QComboBox>(QStringLiteral("cboFileFTD"));
        list->setFocus();
        if (c.open) {
            list->showPopup();
            QWidget* popup = QApplication::activePopupWidget();
            ASSERT_NE(popup, nullptr);
            // The press closes the list; its release reaches the list's box.
            QTest::keyPress(list->view(), Qt::Key_Escape);
            ASSERT_TRUE(WaitUntil([&] { return QApplication::activePopupWidget() == nullptr; }));
            QTest::keyRelease(list, Qt::Key_Escape);
        } else {
            QTest::keyClick(list, Qt::Key_Escape);
        }
    } else {
        ChooseTheExercise();
        Enter();
        Type(QStringLiteral("a"));
        if (c.open) {
            QToolTip::showText(Input()->mapToGlobal(QPoint(5, 5)), QStringLiteral("nuova frase"),
                               Input());
            ASSERT_TRUE(QToolTip::isVisible());
        }
        QTest::keyClick(Input(), Qt::Key_Escape);
        // Escape that closed the tip is no keystroke either.
        EXPECT_EQ(LabelText(QStringLiteral("lblNumBatt(1)")),
                  c.open ? QStringLiteral("0/0") : QStringLiteral("1/1"));
        EXPECT_TRUE(WaitUntil([] { return !QToolTip::isVisible(); }));
    }
    EXPECT_EQ(messages.asked.size(), c.open ? 0u : 1u);
    EXPECT_TRUE(window->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Popups, EscapeAndPopups,
    testing::Values(PopupCase{"DropDownOpen", true, true}, PopupCase{"DropDownClosed", true, false},
                    PopupCase{"ToolTipShown", false, true}, PopupCase{"NoToolTip", false, false}),
    [](const testing::TestParamInfo<PopupCase>& p) { return std::string(p.param.name); });

// A key released twice by the display server is answered once.
TEST_F(StartScreen, AReleaseWithoutItsPressIsNotAnswered) {
    ASSERT_NO_FATAL_FAILURE(Open());
    messages.answers = {false, false};
    QTest::keyClick(Input(), Qt::Key_Escape);
    QTest::keyRelease(Input(), Qt::Key_Escape);
    EXPECT_EQ(messages.asked.size(), 1u);
}

// Keys pressed while the map window slides in: Enter starts the sentence at
// once, and the first letter typed after it is taken.
class MapSlide : public StartScreen {
protected:
    void SetUp() override {
        StartScreen::SetUp();
        // Steps slow enough that the slide surely still runs while the
        // keys arrive.
        frmTransparency::SetPlatform({1000, [] { return true; }, {}});
    }
    void TearDown() override {
        window.reset();
        frmTransparency::SetPlatform(frmTransparency::DefaultPlatform());
    }
};

TEST_F(MapSlide, EnterAndTheFirstLetterAreTakenWhileTheMapSlidesIn) {
    WriteCp1252File(folder.filePath(QStringLiteral("Esercizi/prova.ftd")), kExercise);
    TutorEnvironment e = Environment();
    e.mapWindow = true;
    window = std::make_unique<frmZentavo>(e);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    ASSERT_TRUE(WaitUntil([&] { return window->Run().Screen().startEnabled; }));
    ASSERT_TRUE(frmTransparency::Animating());
    ASSERT_FALSE(frmTransparency::MapWindowShown());

    ChooseTheExercise();
    // The keys go where the pupil's focus is: the panel of the start screen.
    QWidget* notebook = Control(QStringLiteral("picNotebook"));
    notebook->setFocus();
    QTest::keyClick(notebook, Qt::Key_Return);
    EXPECT_EQ(window->Run().SentenceNumber(), 1);
    EXPECT_EQ(frmTransparency::Current(), nullptr) << "the map closes";
    EXPECT_EQ(window->focusWidget(), Input());
    QTest::sendKeyEvent(QTest::Click, window->focusWidget(), Qt::Key_A, QStringLiteral("a"),
                        Qt::NoModifier);
    EXPECT_EQ(Control<InputBox>(QStringLiteral("txtInput"))->Text(), QStringLiteral("a"));
    EXPECT_EQ(LabelText(QStringLiteral("lblNumBatt(0)")), QStringLiteral("1/1"));
    // The slide and the fade run on by themselves and never take the focus.
    QTest::qWait(50);
    EXPECT_EQ(window->focusWidget(), Input());
}

} // namespace

class MissingPort : public TutorWindowTest {};

// The window has no stand-ins for ports: one left out is told at once.
TEST_F(MissingPort, IsRefusedByTheWindow) {
    for (auto leaveOut : {+[](TutorEnvironment& e) { e.sounds = nullptr; },
                          +[](TutorEnvironment& e) { e.results = nullptr; },
                          +[](TutorEnvironment& e) { e.about = nullptr; }}) {
        TutorEnvironment e = Environment();
        leaveOut(e);
        EXPECT_THROW(frmZentavo{e}, std::invalid_argument);
    }
}
