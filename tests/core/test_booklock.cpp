#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>

#include "platform/BookLock.h"
#include "platform/ExitCleanup.h"

namespace {

TEST(BookLockTest, SecondLockOnOneBookIsRefusedUntilTheFirstIsReleased) {
  QTemporaryDir dir;
  const QString book = dir.filePath("book.dat");
  BookLock first, second;
  EXPECT_EQ(first.Take(book), BookLock::Outcome::Taken);
  EXPECT_EQ(second.Take(book), BookLock::Outcome::HeldElsewhere);
  EXPECT_TRUE(second.Holder().contains(QString::number(QCoreApplication::applicationPid()))) << second.Holder().toStdString();
  EXPECT_FALSE(second.Holds());
  first.Release();
  EXPECT_FALSE(QFile::exists(BookLock::LockFilePathOf(book)));
  EXPECT_EQ(second.Take(book), BookLock::Outcome::Taken);
}

TEST(BookLockTest, LockOfAProgramThatNoLongerRunsIsTakenOver) {
  QTemporaryDir dir;
  const QString book = dir.filePath("book.dat");
  QFile stale(BookLock::LockFilePathOf(book));
  ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
  // The lock file's own layout: pid, application name, host name.
  stale.write("999999999\nvantreo\n" + QSysInfo::machineHostName().toUtf8() + "\n");
  stale.close();
  BookLock lock;
  EXPECT_EQ(lock.Take(book), BookLock::Outcome::Taken);
}

TEST(BookLockTest, FolderWithoutWriteAccessCannotBeLocked) {
  BookLock lock;
  EXPECT_EQ(lock.Take("/proc/vantreo-book.dat"), BookLock::Outcome::NotPossible);
}

TEST(ExitCleanupTest, RunsWhatIsStillRegisteredNewestFirstOnce) {
  std::string ran;
  ScopedExitCleanup outer([&] { ran += 'a'; });
  { ScopedExitCleanup gone([&] { ran += 'x'; }); }
  ScopedExitCleanup inner([&] { ran += 'b'; });
  RunExitCleanups();
  RunExitCleanups();
  EXPECT_EQ(ran, "ba");
}

}  // namespace
