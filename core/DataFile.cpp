#include "core/DataFile.h"

#include "core/Document.h"
#include "core/DocumentCodec.h"
#include "platform/BusyPointer.h"
#include "platform/FileReplacement.h"
#include "platform/ReadableFile.h"

namespace {

// What a path names when it is no file at all, as the refusal says it.
QString KindText(FileKind kind) {
  switch (kind) {
    case FileKind::Folder: return QStringLiteral("a folder");
    case FileKind::Device: return QStringLiteral("a device");
    case FileKind::Pipe: return QStringLiteral("a named pipe");
    case FileKind::Socket: return QStringLiteral("a socket");
    case FileKind::Missing:
    case FileKind::Regular:
    case FileKind::Other: break;
  }
  return QStringLiteral("a special file");
}

Outcome LoadFailure(BookState& book, const QString& path, const PlatformError& error) {
  NewDocument(book);
  return Outcome::Failed(QStringLiteral("Unable to load '%1' from disk.").arg(path), error);
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
      return Outcome::Refused(path + QStringLiteral(" is %1, not a data file.").arg(KindText(file.Kind())));
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
  PlatformError error;
  std::optional<FileStamp> written;
  {
    BusyCursor busy;
    const std::optional<std::string> bytes = EncodeDocument(book, error);
    if (bytes) written = ReplaceFile(book.FileName, *bytes, PreviousVersion::KeepAsBackup, error);
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
