#pragma once
// ClassFolderCopy is the tutor's side of the class folder: when the computer
// is set to one, it keeps the pupils' copies there through a ClassCopier,
// copying at start and after each level the history records, on a thread
// of its own for each step on the folder. The message that the folder cannot
// be reached is shown once per run. A share that hangs holds up only its
// thread, which is left behind at exit rather than waited for.

#include "common/core/UiTexts.h"
#include "tutor/core/ClassCopier.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>

class HistoryStore;
class MessagePort;

class ClassFolderCopy : public QObject, public BackgroundWork {
public:
    using TextsSource = std::function<const UiTexts&()>;

    // folder is the system's bytes; empty: no class folder, nothing is done.
    ClassFolderCopy(HistoryStore& store, std::string folder, const Clock& clock,
                    MessagePort& messages, TextsSource texts, QObject* parent = nullptr);
    ~ClassFolderCopy() override;

    // The copy at start, of every pupil with practice: call it once the
    // window is on screen.
    void Start();
    ClassCopier& Copier() { return m_copier; }

    void Run(std::function<void()> work, std::function<void()> done) override;

private:
    struct Guard;
    void Tell(ClassCopyStatus status);

    HistoryStore& m_store;
    std::string m_folder;
    MessagePort& m_messages;
    TextsSource m_texts;
    std::shared_ptr<Guard> m_guard;
    QTimer m_watch;
    ClassCopier m_copier;
};
