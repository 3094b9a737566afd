#pragma once

#include <memory>

#include <QString>

class QLockFile;

// Keeps two programs from writing one book: a lock file "<book>.lock" beside
// the data file, held while a window (or a command-line import) has the book
// open. A lock left by a program that no longer runs is taken over.
class BookLock {
 public:
  enum class Outcome {
    Taken,         // this object holds the lock
    HeldElsewhere, // another running program holds it; see Holder()
    NotPossible,   // no lock file can be made there (read-only folder, ...)
  };

  BookLock();
  ~BookLock();
  BookLock(const BookLock&) = delete;
  BookLock& operator=(const BookLock&) = delete;

  // Releases any lock held before, then tries to lock dataFile.
  Outcome Take(const QString& dataFile);
  void Release();
  bool Holds() const;

  // After HeldElsewhere: who holds the lock, as "process 1234 (vantreo) on host".
  QString Holder() const { return holder_; }

  static QString LockFilePathOf(const QString& dataFile);

 private:
  std::unique_ptr<QLockFile> lock_;
  QString holder_;
};
