#include "common/ui/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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

} // namespace
