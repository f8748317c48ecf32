#pragma once

#include <QString>

#include <memory>

class QLockFile;

// Keeps a program to one running copy per user: the first start holds a lock
// file until it ends, a later start finds it held and gives up. A lock left by
// a run that crashed (its process is gone) is taken over.
class SingleInstance {
public:
    // programName becomes part of the lock file's name, so the tutor and the
    // editor have separate locks. lockFolder "" means the user's runtime folder.
    explicit SingleInstance(const QString& programName, const QString& lockFolder = QString());
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process now holds the lock (or already held it).
    bool TryAcquire();
    bool IsHeld() const;
    QString LockPath() const { return m_path; }

    static QString DefaultLockFolder();

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};
