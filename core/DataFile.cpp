#include "core/DataFile.h"

#include "core/AddressBookFile.h"
#include "core/Document.h"
#include "core/DocumentCodec.h"
#include "core/RecoveryFile.h"
#include "platform/BusyPointer.h"
#include "platform/FileReplacement.h"
#include "platform/FileSystem.h"
#include "platform/ReadableFile.h"

namespace {

Outcome LoadFailure(BookState& book, const QString& path, const PlatformError& error) {
  NewDocument(book);
  return Outcome::Failed(QStringLiteral("Unable to load '%1' from disk.").arg(path), error);
}

// A temporary file of a save that was killed: empty (killed before it
// wrote) or a data file, whole or in part.
bool IsLeftOverOfASave(const QString& file) {
  const std::string start = FirstBytesOf(file, 10);
  return start.empty() || StartsAsAddressBook(start);
}

// The file replaced is kept as the backup; a save that must overwrite it in
// place keeps a whole copy for recovery until it has finished.
ReplacementOptions SaveOptionsFor(const BookState& book) {
  ReplacementOptions options;
  options.Previous = PreviousVersion::KeepAsBackup;
  options.KeepCopyBeforeOverwriting = [&book](const std::string& bytes, PlatformError& error) {
    return KeepCopyOfSave(book, bytes, error);
  };
  options.DropCopy = [&book] { RemoveCopyOfSave(book); };
  return options;
}

}  // namespace

Outcome LoadDocument(BookState& book, const QString& path) {
  ReadableFile file;
  PlatformError error;
  switch (file.Open(path, error)) {
    case ReadableFile::Opening::Opened: break;
    case ReadableFile::Opening::Missing:
      NewDocument(book);
      book.FileName = path;
      return Outcome::Done();
    case ReadableFile::Opening::NotAFile:
      return Outcome::Refused(path + QStringLiteral(" is %1, not a data file.").arg(FileKindText(file.Kind())));
    case ReadableFile::Opening::Failed:
      return LoadFailure(book, path, error);
  }
  BookState loaded;
  DecodeResult result = DecodeResult::Damaged;
  {
    BusyCursor busy;
    result = DecodeDocument(file, loaded, error);
    if (result == DecodeResult::Ok) loaded.OnDisk = file.Stamp();
  }
  switch (result) {
    case DecodeResult::Ok:
      book = std::move(loaded);
      book.FileName = path;
      book.Dirty = false;
      return Outcome::Done();
    case DecodeResult::NotADataFile:
      return Outcome::Refused(path + QStringLiteral(" is corrupt or is not a valid data file."));
    case DecodeResult::Damaged:
      break;
  }
  return LoadFailure(book, path, error);
}

Outcome SaveDocument(BookState& book) {
  RemoveLeftOverTemporaries(book.FileName, IsLeftOverOfASave);
  PlatformError error;
  std::optional<FileStamp> written;
  {
    BusyCursor busy;
    const std::optional<std::string> bytes = EncodeDocument(book, error);
    if (bytes) written = ReplaceFile(book.FileName, *bytes, SaveOptionsFor(book), error);
  }
  if (!written) return Outcome::Failed(QStringLiteral("Unable to save %1 to disk.").arg(book.FileName), error);
  book.OnDisk = *written;
  book.Dirty = false;
  return Outcome::Done();
}

bool FileChangedOnDisk(const BookState& book) {
  const FileStamp now = StampOfFile(book.FileName);
  return now.Exists && now != book.OnDisk;
}
