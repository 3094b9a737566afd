#pragma once

#include <memory>

#include <QString>

#include "core/BookState.h"

// Keeps two windows (two programs) from silently overwriting each other's
// work on one book: holds the lock on the data file of the window's book,
// asks before a book that another window holds is opened or saved over, and
// asks before saving over a file that was changed since it was loaded.
class BookGuard {
 public:
  enum class Purpose { Open, SaveAs };
  enum class SaveChoice { Replace, SaveElsewhere, Cancel };

  BookGuard();
  ~BookGuard();
  BookGuard(const BookGuard&) = delete;
  BookGuard& operator=(const BookGuard&) = delete;

  // Before the window loads path, or saves the book under that name: takes
  // the lock of path, or asks the user when another program holds it.
  // False when the user declined.
  bool Claim(const QString& path, Purpose purpose);

  // After a file command: keeps the lock of the book's own file, if it has
  // one, and lets every other lock go.
  void Follow(const BookState& book);

  // Before the book is saved over its own file: when another program has
  // changed that file since, asks whether to replace it, to save the book
  // under another name or to cancel.
  SaveChoice ConfirmReplace(const BookState& book);

 private:
  struct HeldLock;
  std::unique_ptr<HeldLock> held_;
  std::unique_ptr<HeldLock> claimed_;
};
