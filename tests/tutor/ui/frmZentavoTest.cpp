// The main window driven as a pupil drives it: keys into the input box,
// clicks on the menu, with fakes for the clock, sounds and dialogs.
#include "TutorTestEnvironment.h"

#include "tutor/ui/KeyboardView.h"
#include "tutor/ui/ZentavoWidgets.h"

#include <QComboBox>
#include <QEnterEvent>
#include <QInputMethodEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>

#include <set>

namespace {

const QString kSentence1 = QStringLiteral("il mio amico legge un libro di avventure");

std::set<int> SunkenKeys(const KeyboardModel& m) {
    std::set<int> keys;
    for (int k = 0; k < KeyTable::kKeyCount; ++k) {
        if (m.IsSunken(k))
            keys.insert(k);
    }
    return keys;
}

QString IniValue(const QString& folder, const QString& key) {
    QSettings ini(folder + QStringLiteral("/Zentavo.ini"), QSettings::IniFormat);
    return ini.value(key).toString();
}

const char* const kExercise = "==============================================\r\n"
                              "\r\n"
                              "[Editor Zentavo]\r\n"
                              "Versione=3.0.0\r\n"
                              "[Livello1]\r\n"
                              "1=caffè e tè\r\n"
                              "2=costa 5€ al kg\r\n"
                              "3=scrivi a@b\r\n"
                              "4=prima riga¦¦seconda\r\n"
                              "5=ab\r\n";

class MainWindow : public TutorWindowTest {
protected:
    InputBox* Box() const { return Control<InputBox>(QStringLiteral("txtInput")); }
    QString Counter(int i) const { return LabelText(QStringLiteral("lblNumBatt(%1)").arg(i)); }
    void ClickMenu(int index) {
        QTest::mouseClick(Control(QStringLiteral("lblMenu(%1)").arg(index)), Qt::LeftButton);
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
};

TEST_F(MainWindow, PupilTypesAWholeBuiltInSentence) {
    Open();
    EXPECT_EQ(Caption(), QStringLiteral("Zentavo"));
    EXPECT_EQ(Counter(0), QStringLiteral("0 / 0"));
    EXPECT_TRUE(sounds.started);

    // the title letters each sounded a keystroke
    EXPECT_EQ(sounds.count(107), 7);
    Enter();
    EXPECT_EQ(Caption(), QStringLiteral("Zentavo - Frasi interne  -  Primo livello: frase 1"));
    EXPECT_EQ(Control<SentenceDisplay>(QStringLiteral("lblFraseCorr"))->Text(), kSentence1);
    EXPECT_EQ(sounds.count(104), 1);
    EXPECT_EQ(SunkenKeys(window->Keyboard()), (std::set<int>{7}));
    EXPECT_TRUE(Control<LevelLamp>(QStringLiteral("lblMediaLevel(3)"))->Lit());
    EXPECT_FALSE(Control<LevelLamp>(QStringLiteral("lblMediaLevel(4)"))->Lit());
    EXPECT_EQ(Control<LevelLamp>(QStringLiteral("lblMediaLevel(3)"))->Colour(), QColor(0, 255, 0));
    EXPECT_EQ(Control<LevelLamp>(QStringLiteral("lblMediaLevel(5)"))->Colour(), QColor(192, 64, 0));
    EXPECT_EQ(Box()->Text(), QString());

    // A wrong key before the clock runs: signalled, not counted, not typed.
    Type(QStringLiteral("x"));
    EXPECT_EQ(sounds.count(101), 1);
    EXPECT_TRUE(Box()->Flashing());
    EXPECT_EQ(Counter(1), QStringLiteral("0/0"));
    EXPECT_FALSE(Control<QTimer>(QStringLiteral("Timer1"))->isActive());

    Type(QStringLiteral("il"));
    EXPECT_EQ(Counter(0), QStringLiteral("2/2"));
    EXPECT_EQ(Box()->Text(), QStringLiteral("il"));
    EXPECT_TRUE(Control<QTimer>(QStringLiteral("Timer1"))->isActive());
    EXPECT_TRUE(Control(QStringLiteral("picProgress"))->isVisible());
    EXPECT_EQ(sounds.count(107), 7 + 2);
    EXPECT_EQ(SunkenKeys(window->Keyboard()), (std::set<int>{35}));
    EXPECT_GT(window->findChild<QWidget*>(QStringLiteral("shpIndex"))->width(), 0);

    // Once the clock runs a wrong key counts.
    Type(QStringLiteral("q"));
    EXPECT_EQ(Counter(1), QStringLiteral("1/1"));
    EXPECT_EQ(Box()->Text(), QStringLiteral("il"));

    clock.now += 20;
    FinishSentence();
    EXPECT_TRUE(Control(QStringLiteral("picMessaggio"))->isVisible());
    const QString message = LabelText(QStringLiteral("lblMessaggio"));
    EXPECT_TRUE(message.contains(QStringLiteral("Hai totalizzato")));
    EXPECT_TRUE(message.contains(QStringLiteral("Premi il tasto Invio per continuare.")));
    // the first sentence of a level is never a record
    EXPECT_EQ(sounds.played.back(), 102);
    EXPECT_EQ(Box()->Text(), kSentence1);
    EXPECT_FALSE(Control<QTimer>(QStringLiteral("Timer1"))->isActive());
    EXPECT_EQ(Counter(0), QStringLiteral("40/40"));
    EXPECT_EQ(LabelText(QStringLiteral("lblMediaLevel(0)")).isEmpty(), false);

    // Keys during the pause are swallowed without a sound.
    const auto soundsBefore = sounds.played.size();
    Type(QStringLiteral("abc\n"));
    EXPECT_EQ(Counter(0), QStringLiteral("40/40"));
    EXPECT_EQ(sounds.played.size(), soundsBefore);

    EndPause();
    EXPECT_TRUE(Control<QTimer>(QStringLiteral("Timer2"))->isActive());
    EXPECT_EQ(SunkenKeys(window->Keyboard()), (std::set<int>{48, 62}));
    Enter();
    EXPECT_EQ(Caption(), QStringLiteral("Zentavo - Frasi interne  -  Primo livello: frase 2"));
    EXPECT_EQ(Counter(0), QStringLiteral("0/40"));
}

TEST_F(MainWindow, ExerciseFileWithAccentsEuroAtAndALineBreak) {
    WriteCp1252File(folder.filePath(QStringLiteral("Esercizi/prova.ftd")), kExercise);
    Open();
    auto* list = Control<QComboBox>(QStringLiteral("cboFileFTD"));
    ASSERT_TRUE(list->isVisible());
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->itemText(1), QStringLiteral("prova"));
    list->setCurrentIndex(1);
    emit list->activated(1);
    Enter();
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(Caption(), QStringLiteral("Zentavo  - prova.ftd -  Primo livello: frase 1"));

