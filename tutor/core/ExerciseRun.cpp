#include "tutor/core/ExerciseRun.h"

#include "tutor/core/BuiltInSentence.h"
#include "tutor/core/ExerciseCatalogue.h"
#include "tutor/core/KeyTable.h"
#include "tutor/core/TutorSounds.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int kSentencesPerLevel = 5;
constexpr int kSentencesPerExercise = 15;
// A random source that keeps repeating used indexes must not hang the
// tutor: after this many draws the first free index of the level is taken.
constexpr int kMaxDraws = 1000;

// Counters stop at the largest 16-bit value instead of wrapping round to
// negative numbers (a key held down long enough would get there).
void Increment(std::int16_t& counter) {
    if (counter < std::numeric_limits<std::int16_t>::max())
        ++counter;
}

std::int16_t LevelOf(std::int16_t sentenceNumber) {
    return static_cast<std::int16_t>((sentenceNumber - 1) / kSentencesPerLevel + 1);
}

} // namespace

// Every public operation holds one; operations that call one another publish
// once, when the outermost ends, so the window renders each operation's
// outcome once and never a state halfway through it.
class ExerciseRun::Notifier {
public:
    explicit Notifier(ExerciseRun& run) : m_run(run) { ++m_run.m_operationDepth; }
    ~Notifier() {
        if (--m_run.m_operationDepth == 0)
            m_run.Publish();
    }
    Notifier(const Notifier&) = delete;
    Notifier& operator=(const Notifier&) = delete;

private:
    ExerciseRun& m_run;
};

ExerciseRun::ExerciseRun(TutorPortSet ports, ExerciseCatalogue& catalogue, KeyboardModel& keyboard,
                         TutorObserver& observer, const UiTexts& texts, bool largeScreen)
    : m_clock(ports.clock), m_random(ports.random), m_capsLock(ports.capsLock),
      m_presenter(ports.results), m_catalogue(catalogue), m_keyboard(keyboard),
      m_observer(observer), m_texts(texts),
      m_timing(m_screen, m_results, m_random, largeScreen ? kLargeGaugeWidth : kGaugeWidth),
      m_counterSeparator(largeScreen ? " / " : "/") {
    m_timing.SetDifficulty(0, m_texts);
    // No Enter prompt blinks until the start screen asks for it.
    m_keyboard.MarkSentenceRunning();
    // The window renders the whole screen first; from then on it is told
    // what changes.
    m_published = m_screen;
    KeyboardChanges before;
    m_keyboard.TakeChanges(before);
}

void ExerciseRun::SetTexts(const UiTexts& texts) {
    Notifier notify(*this);
    m_texts = texts;
    m_catalogue.SetTexts(texts);
    SetDifficulty(m_results.Difficulty);
}

void ExerciseRun::SetDifficulty(std::int16_t index) {
    Notifier notify(*this);
    m_timing.SetDifficulty(index, m_texts);
}

void ExerciseRun::ChooseDifficulty(std::int16_t index) {
    Notifier notify(*this);
    SetDifficulty(index);
    if (m_screen.levelPanelVisible)
        Sound(kSoundClick);
}

void ExerciseRun::ToggleSounds() {
    m_soundsOn = !m_soundsOn;
    m_observer.PlaySound(kSoundClick);
}

void ExerciseRun::PlayClick() {
    Sound(kSoundClick);
}

char ExerciseRun::KeyPressed(char code) {
    Notifier notify(*this);
    if (m_sentence.Busy || m_closing || m_awaitingResults)
        return 0;
    // The Enter that starts a sentence does its work here and goes no
    // further, so it can never type a sentence's opening line break.
    if (code == '\r' && m_screen.startEnabled) {
        StartRequest();
        return 0;
    }
    return EvaluateKeystroke(code);
}

void ExerciseRun::StartRequest() {
    Notifier notify(*this);
    if (!m_screen.startEnabled || m_sentence.Busy || m_closing || m_awaitingResults)
        return;
    m_screen.startEnabled = false;
    StartNextSentence();
}

