#include "common/ui/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

TEST(SingleInstanceTest, ASecondCopyOfTheSameProgramIsRefused) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    SingleInstance first(QStringLiteral("EditorZentavo"), folder.path());
    SingleInstance second(QStringLiteral("EditorZentavo"), folder.path());
    SingleInstance tutor(QStringLiteral("Zentavo"), folder.path());
    EXPECT_TRUE(first.TryAcquire());
    EXPECT_TRUE(first.TryAcquire()) << "asking again keeps the lock";
    EXPECT_FALSE(second.TryAcquire());
    EXPECT_FALSE(second.IsHeld());
    EXPECT_TRUE(tutor.TryAcquire()) << "the tutor and the editor have separate locks";
}

TEST(SingleInstanceTest, TheLockIsFreeAgainWhenTheFirstCopyEnds) {
    QTemporaryDir folder;
    auto first = std::make_unique<SingleInstance>(QStringLiteral("EditorZentavo"), folder.path());
    ASSERT_TRUE(first->TryAcquire());
    const QString path = first->LockPath();
    EXPECT_TRUE(QFile::exists(path));
    first.reset();
    EXPECT_FALSE(QFile::exists(path));
    SingleInstance next(QStringLiteral("EditorZentavo"), folder.path());
    EXPECT_TRUE(next.TryAcquire());
}

TEST(SingleInstanceTest, ALockLeftByACrashedRunIsTakenOver) {
    QTemporaryDir folder;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        _exit(0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);

    SingleInstance instance(QStringLiteral("EditorZentavo"), folder.path());
    QFile stale(instance.LockPath());
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(QByteArray::number(child) + "\nEditorZentavo\n\n");
    stale.close();
    // The old lock file is no older than a second: only the dead owner makes it stale.
    EXPECT_TRUE(instance.TryAcquire());
    EXPECT_TRUE(instance.IsHeld());
}

TEST(SingleInstanceTest, TheDefaultFolderIsTheUsersOwn) {
    const QString folder = SingleInstance::DefaultLockFolder();
    EXPECT_FALSE(folder.isEmpty());
    SingleInstance instance(QStringLiteral("ZentavoTestLock-%1").arg(getpid()));
    EXPECT_TRUE(instance.LockPath().startsWith(folder));
    EXPECT_TRUE(instance.TryAcquire());
}

// What lies at the lock's path decides: only a lock a live copy holds ends
// the program; a lock nobody holds is taken over; a path where no lock can
// be made lets the program run without one.
struct LockCase {
    const char* name;
    std::function<void(const QString& lockPath)> make;
    SingleInstance::Outcome outcome;
};

void WriteLock(const QString& path, const QByteArray& content) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

// A lock that would make the program wait for ever fails the test instead.
class LockAtPath : public ::testing::TestWithParam<LockCase> {
protected:
    void SetUp() override { ::alarm(20); }
    void TearDown() override { ::alarm(0); }
};

TEST_P(LockAtPath, OnlyALiveCopyEndsTheProgram) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    SingleInstance instance(QStringLiteral("Zentavo"), folder.path());
    GetParam().make(instance.LockPath());
    const SingleInstance::Outcome outcome = instance.Acquire();
    EXPECT_EQ(outcome, GetParam().outcome);
    EXPECT_EQ(instance.IsHeld(), outcome == SingleInstance::Outcome::Held);
    EXPECT_EQ(StartSingleInstance(instance, "Zentavo"),
              outcome != SingleInstance::Outcome::AnotherCopyRuns);
    EXPECT_EQ(instance.Problem().isEmpty(), outcome != SingleInstance::Outcome::Unavailable);
}

using Outcome = SingleInstance::Outcome;

INSTANTIATE_TEST_SUITE_P(
    Cases, LockAtPath,
    ::testing::Values(
        LockCase{"NoLock", [](const QString&) {}, Outcome::Held},
        LockCase{"EmptyLockFile", [](const QString& p) { WriteLock(p, {}); }, Outcome::Held},
        LockCase{"GarbageLockFile",
                 [](const QString& p) { WriteLock(p, QByteArray("\x01\xFFnot a lock\n\0\0", 16)); },
                 Outcome::Held},
        LockCase{"LockOfAnotherHost",
                 [](const QString& p) {
                     WriteLock(p, QByteArray::number(getppid()) + "\nZentavo\nanother-host\n");
                 },
                 Outcome::Held},
        LockCase{"HugeGarbageLockFile",
                 [](const QString& p) { WriteLock(p, QByteArray(1 << 20, 'x')); }, Outcome::Held},
        LockCase{"LockPathIsANamedPipe",
                 [](const QString& p) { ASSERT_EQ(::mkfifo(QFile::encodeName(p), 0600), 0); },
                 Outcome::Unavailable},
        LockCase{"LockPathIsAFolder", [](const QString& p) { QDir().mkpath(p); },
                 Outcome::Unavailable},
        LockCase{"LockPathIsALinkToADevice",
                 [](const QString& p) { QFile::link(QStringLiteral("/dev/zero"), p); },
                 Outcome::Unavailable}),
    [](const ::testing::TestParamInfo<LockCase>& param) { return std::string(param.param.name); });

TEST(SingleInstanceTest, ALockHeldByALiveCopyEndsTheSecond) {
    QTemporaryDir folder;
    SingleInstance first(QStringLiteral("Zentavo"), folder.path());
    ASSERT_EQ(first.Acquire(), SingleInstance::Outcome::Held);
    // Even a lock whose content was damaged while its copy runs.
    WriteLock(first.LockPath(), "garbage");
    SingleInstance second(QStringLiteral("Zentavo"), folder.path());
    EXPECT_EQ(second.Acquire(), SingleInstance::Outcome::AnotherCopyRuns);
    EXPECT_FALSE(StartSingleInstance(second, "Zentavo"));
    EXPECT_TRUE(first.IsHeld());
}

TEST(SingleInstanceTest, AFolderThatCannotBeMadeRunsWithoutTheLock) {
    QTemporaryDir folder;
    WriteLock(folder.filePath(QStringLiteral("plain")), "x");
    SingleInstance instance(QStringLiteral("Zentavo"), folder.filePath(QStringLiteral("plain")));
    EXPECT_EQ(instance.Acquire(), SingleInstance::Outcome::Unavailable);
    EXPECT_TRUE(StartSingleInstance(instance, "Zentavo"));
}

} // namespace