    Type(QStringLiteral("caff"));
    EXPECT_EQ(SunkenKeys(window->Keyboard()), (std::set<int>{42}));
    Type(QStringLiteral("\u00e8 e t\u00e8"));
    EXPECT_EQ(Counter(0), QStringLiteral("10/10"));
    EndPause();

    Enter();
    Type(QStringLiteral("costa 5"));
    EXPECT_EQ(SunkenKeys(window->Keyboard()), (std::set<int>{2, 38}));
    EXPECT_TRUE(window->Keyboard().ExtraHighlight());
    Type(QStringLiteral("\u20ac"));
    EXPECT_EQ(Box()->Text(), QStringLiteral("costa 5\u20ac"));
    EXPECT_EQ(SunkenKeys(window->Keyboard()), (std::set<int>{35}));
    FinishSentence();
    EndPause();

    Enter();
    Type(QStringLiteral("scrivi a"));
    EXPECT_EQ(SunkenKeys(window->Keyboard()), (std::set<int>{19, 38}));
    Type(QStringLiteral("@b"));
    EXPECT_TRUE(window->Run().Sentence().SentenceDone);
    EndPause();

    Enter();
    Type(QStringLiteral("prima riga"));
    EXPECT_EQ(SunkenKeys(window->Keyboard()), (std::set<int>{48, 62}));
    auto* sentence = Control<SentenceDisplay>(QStringLiteral("lblFraseCorr"));
    EXPECT_EQ(sentence->Bar()->y(), 0);
    EXPECT_EQ(sentence->Text(), QStringLiteral("prima riga\nseconda"));
    Type(QStringLiteral("\n"));
    EXPECT_EQ(Counter(0), QStringLiteral("11/45"));
    EXPECT_EQ(Box()->Text(), QStringLiteral("prima riga\n"));
    Type(QStringLiteral("se"));
    EXPECT_EQ(sentence->Bar()->y(), sentence->LineHeight());
    FinishSentence();
    EndPause();