char ExerciseRun::EvaluateKeystroke(char code) {
    Notifier notify(*this);
    if (m_sentence.SentenceDone || m_closing)
        return 0;
    if (m_sentence.ExpectedChar.empty())
        return code;
    const bool clockRunning = m_screen.clockRunning;
    if (code != m_sentence.ExpectedChar[0]) {
        // The Enter that reaches the box before the clock runs is no mistake.
        if (!(code == '\r' && !clockRunning)) {
            Sound(kSoundWrongKey);
            m_observer.FlashInputBox();
        }
        if (clockRunning) {
            NoteKeystroke(code);
            Increment(m_sentence.SentenceWrong);
            Increment(m_totalWrong);
            ShowCounters();
            UpdateErrorFace();
        }
        SwitchCapsLockOff();
        return 0;
    }
    NoteKeystroke(code);
    Sound(kSoundKeystroke);
    Increment(m_sentence.SentenceCorrect);
    Increment(m_totalCorrect);
    ShowCounters();
    AdvancePosition(false);
    UpdateErrorFace();
    if (!m_sentence.SentenceDone) {
        m_screen.input += code;
        if (code == '\r')
            m_screen.input += '\n';
        return code;
    }
    FinishSentence();
    return 0;
}

void ExerciseRun::BeginSentence() {
    Notifier notify(*this);
    AdvancePosition(true);
}

void ExerciseRun::BeginSentence(const std::string& sentence) {
    Notifier notify(*this);
    m_sentence.CurrentSentence = sentence;
    m_sentence.SentenceDone = false;
    m_screen.sentence = sentence;
    m_screen.sentenceLeftAligned = true;
    m_screen.input.clear();
    m_screen.inputLocked = false;
    BeginSentence();
}

void ExerciseRun::AdvancePosition(bool reset) {
    SentenceRun& s = m_sentence;
    if (reset) {
        s.Position = 0;
    } else if (!m_screen.clockRunning) {
        // The clock starts with the first correct keystroke, also in a
        // sentence that opens with a line break.
        m_timing.StartClock(m_clock.Now());
    }
    if (s.Position < static_cast<int>(s.CurrentSentence.size())) {
        ++s.Position;
        const char expected = s.CurrentSentence[static_cast<std::size_t>(s.Position - 1)];
        s.ExpectedChar.assign(1, expected);
        ShowTypedPart();
        m_screen.typeForMeVisible = !FindKeyEntry(expected).has_value();
        m_keyboard.HighlightNextKey(expected);
        if (expected == '\r')
            ++s.Position;
    } else {
        s.SentenceDone = true;
        m_screen.typeForMeVisible = false;
        m_keyboard.ClearHighlightFrames();
    }
}

void ExerciseRun::ShowTypedPart() {
    const std::string& sentence = m_sentence.CurrentSentence;
    const std::size_t next = static_cast<std::size_t>(std::max(m_sentence.Position - 1, 0));
    const std::size_t lineBreak = next == 0 ? std::string::npos : sentence.rfind('\n', next - 1);
    const std::size_t lineStart = lineBreak == std::string::npos ? 0 : lineBreak + 1;
    m_screen.typedLine =
        static_cast<std::int16_t>(std::count(sentence.begin(), sentence.begin() + next, '\n'));
    m_screen.typedOnLine = sentence.substr(lineStart, next - lineStart);
}

void ExerciseRun::FinishSentence() {
    m_sentence.Busy = true;
    m_screen.busy = true;
    m_screen.typedOnLine.clear();
    m_screen.input = m_sentence.CurrentSentence;
    m_screen.startEnabled = true;
    m_keyboard.RedrawAllKeysRaised();
    const SentenceResult result = m_timing.EvaluateSentence(
        m_clock.Now(), m_sentence.CurrentSentence, m_sentence.Position, m_sentenceNumber,
        m_levelsReached, m_sentence.FirstOfLevel, m_texts);
    Sound(result.record ? kSoundRecord : kSoundOrdinaryEnd);
    m_sentence.FirstOfLevel = false;
    m_pauseStart = m_clock.Now();
    NoteFinishedSentence(result);
}

