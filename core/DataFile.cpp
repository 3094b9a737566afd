#include "core/DataFile.h"

#include "core/Document.h"
#include "core/DocumentCodec.h"
#include "core/ErrorReport.h"
#include "platform/BusyPointer.h"
#include "platform/FileSystem.h"

void LoadDocument(BookState& book, const QString& path) {
  if (!FileExists(path)) {
    NewDocument(book);
    book.FileName = path;
    return;
  }
  std::string bytes;
  PlatformError error;
  DecodeResult result = DecodeResult::Damaged;
  BookState loaded = book;
  {
    BusyCursor busy;
    if (ReadWholeFile(path, bytes, error)) result = DecodeDocument(bytes, loaded, error);
  }
  switch (result) {
    case DecodeResult::Ok:
      book = std::move(loaded);
      book.FileName = path;
      book.Dirty = false;
      break;
    case DecodeResult::NotADataFile:
      ShowMessage(MessageKind::Notice, path + QStringLiteral(" is corrupt or is not a valid data file."));
      break;
    case DecodeResult::Damaged:
      ShowErrorMessage(QStringLiteral("Unable to load '%1' from disk.").arg(path), error);
      NewDocument(book);
      break;
  }
}

void SaveDocument(BookState& book) {
  PlatformError error;
  bool saved = false;
  {
    BusyCursor busy;
    const std::optional<std::string> bytes = EncodeDocument(book, error);
    saved = bytes && WriteFileAtomically(book.FileName, *bytes, error);
  }
  if (saved)
    book.Dirty = false;
  else
    ShowErrorMessage(QStringLiteral("Unable to save %1 to disk.").arg(book.FileName), error);
}