    Enter();
    EXPECT_EQ(Control<SentenceDisplay>(QStringLiteral("lblFraseCorr"))->Text(),
              QStringLiteral("abab"));
    FinishSentence();
    EndPause();

    // The request for sentence 6 opens the results of level 1.
    Enter();
    ASSERT_EQ(results.shown.size(), 1u);
    EXPECT_EQ(results.shown[0].LevelsReached, 1);
    EXPECT_EQ(results.shown[0].ResultsOutcome, 1);
    EXPECT_EQ(Caption(), QStringLiteral("Zentavo  - prova.ftd -  Secondo livello: frase  1"));
}

struct CharacterCase {
    const char* name;
    const char* character; // UTF-8
    std::set<int> sunken;
};

class SpecialCharacters : public MainWindow, public testing::WithParamInterface<CharacterCase> {};

TEST_P(SpecialCharacters, SinkTheirKeysAndAreAccepted) {
    const CharacterCase& c = GetParam();
    Open();
    Enter();
    window->Run().BeginSentence(Utf8ToCp1252(std::string("x") + c.character + "yz"));
    Type(QStringLiteral("x"));
    EXPECT_EQ(SunkenKeys(window->Keyboard()), c.sunken);
    Type(QString::fromUtf8(c.character));
    EXPECT_EQ(Box()->Text(), QStringLiteral("x") + QString::fromUtf8(c.character));
    EXPECT_EQ(Counter(1), QStringLiteral("0/0"));
}

INSTANTIATE_TEST_SUITE_P(Characters, SpecialCharacters,
                         testing::Values(CharacterCase{"e_grave", "\u00e8", {42}},
                                         CharacterCase{"e_acute", "\u00e9", {42, 30}},
                                         CharacterCase{"euro", "\u20ac", {2, 38}},
                                         CharacterCase{"at", "@", {19, 38}},
                                         CharacterCase{"capital_a", "A", {10, 36}},
                                         CharacterCase{"pound", "\u00a3", {58, 36}},
                                         CharacterCase{"section", "\u00a7", {41, 30}}),
                         [](const auto& p) { return std::string(p.param.name); });

struct SilentKey {
    const char* name;
    Qt::Key key;
};

class KeysWithoutText : public MainWindow, public testing::WithParamInterface<SilentKey> {};

TEST_P(KeysWithoutText, TypeNothing) {
    Open();
    Enter();
    Type(QStringLiteral("il"));
    const auto soundsBefore = sounds.played.size();
    QTest::sendKeyEvent(QTest::Click, Input(), GetParam().key, QString(), Qt::NoModifier);
    EXPECT_EQ(Counter(0), QStringLiteral("2/2"));
    EXPECT_EQ(Counter(1), QStringLiteral("0/0"));
    EXPECT_EQ(Box()->Text(), QStringLiteral("il"));
    EXPECT_EQ(sounds.played.size(), soundsBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeysWithoutText,
    testing::Values(SilentKey{"left", Qt::Key_Left}, SilentKey{"right", Qt::Key_Right},
                    SilentKey{"up", Qt::Key_Up}, SilentKey{"down", Qt::Key_Down},
                    SilentKey{"shift", Qt::Key_Shift}, SilentKey{"altgr", Qt::Key_AltGr},
                    SilentKey{"home", Qt::Key_Home}, SilentKey{"f2", Qt::Key_F2}),
    [](const auto& p) { return std::string(p.param.name); });

struct WrongKey {
    const char* name;
    Qt::Key key;
    const char* text;
};

class ControlKeys : public MainWindow, public testing::WithParamInterface<WrongKey> {};

TEST_P(ControlKeys, AreWrongKeystrokes) {
    Open();
    Enter();
    Type(QStringLiteral("il"));
    QTest::sendKeyEvent(QTest::Click, Input(), GetParam().key, QString::fromUtf8(GetParam().text),
                        Qt::NoModifier);
    EXPECT_EQ(Counter(1), QStringLiteral("1/1"));
    EXPECT_EQ(Box()->Text(), QStringLiteral("il"));
    EXPECT_TRUE(Input()->hasFocus());
}

INSTANTIATE_TEST_SUITE_P(Keys, ControlKeys,
                         testing::Values(WrongKey{"tab", Qt::Key_Tab, "\t"},
                                         WrongKey{"backspace", Qt::Key_Backspace, "\b"},
                                         WrongKey{"capital_i", Qt::Key_I, "I"},
                                         // outside the code page: never a question mark
                                         WrongKey{"l_stroke", Qt::Key_unknown, "\u0142"}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(MainWindow, CharacterOutsideTheCodePageIsNotAQuestionMark) {
    Open();
    Enter();
    window->Run().BeginSentence("a?b");
    Type(QStringLiteral("a\u0142"));
    EXPECT_EQ(Box()->Text(), QStringLiteral("a"));
    EXPECT_EQ(Counter(1), QStringLiteral("1/1"));
    Type(QStringLiteral("?"));
    EXPECT_EQ(Box()->Text(), QStringLiteral("a?"));
}

TEST_F(MainWindow, ComposedCharactersArriveThroughTheInputMethod) {
    Open();
    Enter();
    window->Run().BeginSentence(Utf8ToCp1252("p\u00f9"));
    Type(QStringLiteral("p"));
    QInputMethodEvent compose;
    compose.setCommitString(QStringLiteral("\u00f9"));
    QCoreApplication::sendEvent(Input(), &compose);
    EXPECT_TRUE(window->Run().Sentence().SentenceDone);
}

TEST_F(MainWindow, EscapeIsAWrongKeyThenAsksToClose) {
    Open();
    Enter();
    Type(QStringLiteral("il"));
    messages.answers = {false};
    QTest::keyClick(Input(), Qt::Key_Escape);
    EXPECT_EQ(Counter(1), QStringLiteral("1/1"));
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(messages.asked[0].title, QStringLiteral("Zentavo"));
    EXPECT_EQ(messages.asked[0].text,
              QStringLiteral("Vuoi chiudere il programma?\r\n(Se chiudi il programma adesso, "
                             "tutti i dati verranno persi)"));
    EXPECT_TRUE(window->isVisible());

    messages.answers = {true};
    QTest::keyClick(Input(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindow, RightButtonOnTheInputBoxIsRefused) {
    Open();
    Enter();
    QTest::mousePress(Input(), Qt::RightButton);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, QMessageBox::Warning);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Attenzione!"));
    EXPECT_EQ(messages.shown[0].text,
              QStringLiteral("Il pulsante destro del mouse non deve essere premuto!"));
    EXPECT_TRUE(Input()->hasFocus());
}

TEST_F(MainWindow, CapsLockIsWarnedAboutAndSwitchedOff) {
    caps.on = true;
    Open();
    // switched off silently while the window loaded
    EXPECT_EQ(caps.switchedOff, 1);
    Enter();
    caps.on = true;
    QTest::keyClick(Input(), Qt::Key_CapsLock);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              QStringLiteral("Il tasto Blocca Maiuscole non deve essere premuto."));
    EXPECT_FALSE(caps.on);
    EXPECT_FALSE(Control(QStringLiteral("imgX"))->isVisible());
    // a wrong key with Caps Lock on switches it off without a word
    caps.on = true;
    Type(QStringLiteral("I"));
    EXPECT_FALSE(caps.on);
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(MainWindow, SoundsMenuClicksEvenWhenSwitchingOff) {
    Open();
    auto* frame = Control<MenuFrame>(QStringLiteral("shpMenu(3)"));
    EXPECT_TRUE(frame->Filled());
    ClickMenu(3);
    EXPECT_FALSE(window->Run().SoundsOn());
    EXPECT_FALSE(frame->Filled());
    EXPECT_EQ(sounds.count(111), 1);
    // with sounds off the other menus and the sentence stay silent
    ClickMenu(5);
    ClickMenu(6);
    const auto before = sounds.played.size();
    Enter();
    Type(QStringLiteral("ix"));
    EXPECT_EQ(sounds.played.size(), before);
    ClickMenu(3);
    EXPECT_EQ(sounds.count(111), 2);
    EXPECT_TRUE(frame->Filled());
}

TEST_F(MainWindow, HighlightAndFingerMapMenus) {
    Open();
    Enter();
    ASSERT_FALSE(window->Keyboard().Highlight());
    ClickMenu(5);
    EXPECT_TRUE(window->Keyboard().FrameVisible(0));
    EXPECT_TRUE(Control<MenuFrame>(QStringLiteral("shpMenu(5)"))->Filled());
    ClickMenu(5);
    EXPECT_FALSE(window->Keyboard().FrameVisible(0));
    EXPECT_EQ(SunkenKeys(window->Keyboard()), (std::set<int>{7}));

    ClickMenu(4);
    EXPECT_TRUE(window->Keyboard().KeyMap());
    EXPECT_EQ(window->Keyboard().KeyColour(21), FingerColour(FingerGroup::Ring));
    EXPECT_TRUE(Control<MenuFrame>(QStringLiteral("shpMenu(4)"))->Filled());
    QTest::mouseDClick(Control(QStringLiteral("picKeyword")), Qt::LeftButton, {},
                       window->findChild<KeyboardView*>()->KeyRectPixels(25).center());
    EXPECT_EQ(window->Keyboard().KeyColour(21), FingerColour(FingerGroup::Little));
    EXPECT_EQ(sounds.count(109), 1);
    ClickMenu(4);
    EXPECT_EQ(window->Keyboard().KeyColour(21), kPlainKeyColour);
    EXPECT_EQ(SunkenKeys(window->Keyboard()), (std::set<int>{7}));
}

TEST_F(MainWindow, BackgroundThemeTenIsFollowedByZero) {
    WriteCp1252File(folder.filePath(QStringLiteral("Zentavo.ini")),
                    "[Options]\r\nBackColor=10\r\n");
    Open();
    EXPECT_EQ(window->BackgroundTheme(), 10);
    ClickMenu(6);
    EXPECT_EQ(window->BackgroundTheme(), 0);
    ClickMenu(6);
    EXPECT_EQ(window->BackgroundTheme(), 1);
    EXPECT_EQ(sounds.count(111), 2);
}

TEST_F(MainWindow, RestartAfterConfirmationReturnsToTheStartScreen) {
    Open();
    Enter();
    Type(QStringLiteral("il m"));
    messages.answers = {true};
    ClickMenu(1);
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(messages.asked[0].text, QStringLiteral("Vuoi iniziare da capo le esercitazioni?"));
    QTRY_VERIFY(window->Run().Screen().startEnabled);
    EXPECT_EQ(Caption(), QStringLiteral("Zentavo"));
    EXPECT_EQ(Counter(0), QStringLiteral("0/0"));
    EXPECT_TRUE(Control(QStringLiteral("picLevel"))->isVisible());
    EXPECT_FALSE(Control<QTimer>(QStringLiteral("Timer1"))->isActive());
    EXPECT_FALSE(Control<LevelLamp>(QStringLiteral("lblMediaLevel(3)"))->Lit());
    EXPECT_TRUE(results.shown.empty());
}

TEST_F(MainWindow, RestartIsRefusedForACommandLineExercise) {
    WriteCp1252File(folder.filePath(QStringLiteral("Esercizi/prova.ftd")), kExercise);
    commandLine = "prova.ftd";
    Open();
    ClickMenu(1);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, QMessageBox::Information);
    EXPECT_EQ(messages.shown[0].text,
              QStringLiteral("Con questo esercizio questo pulsante non \u00e8 disponibile."));
    EXPECT_TRUE(messages.asked.empty());
    Enter();
    EXPECT_EQ(Control<SentenceDisplay>(QStringLiteral("lblFraseCorr"))->Text(),
              QStringLiteral("caff\u00e8 e t\u00e8"));
}

TEST_F(MainWindow, HelpOnF1OrTheMessageWhenMissing) {
    Open();
    QTest::keyClick(Input(), Qt::Key_F1);
    EXPECT_EQ(help.topics, std::vector<int>{0});
    help.available = false;
    QTest::keyClick(Input(), Qt::Key_F1);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              QStringLiteral("Impossibile trovare il file della guida help/index.html"));
}

TEST_F(MainWindow, LayoutThatCannotBeSwitchedIsWarnedAboutOnce) {
    layouts.active = "xkb:evdev;pc105;us;;;0";
    layouts.accepts = false;
    Open();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, QMessageBox::Critical);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Attenzione!"));
    EXPECT_EQ(messages.shown[0].text,
              QStringLiteral("La tastiera in uso non \u00e8 impostata per la lingua italiano\r\n"
                             "Il programma, quindi, potrebbe non funzionare correttamente.\r\n"
                             "Controllate le impostazioni della lingua nella guida in linea"));
    EXPECT_EQ(help.topics, std::vector<int>{1001});
    window->close();
    // nothing was switched, so nothing is given back
    EXPECT_EQ(layouts.loads, (std::vector<std::string>{"00000410", "xkb:evdev;pc105;us;;;0"}));
}

TEST_F(MainWindow, PreviousLayoutIsGivenBackAtExit) {
    layouts.active = "xkb:evdev;pc105;de;;;0";
    Open();
    EXPECT_EQ(layouts.active, "00000410");
    EXPECT_TRUE(messages.shown.empty());
    window->close();
    EXPECT_EQ(layouts.active, "xkb:evdev;pc105;de;;;0");
}

TEST_F(MainWindow, OptionsAreSavedWhenTheWindowCloses) {
    Open();
    ClickMenu(3);
    ClickMenu(4);
    ClickMenu(6);
    QTest::mouseClick(Control(QStringLiteral("optLevel(1)")), Qt::LeftButton);
    window->close();
    EXPECT_EQ(IniValue(folder.path(), QStringLiteral("Options/Song")), QStringLiteral("0"));
    EXPECT_EQ(IniValue(folder.path(), QStringLiteral("Options/KeyMap")), QStringLiteral("1"));
    EXPECT_EQ(IniValue(folder.path(), QStringLiteral("Options/Highlight")), QStringLiteral("0"));
    EXPECT_EQ(IniValue(folder.path(), QStringLiteral("Options/BackColor")), QStringLiteral("1"));
    EXPECT_EQ(IniValue(folder.path(), QStringLiteral("Options/Category")), QStringLiteral("1"));
    EXPECT_TRUE(bookmark.asked.empty());
}

TEST_F(MainWindow, LanguageChangeReloadsTextsAndReturnsToStart) {
    WriteCp1252File(folder.filePath(QStringLiteral("Lang/English.lng")),
                    "[Strings]\r\n0035=Close the program\r\n0001=- Own sentences \r\n"
                    "0002=-  First level: sentence\r\n");
    Open();
    language.chosen = "Italian";
    ClickMenu(8);
    EXPECT_EQ(language.opened, 1);
    EXPECT_EQ(Control(QStringLiteral("lblMenu(0)"))->toolTip(),
              QStringLiteral("Chiude il programma"));

    language.chosen = "English";
    ClickMenu(8);
    EXPECT_EQ(Control(QStringLiteral("lblMenu(0)"))->toolTip(),
              QStringLiteral("Close the program"));
    QTRY_VERIFY(window->Run().Screen().startEnabled);
    Enter();
    // texts of a language file lose their outer blanks
    EXPECT_EQ(Caption(), QStringLiteral("Zentavo - Own sentences -  First level: sentence 1"));
    window->close();
    EXPECT_EQ(IniValue(folder.path(), QStringLiteral("Language/CurrentLanguage")),
              QStringLiteral("English"));
}

TEST_F(MainWindow, TypeForMeCountsTheCharacterWithoutAKey) {
    Open();
    Enter();
    window->Run().BeginSentence("a~b");
    Type(QStringLiteral("a"));
    auto* button = Control(QStringLiteral("lblMenu(7)"));
    ASSERT_TRUE(button->isVisible());
    EXPECT_TRUE(Control(QStringLiteral("shpMenu(7)"))->isVisible());
    ClickMenu(7);
    EXPECT_FALSE(button->isVisible());
    EXPECT_EQ(Box()->Text(), QStringLiteral("a~"));
    EXPECT_EQ(Counter(0), QStringLiteral("2/2"));
}

TEST_F(MainWindow, LargeScreenSeparatesCountersAndWidensTheGauge) {
    largeScreen = true;
    Open();
    EXPECT_EQ(Control(QStringLiteral("picProgress"))->width(), 390);
    Enter();
    Type(QStringLiteral("i"));
    EXPECT_EQ(Counter(0), QStringLiteral("1 / 1"));
    EXPECT_EQ(window->Keyboard().BevelWidth(), 4);
    EXPECT_GT(Control(QStringLiteral("picNotebook"))->width(), 900);
}

TEST_F(MainWindow, EndingTheProgramAtTheResultsSavesTheSettings) {
    Open();
    results.answer = 1;
    for (int n = 1; n <= 5; ++n) {
        Enter();
        ASSERT_EQ(window->Run().SentenceNumber(), n);
        FinishSentence();
        EndPause();
    }
    Enter();
    ASSERT_EQ(results.shown.size(), 1u);
    QTRY_VERIFY(!window->isVisible());
    EXPECT_EQ(IniValue(folder.path(), QStringLiteral("Options/Song")), QStringLiteral("1"));
}

TEST_F(MainWindow, GaugeFollowsTheClockTicks) {
    Open();
    Enter();
    Type(QStringLiteral("il mio"));
    clock.now += 8;
    auto* gauge = Control<SpeedGauge>(QStringLiteral("picProgress"));
    QTRY_VERIFY(gauge->Length() > 0);
    // 8 s for 6 characters at 75 pixels per second-per-character
    EXPECT_EQ(gauge->Length(), 100);
    EXPECT_EQ(LabelText(QStringLiteral("lblTime")), QStringLiteral("00:08"));
}

} // namespace

namespace {

TEST_F(MainWindow, AFasterSentenceIsARecordWithItsAnimation) {
    Open();
    Enter();
    Type(QStringLiteral("i"));
    clock.now += 20;
    QTest::qWait(300); // a clock tick draws the gauge for 20 s a character
    FinishSentence();
    EXPECT_EQ(sounds.played.back(), 102);
    EndPause();

    Enter();
    Type(QString::fromStdString(window->Run().Sentence().CurrentSentence.substr(0, 1)));
    clock.now += 1;
    QTest::qWait(300);
    FinishSentence();
    EXPECT_EQ(sounds.played.back(), 103);
    EXPECT_TRUE(LabelText(QStringLiteral("lblMessaggio"))
                    .contains(QStringLiteral("hai anche superato il tuo record precedente.")));
    auto* animation = Control<QTimer>(QStringLiteral("Timer3"));
    ASSERT_TRUE(animation->isActive());
    const int frame = window->Run().Screen().picture.value;
    QTRY_VERIFY(window->Run().Screen().picture.value != frame);
    EXPECT_LT(Control(QStringLiteral("picMax"))->width(), 300);
    EndPause();
    EXPECT_FALSE(animation->isActive());
}

TEST_F(MainWindow, CourseBookmarkIsAskedForAtExit) {
    const std::string lesson = "[Livello1]\r\n1=aaa sss\r\n";
    WriteCp1252File(folder.filePath(QStringLiteral("CorsoZentavo/lezione1.ftd")), lesson);
    WriteCp1252File(folder.filePath(QStringLiteral("CorsoZentavo/lezione2.ftd")), lesson);
    bookmark.answer = BookmarkAnswer::Yes;
    Open();
    auto* list = Control<QComboBox>(QStringLiteral("cboFileFTD"));
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->itemText(1), QStringLiteral("[ Corso di  dattilografia ]"));
    emit list->activated(1);
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->itemText(0), QStringLiteral("LEZIONE1"));
    EXPECT_EQ(list->currentIndex(), 0);
    Enter();
    EXPECT_EQ(Control<SentenceDisplay>(QStringLiteral("lblFraseCorr"))->Text(),
              QStringLiteral("aaa sss"));
    window->close();
    ASSERT_EQ(bookmark.asked.size(), 1u);
    EXPECT_EQ(bookmark.asked[0].rfind("Vuoi salvare il nome dell'esercizio", 0), 0u);
    EXPECT_EQ(IniValue(folder.path(), QStringLiteral("Options/Bookmark")),
              QStringLiteral("LEZIONE1"));
}

} // namespace