void ExerciseRun::PauseTick() {
    Notifier notify(*this);
    if (!m_sentence.Busy)
        return;
    if (m_clock.Now() - m_pauseStart < kPauseSeconds)
        return;
    m_timing.StopRecordAnimation();
    m_screen.enterPrompt = true;
    m_sentence.Busy = false;
    m_screen.busy = false;
}

void ExerciseRun::StartNextSentence() {
    Notifier notify(*this);
    m_observer.CloseKeyMap();
    // The finger images come back onto the keys in the map window's place.
    if (m_keyboard.KeyMap() && !m_keyboard.StripVisible())
        m_keyboard.ShowFingerImages(true);
    m_screen.enterPrompt = false;
    m_keyboard.RedrawAllKeysRaised();
    m_screen.clockText = "00:00";
    m_screen.typedLine = 0;
    m_screen.typedOnLine.clear();
    m_timing.StopRecordAnimation();

    m_screen.listVisible = false;
    m_screen.levelPanelVisible = false;
    const std::string entry = m_catalogue.SelectedEntry();
    if (!entry.empty() && entry != m_catalogue.ExercisesHeader())
        m_catalogue.SelectExerciseFile(entry + ".ftd");

    Increment(m_sentenceNumber);
    m_screen.enterPrompt = false;
    m_screen.typeForMeVisible = false;
    // Sentence 6 or 11 is asked for: a level has been finished.
    const bool levelEnd = m_sentenceNumber == kSentencesPerLevel + 1 ||
                          m_sentenceNumber == 2 * kSentencesPerLevel + 1;
    if (levelEnd || m_sentenceNumber > kSentencesPerExercise) {
        // The start goes on once the pupil has answered the results.
        AskForResults(levelEnd);
        return;
    }
    ContinueStart();
}

void ExerciseRun::ContinueStart() {
    if (!m_sentence.ExerciseOver)
        ChooseNextSentence();
    if (m_sentence.ExerciseOver) {
        ResetToStart();
        return;
    }

    m_screen.languageMenuEnabled = false;
    m_screen.sentence = m_sentence.CurrentSentence;
    m_screen.sentenceLeftAligned = true;
    m_screen.messageVisible = false;
    m_sentence.SentenceDone = false;
    SwitchCapsLockOff();
    BeginSentence();
    m_screen.input.clear();
    m_screen.inputLocked = false;
    m_screen.gaugeLength = 0;
    m_screen.startEnabled = false;
    m_sentence.SentenceCorrect = 0;
    m_sentence.SentenceWrong = 0;
    ShowCounters();
    Sound(kSoundStart);
    if (m_sentenceNumber % kSentencesPerLevel == 1) {
        m_timing.ResetRecordMarker(m_levelsReached);
        m_sentence.FirstOfLevel = true;
    }
}

void ExerciseRun::ChooseNextSentence() {
    std::string title = m_catalogue.ExerciseFile().empty() ? m_texts.Slot(kSlotBuiltInSentences)
                                                           : " - " + m_catalogue.ExerciseFileName();
    title.resize(std::min<std::size_t>(title.size(), 30));

    m_levelsReached = LevelOf(m_sentenceNumber);
    const std::int16_t inLevel =
        static_cast<std::int16_t>(m_sentenceNumber - kSentencesPerLevel * (m_levelsReached - 1));
    m_screen.litLamp = m_levelsReached;
    m_screen.level = m_levelsReached;
    m_screen.sentenceNumber = std::to_string(inLevel);
    m_screen.caption = "Zentavo " + title + " " +
                       m_texts.Slot(kSlotFirstLevel + m_levelsReached - 1) + " " +
                       std::to_string(inLevel);

    const std::int16_t highest = static_cast<std::int16_t>(15 * m_levelsReached);
    const std::int16_t drawn = DrawSentenceIndex(highest);
    m_usedIndexes[static_cast<std::size_t>(m_sentenceNumber)] = drawn;
    m_sentence.CurrentSentence = PickSentence(drawn);
}

