#include "common/ui/SingleInstance.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

#include <unistd.h>

SingleInstance::SingleInstance(const QString& programName, const QString& lockFolder) {
    const QString folder = lockFolder.isEmpty() ? DefaultLockFolder() : lockFolder;
    QDir().mkpath(folder);
    m_path = QDir(folder).filePath(programName + QStringLiteral(".lock"));
    m_lock = std::make_unique<QLockFile>(m_path);
    // A running program may hold its lock for days: only a lock whose owner
    // process is gone counts as stale, never one that is merely old.
    m_lock->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::TryAcquire() {
    if (m_lock->isLocked())
        return true;
    return m_lock->tryLock(0);
}

bool SingleInstance::IsHeld() const {
    return m_lock->isLocked();
}

QString SingleInstance::DefaultLockFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        // Without a runtime folder the shared temporary folder is used, with
        // the user id in the name so that two users never meet.
        folder = QDir::temp().filePath(QStringLiteral("zentavo-%1").arg(getuid()));
    }
    return folder;
}
