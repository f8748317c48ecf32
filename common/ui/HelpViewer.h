#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;
class QToolButton;

// Opens the help at a topic; false when the topic's page is missing. Windows
// reach the help through this port so that tests need no help window.
class HelpPort {
public:
    virtual ~HelpPort() = default;
    virtual bool ShowHelpTopic(int topic) = 0;
};

// The in-program help: a window that shows the HTML pages kept in the help/
// folder beside the programs, opened at a topic number (topic N is page
// N.html, topic 0 the contents page index.html), with back, forward and
// contents buttons; Escape and Ctrl+W close it. Both programs share one
// viewer window per run.
class HelpViewer : public QWidget {
    Q_OBJECT
public:
    static constexpr int ContentsTopic = 0;

    // programFolder ends with "/".
    static QString PagePath(const QString& programFolder, int topic);
    static bool PageExists(const QString& programFolder, int topic);

    // Shows the shared viewer at the topic and brings it to the front. False,
    // with nothing shown, when the page is missing: the caller tells the user.
    static bool ShowTopic(const QString& programFolder, int topic);
    // The shared viewer, or nullptr when none is open.
    static HelpViewer* Shared();
    // Closes and deletes the shared viewer (at program end).
    static void CloseShared();

    explicit HelpViewer(const QString& programFolder, QWidget* parent = nullptr);
    bool OpenTopic(int topic);
    QTextBrowser* Browser() const { return m_browser; }

private:
    void updateTitle();

    QString m_programFolder;
    QTextBrowser* m_browser;
    QToolButton* m_back;
    QToolButton* m_forward;
    QToolButton* m_home;
};

// The help port answered by the shared HelpViewer of a program folder.
class HelpViewerPort : public HelpPort {
public:
    explicit HelpViewerPort(QString programFolder) : m_programFolder(std::move(programFolder)) {}
    bool ShowHelpTopic(int topic) override { return HelpViewer::ShowTopic(m_programFolder, topic); }

private:
    QString m_programFolder;
};
