#pragma once

#include "tutor/core/TutorPorts.h"
#include "tutor/ui/ResultsPdfExport.h"
#include "tutor/ui/ResultsWindowPorts.h"
#include "tutor/ui/frmClassifica.h"

#include <functional>
#include <memory>
#include <optional>

class QWidget;
class SoundOutput;
class frmZentavo;

// The main window's side of a level's end: the exercise run asks for the
// results after sentences 5, 10 and 15, and this opens the results window
// modally over the main window with what the window holds at that moment
// (texts, theme, sounds, exercise file) and hands the pupil's answer back
// when the window closes. What the answer leads to is the run's decision.
//
// The flow exists before the main window (the window's exercise run is
// built with it) and is attached to the window once that exists.
class LevelEndFlow : public ResultsPresenter {
public:
    // The real boxes, viewer and default printer.
    LevelEndFlow();
    // Ports of the caller's own (tests).
    explicit LevelEndFlow(ResultsWindowPorts ports);
    ~LevelEndFlow() override;

    void Attach(QWidget* owner, std::function<ResultsWindowContext()> context);

    void ShowResults(const ResultsTable& results, Answered answered) override;

    // Called with the results window once it shows.
    void SetWhileOpen(std::function<void(frmClassifica&)> whileOpen) {
        m_whileOpen = std::move(whileOpen);
    }

private:
    struct RealPorts;

    QWidget* m_owner = nullptr;
    std::function<ResultsWindowContext()> m_context;
    std::unique_ptr<RealPorts> m_realPorts;
    std::optional<ResultsWindowPorts> m_ports;
    std::function<void(frmClassifica&)> m_whileOpen;
};

// What the main window holds for its results window: its texts, background
// theme and sounds switch, the exercise file in use, and its sound output.
ResultsWindowContext ResultsContextOf(frmZentavo& window, SoundOutput* sounds);
