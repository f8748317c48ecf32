#include "common/ui/SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QStandardPaths>
#include <QSysInfo>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Two copies starting together may both find a lock nobody holds; one takes
// it over, the other then finds it held.
constexpr int kTakeOverAttempts = 3;
// A lock file holds a process id, a program name and a host name.
constexpr off_t kLargestLock = 4096;

bool ProcessLives(qint64 pid) {
    return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

} // namespace

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

// QLockFile holds an flock() on its file for as long as its process runs,
// so a lock held by a live copy is told apart from any other file there,
// whatever its content says.
SingleInstance::Holder SingleInstance::probeHolder() {
    const QByteArray path = QFile::encodeName(m_path);
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        m_problem = QString::fromLocal8Bit(std::strerror(errno));
        return errno == ENOENT ? Holder::Nobody : Holder::Unknown;
    }
    struct stat st {};
    Holder holder = Holder::Unknown;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        m_problem = QStringLiteral("not a regular file");
    } else if (::flock(fd, LOCK_SH | LOCK_NB) == 0) {
        ::flock(fd, LOCK_UN);
        holder = Holder::Nobody;
    } else if (errno == EWOULDBLOCK) {
        holder = Holder::Live;
    } else {
        m_problem = QString::fromLocal8Bit(std::strerror(errno));
    }
    ::close(fd);
    if (holder == Holder::Nobody) {
        // Where file locks are not kept (some network folders) the owner
        // written into the file still tells a live copy on this host.
        qint64 pid = 0;
        QString hostname;
        QString application;
        if (m_lock->getLockInfo(&pid, &hostname, &application) &&
            (hostname.isEmpty() || hostname == QSysInfo::machineHostName()) &&
            pid != QCoreApplication::applicationPid() && ProcessLives(pid))
            holder = Holder::Live;
    }
    return holder;
}

// QLockFile reads the lock's content to judge it: a named pipe there would
// hold it for ever, a link to a device would feed it without end. Only a
// regular file of a lock's size is left to it.
bool SingleInstance::fitForQLockFile() {
    struct stat st {};
    if (::lstat(QFile::encodeName(m_path).constData(), &st) != 0)
        return true; // no lock yet, or none to be judged
    if (!S_ISREG(st.st_mode)) {
        m_problem = QStringLiteral("not a regular file");
        return false;
    }
    if (st.st_size > kLargestLock && probeHolder() == Holder::Nobody)
        m_lock->removeStaleLockFile();
    return true;
}

SingleInstance::Outcome SingleInstance::Acquire() {
    if (m_lock->isLocked())
        return Outcome::Held;
    m_problem.clear();
    for (int attempt = 0; attempt < kTakeOverAttempts; ++attempt) {
        if (!fitForQLockFile())
            return Outcome::Unavailable;
        if (m_lock->tryLock(0))
            return Outcome::Held;
        if (m_lock->error() != QLockFile::LockFailedError) {
            m_problem = m_lock->error() == QLockFile::PermissionError
                            ? QStringLiteral("the folder cannot be written")
                            : QStringLiteral("the file cannot be written");
            return Outcome::Unavailable;
        }
        switch (probeHolder()) {
        case Holder::Live:
            return Outcome::AnotherCopyRuns;
        case Holder::Unknown:
            return Outcome::Unavailable;
        case Holder::Nobody:
            m_lock->removeStaleLockFile();
            break;
        }
    }
    m_problem = QStringLiteral("a stale lock cannot be removed");
    return Outcome::Unavailable;
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

bool StartSingleInstance(SingleInstance& instance, const char* programName) {
    switch (instance.Acquire()) {
    case SingleInstance::Outcome::Held:
        return true;
    case SingleInstance::Outcome::AnotherCopyRuns:
        return false;
    case SingleInstance::Outcome::Unavailable:
        std::fprintf(stderr, "%s: cannot use the lock file %s (%s); running without it\n",
                     programName, QFile::encodeName(instance.LockPath()).constData(),
                     instance.Problem().toLocal8Bit().constData());
        return true;
    }
    return true;
}
