// ExerciseRun is the tutor's exercise: 15 sentences in three levels of five.
// It picks each sentence (at random within its level, never twice in an
// exercise, from the exercise file or the built-in sentences), judges every
// keystroke against the expected character, counts right and wrong ones,
// finishes and scores each sentence through SentenceTiming, opens the
// results after each level, and restarts or returns to the start screen.
//
// The main window forwards its events here (keys, the start button, timer
// ticks, menu choices, clicks on the keyboard picture) and renders what
// TutorObserver reports; the world is reached through the ports of
// TutorPorts.h. The run alone changes the screen and the keyboard: each
// public operation publishes once, when it ends, what it changed.
#pragma once

#include "common/core/UiTexts.h"
#include "tutor/core/KeyboardModel.h"
#include "tutor/core/PracticeObserver.h"
#include "tutor/core/ResultsTable.h"
#include "tutor/core/SentenceTiming.h"
#include "tutor/core/TutorPorts.h"
#include "tutor/core/TutorScreen.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

class ExerciseCatalogue;

// The sentence being typed.
struct SentenceRun {
    std::string CurrentSentence; // a line break is CR LF
    // 1-based index of the character to type next; on a line break it
    // already points at the LF while ExpectedChar is CR.
    std::int16_t Position = 0;
    std::string ExpectedChar; // empty while no sentence runs
    std::int16_t SentenceCorrect = 0;
    std::int16_t SentenceWrong = 0;
    bool SentenceDone = false;
    bool Busy = false; // the sentence is being evaluated or the pause runs
    bool FirstOfLevel = false;
    bool ExerciseOver = false; // the next start request returns to the start screen
};

struct TutorPortSet {
    Clock& clock;
    RandomSource& random;
    CapsLock& capsLock;
    ResultsPresenter& results;
};

class ExerciseRun {
public:
    static constexpr int kPauseSeconds = 3;

    // keyboard: the keyboard picture's state, which the run keeps.
    ExerciseRun(TutorPortSet ports, ExerciseCatalogue& catalogue, KeyboardModel& keyboard,
                TutorObserver& observer, const UiTexts& texts, bool largeScreen);

    // Settings ------------------------------------------------------------
    // Who keeps the practice (none by default); the run only reports to it.
    void SetPracticeObserver(PracticeObserver* observer) { m_practice = observer; }
    // New texts after a change of language, for the run and its catalogue.
    void SetTexts(const UiTexts& texts);
    void SetDifficulty(std::int16_t index);
    // The pupil picks a difficulty option: also a click while the level
    // panel shows.
    void ChooseDifficulty(std::int16_t index);
    bool SoundsOn() const { return m_soundsOn; }
    void SetSoundsOn(bool on) { m_soundsOn = on; }
    // The sounds menu: the click plays in both directions.
    void ToggleSounds();
    // A click on a menu entry or option (only with sounds on).
    void PlayClick();

    // Events of the window -------------------------------------------------
    // Every key the window receives: swallowed while busy, Enter starts the
    // next sentence while the start button is enabled, any other goes to
    // EvaluateKeystroke. Returns the character let into the input box, or 0.
    char KeyPressed(char code);
    // The start button.
    void StartRequest();
    // A typed character: the code let into the input box, or 0.
    char EvaluateKeystroke(char code);
    // The type-for-me button: types the expected character.
    void TypeForMe();
    void ClockTick();
    void RecordAnimationTick();
    // Ends the pause after a sentence once three clock seconds have passed.
    void PauseTick();
    // The restart menu (after the pupil confirmed) and a change of language:
    // back to the start screen, through the results when a level just ended.
    void Restart();
    // False while an exercise named on the command line is in use.
    bool RestartAvailable() const;
    // The text the start screen types out.
    std::string WelcomeText() const;
    // The start screen, once its text is typed out: first the list and the
    // level panel appear, then (after a pause) the start button is enabled
    // and the Enter prompt blinks. Until then Enter starts nothing.
    void ShowStartChoices();
    // Also moves the finger images off the keys: the start screen's map
    // window shows them from now on.
    void EnableStart();

