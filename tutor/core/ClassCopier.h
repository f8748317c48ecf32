// ClassCopier keeps the pupils' copies in the class folder up to date while
// the tutor runs: at the start every pupil of the account with practice, and
// after each finished level (and so each finished exercise) the pupil who
// finished it. Each copy is a
// ClassCopyTask; its steps on the class folder run off the tutor's thread
// (through BackgroundWork), its steps on the local history on the tutor's
// own, so that neither a slow nor a hung share ever stalls the pupil. One
// copy runs at a time; pupils asked for meanwhile wait their turn, each once.
// The first copy of a pupil in a run compares all of the pupil's sentences;
// the later ones start from what it learnt, so the copy after a level reads
// a few rows on either side however long the history.
//
// The local history stays the primary copy: when the folder cannot be
// reached or written, practising goes on, the reporter is told once per run,
// and the next copy takes over whatever the class copy lacks.
#pragma once

#include "history/ClassCopyTask.h"
#include "history/HistoryStore.h"
#include "tutor/core/TutorPorts.h"

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

// Runs work off the calling thread, then hands back to it.
class BackgroundWork {
public:
    virtual ~BackgroundWork() = default;
    // Runs `work` on another thread, then `done` on the caller's thread,
    // later, never inside Run.
    virtual void Run(std::function<void()> work, std::function<void()> done) = 0;
};

// The class folder a computer is set to: the computer's settings file rules,
// as an administrator set it once for the room; a user's own settings file
// is looked at only when the computer's sets none.
std::string ClassFolderSetting(const std::string& computerSettingsFile,
                               const std::string& userSettingsFile);

class ClassCopier {
public:
    // A copy that has been waiting on the class folder this long is reported
    // as a folder that does not respond; it still ends whenever the share
    // answers.
    static constexpr std::int64_t kNotRespondingAfterMs = 20'000;

    using Reporter = std::function<void(ClassCopyStatus status)>;

    ClassCopier(HistoryStore& local, std::string folder, BackgroundWork& background,
                const Clock& clock, Reporter reporter);

    // Every pupil with at least one recorded sentence (pupils who never
    // practised get no file in the class folder).
    void CopyAll();
    void Copy(PupilId pupil);
    // For HistoryStore's record listener: copies after the last sentence of
    // each level of an exercise.
    void SentenceRecorded(PupilId pupil, const SentenceRecord& sentence);
    // Called now and then: tells when the copy under way waits on the folder
    // for too long.
    void Watch();

    bool Busy() const { return m_task != nullptr; }
    // How the last finished copy went.
    std::optional<ClassCopyStatus> LastStatus() const { return m_last; }

private:
    void StartNext();
    void Step();
    void Finish();
    void Report(ClassCopyStatus status);

    HistoryStore& m_local;
    std::string m_folder;
    BackgroundWork& m_background;
    const Clock& m_clock;
    Reporter m_reporter;
    std::deque<PupilId> m_queue;
    std::map<PupilId, ClassCopyProgress> m_progress;
    std::shared_ptr<ClassCopyTask> m_task;
    std::optional<std::int64_t> m_waitingSinceMs;
    std::optional<ClassCopyStatus> m_last;
    bool m_reported = false;
};