std::int16_t ExerciseRun::DrawSentenceIndex(std::int16_t highestIndex) {
    const int lowest = highestIndex - 14;
    const auto used = [this](int index) {
        return std::find(m_usedIndexes.begin() + 1, m_usedIndexes.end(), index) !=
               m_usedIndexes.end();
    };
    m_random.Reseed();
    for (int draw = 0; draw < kMaxDraws; ++draw) {
        const double r = m_random.Next();
        const int index = std::clamp(static_cast<int>(std::floor(15.0 * r + lowest)), lowest,
                                     static_cast<int>(highestIndex));
        if (!used(index))
            return static_cast<std::int16_t>(index);
    }
    for (int index = lowest; index <= highestIndex; ++index) {
        if (!used(index))
            return static_cast<std::int16_t>(index);
    }
    return static_cast<std::int16_t>(lowest);
}

std::string ExerciseRun::PickSentence(std::int16_t drawnIndex) const {
    if (m_catalogue.ExerciseFile().empty())
        return BuiltInSentence(drawnIndex);
    const std::int16_t level = m_levelsReached;
    // A level with a sixth sentence holds fifteen, drawn at random like the
    // built-in ones; a level of five is typed in order.
    std::string sentence = m_catalogue.ReadLevelSentence(
        level, static_cast<std::int16_t>(drawnIndex - 15 * (level - 1)),
        static_cast<std::int16_t>(m_sentenceNumber - kSentencesPerLevel * (level - 1)));
    if (sentence.empty())
        return BuiltInSentence(drawnIndex);
    return sentence;
}

void ExerciseRun::AskForResults(bool levelEnd) {
    m_results.ResultsOutcome = levelEnd ? 1 : 2;
    m_results.LevelsReached = m_levelsReached;
    m_results.TotalCorrect = m_totalCorrect;
    m_results.TotalWrong = m_totalWrong;
    m_results.ResultsAnswer = -1;
    // The screen as it stands shows under the results window.
    Publish();
    m_awaitingResults = true;
    m_presenter.ShowResults(m_results, [this](std::int16_t answer) { ResultsAnswered(answer); });
}

void ExerciseRun::ResultsAnswered(std::int16_t answer) {
    if (!m_awaitingResults)
        return;
    Notifier notify(*this);
    m_awaitingResults = false;
    m_results.ResultsAnswer = answer;
    if (answer != 0) {
        m_closing = true;
        m_observer.CloseProgram();
        return;
    }
    if (m_results.ResultsOutcome == 2) {
        m_sentenceNumber = 1;
        m_levelsReached = 1;
        m_totalWrong = 0;
        m_totalCorrect = 0;
        m_usedIndexes.fill(0);
        m_screen.levelAverages = {};
        m_results.SentenceSpeeds.fill(0.0f);
        if (!m_catalogue.HasCommandLine() && !m_catalogue.Entries().empty()) {
            m_sentence.ExerciseOver = true;
            m_sentenceNumber = 0;
        }
    }
    ContinueStart();
}

