#pragma once
// TimedSequence runs named steps one after another, each after its own delay,
// from a single-shot timer: the title letters and the typed-out welcome of the
// start screen are such sequences. Between two steps the event loop runs as
// usual, so keys, clicks and ticks are handled in between and never inside a
// step; what an input does meanwhile is decided where it is handled (the
// exercise run knows whether Enter may start a sentence).
//
// While a modal window of the program is open the next step waits for it to
// close, so that nothing moves on under a question the pupil is answering.

#include <QObject>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

class TimedSequence : public QObject {
    Q_OBJECT
public:
    struct Step {
        std::string name;
        int delayMs = 0; // before the step runs
        std::function<void()> action;
    };

    // pace scales every delay: 1 for real time, 0 for tests (each step then
    // still comes from its own turn of the event loop).
    explicit TimedSequence(QObject* parent = nullptr, double pace = 1.0);

    // Starts the steps from the first; a sequence still running is dropped.
    void Start(std::vector<Step> steps);
    void Cancel();
    bool Running() const { return m_next < m_steps.size(); }
    // The step that runs next, or "" when the sequence has ended.
    std::string NextStep() const;

    // For tests: the sequence stops before the next step of that name until
    // Resume, so that input can be sent at exactly that moment.
    void HoldBefore(const std::string& name) { m_hold = name; }
    bool Held() const { return m_held; }
    void Resume();

private:
    void Schedule();
    void RunNext();

    QTimer m_timer;
    std::vector<Step> m_steps;
    std::size_t m_next = 0;
    double m_pace;
    std::string m_hold;
    bool m_held = false;
};