namespace {

TEST_F(MainWindow, HoverFrameFollowsTheMouseOverTheMenu) {
    Open();
    auto* hover = Control<HoverFrame>(QStringLiteral("shpEV"));
    auto* symbol = Control(QStringLiteral("lblMenu(6)"));
    QTest::mouseMove(symbol, symbol->rect().center());
    QTRY_VERIFY(hover->isVisible());
    EXPECT_EQ(hover->geometry(),
              Control(QStringLiteral("shpMenu(6)"))->geometry().translated(1, 1));
    QTest::mousePress(symbol, Qt::LeftButton, {}, symbol->rect().center());
    EXPECT_TRUE(hover->Inverted());
    QTest::mouseRelease(symbol, Qt::LeftButton, {}, symbol->rect().center());
    EXPECT_FALSE(hover->isVisible());
    EXPECT_EQ(window->BackgroundTheme(), 1);
    QTest::mouseMove(symbol, symbol->rect().center() + QPoint(1, 0));
    QTRY_VERIFY(hover->isVisible());
    QTest::mouseMove(window.get(), QPoint(5, 5));
    QTRY_VERIFY(!hover->isVisible());
}

// A menu entry that is switched off (the help entry while the clock runs,
// the language entry during an exercise) gets no hover frame and no click.
TEST_F(MainWindow, ADisabledMenuEntryNeitherLightsUpNorAnswers) {
    Open();
    auto* hover = Control<HoverFrame>(QStringLiteral("shpEV"));
    auto* symbol = Control(QStringLiteral("lblMenu(6)"));
    // The pointer rests away from the menu, as a previous test may have left it on it.
    QTest::mouseMove(window.get(), QPoint(5, 5));
    QTRY_VERIFY(!hover->isVisible());
    symbol->setEnabled(false);
    const QPointF at = symbol->rect().center();
    QEnterEvent enter(at, symbol->mapTo(window.get(), at), symbol->mapToGlobal(at));
    QApplication::sendEvent(symbol, &enter);
    EXPECT_FALSE(hover->isVisible());
    QTest::mouseClick(symbol, Qt::LeftButton, {}, at.toPoint());
    EXPECT_EQ(window->BackgroundTheme(), 0);
    symbol->setEnabled(true);
    QApplication::sendEvent(symbol, &enter);
    EXPECT_TRUE(hover->isVisible());
}

} // namespace