void ExerciseRun::ResetToStart() {
    if (m_practice != nullptr)
        m_practice->SentenceAbandoned();
    m_screen.languageMenuEnabled = true;
    m_screen.face = {'K', false};

    m_sentence.ExerciseOver = false;
    m_catalogue.ClearExerciseFile();

    m_screen.sentence.clear();
    m_screen.sentenceLeftAligned = false;
    m_screen.messageVisible = false;
    m_screen.input.clear();
    m_screen.inputLocked = true;
    m_sentence.SentenceDone = false;
    m_keyboard.ClearHighlightFrames();

    m_screen.litLamp = 0;
    m_screen.levelAverages = {};

    m_screen.correctCounter = "0" + m_counterSeparator + "0";
    m_screen.wrongCounter = m_screen.correctCounter;
    m_sentence.SentenceCorrect = 0;
    m_sentence.SentenceWrong = 0;
    m_screen.sentenceNumber.clear();
    m_sentence.ExpectedChar.clear();

    m_screen.gaugeVisible = false;
    m_screen.caption = "Zentavo";

    m_sentence.Position = 0;
    m_totalWrong = 0;
    m_totalCorrect = 0;
    m_sentenceNumber = 0;
    m_timing.ClearLevelPointsSum();
    m_catalogue.SetCourseMode(false);

    // A restart during the pause after a sentence ends the pause too.
    m_sentence.Busy = false;
    m_screen.busy = false;
    m_screen.typeForMeVisible = false;
    m_timing.StopRecordAnimation();
    // Enter starts nothing until the start screen has been typed out: a
    // restart from the pause after a sentence, or from the start screen by
    // a change of language, finds the start button still enabled.
    m_screen.startEnabled = false;
    m_screen.enterPrompt = false;

    if (!m_catalogue.Entries().empty()) {
        m_screen.listVisible = true;
        m_catalogue.FillExerciseList();
    }
    m_screen.levelPanelVisible = true;
    Publish();
    m_observer.ShowWelcome();
}

void ExerciseRun::Restart() {
    Notifier notify(*this);
    if (m_closing || m_awaitingResults)
        return;
    m_timing.StopClock();
    if (m_practice != nullptr)
        m_practice->SentenceAbandoned();
    m_sentence.ExerciseOver = true;
    StartNextSentence();
}

bool ExerciseRun::RestartAvailable() const {
    return !m_catalogue.HasCommandLine();
}

std::string ExerciseRun::WelcomeText() const {
    std::string text = m_texts.Slot(kSlotWelcome) + m_texts.Slot(kSlotStartHint);
    if (!m_catalogue.Entries().empty() && m_catalogue.ExerciseFile().empty())
        text += m_texts.Slot(kSlotChooseFile);
    return text;
}

void ExerciseRun::ShowStartChoices() {
    Notifier notify(*this);
    if (!m_catalogue.Entries().empty() && m_catalogue.ExerciseFile().empty())
        m_screen.listVisible = true;
    m_screen.levelPanelVisible = true;
}

void ExerciseRun::EnableStart() {
    Notifier notify(*this);
    if (!m_keyboard.StripVisible())
        m_keyboard.ShowFingerImages(false);
    if (m_closing || m_sentence.Busy || !m_sentence.ExpectedChar.empty())
        return;
    m_screen.startEnabled = true;
    m_screen.enterPrompt = true;
}

void ExerciseRun::TypeForMe() {
    Notifier notify(*this);
    if (!m_screen.typeForMeVisible)
        return;
    m_screen.typeForMeVisible = false;
    if (!m_sentence.ExpectedChar.empty())
        EvaluateKeystroke(m_sentence.ExpectedChar[0]);
}

void ExerciseRun::ClockTick() {
    Notifier notify(*this);
    if (!m_screen.clockRunning)
        return;
    m_timing.ClockTick(m_clock.Now(), m_sentence.Position);
}

void ExerciseRun::RecordAnimationTick() {
    Notifier notify(*this);
    if (!m_screen.recordAnimation)
        return;
    m_timing.RecordAnimationTick();
}

void ExerciseRun::UpdateErrorFace() {
    m_screen.face = ErrorFaceFor(m_totalWrong, m_totalCorrect, m_results.PointsFactor);
}

void ExerciseRun::ShowCounters() {
    m_screen.correctCounter = std::to_string(m_sentence.SentenceCorrect) + m_counterSeparator +
                              std::to_string(m_totalCorrect);
    m_screen.wrongCounter = std::to_string(m_sentence.SentenceWrong) + m_counterSeparator +
                            std::to_string(m_totalWrong);
}