    // The keyboard picture ----------------------------------------------------
    // The options as read from the settings.
    void LoadKeyboardOptions(bool highlight, bool keyMap, KeySplit split);
    // The menu's toggles.
    void SetKeyMap(bool on);
    void SetHighlight(bool on);
    // Double-clicks on the picture: key B with the finger map on switches
    // the split (and says so with a sound); the finger images and the strip
    // trade places.
    void KeyDoubleClicked(int key);
    void FingerImageDoubleClicked();
    void StripDoubleClicked();
    // The Enter prompt's blink.
    void PromptTick();
    // Printing the keyboard: the prompt stops and Enter is drawn raised, so
    // the paper shows the plain keyboard; afterwards the prompt blinks again.
    void StopEnterPrompt();
    void RaiseEnterKeys();
    void FlashEnterPrompt();

    // State ------------------------------------------------------------------
    const TutorScreen& Screen() const { return m_screen; }
    const KeyboardModel& Keyboard() const { return m_keyboard; }
    const SentenceRun& Sentence() const { return m_sentence; }
    // The results window is open; the start goes on with its answer.
    bool AwaitingResults() const { return m_awaitingResults; }
    const ResultsTable& Results() const { return m_results; }
    std::int16_t SentenceNumber() const { return m_sentenceNumber; }
    std::int16_t LevelsReached() const { return m_levelsReached; }
    std::int16_t TotalCorrect() const { return m_totalCorrect; }
    std::int16_t TotalWrong() const { return m_totalWrong; }
    // Slot n (1..15): the sentence index chosen for sentence n.
    const std::array<std::int16_t, 16>& UsedIndexes() const { return m_usedIndexes; }
    const SentenceTiming& Timing() const { return m_timing; }

    // The steps of a sentence, public for tests and the benchmark ---------
    void StartNextSentence();
    void BeginSentence();
    // Puts up a sentence to be typed as the start request does once it has
    // chosen one, without choosing, counting or sounding.
    void BeginSentence(const std::string& sentence);

private:
    // Publishes once when the outermost operation ends (see Publish).
    class Notifier;

    void AdvancePosition(bool reset);
    void FinishSentence();
    // After sentences 5, 10 and 15 the results are shown before the start
    // goes on; keys, start requests and restarts wait for the answer.
    void AskForResults(bool levelEnd);
    void ResultsAnswered(std::int16_t answer);
    // The rest of the start request: the next sentence, or the start screen.
    void ContinueStart();
    void ChooseNextSentence();
    void ResetToStart();
    void UpdateErrorFace();
    std::int16_t DrawSentenceIndex(std::int16_t highestIndex);
    std::string PickSentence(std::int16_t drawnIndex) const;
    void ShowCounters();
    void ShowTypedPart();
    void SwitchCapsLockOff();
    void Sound(int number);
    // The character to type next, while a sentence has one.
    std::optional<char> CurrentCharacter() const;
    // Tells the observer what changed since it was last told; also in the
    // middle of an operation, before a window opens over the screen.
    void Publish();
    // What the practice observer is told.
    void NoteKeystroke(char typed);
    void NoteFinishedSentence(const SentenceResult& result);

    Clock& m_clock;
    RandomSource& m_random;
    CapsLock& m_capsLock;
    ResultsPresenter& m_presenter;
    ExerciseCatalogue& m_catalogue;
    KeyboardModel& m_keyboard;
    TutorObserver& m_observer;
    PracticeObserver* m_practice = nullptr;
    UiTexts m_texts;

    TutorScreen m_screen;
    TutorScreen m_published; // as the observer was last told
    ScreenChange m_change;   // kept to keep its room
    int m_operationDepth = 0;
    ResultsTable m_results;
    SentenceTiming m_timing;
    SentenceRun m_sentence;

    std::int16_t m_sentenceNumber = 0;
    std::int16_t m_levelsReached = 1;
    std::int16_t m_totalCorrect = 0;
    std::int16_t m_totalWrong = 0;
    std::array<std::int16_t, 16> m_usedIndexes{};
    std::string m_counterSeparator;
    bool m_soundsOn = true;
    bool m_closing = false;
    bool m_awaitingResults = false;
    std::int64_t m_pauseStart = 0;
};
