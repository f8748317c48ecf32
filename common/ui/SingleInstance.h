#pragma once

#include <QString>

#include <memory>

class QLockFile;

// Keeps a program to one running copy per user: the first start holds a lock
// file until it ends, a later start finds it held and gives up. Only a lock
// that a live process holds means another copy runs. A lock nobody holds
// (left by a run that crashed, emptied, garbled, written on another host) is
// taken over; a lock that cannot be made or checked at all (its path is a
// folder, the folder is read-only or full) lets the program run without one.
class SingleInstance {
public:
    enum class Outcome {
        Held,            // this process holds the lock
        AnotherCopyRuns, // a live process holds it: end without a word
        Unavailable,     // no lock can be had: run without, see Problem()
    };

    // programName becomes part of the lock file's name, so the tutor and the
    // editor have separate locks. lockFolder "" means the user's runtime folder.
    explicit SingleInstance(const QString& programName, const QString& lockFolder = QString());
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    Outcome Acquire();
    // True when this process now holds the lock (or already held it).
    bool TryAcquire() { return Acquire() == Outcome::Held; }
    bool IsHeld() const;
    QString LockPath() const { return m_path; }
    // Why the lock is unavailable, for a line on standard error.
    QString Problem() const { return m_problem; }

    static QString DefaultLockFolder();

private:
    enum class Holder { Live, Nobody, Unknown };
    Holder probeHolder();
    bool fitForQLockFile();

    QString m_path;
    QString m_problem;
    std::unique_ptr<QLockFile> m_lock;
};

// Acquire, with the line on standard error when the program runs without
// the lock; true when the program is to go on.
bool StartSingleInstance(SingleInstance& instance, const char* programName);
