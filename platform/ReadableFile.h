#pragma once

#include <QString>

#include "platform/ByteSource.h"
#include "platform/FileStamp.h"

// What a path names, following symbolic links.
enum class FileKind { Missing, Regular, Folder, Device, Pipe, Socket, Other };

// What path names now; Missing also when it cannot be looked at.
FileKind KindOfFile(const QString& path);

// What a path names when it is no file at all, as a refusal says it: "a
// named pipe", "a device", "a folder".
QString FileKindText(FileKind kind);

// A regular file open for reading from its start. Opening never waits on
// what the path names, so a named pipe, a device, a socket or a folder given
// as a data file is refused at once.
class ReadableFile : public ByteSource {
 public:
  enum class Opening { Opened, Missing, NotAFile, Failed };

  ReadableFile() = default;
  ~ReadableFile() override;
  ReadableFile(const ReadableFile&) = delete;
  ReadableFile& operator=(const ReadableFile&) = delete;

  // On NotAFile, Kind() says what path names instead; on Failed, error says why.
  Opening Open(const QString& path, PlatformError& error);
  FileKind Kind() const { return kind_; }

  qint64 Size() const override { return size_; }
  qint64 Read(char* buffer, qint64 size, PlatformError& error) override;

  // The size and time of the file when it was opened and the digest of all
  // its bytes, read from the start without moving the reading position.
  FileStamp Stamp() const;

 private:
  int fd_ = -1;
  FileKind kind_ = FileKind::Missing;
  qint64 size_ = 0;
  qint64 modifiedNs_ = 0;
};
