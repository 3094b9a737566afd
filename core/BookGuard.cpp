#include "core/BookGuard.h"

#include "core/DataFile.h"
#include "core/ErrorReport.h"
#include "platform/BookLock.h"
#include "platform/ExitCleanup.h"
#include "platform/ReadableFile.h"

// A lock of one data file, given up also when the program is ended from outside.
struct BookGuard::HeldLock {
  explicit HeldLock(const QString& dataFile) : lockFile(BookLock::LockFilePathOf(dataFile)) {}

  QString lockFile;
  BookLock lock;
  ScopedExitCleanup release{[this] { lock.Release(); }};
};

namespace {

QString HeldElsewhereQuestion(const QString& path, const QString& holder, BookGuard::Purpose purpose) {
  const QString question = purpose == BookGuard::Purpose::Open
                               ? QStringLiteral("Do you want to open it here as well?")
                               : QStringLiteral("Do you want to save over it anyway?");
  return QStringLiteral("'%1' is already open in another window: %2. %3").arg(path, holder, question);
}

}  // namespace

BookGuard::BookGuard() = default;
BookGuard::~BookGuard() = default;

bool BookGuard::Claim(const QString& path, Purpose purpose) {
  claimed_.reset();
  if (held_ && held_->lockFile == BookLock::LockFilePathOf(path)) return true;
  // A path that names no file (a folder, a device) is refused by the load; it gets no lock file beside it.
  const FileKind kind = KindOfFile(path);
  if (kind != FileKind::Regular && kind != FileKind::Missing) return true;
  auto candidate = std::make_unique<HeldLock>(path);
  switch (candidate->lock.Take(path)) {
    case BookLock::Outcome::Taken:
      claimed_ = std::move(candidate);
      return true;
    case BookLock::Outcome::NotPossible:
      return true;
    case BookLock::Outcome::HeldElsewhere:
      break;
  }
  return ShowMessage(MessageKind::Confirmation, HeldElsewhereQuestion(path, candidate->lock.Holder(), purpose)) ==
         MessageAnswer::Yes;
}

void BookGuard::Follow(const BookState& book) {
  const QString lockFile = book.IsUntitled() ? QString() : BookLock::LockFilePathOf(book.FileName);
  if (claimed_ && claimed_->lockFile == lockFile) held_ = std::move(claimed_);
  if (held_ && held_->lockFile != lockFile) held_.reset();
  claimed_.reset();
}

BookGuard::SaveChoice BookGuard::ConfirmReplace(const BookState& book) {
  if (!FileChangedOnDisk(book)) return SaveChoice::Replace;
  const QString question =
      QStringLiteral("'%1' has been changed by another program since you opened or last saved it. Do you want to "
                     "replace it with this book? Choose No to save this book under another name.")
          .arg(book.FileName);
  switch (ShowMessage(MessageKind::ReplaceQuestion, question)) {
    case MessageAnswer::Yes: return SaveChoice::Replace;
    case MessageAnswer::No: return SaveChoice::SaveElsewhere;
    default: return SaveChoice::Cancel;
  }
}
