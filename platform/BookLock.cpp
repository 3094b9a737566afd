#include "platform/BookLock.h"

#include <QFile>
#include <QLockFile>

#include "platform/StandardLocations.h"

BookLock::BookLock() = default;
BookLock::~BookLock() = default;

// Every name of one file (a relative path, a symbolic link) locks the same lock file.
QString BookLock::LockFilePathOf(const QString& dataFile) { return CanonicalPath(dataFile) + QStringLiteral(".lock"); }

BookLock::Outcome BookLock::Take(const QString& dataFile) {
  Release();
  auto lock = std::make_unique<QLockFile>(LockFilePathOf(dataFile));
  // A book stays open for hours: the lock is stale only when its program has
  // gone, never because of its age.
  lock->setStaleLockTime(0);
  if (lock->tryLock()) {
    // It names the process and host that hold the book: for its owner only.
    QFile::setPermissions(LockFilePathOf(dataFile), QFile::ReadOwner | QFile::WriteOwner);
    lock_ = std::move(lock);
    return Outcome::Taken;
  }
  if (lock->error() != QLockFile::LockFailedError) return Outcome::NotPossible;
  qint64 pid = 0;
  QString host, application;
  lock->getLockInfo(&pid, &host, &application);
  holder_ = QStringLiteral("process %1 (%2) on %3").arg(pid).arg(application, host);
  return Outcome::HeldElsewhere;
}

void BookLock::Release() {
  lock_.reset();
  holder_.clear();
}

bool BookLock::Holds() const { return lock_ != nullptr; }
