#include "tutor/ui/LevelEndFlow.h"

#include "tutor/ui/SoundPlayer.h"
#include "tutor/ui/frmZentavo.h"

#include <QTimer>
#include <QWidget>

struct LevelEndFlow::RealPorts {
    QtResultsDialogs dialogs;
    DesktopFileViewer viewer;
    DefaultPrinter printer;
};

LevelEndFlow::LevelEndFlow()
    : m_realPorts(std::make_unique<RealPorts>()),
      m_ports(ResultsWindowPorts{m_realPorts->dialogs, m_realPorts->viewer, m_realPorts->printer}) {
}

LevelEndFlow::LevelEndFlow(ResultsWindowPorts ports) : m_ports(ports) {}

LevelEndFlow::~LevelEndFlow() = default;

void LevelEndFlow::Attach(QWidget* owner, std::function<ResultsWindowContext()> context) {
    m_owner = owner;
    m_context = std::move(context);
}

void LevelEndFlow::ShowResults(const ResultsTable& results, Answered answered) {
    // Application-modal and shown, not run: the event loop stays the
    // program's own, and the answer goes back when the window closes.
    auto* window = new frmClassifica(results, m_context ? m_context() : ResultsWindowContext{},
                                     *m_ports, m_owner);
    if (m_realPorts)
        m_realPorts->dialogs.SetParent(window);
    QObject::connect(window, &QDialog::finished, window,
                     [this, window, answered = std::move(answered)] {
                         if (m_realPorts)
                             m_realPorts->dialogs.SetParent(nullptr);
                         const std::int16_t answer = window->ResultsAnswer();
                         window->deleteLater();
                         answered(answer);
                     });
    if (m_whileOpen)
        QTimer::singleShot(0, window, [this, window] { m_whileOpen(*window); });
    window->show();
}

ResultsWindowContext ResultsContextOf(frmZentavo& window, SoundOutput* sounds) {
    ResultsWindowContext context;
    context.texts = &window.Texts();
    context.backgroundTheme = window.BackgroundTheme();
    context.soundsOn = window.Run().SoundsOn();
    context.exerciseFile = window.Catalogue().ExerciseFile();
    if (sounds)
        context.playSound = [sounds](int number) { sounds->Play(number); };
    context.suggestedName = window.Pupils().CurrentPupilPlainName();
    if (!context.suggestedName.empty())
        context.showProgress = [&window] { window.ShowProgress(); };
    return context;
}
