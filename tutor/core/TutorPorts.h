// The small interfaces through which the tutor's rules reach the world: the
// date-time clock, the random generator, the Caps Lock state and the modal
// results window. The main window implements them; tests fake them, so a
// whole exercise plays in microseconds.
#pragma once

#include <cstdint>
#include <functional>

struct ResultsTable;

// The date-time clock, read in whole seconds: two readings one second apart
// differ by one even when only a few milliseconds passed between them.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int64_t Now() const = 0;
    // A steady count of milliseconds, for the time between two keystrokes;
    // only differences count. Whole seconds where nothing finer is known.
    virtual std::int64_t Milliseconds() const { return Now() * 1000; }
};

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Seeds the generator afresh from the clock.
    virtual void Reseed() = 0;
    // Uniform in [0, 1).
    virtual double Next() = 0;
};

class CapsLock {
public:
    virtual ~CapsLock() = default;
    virtual bool IsOn() const = 0;
    virtual void SwitchOff() = 0;
};

// Shows the results window, modal over the main window, and tells the
// pupil's answer through `answered`: 0 "Continua", 1 "Termina", -1 when the
// window was closed any other way. The answer may come at once, inside the
// call, or later, once the window closes: no event loop of the presenter's
// own runs meanwhile.
class ResultsPresenter {
public:
    using Answered = std::function<void(std::int16_t answer)>;
    virtual ~ResultsPresenter() = default;
    virtual void ShowResults(const ResultsTable& results, Answered answered) = 0;
};