void ExerciseRun::SwitchCapsLockOff() {
    if (m_capsLock.IsOn())
        m_capsLock.SwitchOff();
}

void ExerciseRun::Sound(int number) {
    if (m_soundsOn)
        m_observer.PlaySound(number);
}

std::optional<char> ExerciseRun::CurrentCharacter() const {
    if (m_sentence.ExpectedChar.empty() || m_sentence.SentenceDone)
        return std::nullopt;
    return m_sentence.ExpectedChar[0];
}

void ExerciseRun::Publish() {
    // The Enter prompt on the keyboard follows the screen's.
    if (m_screen.enterPrompt != m_published.enterPrompt) {
        if (m_screen.enterPrompt)
            m_keyboard.FlashBotton();
        else
            m_keyboard.MarkSentenceRunning();
    }
    m_change.parts = ChangedParts(m_published, m_screen);
    m_keyboard.TakeChanges(m_change.keyboard);
    if (m_change.parts.any())
        m_published = m_screen;
    m_observer.ScreenChanged(m_screen, m_change);
    m_change.keyboard.Clear();
}

// -- the keyboard picture --------------------------------------------------------

void ExerciseRun::LoadKeyboardOptions(bool highlight, bool keyMap, KeySplit split) {
    Notifier notify(*this);
    m_keyboard.LoadOptions(highlight, keyMap, split);
}

void ExerciseRun::SetKeyMap(bool on) {
    Notifier notify(*this);
    m_keyboard.SetKeyMap(on, CurrentCharacter());
}

void ExerciseRun::SetHighlight(bool on) {
    Notifier notify(*this);
    m_keyboard.SetHighlight(on, CurrentCharacter());
}

void ExerciseRun::KeyDoubleClicked(int key) {
    Notifier notify(*this);
    if (m_keyboard.KeyDoubleClicked(key, CurrentCharacter()))
        Sound(kSoundSplit);
}

void ExerciseRun::FingerImageDoubleClicked() {
    Notifier notify(*this);
    m_keyboard.FingerImageDoubleClicked(CurrentCharacter());
}

void ExerciseRun::StripDoubleClicked() {
    Notifier notify(*this);
    m_keyboard.StripDoubleClicked();
}

void ExerciseRun::PromptTick() {
    Notifier notify(*this);
    m_keyboard.PromptTick();
}

void ExerciseRun::StopEnterPrompt() {
    Notifier notify(*this);
    m_keyboard.MarkSentenceRunning();
}

void ExerciseRun::RaiseEnterKeys() {
    Notifier notify(*this);
    m_keyboard.DrawKeyBevel(KeyTable::kEnterKey, true);
    m_keyboard.DrawKeyBevel(KeyTable::kEnterUpperKey, true);
}

void ExerciseRun::FlashEnterPrompt() {
    Notifier notify(*this);
    m_keyboard.FlashBotton();
}

void ExerciseRun::NoteKeystroke(char typed) {
    if (m_practice != nullptr)
        m_practice->KeystrokeJudged(m_sentence.ExpectedChar[0], typed, m_clock.Milliseconds());
}

void ExerciseRun::NoteFinishedSentence(const SentenceResult& result) {
    if (m_practice == nullptr)
        return;
    const std::string exercise =
        m_catalogue.ExerciseFile().empty() ? std::string() : m_catalogue.ExerciseFileName();
    const std::int64_t seconds = std::clamp<std::int64_t>(m_pauseStart - m_timing.StartTime(), 0,
                                                          std::numeric_limits<std::int32_t>::max());
    m_practice->SentenceFinished({exercise, m_levelsReached, m_sentenceNumber, m_results.Difficulty,
                                  result.speed, result.points, m_sentence.SentenceCorrect,
                                  m_sentence.SentenceWrong, static_cast<std::int32_t>(seconds),
                                  m_pauseStart});
}
